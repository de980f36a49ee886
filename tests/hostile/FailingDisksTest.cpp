// Disks that fail: a full disk, a write cut short after every possible byte
// count, a folder in the way, any one call failing, files that are there but
// cannot be read. Nothing may pass for a success, and the settings, map
// lists and server files are either as they were or complete and new.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <vector>

#include "core/ServerFiles.h"
#include "jobs/AnalyzeLogs.h"
#include "tests/cli/CliHarness.h"
#include "tests/core/GameFolder.h"
#include "tests/hostile/FileFaults.h"

namespace mctf::testing {
namespace {

namespace fs = std::filesystem;

TEST(FailingDisks, SettingsSaveCutShortKeepsTheOldFileAndList) {
    GameFolder game;
    SetFixedText(game.store.settings.hostname, "Old host");
    game.SetMaps({"q3ctf4"});
    SaveSettings(game.store);
    const std::string oldConfig = ReadFileBytes(game.Config());
    const std::string oldList = ReadFileBytes(game.Morvane("mctf.map"));
    ASSERT_EQ(ReadTextFile(game.Morvane("mctf.map")), "q3ctf4\n");

    SetFixedText(game.store.settings.hostname, "New host");
    game.SetMaps({"q3ctf1", "q3ctf2"});
    for (std::size_t limit = 0; limit <= sizeof(ServerSettings); ++limit) {
        FaultyFiles disk;
        disk.LimitWrites(limit);
        game.store.files = &disk;
        game.store.saveFailed = false;
        const bool saved = SaveSettings(game.store) == SaveResult::Saved;
        if (limit == sizeof(ServerSettings)) {
            EXPECT_TRUE(saved);
            EXPECT_FALSE(game.store.saveFailed);
            break;
        }
        ASSERT_FALSE(saved) << "limit " << limit;
        ASSERT_TRUE(game.store.saveFailed) << "limit " << limit;
        ASSERT_EQ(ReadFileBytes(game.Config()), oldConfig) << "limit " << limit;
        ASSERT_EQ(ReadFileBytes(game.Morvane("mctf.map")), oldList) << "limit " << limit;
        ASSERT_EQ(TemporaryFiles(game.dir.path()), 0) << "limit " << limit;
    }
    EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(game.store.settings));
    EXPECT_EQ(ReadTextFile(game.Morvane("mctf.map")), "q3ctf1\nq3ctf2\n");
}

TEST(FailingDisks, SettingsSaveThatCannotFinishKeepsWhatIsThere) {
    struct Case {
        const char* what;
        void (*arrange)(const GameFolder& game);
        bool configIsFolder;
    };
    const Case cases[] = {
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
        EXPECT_EQ(ReadTextFile(game.Morvane("mctf.map")), "q3ctf4\n") << c.what;
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
        FaultyFiles disk;
        disk.LimitWrites(limit);
        game.store.files = &disk;
        EXPECT_EQ(SaveMapList(game.store), limit == newSize) << "limit " << limit;
        EXPECT_EQ(ReadTextFile(game.Morvane("mctf.map")),
                  limit < newSize ? "q3dm1\nq3dm7\n" : "q3dm17\nq3tourney2\nq3ctf4\n")
            << "limit " << limit;
    }
    EXPECT_EQ(TemporaryFiles(game.dir.path()), 0);
}

TEST(FailingDisks, ServerFilesCutShortAreReportedAndKeepTheOldFiles) {
    GameFolder game;
    const ServerSettings oldSettings = game.store.settings;
    ServerSettings newSettings = oldSettings;
    SetFixedText(newSettings.hostname, "A longer host name than before");
    newSettings.serverType = 1;
    // In the order they are written; a failing one stops the ones after it.
    struct ServerFile {
        fs::path path;
        ServerFilesStatus cutShort;
        std::size_t size;
        std::string oldBytes;
        std::string newBytes;
    };
    std::vector<ServerFile> files = {
        {game.dir / "morvane.bat", ServerFilesStatus::CannotWriteLaunchFile, 0, {}, {}}};
    if (kWritesShellLauncher)
        files.push_back(
            {game.dir / "morvane.sh", ServerFilesStatus::CannotWriteShellLauncher, 0, {}, {}});
    files.push_back({game.Morvane("morvane.cfg"), ServerFilesStatus::CannotWriteScript, 0, {}, {}});

    FaultyFiles counting;
    game.store.files = &counting;
    game.store.settings = newSettings;
    ASSERT_TRUE(WriteServerFiles(game.store).Written());
    for (ServerFile& file : files) {
        file.newBytes = ReadFileBytes(file.path);
        file.size = counting.BytesWritten(file.path.filename().string());
    }
    game.store.settings = oldSettings;
    ASSERT_TRUE(WriteServerFiles(game.store).Written());
    for (ServerFile& file : files) {
        file.oldBytes = ReadFileBytes(file.path);
        ASSERT_NE(file.oldBytes, file.newBytes) << file.path;
    }

    game.store.settings = newSettings;
    // Each file takes `limit` bytes (counted before any CR LF conversion).
    for (std::size_t limit = 0;; ++limit) {
        std::size_t failing = 0;
        while (failing < files.size() && files[failing].size <= limit) ++failing;
        FaultyFiles disk;
        disk.LimitWrites(limit);
        game.store.files = &disk;
        const ServerFilesStatus status = WriteServerFiles(game.store).status;
        if (failing == files.size()) {
            ASSERT_EQ(status, ServerFilesStatus::Written) << "limit " << limit;
            break;
        }
        ASSERT_EQ(status, files[failing].cutShort) << "limit " << limit;
        for (std::size_t i = 0; i < files.size(); ++i) {
            ASSERT_EQ(ReadFileBytes(files[i].path),
                      i < failing ? files[i].newBytes : files[i].oldBytes)
                << "limit " << limit << ", " << files[i].path;
            // The next limit starts from the old files again.
            WriteFileBytes(files[i].path, files[i].oldBytes);
        }
        ASSERT_EQ(TemporaryFiles(game.dir.path()), 0) << "limit " << limit;
    }
    for (const ServerFile& file : files) EXPECT_EQ(ReadFileBytes(file.path), file.newBytes);
}

TEST(FailingDisks, ServerFilesThatCannotBeCreatedSaySo) {
    struct Case {
        const char* what;
        void (*arrange)(GameFolder& game, FaultyFiles& disk);
        ServerFilesStatus status;
        bool batIsNew;
    };
    const Case cases[] = {
        {"a file in place of the game folder",
         [](GameFolder& game, FaultyFiles&) {
             WriteFileBytes(game.dir / "plain", "");
             SetFixedText(game.store.settings.quakePath, (game.dir / "plain" / "quake3").string());
         },
         ServerFilesStatus::CannotCreateLaunchFile, false},
        {"a folder in place of morvane.bat",
         [](GameFolder& game, FaultyFiles&) { fs::create_directory(game.dir / "morvane.bat"); },
         ServerFilesStatus::CannotCreateLaunchFile, false},
        {"no permission in the game folder",
         [](GameFolder&, FaultyFiles& disk) {
             disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, "morvane.bat");
         },
         ServerFilesStatus::CannotCreateLaunchFile, false},
        {"a folder in place of morvane.cfg",
         [](GameFolder& game, FaultyFiles&) { fs::create_directory(game.Morvane("morvane.cfg")); },
         ServerFilesStatus::CannotCreateScript, true},
        {"no morvane folder",
         [](GameFolder& game, FaultyFiles&) { fs::remove_all(game.dir / "morvane"); },
         ServerFilesStatus::CannotCreateScript, true},
    };
    for (const Case& c : cases) {
        GameFolder game;
        FaultyFiles disk;
        game.store.files = &disk;
        c.arrange(game, disk);
        const ServerFilesOutcome outcome = WriteServerFiles(game.store);
        EXPECT_EQ(outcome.status, c.status) << c.what;
        EXPECT_EQ(fs::path(outcome.path).filename(), c.batIsNew ? "morvane.cfg" : "morvane.bat")
            << c.what;
        EXPECT_EQ(fs::is_regular_file(game.dir / "morvane.bat"), c.batIsNew) << c.what;
        EXPECT_EQ(TemporaryFiles(game.dir.path()), 0) << c.what;
    }

    // The map list has nowhere to go, silently; config.dmc is still saved.
    GameFolder game;
    SetFixedText(game.store.settings.quakePath, (game.dir / "missing").string());
    game.SetMaps({"q3ctf1"});
    SaveSettings(game.store);
    EXPECT_FALSE(game.store.saveFailed);
    EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(game.store.settings));
}

void Restore(const fs::path& folder, const FileBytes& files) {
    for (const auto& [name, bytes] : Snapshot(folder))
        if (files.count(name) == 0) fs::remove(folder / name);
    for (const auto& [name, bytes] : files) WriteFileBytes(folder / name, bytes);
}

// A game folder holding settings of Morvane CTF, its map list and older
// server files, all different from what a command writes.
void OldFiles(GameFolder& game) {
    SetFixedText(game.store.settings.hostname, "Old host");
    game.SetMaps({"q3ctf1", "q3ctf2", "q3ctf4"});
    SaveSettings(game.store);
    WriteFileBytes(game.dir / "morvane.bat", "old bat");
    WriteFileBytes(game.Morvane("morvane.cfg"), "old cfg");
}

// The mctfcli commands that change files, each run with --config on a game
// folder made by OldFiles.
const Args kFileCommands[] = {
    {"server-files"},
    {"settings", "set", "hostname=New host"},
    {"maplist", "add", "q3ctf7"},
};

Args WithConfig(Args args, const GameFolder& game) {
    args.insert(args.end(), {"--config", game.Config().string()});
    return args;
}

TEST(FailingDisks, CommandsWithOneCallFailingLeaveEveryFileOldOrNew) {
    for (const Args& command : kFileCommands) {
        GameFolder game;
        OldFiles(game);
        const Args args = WithConfig(command, game);
        const FileBytes before = Snapshot(game.dir.path());
        CliHarness cli;
        ASSERT_EQ(cli.Run(args), 0) << command[0] << cli.err.str();
        const FileBytes after = Snapshot(game.dir.path());
        ASSERT_NE(after, before) << command[0];

        for (FaultyFiles::Call call : FaultyFiles::kCalls) {
            for (int nth = 1;; ++nth) {
                Restore(game.dir.path(), before);
                FaultyFiles disk;
                disk.FailCall(call, nth);
                cli.context.files = &disk;
                const int status = cli.Run(args);
                const FileBytes now = Snapshot(game.dir.path());
                const std::string what = command[0] + " " + command.back() + ", " +
                                         FaultyFiles::Name(call) + " " + std::to_string(nth);
                for (const auto& [name, bytes] : now) {
                    const auto old = before.find(name), renewed = after.find(name);
                    EXPECT_TRUE((old != before.end() && old->second == bytes) ||
                                (renewed != after.end() && renewed->second == bytes))
                        << what << ": " << name << " is neither old nor new";
                }
                for (const auto& [name, bytes] : before)
                    EXPECT_EQ(now.count(name), 1u) << what << ": " << name << " is gone";
                EXPECT_TRUE(status == 0 || status == 1) << what;
                // A file rewritten with the bytes it had may fail unseen.
                if (status == 0) {
                    EXPECT_EQ(now, after) << what;
                }
                if (!disk.failed()) break;
            }
        }
    }
}

TEST(FailingDisks, UnreadableSettingsOrMapListStopTheCommandsBeforeAnyWrite) {
    struct Case {
        const char* what;
        const char* file;
        void (*arrange)(FaultyFiles& disk, const char* file);
        int error;
    };
    const Case cases[] = {
        {"config.dmc refused", "config.dmc",
         [](FaultyFiles& disk, const char* file) {
             disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, file);
         },
         EACCES},
        {"config.dmc failing part-way", "config.dmc",
         [](FaultyFiles& disk, const char* file) { disk.LimitReads(100, file); }, EIO},
        {"map list refused", "mctf.map",
         [](FaultyFiles& disk, const char* file) {
             disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, file);
         },
         EACCES},
        {"map list failing part-way", "mctf.map",
         [](FaultyFiles& disk, const char* file) { disk.LimitReads(9, file); }, EIO},
    };
    for (const Case& c : cases) {
        GameFolder game;
        OldFiles(game);
        const FileBytes before = Snapshot(game.dir.path());
        FaultyFiles disk;
        c.arrange(disk, c.file);
        const std::string path =
            (std::string(c.file) == "config.dmc" ? game.Config() : game.Morvane(c.file)).string();
        for (const Args& command : kFileCommands) {
            CliHarness cli;
            cli.context.files = &disk;
            EXPECT_EQ(cli.Run(WithConfig(command, game)), 1) << c.what << ", " << command[0];
            EXPECT_EQ(Snapshot(game.dir.path()), before) << c.what << ", " << command[0];
            EXPECT_EQ(cli.err.str(),
                      "mctfcli: " + path + ": cannot read: " + SystemReason(c.error) + "\n")
                << c.what << ", " << command[0];
            EXPECT_TRUE(cli.desktop.messages.empty()) << c.what << ", " << command[0];
            disk = FaultyFiles();
            c.arrange(disk, c.file);
        }
    }
}

TEST(FailingDisks, UnreadableClanListAndLogsAreSkippedAndNamedByMctfcli) {
    struct Case {
        const char* what;
        void (*arrange)(FaultyFiles& disk);
        const char* warning;  // after the path
        int error;
    };
    const Case cases[] = {
        {"clan list refused",
         [](FaultyFiles& disk) { disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, "clanlist"); },
         ", the pages name no clans from it", EACCES},
        // The first entry is whole before the failure, and still names no clan.
        {"clan list failing part-way", [](FaultyFiles& disk) { disk.LimitReads(22, "clanlist"); },
         ", the pages name no clans from it", EIO},
        {"log refused",
         [](FaultyFiles& disk) { disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, "b.log"); },
         ", skipped", EACCES},
    };
    for (const Case& c : cases) {
        GameFolder game;
        fs::create_directory(game.dir / "logs");
        const std::string clanList = "AB Alpha none none\nCD Gamma none none\n";
        WriteFileBytes(game.Morvane("clanlist.txt"), clanList);
        const std::string match =
            "  0:00 InitGame: \\sv_hostname\\Test\n"
            "  0:00 ClientUserinfoChanged: 0 n\\[AB]Ann\\t\\0\n"
            "  0:00 ClientBegin: 0\n"
            "  5:00 Exit: Timelimit hit.\n";
        WriteFileBytes(game.dir / "logs" / "a.log", match);
        WriteFileBytes(game.dir / "logs" / "b.log",
                       "  0:00 InitGame: \\sv_hostname\\Test\n"
                       "  0:00 ClientUserinfoChanged: 1 n\\[CD]Bob\\t\\0\n"
                       "  0:00 ClientBegin: 1\n"
                       "  5:00 Exit: Timelimit hit.\n");
        SetFixedText(game.store.settings.statsDir, (game.dir / "logs").string());
        SaveSettings(game.store);
        FaultyFiles disk;
        c.arrange(disk);
        CliHarness cli;
        cli.context.files = &disk;
        EXPECT_EQ(cli.Run({"stats", "--config", game.Config().string()}), 0) << c.what;
        EXPECT_EQ(cli.out.str(), "pstats.htm written\n") << c.what;
        const bool logSkipped = std::string(c.warning) == ", skipped";
        const fs::path file =
            logSkipped ? game.dir / "logs" / "b.log" : game.Morvane("clanlist.txt");
        EXPECT_EQ(cli.err.str(), std::string("mctfcli: warning: cannot ") +
                                     (logSkipped ? "open " : "read ") + file.string() + c.warning +
                                     " (" + SystemReason(c.error) + ")\n")
            << c.what;
        EXPECT_EQ(ReadFileBytes(game.Morvane("clanlist.txt")), clanList) << c.what;
        const std::string clans = ReadFileBytes(game.dir / "logs" / "clans.htm");
        EXPECT_EQ(clans.find("Alpha") != std::string::npos, logSkipped) << c.what;
        EXPECT_EQ(ReadFileBytes(game.dir / "logs" / "players.htm").find("Bob") != std::string::npos,
                  !logSkipped)
            << c.what;

        // The window's run says nothing of a skipped log.
        RecordingDesktop window;
        ReportEnvironment env;
        auto tables = std::make_unique<StatsTables>();
        FaultyFiles again;
        c.arrange(again);
        env.files = &again;
        const StatsRunOutcome outcome = AnalyzeLogs(*tables, game.store.settings, window, env);
        ASSERT_TRUE(outcome.Written()) << c.what;
        EXPECT_EQ(outcome.unread.logs.size(), logSkipped ? 1u : 0u) << c.what;
        EXPECT_EQ(outcome.unread.clanList.Unreadable(), !logSkipped) << c.what;
    }
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

    // 1: a write failed, 12: written, 3: the front page could not be
    // created, 0: a later page could not.
    int Run(FileSystem& files = SystemFiles()) {
        RecordingDesktop desktop;
        auto tables = std::make_unique<StatsTables>();
        env.files = &files;
        switch (AnalyzeLogs(*tables, settings, desktop, env).status) {
        case StatsRunStatus::CannotWritePage:
            return 1;
        case StatsRunStatus::Written:
            return 12;
        case StatsRunStatus::CannotCreateFrontPage:
            return 3;
        default:
            return 0;
        }
    }

    TempDir logs;
    TempDir game;
    ServerSettings settings = DefaultSettings;
    ReportEnvironment env;
};

TEST_F(FailingReportTest, PagesCutShortAreNeverReportedAsWritten) {
    FaultyFiles counting;
    ASSERT_EQ(Run(counting), 12);
    const std::size_t largest = counting.BytesWritten();
    ASSERT_GT(largest, 4096u);  // past one buffer of the page stream

    // Every limit up to 100 bytes, then every 97th, then both sides of the
    // stream's first buffer and of the end.
    std::vector<std::size_t> limits;
    for (std::size_t limit = 0; limit < largest; limit += limit < 100 ? 1 : 97)
        limits.push_back(limit);
    for (std::size_t limit : {4095u, 4096u, 4097u}) limits.push_back(limit);
    for (std::size_t limit : {largest - 1, largest}) limits.push_back(limit);
    for (std::size_t limit : limits) {
        FaultyFiles disk;
        disk.LimitWrites(limit);
        EXPECT_EQ(Run(disk), limit < largest ? 1 : 12) << "limit " << limit;
        EXPECT_EQ(TemporaryFiles(logs.path()), 0) << "limit " << limit;
    }
}

// A web server that opened a page before the run (here: a second name of it)
// reads the old page to its end.
TEST_F(FailingReportTest, PagesAreReplacedWholeNotRewrittenInPlace) {
    const char* pages[] = {"pstats.htm", "rockets.htm", "railers.htm", "players.htm", "clans.htm"};
    for (const char* name : pages) {
        WriteFileBytes(logs / name, "old");
        fs::create_hard_link(logs / name, game / name);
    }
    ASSERT_EQ(Run(), 12);
    for (const char* name : pages) EXPECT_EQ(ReadFileBytes(game / name), "old") << name;
}

TEST_F(FailingReportTest, FolderFaults) {
    struct Case {
        const char* what;
        void (*arrange)(const fs::path& logs, ServerSettings& settings);
        int expected;
    };
    const Case cases[] = {
#ifndef _WIN32
        {"device in place of railers.htm (never written over)",
         [](const fs::path& logs, ServerSettings&) {
             fs::create_symlink("/dev/full", logs / "railers.htm");
         },
         0},
#endif
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
