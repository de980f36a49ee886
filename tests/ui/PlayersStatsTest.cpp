// The Players Stats command: the folder prompt, saving the folder, and the
// analysis it starts.
#include <QAbstractButton>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <filesystem>

#include "core/FixedText.h"
#include "core/GameFolder.h"
#include "core/ServerSettings.h"
#include "tests/core/FaultyFiles.h"
#include "tests/ui/AppHarness.h"

namespace mctf::testing {
namespace {

namespace fs = std::filesystem;

std::string StoredStatsDir(const AppHarness& h) {
    ServerSettings saved;
    std::string bytes = h.ConfigBytes();
    if (bytes.size() != sizeof saved) return "<bad config.dmc>";
    std::memcpy(&saved, bytes.data(), sizeof saved);
    return std::string(FixedText(saved.statsDir));
}

TEST(PlayersStats, CancelNeitherSavesNorAnalyses) {
    AppHarness h;
    h.Start();
    h.Button("Quake 3 DM").click();
    std::string before = h.ConfigBytes();
    h.AnswerPrompt(QString::fromStdString(h.dir.str()), false);

    h.Button("Players Stats").click();

    EXPECT_EQ(h.dialogTitles, std::vector<QString>{"Player Stats"});
    EXPECT_EQ(h.ConfigBytes(), before);
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_EQ(h.desktop.progressOpened, 0);
}

TEST(PlayersStats, LogFolderGetsThePagesAndIsRemembered) {
    AppHarness h;
    fs::path logs = h.dir / "logs";
    fs::create_directory(logs);
    for (const auto& entry : fs::directory_iterator(fs::path(MCTF_SOURCE_DIR) / "examples/logs")) {
        fs::copy_file(entry.path(), logs / entry.path().filename());
    }
    h.Start();
    QString offered;
    h.OnNextDialog([&](QDialog& dialog) {
        offered = EditOf(dialog).text();
        EditOf(dialog).setText(QString::fromStdString(logs.string()));
        return int(QDialog::Accepted);
    });
    h.desktop.offerAnswers = {true};

    h.Button("Players Stats").click();

    EXPECT_EQ(offered.toStdString(), h.defaults.statsDir);
    ASSERT_EQ(h.desktop.messages.size(), 2u);
    EXPECT_EQ(h.desktop.messages[0].text, "pstats.htm written\nThe pages are in " + logs.string());
    EXPECT_EQ(h.desktop.messages[0].action, "Open");
    EXPECT_EQ(h.desktop.messages[1].text,
              "No web browser could show " + (logs / "pstats.htm").string());
    for (const char* page :
         {"pstats.htm", "players.htm", "railers.htm", "rockets.htm", "clans.htm"}) {
        EXPECT_TRUE(fs::exists(logs / page)) << page;
    }
    EXPECT_NE(ReadFileBytes(logs / "players.htm").find("[RKT]Blaze"), std::string::npos);
    EXPECT_EQ(StoredStatsDir(h), logs.string());
    EXPECT_EQ(h.desktop.progressOpened, 1);
    EXPECT_FALSE(h.desktop.progressOpen);
    ASSERT_FALSE(h.desktop.progress.empty());
    EXPECT_EQ(h.desktop.progress.back(), 100);
}

// Off Windows the default is the game's log folder, and taken as offered stays the default.
TEST(PlayersStats, TheWindowsDefaultOffersTheGamesLogFolder) {
    if (GamePathSet(DefaultSettings)) GTEST_SKIP() << "the default is a real folder here";
    AppHarness h;
    h.Start();
    SetFixedText(h.app->Store().settings.quakePath, h.dir.str());
    SetFixedText(h.app->Store().settings.statsDir, DefaultSettings.statsDir);
    fs::create_directory(h.dir / "morvane");
    WriteFileBytes(h.dir / "morvane" / "games.log",
                   "  0:00 InitGame: \\sv_hostname\\Test\n  5:00 Exit: Timelimit hit.\n");
    h.AnswerPrompt((h.dir / "morvane").string().c_str(), true);
    h.Button("Players Stats").click();
    EXPECT_EQ(h.desktop.messages.at(0).text,
              "pstats.htm written\nThe pages are in " + (h.dir / "morvane").string());
    EXPECT_EQ(StoredStatsDir(h), DefaultSettings.statsDir);
}

TEST(PlayersStats, UnreadableClanListIsNamedAfterThePages) {
    AppHarness h;
    fs::path logs = h.dir / "logs";
    fs::create_directory(logs);
    WriteFileBytes(logs / "a.log",
                   "  0:00 InitGame: \\sv_hostname\\Test\n"
                   "  0:00 ClientUserinfoChanged: 0 n\\[AB]Ann\\t\\0\n"
                   "  0:00 ClientBegin: 0\n"
                   "  5:00 Exit: Timelimit hit.\n");
    FaultyFiles disk;
    disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, "clanlist.txt");
    h.files = &disk;
    h.Start();
    SetFixedText(h.app->Store().settings.quakePath, h.dir.str());
    fs::create_directory(h.dir / "morvane");
    WriteFileBytes(h.dir / "morvane" / "clanlist.txt", "AB Alpha none none\n");
    h.AnswerPrompt(QString::fromStdString(logs.string()), true);

    h.Button("Players Stats").click();

    ASSERT_EQ(h.desktop.messages.size(), 2u);
    EXPECT_EQ(h.desktop.messages[0].text, "pstats.htm written\nThe pages are in " + logs.string());
    EXPECT_EQ(h.desktop.messages[1].text,
              "Cannot read the clan list " + (h.dir / "morvane" / "clanlist.txt").string() + ":\n" +
                  SystemReason(EACCES) + "\n\nThe pages were written without its clan names.");
    EXPECT_EQ(ReadFileBytes(logs / "clans.htm").find("Alpha"), std::string::npos);
}

TEST(PlayersStats, FolderWithoutLogsSaysSoButKeepsTheFolder) {
    AppHarness h;
    fs::path empty = h.dir / "no-logs";
    fs::create_directory(empty);
    WriteFileBytes(empty / "notes.txt", "not a log\n");
    h.Start();
    h.AnswerPrompt(QString::fromStdString(empty.string()), true);

    h.Button("Players Stats").click();

    ASSERT_EQ(h.desktop.messages.size(), 1u);
    EXPECT_EQ(h.desktop.messages[0].text, "ERROR Cannot find any log files!");
    EXPECT_EQ(h.desktop.messages[0].action, "") << "no pages, nothing to open";
    EXPECT_FALSE(fs::exists(empty / "pstats.htm"));
    EXPECT_EQ(h.desktop.progressOpened, 0);
    EXPECT_EQ(StoredStatsDir(h), empty.string());
}

}  // namespace
}  // namespace mctf::testing
