#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>

#include "jobs/AnalyzeLogs.h"
#include "tests/core/FaultyFiles.h"
#include "tests/support/Platform.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/TempDir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace mctf::testing {
namespace {

// One match of 30 minutes: [AB]Joe (with colour codes) rails Ann twice, Ann
// rockets Joe once and falls to her death once.
const char* const kFirstLog =
    "  0:00 ------------------------------------------------------------\n"
    "  0:00 InitGame: \\sv_hostname\\Test\\g_gametype\\0\n"
    "  0:05 ClientConnect: 2\n"
    "  0:05 ClientUserinfoChanged: 2 n\\^1[AB]^7Joe\\t\\0\\model\\sarge\n"
    "  0:05 ClientBegin: 2\n"
    "  0:05 ClientUserinfoChanged: 3 n\\Ann\\t\\0\\model\\major\n"
    "  0:05 ClientBegin: 3\n"
    "  0:20 Item: 2 weapon_railgun\n"
    "  1:00 Kill: 2 3 10: Joe killed Ann by MOD_RAILGUN\n"
    "  2:00 say: Ann: nice shot\n"
    "  3:00 Kill: 3 2 7: Ann killed Joe by MOD_ROCKET_SPLASH\n"
    "  4:00 Kill: 1022 3 22: <world> killed Ann by MOD_TRIGGER_HURT\n"
    "  5:00 Kill: 2 3 10: Joe killed Ann by MOD_RAILGUN\n"
    " 30:05 Exit: Timelimit hit.\n"
    " 30:05 ShutdownGame:\n";

// A second file with a capital extension: Cy plays 90 seconds without a kill.
const char* const kSecondLog =
    "  0:00 InitGame: \\sv_hostname\\Test\n"
    "  0:10 ClientUserinfoChanged: 4 n\\Cy\\t\\0\n"
    "  0:10 ClientBegin: 4\n"
    "  1:40 ShutdownGame:\n";

class AnalyzeLogsTest : public ::testing::Test {
protected:
    AnalyzeLogsTest() {
        std::strcpy(settings.statsDir, logs.str().c_str());
        std::strcpy(settings.quakePath, game.str().c_str());
    }

    StatsRunStatus Run() {
        return AnalyzeLogs(*tables, settings, desktop, ReportEnvironment{}).status;
    }

    TempDir logs;
    TempDir game;
    ServerSettings settings = DefaultSettings;
    std::unique_ptr<StatsTables> tables = std::make_unique<StatsTables>();
    RecordingDesktop desktop;
};

TEST_F(AnalyzeLogsTest, FolderWithoutLogsWritesNothing) {
    WriteFileBytes(logs / "notes.txt", "  0:00 InitGame:\n");
    tables->playerCount = 7;  // left over from an earlier run
    EXPECT_EQ(Run(), StatsRunStatus::NoLogFiles);
    EXPECT_EQ(desktop.progressOpened, 0);
    EXPECT_FALSE(std::filesystem::exists(logs / "pstats.htm"));
    EXPECT_EQ(tables->playerCount, 0);

    std::strcpy(settings.statsDir, (logs / "missing").string().c_str());
    EXPECT_EQ(Run(), StatsRunStatus::NoLogFiles);
}

TEST_F(AnalyzeLogsTest, LogFolderBecomesLinkedPages) {
    WriteFileBytes(logs / "a.log", kFirstLog);
    WriteFileBytes(logs / "b.LOG", kSecondLog);
    WriteFileBytes(logs / "c.txt", kFirstLog);  // not a log: not read twice
    std::filesystem::create_directories(game / "morvane");
    WriteFileBytes(game / "morvane" / "clanlist.txt", "AB Alpha_Beta http://ab.example none\n");

    EXPECT_EQ(Run(), StatsRunStatus::Written);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(desktop.progressOpened, 1);
    EXPECT_EQ(desktop.progressClosed, 1);
    EXPECT_EQ(desktop.progress, (std::vector<int>{5, 10, 100}));

    // Joe is the only one with positive frags per hour, so he is featured.
    std::string front = ReadTextFile(logs / "pstats.htm");
    EXPECT_NE(front.find("<h2 align=center>Welcome to Hell - "), std::string::npos);
    EXPECT_NE(front.find("Featured Player: <font color=#ffff00>[AB]Joe</font><br>"
                         "Clan Home - <a href=\"http://ab.example\">Alpha_Beta</a><br>"
                         "Favorite Weapon - Railgun<br>Rank - 1<br>FPH - 4.000</h3>"),
              std::string::npos);
    EXPECT_NE(front.find("Hugest Cack: <font color=#ffff00>[AB]Joe 4.000 rails"),
              std::string::npos);
    EXPECT_NE(front.find("Biggest Dumbass: <font color=#ffff00>Ann 2.000 suicides"),
              std::string::npos);

    std::string players = ReadTextFile(logs / "players.htm");
    EXPECT_NE(players.find("3 Players"), std::string::npos);
    std::size_t joe = players.find(">[AB]Joe<"), cy = players.find(">Cy<"),
                ann = players.find(">Ann<");
    ASSERT_NE(ann, std::string::npos);
    EXPECT_LT(joe, cy);  // Cy and Ann tie at 0: the later-added ranks higher
    EXPECT_LT(cy, ann);
    EXPECT_NE(players.find(">0:30:00<"), std::string::npos);
    EXPECT_NE(players.find(">0:01:30<"), std::string::npos);

    std::string clans = ReadTextFile(logs / "clans.htm");
    EXPECT_NE(clans.find("<a href=\"http://ab.example\">Alpha_Beta</a>"), std::string::npos);
    for (const char* page : {"rockets.htm", "railers.htm"}) {
        EXPECT_TRUE(std::filesystem::exists(logs / page)) << page;
    }
}

TEST_F(AnalyzeLogsTest, DocumentWithoutPagesSaysHowFarEachLogWasRead) {
    struct Case {
        void (*arrange)(FaultyFiles& disk, const TempDir& logs);
        const char* read;
        nlohmann::json reason;
        nlohmann::json bytes;
        bool listed = true;  // by the folder: a pipe is only read when named
    } const cases[] = {
        {[](FaultyFiles&, const TempDir&) {}, "complete", nullptr, std::strlen(kSecondLog)},
        {[](FaultyFiles& disk, const TempDir&) {
             disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, "b.log");
         },
         "skipped", SystemReason(EACCES), std::strlen(kSecondLog)},
#ifndef _WIN32
        {[](FaultyFiles&, const TempDir& logs) {
             std::filesystem::remove(logs / "b.log");
             ASSERT_EQ(mkfifo((logs / "b.log").string().c_str(), 0600), 0);
         },
         "skipped", "not a regular file", nullptr, false},
#endif
    };
    for (const Case& c : cases) {
        WriteFileBytes(logs / "a.log", kFirstLog);
        std::filesystem::remove(logs / "b.log");
        WriteFileBytes(logs / "b.log", kSecondLog);
        FaultyFiles disk;
        c.arrange(disk, logs);
        ReportEnvironment env;
        env.files = &disk;
        StatsRunPlaces places;
        places.writePages = false;
        places.json = true;
        // b.log named again after its folder is read once.
        const std::string named = std::filesystem::proximate(logs / "b.log").string();
        places.logs = {logs.str(), named};
        const StatsRunOutcome outcome =
            AnalyzeLogs(*tables, settings, desktop, env, nullptr, places);
        EXPECT_EQ(outcome.status, StatsRunStatus::Written) << c.read;
        const auto expected =
            nlohmann::json::array({{{"path", (logs / "a.log").string()},
                                    {"bytes", std::strlen(kFirstLog)},
                                    {"read", "complete"},
                                    {"reason", nullptr},
                                    {"matches", 1}},
                                   {{"path", c.listed ? (logs / "b.log").string() : named},
                                    {"bytes", c.bytes},
                                    {"read", c.read},
                                    {"reason", c.reason},
                                    {"matches", c.reason.is_null() ? 1 : 0}}});
        EXPECT_EQ(nlohmann::json::parse(outcome.json)["run"]["logFiles"], expected) << c.read;
    }
    EXPECT_FALSE(std::filesystem::exists(logs / "pstats.htm"));
}

TEST_F(AnalyzeLogsTest, ALogReachedAgainThroughALinkIsFoundOnceWhereItFirstComes) {
    if (!kHasSymbolicLinks) GTEST_SKIP() << "no links can be made here";
    WriteFileBytes(logs / "a.log", kFirstLog);
    const std::vector<std::string> a = {(logs / "a.log").string()};
    std::filesystem::create_symlink(a[0], logs / "b.log");  // beside it
    EXPECT_EQ(LogFilesToRead(settings, {}), a);
    std::filesystem::rename(logs / "b.log", game / "b.log");  // named after its folder
    EXPECT_EQ(LogFilesToRead(settings, {{logs.str(), game.str() + "/b.log"}, {}, true, false}), a);
    std::filesystem::create_hard_link(a[0], logs / "c.log");
    EXPECT_EQ(LogFilesToRead(settings, {}), a);
}

TEST_F(AnalyzeLogsTest, ARotatedHistoryCountsOnceAsTheWholeLogWould) {
    const std::string log =
        ReadFileBytes(std::filesystem::path(MCTF_SOURCE_DIR) / "tests/data/engine/ctf.log");
    const std::size_t third = log.find('\n', log.size() / 3) + 1,
                      twoThirds = log.find('\n', 2 * log.size() / 3) + 1;
    const std::string part2 = log.substr(third, twoThirds - third), cut = Gzip(log);
    ReportEnvironment env;
    env.now = [] { return std::time_t{1765000000}; };
    env.startDraw = [] { return [](int) { return 0; }; };
    auto run = [&](const std::map<std::string, std::string>& files, nlohmann::json* read) {
        std::filesystem::remove_all(logs.path());
        std::filesystem::create_directory(logs.path());
        for (const auto& [name, bytes] : files) WriteFileBytes(logs / name, bytes);
        const StatsRunOutcome outcome =
            AnalyzeLogs(*tables, settings, desktop, env, nullptr, {{}, {}, true, true});
        const nlohmann::json document = nlohmann::json::parse(outcome.json);
        for (const nlohmann::json& file : document["run"]["logFiles"])
            read->push_back({std::filesystem::path(file["path"]).filename().string(), file["read"],
                             file["reason"]});
        FileBytes pages = Snapshot(logs.path());
        std::erase_if(pages, [&](const auto& page) { return files.contains(page.first); });
        return pages;
    };
    nlohmann::json wholeRead, rotatedRead;
    const FileBytes whole = run({{"games.log", log}}, &wholeRead);
    const FileBytes rotated = run({{"games.log.3.gz", cut.substr(0, cut.size() / 2)},
                                   {"games.log.2.gz", Gzip(log.substr(0, third))},
                                   {"games.log.1", part2},
                                   {"games.log.1.gz", Gzip(part2)},  // its twin, not read again
                                   {"games.log", log.substr(twoThirds)}},
                                  &rotatedRead);
    EXPECT_EQ(rotated, whole);
    EXPECT_EQ(rotated.size(), 5u);
    EXPECT_EQ(rotatedRead, nlohmann::json::parse(R"([["games.log.3.gz", "skipped",
        "unexpected end of file"], ["games.log.2.gz", "complete", null],
        ["games.log.1", "complete", null], ["games.log", "complete", null]])"));
}

}  // namespace
}  // namespace mctf::testing
