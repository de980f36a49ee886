#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"
#include "tests/core/GameFolder.h"
#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {
namespace {

TEST(ServerFilesCommand, WritesFromTheStoredTypeAndSavesNothing) {
    GameFolder game;
    RecordingDesktop desktop;
    std::ostringstream out;
    const Args args = {"--config", game.Config().string()};
    game.store.settings.gameType = kQuake3TeamDM;
    SaveSettings(game.store);
    WriteFileBytes(game.Morvane("q3tdm.map"), "q3tourney2   q3dm7");
    std::string config = ReadFileBytes(game.Config());

    EXPECT_EQ(RunServerFilesCommand(args, desktop, out), 0);
    std::string script = ReadFileBytes(game.dir / "baseq3" / "morvane.cfg");
    EXPECT_NE(script.find("set g_gametype 3\nset fraglimit"), std::string::npos);
    EXPECT_NE(script.find("set d2 \"map q3dm7 ; set nextmap vstr d1\"\nvstr d1\n"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(game.Config()), config);
    EXPECT_EQ(ReadFileBytes(game.Morvane("q3tdm.map")), "q3tourney2   q3dm7");

    std::filesystem::remove_all(game.dir / "baseq3");
    EXPECT_EQ(RunServerFilesCommand(args, desktop, out), 1);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(RunServerFilesCommand({"--config"}, desktop, out), 2);
    EXPECT_EQ(RunServerFilesCommand({"extra"}, desktop, out), 2);
}

}  // namespace
}  // namespace mctf::testing
