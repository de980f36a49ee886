#include <gtest/gtest.h>

#include <algorithm>

#include "report/Report.h"
#include "tests/core/FaultyFiles.h"
#include "tests/report/ReportFixture.h"

namespace mctf::testing {
namespace {

class ReportTest : public ::testing::Test, public ReportFixture {
protected:
    ReportOutcome Run() {
        DecideAwards();
        return WriteReport(*tables, settings, settings.statsDir, env);
    }
    void ExpectOutcome(ReportStatus status, const std::string& page = {}) {
        const ReportOutcome outcome = Run();
        EXPECT_EQ(outcome.status, status);
        EXPECT_EQ(outcome.page, page.empty() ? page : (dir / page).string());
    }

    void AddThreePlayers() {
        AddPlayer("Ann", 3600, 3.0f, {{kRailgun, 3}});
        AddPlayer("Bob", 3600, 2.0f, {{kRocketLauncher, 2}});
        AddPlayer("Cy", 3600, 1.0f, {{kShotgun, 1}});
        RankInOrder();
    }
};

TEST_F(ReportTest, NoPlayersWritesHeadAndFootOnlyAndLeavesOtherPages) {
    WriteFileBytes(dir / "players.htm", "old list");
    WriteFileBytes(dir / "players_100.htm", "old continuation");
    ExpectOutcome(ReportStatus::Written);
    EXPECT_EQ(Page("pstats.htm"), kHeadServerStats + kFoot);
    EXPECT_EQ(Page("players.htm"), "old list");
    EXPECT_EQ(Page("players_100.htm"), "old continuation");
    for (const char* page : {"rockets.htm", "railers.htm", "clans.htm"}) {
        EXPECT_FALSE(Exists(page)) << page;
    }
}

TEST_F(ReportTest, ThreePlayersWithoutClansWriteAllFivePages) {
    AddThreePlayers();
    draws = {1};
    ExpectOutcome(ReportStatus::Written);

    EXPECT_EQ(Page("clans.htm"), Head("Players") + kBackToFront + kSpacer + kFoot);

    std::string front = Page("pstats.htm");
    EXPECT_EQ(std::count(front.begin(), front.end(), '\n'), 1);
    EXPECT_NE(front.find(std::string(kReportDate) + "\n</h2>"), std::string::npos);
    EXPECT_NE(front.find("Featured Player: <font color=#ffff00>Bob</font>"), std::string::npos);
    // The sections in the order of the front page, each followed by its link.
    std::size_t previous = 0;
    for (const std::string& piece :
         {std::string("Biggest Lamer"), CaptionBox(Caption("Top 0 Clans")),
          "<p align=\"left\"><a href=\"clans.htm\">All Clans</a></p>" + kSpacer,
          CaptionBox(Caption("Top 3 Railers")),
          "<p align=\"left\"><a href=\"railers.htm\">All Railers</a></p>" + kSpacer,
          CaptionBox(Caption("Top 3 Rocket Jockeys")),
          "<p align=\"left\"><a href=\"rockets.htm\">All Rocketeers</a></p>" + kSpacer,
          CaptionBox(Caption("3 Players")),
          "</table><p><a href=\"players.htm\">Other Players</a></p>" + kSpacer + kFoot}) {
        std::size_t at = front.find(piece, previous);
        ASSERT_NE(at, std::string::npos) << piece;
        previous = at + piece.size();
    }
    EXPECT_EQ(previous, front.size());

    const std::pair<const char*, const char*> listPages[] = {
        {"rockets.htm", "Rocketeers"}, {"railers.htm", "Railers"}, {"players.htm", "Players"}};
    for (auto [name, title] : listPages) {
        std::string page = Page(name);
        EXPECT_EQ(page.rfind(Head(title) + "<table border=\"1\" width=\"20%\">", 0), 0u) << name;
        std::string ending = "</table>" + kBackToFront + kSpacer + kFoot;
        EXPECT_EQ(page.substr(page.size() - ending.size()), ending) << name;
        EXPECT_EQ(page.find('\n'), std::string::npos) << name;
    }
    EXPECT_NE(Page("rockets.htm").find(Caption("Top 3 Rocket Jockeys")), std::string::npos);
    EXPECT_NE(Page("railers.htm").find(Caption("Top 3 Railers")), std::string::npos);
}

TEST_F(ReportTest, FrontPageThatCannotBeCreatedWritesNothing) {
    AddThreePlayers();
    WriteFileBytes(dir / "file", "x");
    std::strcpy(settings.statsDir, (dir / "file").string().c_str());
    EXPECT_EQ(Run().status, ReportStatus::CannotCreateFrontPage);
}

TEST_F(ReportTest, ListPageThatCannotBeCreatedEndsTheRunThere) {
    AddThreePlayers();
    std::filesystem::create_directory(dir / "railers.htm");
    ExpectOutcome(ReportStatus::CannotCreatePage, "railers.htm");
    EXPECT_NE(Page("rockets.htm").find(kFoot), std::string::npos);
    EXPECT_FALSE(Exists("players.htm"));
    EXPECT_FALSE(Exists("clans.htm"));
}

TEST_F(ReportTest, MissingContinuationPageEndsTheReportBeforeClans) {
    AddNumberedPlayers(120);
    RankInOrder();
    std::filesystem::create_directory(dir / "players_100.htm");
    ExpectOutcome(ReportStatus::CannotCreatePage, "players_100.htm");
    EXPECT_FALSE(Exists("clans.htm"));
    // players.htm is finished as a page that continues; nothing goes after it.
    std::string ending =
        "</table><p align=\"left\"><a href=\"pstats.htm\">Home</a></p>"
        "<p align=\"left\"><a href=\"players_100.htm\">Next</a></p>" +
        kSpacer + kFoot;
    std::string players = Page("players.htm");
    EXPECT_EQ(players.substr(players.size() - ending.size()), ending);
}

TEST_F(ReportTest, FailedWriteIsReportedInsteadOfSuccess) {
    AddThreePlayers();
    FaultyFiles disk;
    disk.LimitWrites(100, "railers.htm");
    env.files = &disk;
    ExpectOutcome(ReportStatus::CannotWrite);
    EXPECT_NE(Page("clans.htm").find(kFoot), std::string::npos);
}

}  // namespace
}  // namespace mctf::testing
