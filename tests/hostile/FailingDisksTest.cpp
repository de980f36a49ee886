// Writes that fail: a full disk, a write cut short after every possible byte
// count, a folder in the way. Nothing may pass for a success, and the
// settings, map lists and server files keep their old contents.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/ServerFiles.h"
#include "jobs/AnalyzeLogs.h"
#include "tests/core/GameFolder.h"
#include "tests/hostile/FileFaults.h"

namespace mctf::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ExitedWithCode;

std::string Bytes(const ServerSettings& s) {
    return std::string(reinterpret_cast<const char*>(&s), sizeof s);
}

TEST(FailingDisks, SettingsSaveCutShortKeepsTheOldFileAndList) {
    GameFolder game;
    SetFixedText(game.store.settings.hostname, "Old host");
    game.SetMaps({"q3ctf4"});
    SaveSettings(game.store);
    const std::string oldConfig = ReadFileBytes(game.Config());
    const std::string oldList = ReadFileBytes(game.Morvane("mctf.map"));
    ASSERT_EQ(oldList, "q3ctf4\n");

    SetFixedText(game.store.settings.hostname, "New host");
    game.SetMaps({"q3ctf1", "q3ctf2"});
    for (std::size_t limit = 0; limit < sizeof(ServerSettings); limit += 7) {
        EXPECT_EXIT(
            {
                LimitFileSize(limit);
                SaveSettings(game.store);
                EndChild(game.store.saveFailed ? 1 : 0);
            },
            ExitedWithCode(1), "")
            << "limit " << limit;
        ASSERT_EQ(ReadFileBytes(game.Config()), oldConfig) << "limit " << limit;
        ASSERT_EQ(ReadFileBytes(game.Morvane("mctf.map")), oldList) << "limit " << limit;
        ASSERT_EQ(TemporaryFiles(game.dir.path()), 0) << "limit " << limit;
    }
    EXPECT_EXIT(
        {
            LimitFileSize(sizeof(ServerSettings));
            SaveSettings(game.store);
            EndChild(game.store.saveFailed ? 1 : 0);
        },
        ExitedWithCode(0), "");
    EXPECT_EQ(ReadFileBytes(game.Config()), Bytes(game.store.settings));
    EXPECT_EQ(ReadFileBytes(game.Morvane("mctf.map")), "q3ctf1\nq3ctf2\n");
}

TEST(FailingDisks, SettingsSaveThatCannotFinishKeepsWhatIsThere) {
    struct Case {
        const char* what;
        void (*arrange)(const GameFolder& game);
        bool configIsFolder;
    };
    const Case cases[] = {
        {"disk full",
         [](const GameFolder& game) { fs::create_symlink("/dev/full", game.dir / "config.dmc.tmp"); },
         false},
        {"folder named config.dmc",
         [](const GameFolder& game) {
             fs::remove(game.Config());
             fs::create_directory(game.Config());
         },
         true},
    };
    for (const Case& c : cases) {
        GameFolder game;
        game.SetMaps({"q3ctf4"});
        SaveSettings(game.store);
        const std::string oldConfig = ReadFileBytes(game.Config());
        c.arrange(game);
        game.SetMaps({"q3ctf1"});
        SaveSettings(game.store);
        EXPECT_TRUE(game.store.saveFailed) << c.what;
        if (c.configIsFolder) {
            EXPECT_TRUE(fs::is_directory(game.Config())) << c.what;
        } else {
            EXPECT_EQ(ReadFileBytes(game.Config()), oldConfig) << c.what;
        }
        EXPECT_EQ(ReadFileBytes(game.Morvane("mctf.map")), "q3ctf4\n") << c.what;
        EXPECT_FALSE(fs::is_symlink(game.dir / "config.dmc.tmp")) << c.what;
        EXPECT_EQ(TemporaryFiles(game.dir.path()), 0) << c.what;
    }
}

TEST(FailingDisks, MapListCutShortKeepsTheOldList) {
    GameFolder game;
    game.SetMaps({"q3dm1", "q3dm7"});
    SaveMapList(game.store);
    game.SetMaps({"q3dm17", "q3tourney2", "q3ctf4"});
    const std::size_t newSize = std::strlen("q3dm17\nq3tourney2\nq3ctf4\n");
    for (std::size_t limit = 0; limit <= newSize; ++limit) {
        EXPECT_EXIT(
            {
                LimitFileSize(limit);
                SaveMapList(game.store);
                EndChild(0);
            },
            ExitedWithCode(0), "");
        EXPECT_EQ(ReadFileBytes(game.Morvane("mctf.map")),
                  limit < newSize ? "q3dm1\nq3dm7\n" : "q3dm17\nq3tourney2\nq3ctf4\n")
            << "limit " << limit;
    }
    EXPECT_EQ(TemporaryFiles(game.dir.path()), 0);
}

TEST(FailingDisks, ServerFilesCutShortAreReportedAndKeepTheOldFiles) {
    GameFolder game;
    RecordingDesktop desktop;
    const ServerSettings oldSettings = game.store.settings;
    ServerSettings newSettings = oldSettings;
    SetFixedText(newSettings.hostname, "A longer host name than before");
    newSettings.serverType = 1;
    const fs::path bat = game.dir / "morvane.bat";
    const fs::path cfg = game.Morvane("morvane.cfg");

    game.store.settings = newSettings;
    ASSERT_TRUE(WriteServerFiles(game.store, desktop));
    const std::string newBat = ReadFileBytes(bat), newCfg = ReadFileBytes(cfg);
    game.store.settings = oldSettings;
    ASSERT_TRUE(WriteServerFiles(game.store, desktop));
    const std::string oldBat = ReadFileBytes(bat), oldCfg = ReadFileBytes(cfg);
    ASSERT_NE(oldBat, newBat);
    ASSERT_NE(oldCfg, newCfg);

    // 1: the launch file failed (and the script was left alone), 2: the script.
    game.store.settings = newSettings;
    // Every limit inside the launch file and its first script bytes, then
    // every 7th (each child costs a few milliseconds).
    for (std::size_t limit = 0; limit <= newCfg.size();
         limit = limit < newBat.size() + 16 || limit + 7 > newCfg.size() ? limit + 1 : limit + 7) {
        int expected = limit < newBat.size() ? 1 : limit < newCfg.size() ? 2 : 0;
        EXPECT_EXIT(
            {
                LimitFileSize(limit);
                RecordingDesktop child;
                bool written = WriteServerFiles(game.store, child);
                int code = MessageCode(child, {kCannotWriteBatMessage, kCannotWriteScriptMessage});
                EndChild(written == (code == 0) ? code : 91);
            },
            ExitedWithCode(expected), "")
            << "limit " << limit;
        if (expected == 0) break;
        ASSERT_EQ(ReadFileBytes(bat), expected == 1 ? oldBat : newBat) << "limit " << limit;
        ASSERT_EQ(ReadFileBytes(cfg), oldCfg) << "limit " << limit;
        ASSERT_EQ(TemporaryFiles(game.dir.path()), 0) << "limit " << limit;
        // The next limit starts from the old files again.
        fs::remove(bat);
        WriteFileBytes(bat, oldBat);
    }
    EXPECT_EQ(ReadFileBytes(cfg), newCfg);
}

TEST(FailingDisks, GameFolderInTheWayStopsTheServerFilesButNotTheSettings) {
    GameFolder game;
    WriteFileBytes(game.dir / "plain", "");
    SetFixedText(game.store.settings.quakePath, (game.dir / "plain" / "quake3").string());
    RecordingDesktop desktop;
    EXPECT_FALSE(WriteServerFiles(game.store, desktop));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, kCannotCreateBatMessage);

    // The map list has nowhere to go, silently; config.dmc is still saved.
    game.SetMaps({"q3ctf1"});
    SaveSettings(game.store);
    EXPECT_FALSE(game.store.saveFailed);
    EXPECT_EQ(ReadFileBytes(game.Config()), Bytes(game.store.settings));
}

// A statistics run over one small log, with a fixed clock and draw so that
// every run writes the same bytes.
class FailingReportTest : public ::testing::Test {
protected:
    FailingReportTest() {
        std::strcpy(settings.quakePath, game.str().c_str());
        std::strcpy(settings.statsDir, logs.str().c_str());
        env.now = [] { return std::time_t{1700000000}; };
        env.startDraw = [] { return [](int) { return 0; }; };
        WriteFileBytes(logs / "games.log",
                       "  0:00 InitGame: \\sv_hostname\\Test\n"
                       "  0:01 ClientUserinfoChanged: 0 n\\[AB]Ann\\t\\0\n"
                       "  0:01 ClientBegin: 0\n"
                       "  0:02 ClientUserinfoChanged: 1 n\\[AB]Bob\\t\\0\n"
                       "  0:02 ClientBegin: 1\n"
                       "  0:30 Kill: 0 1 10: Ann killed Bob by MOD_RAILGUN\n"
                       "  0:40 Kill: 1 0 7: Bob killed Ann by MOD_ROCKET_SPLASH\n"
                       "  5:01 Exit: Fraglimit hit.\n");
    }

    // 1: the write failure was reported, 2: "pstats.htm written", 3: the
    // front page could not be created; +10 when the run said it succeeded.
    int Run() {
        RecordingDesktop desktop;
        auto tables = std::make_unique<StatsTables>();
        bool written = AnalyzeLogs(*tables, settings, desktop, env);
        return (written ? 10 : 0) +
               MessageCode(desktop, {"ERROR Cannot write HTML File!", "pstats.htm written",
                                     "ERROR Cannot create HTML File!"});
    }

    TempDir logs;
    TempDir game;
    ServerSettings settings = DefaultSettings;
    ReportEnvironment env;
};

TEST_F(FailingReportTest, PagesCutShortAreNeverReportedAsWritten) {
    ASSERT_EQ(Run(), 12);
    std::size_t largest = 0;
    for (const char* page : {"pstats.htm", "rockets.htm", "railers.htm", "players.htm", "clans.htm"})
        largest = std::max<std::size_t>(largest, fs::file_size(logs / page));
    ASSERT_GT(largest, 4096u);  // past one buffer of the page stream

    // Every limit up to 100 bytes, then every 97th, then both sides of the
    // stream's first buffer and of the end.
    std::vector<std::size_t> limits;
    for (std::size_t limit = 0; limit < largest; limit += limit < 100 ? 1 : 97) limits.push_back(limit);
    for (std::size_t limit : {4095u, 4096u, 4097u}) limits.push_back(limit);
    for (std::size_t limit : limits) {
        EXPECT_EXIT({ LimitFileSize(limit); EndChild(Run()); }, ExitedWithCode(1), "")
            << "limit " << limit;
    }
    for (std::size_t limit : {largest - 1, largest}) {
        EXPECT_EXIT({ LimitFileSize(limit); EndChild(Run()); },
                    ExitedWithCode(limit < largest ? 1 : 12), "")
            << "limit " << limit;
    }
}

TEST_F(FailingReportTest, FolderFaults) {
    struct Case {
        const char* what;
        void (*arrange)(const fs::path& logs, ServerSettings& settings);
        int expected;
    };
    const Case cases[] = {
        {"disk full",
         [](const fs::path& logs, ServerSettings&) {
             fs::create_symlink("/dev/full", logs / "railers.htm");
         },
         1},
        {"folder in place of pstats.htm",
         [](const fs::path& logs, ServerSettings&) { fs::create_directory(logs / "pstats.htm"); },
         3},
        {"statsDir ending in a separator",
         [](const fs::path& logs, ServerSettings& settings) {
             std::strcpy(settings.statsDir, (logs.string() + "/").c_str());
         },
         12},
    };
    for (const Case& c : cases) {
        fs::remove_all(logs / "pstats.htm");
        fs::remove_all(logs / "railers.htm");
        std::strcpy(settings.statsDir, logs.str().c_str());
        c.arrange(logs.path(), settings);
        EXPECT_EQ(Run(), c.expected) << c.what;
    }
    EXPECT_TRUE(fs::is_regular_file(logs / "clans.htm"));
}

}  // namespace
}  // namespace mctf::testing
