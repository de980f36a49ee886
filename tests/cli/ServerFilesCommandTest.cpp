#include <gtest/gtest.h>

#include <cerrno>

#include "core/ServerFiles.h"
#include "tests/cli/CliHarness.h"
#include "tests/core/GameFolder.h"

namespace mctf::testing {
namespace {

TEST(ServerFilesCommand, WritesFromTheStoredTypeAndSavesNothing) {
    GameFolder game;
    CliHarness cli;
    const Args args = {"server-files", "--config", game.Config().string()};
    game.store.settings.gameType = kQuake3TeamDM;
    SaveSettings(game.store);
    WriteFileBytes(game.Morvane("q3tdm.map"), "q3tourney2   q3dm7");
    std::string config = ReadFileBytes(game.Config());

    EXPECT_EQ(cli.Run(args), 0);
    std::string script = ReadTextFile(game.dir / "baseq3" / "morvane.cfg");
    EXPECT_NE(script.find("set g_gametype 3\nset fraglimit"), std::string::npos);
    EXPECT_NE(script.find("set d2 \"map q3dm7 ; set nextmap vstr d1\"\nvstr d1\n"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(game.Config()), config);
    EXPECT_EQ(ReadFileBytes(game.Morvane("q3tdm.map")), "q3tourney2   q3dm7");

    // The message names the file that could not be written.
    std::filesystem::remove_all(game.dir / "baseq3");
    EXPECT_EQ(cli.Run(args), 1);
    // Each line names the file: none stands alone in a log.
    const std::string named = "mctfcli: " + ServerScriptPath(game.store.settings) + ": ";
    EXPECT_EQ(cli.err.str(), named + "Cannot create server file\n" + named +
                                 "Make sure game path and morvane sub directory exists\n" + named +
                                 SystemReason(ENOENT) + "\n");
    EXPECT_EQ(cli.Run({"server-files", "--config"}), 2);
    EXPECT_EQ(cli.err.str(),
              "mctfcli: server-files: option --config needs a value\n"
              "Try 'mctfcli server-files --help'.\n");
    EXPECT_EQ(cli.Run({"server-files", "extra"}), 2);
}

}  // namespace
}  // namespace mctf::testing
