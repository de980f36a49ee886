#include <gtest/gtest.h>

#include "tests/cli/CliHarness.h"
#include "tests/core/ZipBuilder.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {
namespace {

TEST(MapsCommand, ListsEveryFileSortedWithoutRegardToCase) {
    TempDir dir;
    WriteFileBytes(dir / "one.pk3",
                   ZipBuilder().Entry("maps/beta.bsp").Entry("maps/Alpha.bsp").bytes());
    WriteFileBytes(dir / "two.pk3", ZipBuilder().Entry("maps/alpha.bsp").bytes());
    CliHarness cli;
    Args files = {"maps", (dir / "one.pk3").string(), "gamma.bsp", (dir / "two.pk3").string()};
    EXPECT_EQ(cli.Run(files), 0);
    // Equal names keep the order in which they were found.
    const std::string listed = "Alpha\nalpha\nbeta\ngamma\n";
    EXPECT_EQ(cli.out.str(), listed);

    // The message names the file it is about.
    files.insert(files.begin() + 1, (dir / "missing.pk3").string());
    EXPECT_EQ(cli.Run(files), 1);
    EXPECT_EQ(cli.out.str(), listed);
    ASSERT_EQ(cli.desktop.messages.size(), 1u);
    EXPECT_EQ(cli.desktop.messages[0].text,
              (dir / "missing.pk3").string() + ": " + "ERROR Cannot open file");

    EXPECT_EQ(cli.Run({"maps"}), 2);
}

TEST(MapsCommand, AHostilePakIsListedFlaggedAndCannotReachTheRotation) {
    TempDir dir;
    const std::string pak = (dir / "hostile.pk3").string();
    WriteFileBytes(pak, ZipBuilder().Entry("maps/x;quit.bsp").Entry("maps/q3dm17.bsp").bytes());
    CliHarness cli;
    EXPECT_EQ(cli.Run({"maps", pak}), 0);
    EXPECT_EQ(cli.out.str(), "q3dm17\nx;quit\n");
    EXPECT_EQ(
        cli.err.str(),
        "mctfcli: " + pak + ": 'x;quit' cannot be added to a map list: it holds a semicolon\n");
    EXPECT_EQ(
        cli.Run({"maplist", "add", "--config", (dir / "config.dmc").string(), "q3dm17", "x;quit"}),
        1);
    EXPECT_FALSE(std::filesystem::exists(dir / "config.dmc"));
}

}  // namespace
}  // namespace mctf::testing
