#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <sstream>
#include <thread>

#include "cli/ByteProgress.h"
#include "core/FolderLock.h"
#include "core/SettingsStore.h"
#include "report/StatsDocument.h"
#include "tests/cli/CliHarness.h"
#include "tests/core/FaultyFiles.h"
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

    // A page on a full disk: no success line.
    WriteFileBytes(dir / "logs" / "games.log", kOneMatch);
    FaultyFiles disk;
    disk.LimitWrites(100, "players.htm");
    cli.context.files = &disk;
    EXPECT_EQ(Run({"--config", Config(), "--logs", Logs()}), 1);
    EXPECT_EQ(cli.err.str(), "mctfcli: " + Logs() + ": ERROR Cannot write HTML File!\n");
    EXPECT_EQ(out.str(), "");
}

TEST_F(StatsCommandTest, ALogWithoutAMatchIsNamedAndARunWithoutAnyFails) {
    const std::string a = (dir / "logs" / "a.log").string(), json = (dir / "run.json").string();
    WriteFileBytes(a, "Kill: 0 1 10: a console capture, not the game's log\n");
    const std::string warning = "mctfcli: warning: no match found in " + a + "\n";
    EXPECT_EQ(Run({"--config", Config(), "--logs", Logs(), "--json", json}), 1);
    const char* const none =
        "mctfcli: no match found in any log file; the pages were written without players\n";
    EXPECT_EQ(cli.err.str(), none + warning);
    EXPECT_NE(ReadFileBytes(json).find(R"("matches":0}])"), std::string::npos);
    WriteFileBytes(dir / "logs" / "b.log", kOneMatch);  // one log of two holds a match
    EXPECT_EQ(Run({"--config", Config(), "--logs", Logs()}), 0);
    EXPECT_EQ(cli.err.str(), warning);
}

TEST_F(StatsCommandTest, PageThatCannotBeCreatedFailsWithTheMessageAndWhy) {
    if (!kHasNamedPipes) GTEST_SKIP() << "the reasons are those of POSIX systems";
    WriteFileBytes(dir / "logs" / "games.log", kOneMatch);
    std::filesystem::create_directory(dir / "logs" / "clans.htm");
    WriteFileBytes(dir / "plain", "");
    FaultyFiles disk;  // refuses the pages of web/
    disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, "web");
    cli.context.files = &disk;
    const std::pair<const char*, std::string> cases[] = {
        {"logs/clans.htm", SystemReason(EISDIR)},
        {"web/pstats.htm", SystemReason(EACCES)},
        {"plain/pstats.htm", SystemReason(ENOTDIR)}};
    for (const auto& [name, reason] : cases) {
        const std::filesystem::path page = dir / name;
        EXPECT_EQ(
            Run({"--config", Config(), "--logs", Logs(), "--out", page.parent_path().string()}), 1);
        const std::string named = "mctfcli: " + page.string() + ": ";
        EXPECT_EQ(cli.err.str(),
                  named + "ERROR Cannot create HTML File!\n" + named + reason + "\n");
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(StatsCommandTest, ASecondRunIntoTheSameFolderWaitsForTheFirst) {
    WriteFileBytes(dir / "logs" / "games.log", kOneMatch);
    WriteFileBytes(dir / "logs" / "pstats.htm", "old");
    std::future<int> second;
    {
        FolderLock first(Logs(), {});
        second = std::async(std::launch::async, [&] {
            return Run({"--config", Config(), "--logs", Logs()});
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        EXPECT_EQ(ReadFileBytes(dir / "logs" / "pstats.htm"), "old");  // as the first lets go
    }
    EXPECT_EQ(second.get(), 0);
    EXPECT_EQ(cli.err.str(),
              "mctfcli: waiting for another statistics run writing " + Logs() + "\n");
}

TEST_F(StatsCommandTest, JsonGoesToItsFileOrAloneToStandardOutput) {
    WriteFileBytes(dir / "logs" / "games.log", kOneMatch);
    std::filesystem::create_directory(dir / "folder.json");
    const std::string file = (dir / "stats.json").string(), folder = (dir / "folder.json").string();
    const std::string document = "{\"$schema\":\"" + std::string(kStatsSchemaId) + "\",";
    struct Case {
        Args args;
        int status;
        std::string out;  // "{": the document alone
        std::string err;
        bool pages;
    } const cases[] = {
        {{"--json", file}, 0, "pstats.htm written\n" + file + " written\n", "", true},
        {{"--json", "-"}, 0, "{", "pstats.htm written\n", true},
        {{"--json", file, "--no-pages", "--out", (dir / "web").string()},
         0,
         file + " written\n",
         "",
         false},
        {{"--json", folder},
         1,
         "pstats.htm written\n",
         "mctfcli: " + folder + ": cannot be written; the file is as it was\n",
         true},
        {{"--no-pages"}, 2, "", "mctfcli: stats: --no-pages needs --json FILE\n", false},
        {{"--json", "-q"}, 2, "", "mctfcli: stats: option --json needs a value\n", false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir / "logs" / "pstats.htm");
        std::filesystem::remove(file);
        Args args = {"--config", Config(), "--logs", Logs()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(Run(args), c.status) << c.args[0];
        if (c.out == "{") {
            const std::string text = out.str();
            EXPECT_EQ(text.rfind(document, 0), 0u) << text;
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        } else {
            EXPECT_EQ(out.str(), c.out) << c.args[0];
            EXPECT_EQ(std::filesystem::exists(file), c.status == 0) << c.args[0];
        }
        // A usage error goes on with the usage.
        EXPECT_EQ(c.status == 2 ? cli.err.str().substr(0, c.err.size()) : cli.err.str(), c.err);
        EXPECT_EQ(std::filesystem::exists(dir / "logs" / "pstats.htm"), c.pages) << c.args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "web"));  // no pages, no pages folder
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
