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
    WriteFileBytes(dir / "two.pk3",
                   ZipBuilder().Entry("maps/alpha.bsp").Entry("maps/beta.bsp").bytes());
    CliHarness cli;
    Args files = {"maps", (dir / "one.pk3").string(), "gamma.bsp", (dir / "two.pk3").string()};
    EXPECT_EQ(cli.Run(files), 0);
    // Names equal but for case keep the order in which they were found; the
    // same name twice is listed once.
    const std::string listed = "Alpha\nalpha\nbeta\ngamma\n";
    EXPECT_EQ(cli.out.str(), listed);

    // The message names the file it is about.
    files.insert(files.begin() + 1, (dir / "missing.pk3").string());
    EXPECT_EQ(cli.Run(files), 1);
    EXPECT_EQ(cli.out.str(), listed);
    EXPECT_EQ(cli.err.str(),
              "mctfcli: " + (dir / "missing.pk3").string() + ": ERROR Cannot open file\n");

    EXPECT_EQ(cli.Run({"maps"}), 2);

    // A folder: its .pk3 files in any case, not its subfolders or other files.
    WriteFileBytes(dir / "THREE.PK3", ZipBuilder().Entry("maps/delta.bsp").bytes());
    WriteFileBytes(dir / "notes.txt", ZipBuilder().Entry("maps/notes.bsp").bytes());
    std::filesystem::create_directories(dir / "sub.pk3");
    WriteFileBytes(dir / "sub.pk3" / "four.pk3", ZipBuilder().Entry("maps/sub.bsp").bytes());
    EXPECT_EQ(cli.Run({"maps", dir.str(), "gamma.bsp"}), 0);
    EXPECT_EQ(cli.out.str(), "Alpha\nalpha\nbeta\ndelta\ngamma\n");
    EXPECT_EQ(cli.Run({"maps", (dir / "sub.pk3").string(), dir.str()}), 0);
    EXPECT_EQ(cli.out.str(), "Alpha\nalpha\nbeta\ndelta\nsub\n");
    std::filesystem::remove(dir / "sub.pk3" / "four.pk3");
    EXPECT_EQ(cli.Run({"maps", (dir / "sub.pk3").string()}), 1);
    EXPECT_EQ(cli.err.str(),
              "mctfcli: " + (dir / "sub.pk3").string() + ": no .pk3 file in this folder\n");
}

TEST(MapsCommand, CheckNamesEachMapOfTheListThatNoPakHolds) {
    CliHarness cli;
    cli.context.settingsFolder = cli.home.str();  // no config.dmc: the defaults
    const std::filesystem::path game = cli.defaults.quakePath;
    WriteFileBytes(game / "morvane" / "mctf.map", "Mctf1 mctf2 q3dm1 mctf2\n");
    WriteFileBytes(game / "baseq3" / "pak0.PK3", ZipBuilder().Entry("maps/MCTF1.bsp").bytes());
    std::filesystem::create_directories(game / "morvane" / "maps");
    WriteFileBytes(game / "morvane" / "maps" / "q3dm1.bsp", "");
    EXPECT_EQ(cli.Run({"maplist", "check"}), 1);
    EXPECT_EQ(cli.out.str(), "");
    EXPECT_EQ(cli.err.str(), "mctfcli: " + (game / "morvane" / "mctf.map").string() +
                                 ": no pak under " + game.string() +
                                 " holds map 'mctf2'; the rotation would stop there\n");
    WriteFileBytes(game / "morvane" / "z.pk3", ZipBuilder().Entry("maps/mctf2.bsp").bytes());
    EXPECT_EQ(cli.Run({"maplist", "check"}), 0);
    EXPECT_EQ(cli.out.str() + cli.err.str(), "");
    // Quake 3 CTF runs without the mod: the paks of morvane are out of reach.
    WriteFileBytes(game / "morvane" / "q3ctf.map", "mctf1 mctf2\n");
    ASSERT_EQ(cli.Run({"settings", "set", "gameType=3"}), 0) << cli.err.str();
    EXPECT_EQ(cli.Run({"maplist", "check"}), 1);
    EXPECT_NE(cli.err.str().find("holds map 'mctf2'"), std::string::npos) << cli.err.str();
    ZipBuilder big;  // a directory past the 320000 bytes the maps listing searches
    for (big.Entry("maps/deep.bsp"); big.bytes().size() < 330000;) big.Entry("t");
    const std::string end("PK\5\6\0\0\0\0\0\0\0\0\0\0\0\0\36\0\0\0\0\0", 22);  // it starts at 30
    WriteFileBytes(game / "baseq3" / "big.pk3", big.Raw(end).bytes());
    WriteFileBytes(game / "morvane" / "q3ctf.map", "deep\n");
    EXPECT_EQ(cli.Run({"maplist", "check"}), 0) << cli.err.str();
    WriteFileBytes(game / "baseq3" / "oa.pk3", ZipBuilder().Entry("maps/oa\\dm1.bsp").bytes());
    WriteFileBytes(game / "morvane" / "q3ctf.map", "oa\\dm1 caf\xe9\n");
    EXPECT_EQ(cli.Run({"maplist", "check"}), 1);
    EXPECT_NE(cli.err.str().find("'oa\\dm1' holds a backslash: the server"), std::string::npos);
    EXPECT_NE(cli.err.str().find("'caf\xe9' holds a character beyond ASCII"), std::string::npos);
}

TEST(MapsCommand, AHostilePakIsListedFlaggedAndCannotReachTheRotation) {
    TempDir dir;
    const std::string pak = (dir / "hostile.pk3").string();
    WriteFileBytes(pak, ZipBuilder()
                            .Entry("maps/x;quit.bsp")
                            .Entry("maps/q3dm17.bsp")
                            .Entry("maps/oa\\dm1.bsp")
                            .bytes());
    CliHarness cli;
    EXPECT_EQ(cli.Run({"maps", pak}), 0);
    EXPECT_EQ(cli.out.str(), "oa\\dm1\nq3dm17\nx;quit\n");
    const std::string no = "mctfcli: " + pak + ": '";
    EXPECT_EQ(cli.err.str(), no + "x;quit' cannot be added to a map list: it holds a semicolon\n" +
                                 no +
                                 "oa\\dm1' cannot be added to a map list: it holds a backslash\n");
    EXPECT_EQ(
        cli.Run({"maplist", "add", "--config", (dir / "config.dmc").string(), "q3dm17", "x;quit"}),
        1);
    EXPECT_FALSE(std::filesystem::exists(dir / "config.dmc"));
}

}  // namespace
}  // namespace mctf::testing
