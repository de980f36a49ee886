#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"
#include "tests/core/GameFolder.h"
#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {
namespace {

struct ServerFilesCommandTest : ::testing::Test {
    GameFolder game;
    RecordingDesktop desktop;
    std::ostringstream out;

    int Run(const Args& args) { return RunServerFilesCommand(args, desktop, out); }
};

TEST_F(ServerFilesCommandTest, WritesFromTheStoredTypeAndSavesNothing) {
    game.store.settings.gameType = kQuake3TeamDM;
    SaveSettings(game.store);
    WriteFileBytes(game.Morvane("q3tdm.map"), "q3tourney2   q3dm7");
    std::string config = ReadFileBytes(game.Config());

    EXPECT_EQ(Run({"--config", game.Config().string()}), 0);
    EXPECT_TRUE(desktop.messages.empty());
    std::string script = ReadFileBytes(game.dir / "baseq3" / "morvane.cfg");
    EXPECT_NE(script.find("set g_gametype 3\n"), std::string::npos);
    EXPECT_NE(script.find("set d2 \"map q3dm7 ; set nextmap vstr d1\"\nvstr d1\n"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(game.dir / "morvane.bat").find("fs_game"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(game.Config()), config);
    EXPECT_EQ(ReadFileBytes(game.Morvane("q3tdm.map")), "q3tourney2   q3dm7");
}

TEST_F(ServerFilesCommandTest, FailureAndBadUsageGiveTheirStatus) {
    SaveSettings(game.store);
    std::filesystem::remove_all(game.dir / "morvane");
    EXPECT_EQ(Run({"--config", game.Config().string()}), 1);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              "Cannot create server file\nMake sure game path and morvane sub directory exists");

    EXPECT_EQ(Run({"--config"}), 2);
    EXPECT_EQ(Run({"extra"}), 2);
    EXPECT_EQ(desktop.messages.size(), 1u);
}

}  // namespace
}  // namespace mctf::testing
