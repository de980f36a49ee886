#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>

#include "cli/ByteProgress.h"
#include "core/SettingsStore.h"
#include "tests/cli/CliHarness.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {
namespace {

const char* const kOneMatch =
    "  0:00 InitGame: \\sv_hostname\\Test\n"
    "  0:01 ClientUserinfoChanged: 0 n\\Ann\\t\\0\n"
    "  0:01 ClientBegin: 0\n"
    "  0:30 Kill: 0 1 10: Ann killed Bob by MOD_RAILGUN\n"
    "  5:01 Exit: Fraglimit hit.\n";

class StatsCommandTest : public ::testing::Test {
protected:
    int Run(Args args) {
        args.insert(args.begin(), "stats");
        return cli.Run(args);
    }
    std::string Config() const { return (dir / "config.dmc").string(); }
    std::string Logs() const { return (dir / "logs").string(); }

    StatsCommandTest() {
        std::filesystem::create_directory(dir / "logs");
        SettingsStore store;
        store.defaults = &cli.defaults;
        store.configPath = Config();
        RestoreDefaults(store);
    }

    TempDir dir;
    CliHarness cli;
    RecordingDesktop& desktop = cli.desktop;
    std::ostringstream& out = cli.out;
};

TEST_F(StatsCommandTest, WritesPagesIntoTheGivenFolderWithoutSavingIt) {
    WriteFileBytes(dir / "logs" / "games.log", kOneMatch);
    EXPECT_EQ(Run({"--config", Config(), "--logs", Logs()}), 0);
    EXPECT_EQ(out.str(), "pstats.htm written\n");
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(std::filesystem::exists(dir / "logs" / "pstats.htm"));
    EXPECT_TRUE(std::filesystem::exists(dir / "logs" / "clans.htm"));

    // The stored folder is still the default one.
    std::string stored = ReadFileBytes(Config());
    ASSERT_EQ(stored.size(), sizeof(ServerSettings));
    EXPECT_STREQ(stored.c_str() + offsetof(ServerSettings, statsDir), cli.defaults.statsDir);
}

TEST_F(StatsCommandTest, OnATerminalTheBytesReadReplaceTheBarAndAreErased) {
    WriteFileBytes(dir / "logs" / "games.log", kOneMatch);
    std::FILE* terminal = std::fopen((dir / "terminal").string().c_str(), "w+b");
    ASSERT_NE(terminal, nullptr);
    ByteProgress bytes(terminal, [] { return 1.0; });
    cli.context.progress = &bytes;
    EXPECT_EQ(Run({"--config", Config(), "--logs", Logs()}), 0);
    const std::size_t size = std::strlen(kOneMatch);
    std::string shown(static_cast<std::size_t>(std::ftell(terminal)), '\0');
    std::rewind(terminal);
    shown.resize(std::fread(shown.data(), 1, shown.size(), terminal));
    std::fclose(terminal);
    EXPECT_EQ(shown, "\rReading logs 100%  " + std::to_string(size) + " of " +
                         std::to_string(size) + " B\033[K\r\033[K");
    EXPECT_EQ(desktop.progressOpened, 0);
    EXPECT_EQ(out.str(), "pstats.htm written\n");
}

TEST_F(StatsCommandTest, ErrorsGoToStandardErrorAndFail) {
    EXPECT_EQ(Run({"--config", Config(), "--logs", Logs()}), 1);
    EXPECT_EQ(cli.err.str(), "mctfcli: " + Logs() + ": ERROR Cannot find any log files!\n");
    EXPECT_EQ(out.str(), "");

    // A page on a full device: no success line.
    if (!kHasFullDevice) GTEST_SKIP() << "the rest needs /dev/full, a device that is always full";
    WriteFileBytes(dir / "logs" / "games.log", kOneMatch);
    std::filesystem::create_symlink("/dev/full", dir / "logs" / "players.htm");
    EXPECT_EQ(Run({"--config", Config(), "--logs", Logs()}), 1);
    EXPECT_EQ(cli.err.str(), "mctfcli: " + Logs() + ": ERROR Cannot write HTML File!\n");
    EXPECT_EQ(out.str(), "");
}

TEST_F(StatsCommandTest, PageThatCannotBeCreatedStillFailsWithAMessage) {
    WriteFileBytes(dir / "logs" / "games.log", kOneMatch);
    std::filesystem::create_directory(dir / "logs" / "clans.htm");
    EXPECT_EQ(Run({"--config", Config(), "--logs", Logs()}), 1);
    EXPECT_EQ(cli.err.str(), "mctfcli: " + Logs() + ": ERROR Cannot create HTML File!\n");
    EXPECT_EQ(out.str(), "");
}

TEST_F(StatsCommandTest, BadUsage) {
    EXPECT_EQ(Run({"--config", Config(), "--verbose"}), 2);
    // Not there: said before any search (no length limit now that --logs is not stored).
    EXPECT_EQ(Run({"--config", Config(), "--logs", std::string(128, 'x')}), 1);
    EXPECT_EQ(cli.err.str(), "mctfcli: " + std::string(128, 'x') + ": no such folder\n");
    EXPECT_EQ(Run({"--logs"}), 2);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace mctf::testing
