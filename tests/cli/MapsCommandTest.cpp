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

}  // namespace
}  // namespace mctf::testing
