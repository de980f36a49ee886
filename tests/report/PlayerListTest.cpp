#include <gtest/gtest.h>

#include "report/PageFrame.h"
#include "report/PlayerList.h"
#include "tests/report/ReportFixture.h"

namespace mctf::testing {
namespace {

const std::string kHome = "<p align=\"left\"><a href=\"pstats.htm\">Home</a></p>";
std::string Back(int first) {
    return "<p align=\"left\"><a href=\"players_" + std::to_string(first) + ".htm\">Back</a></p>";
}
std::string Next(int first) {
    return "<p align=\"left\"><a href=\"players_" + std::to_string(first) + ".htm\">Next</a></p>";
}

const std::string kTableHeader =
    "<table border=\"1\" width=\"100%\"><tr>"
    "<td width=\"5%\" align=\"center\" bgcolor=\"#800000\">Rank</td>"
    "<td width=\"9%\" align=\"center\" bgcolor=\"#800000\">Name</td>"
    "<td width=\"7%\" align=\"center\" bgcolor=\"#800000\">Time</td>"
    "<td width=\"7%\" align=\"center\" bgcolor=\"#800000\">FPH</td>"
    "<td width=\"7%\" align=\"center\" bgcolor=\"#800000\">Railgun</td>"
    "<td width=\"8%\" align=\"center\" bgcolor=\"#800000\">Rocket Launcher</td>"
    "<td width=\"8%\" align=\"center\" bgcolor=\"#800000\">Plasma gun</td>"
    "<td width=\"8%\" align=\"center\" bgcolor=\"#800000\">Lightning gun</td>"
    "<td width=\"8%\" align=\"center\" bgcolor=\"#800000\">Grenade Launcher</td>"
    "<td width=\"8%\" align=\"center\" bgcolor=\"#800000\">Shotgun</td>"
    "<td width=\"8%\" align=\"center\" bgcolor=\"#800000\">Machine gun</td>"
    "<td width=\"8%\" align=\"center\" bgcolor=\"#800000\">Gauntlet</td>"
    "<td width=\"8%\" align=\"center\" bgcolor=\"#800000\">Telefrag</td>"
    "<td width=\"8%\" align=\"center\" bgcolor=\"#800000\">Suicide</td></tr>";

// Rank, name and time cells of a row; the rate cells follow.
std::string RowStart(int place, const std::string& name, const std::string& time) {
    return "<tr><td width=\"5%\" align=\"center\">" + std::to_string(place) +
           "</td><td width=\"9%\" align=\"center\">" + name +
           "</td><td width=\"7%\" align=\"center\">" + time + "</td>";
}

class PlayerListTest : public ::testing::Test, public ReportFixture {
protected:
    // players.htm as the report writes it, with the driver's closing lines.
    bool WritePlayersPage() {
        PageWriter page;
        if (!page.Open((dir / "players.htm").string())) return false;
        WritePageHead(page, "Players");
        bool complete = WritePlayerList(page, *tables, dir.str(), kPlayerCapacity);
        page.Write("%s", kBackToFront.c_str());
        WriteSpacer(page);
        WritePageFoot(page);
        return complete;
    }

    int CountRows(const std::string& page) {
        int rows = 0;
        for (std::size_t at = page.find("<tr><td width=\"5%\" align=\"center\">");
             at != std::string::npos;
             at = page.find("<tr><td width=\"5%\" align=\"center\">", at + 1)) {
            ++rows;
        }
        return rows;
    }
};

TEST_F(PlayerListTest, RowShowsTimeAndEveryRateButBfg) {
    AddPlayer("<b>Bold</b>", 3725, 57.99f,
              {{kRailgun, 1},
               {kRocketLauncher, 2},
               {kPlasmaGun, 3},
               {kLightningGun, 4},
               {kGrenadeLauncher, 5},
               {kShotgun, 6},
               {kMachinegun, 7},
               {kGauntlet, 8},
               {kTelefrag, 9},
               {kSuicide, 10},
               {kBfg, 11},
               {kUnknownWeapon, 12}});
    AddPlayer("Marathon", 25 * 3600, 0.0f, {{kGauntlet, 125}});  // 5 per hour
    RankInOrder();

    auto rates = [](std::initializer_list<const char*> values) {
        std::string cells;
        int column = 0;
        for (const char* value : values) {
            cells += std::string(column < 2 ? "<td width=\"7%\" align=\"center\">"
                                            : "<td width=\"8%\" align=\"center\">") +
                     value + "</td>";
            ++column;
        }
        return cells + "</tr>";
    };
    std::string list =
        WriteSection(dir, [&](PageWriter& p) { WritePlayerList(p, *tables, dir.str(), 50); });
    EXPECT_EQ(list, CaptionBox(Caption("2 Players")) + kSpacer + kTableHeader +
                        RowStart(1, "<b>Bold</b>", "1:02:05") +
                        rates({"57.99", "0.97", "1.93", "2.90", "3.87", "4.83", "5.80", "6.77",
                               "7.73", "8.70", "9.66"}) +
                        RowStart(2, "Marathon", "25:00:00") +
                        rates({"0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00",
                               "5.00", "0.00", "0.00"}) +
                        "</table>");
}

TEST_F(PlayerListTest, HundredPlayersFitOnePage) {
    AddNumberedPlayers(100);
    RankInOrder();
    ASSERT_TRUE(WritePlayersPage());
    std::string page = Page("players.htm");
    EXPECT_EQ(page.rfind(Head("Players") + CaptionBox(Caption("100 Players")) + kSpacer +
                             kTableHeader + RowStart(1, "P1", "1:00:00"),
                         0),
              0u);
    EXPECT_EQ(CountRows(page), 100);
    EXPECT_EQ(page.find("Home"), std::string::npos);
    EXPECT_EQ(page.find("Next"), std::string::npos);
    EXPECT_FALSE(Exists("players_100.htm"));
    EXPECT_EQ(page.substr(page.size() - (8 + kBackToFront.size() + kSpacer.size() + kFoot.size())),
              "</table>" + kBackToFront + kSpacer + kFoot);
}

TEST_F(PlayerListTest, HundredAndOnePlayersContinueOnPlayers100) {
    AddNumberedPlayers(101);
    RankInOrder();
    ASSERT_TRUE(WritePlayersPage());

    std::string first = Page("players.htm");
    EXPECT_EQ(first.rfind(Head("Players") +
                              CaptionBox(Caption("101 Players") + Caption("Top 100 Players")) +
                              kHome + Next(100) + kSpacer + kTableHeader,
                          0),
              0u);
    EXPECT_EQ(CountRows(first), 100);
    std::string ending = "</table>" + kHome + Next(100) + kSpacer + kFoot;
    EXPECT_EQ(first.substr(first.size() - ending.size()), ending);

    std::string second = Page("players_100.htm");
    EXPECT_EQ(second.rfind(Head("Top Players") + CaptionBox(Caption("Players 100 to 200")) + kHome +
                               kSpacer + kTableHeader + RowStart(101, "P101", "1:00:00"),
                           0),
              0u);
    EXPECT_EQ(CountRows(second), 1);
    EXPECT_EQ(second.find("players_"), std::string::npos);  // no Back, no Next
    std::string secondEnd = "</table>" + kBackToFront + kSpacer + kFoot;
    EXPECT_EQ(second.substr(second.size() - secondEnd.size()), secondEnd);
    EXPECT_FALSE(Exists("players_200.htm"));
}

TEST_F(PlayerListTest, TwoHundredFiftyPlayersLinkThreePages) {
    AddNumberedPlayers(250);
    RankInOrder();
    ASSERT_TRUE(WritePlayersPage());

    std::string middle = Page("players_100.htm");
    std::string top = Head("Top Players") + CaptionBox(Caption("Players 100 to 200")) + kHome +
                      Next(200) + kSpacer + kTableHeader;
    EXPECT_EQ(middle.rfind(top, 0), 0u);
    EXPECT_EQ(CountRows(middle), 100);
    std::string middleEnd = "</table>" + kHome + Next(200) + kSpacer + kFoot;
    EXPECT_EQ(middle.substr(middle.size() - middleEnd.size()), middleEnd);

    std::string last = Page("players_200.htm");
    EXPECT_EQ(last.rfind(Head("Top Players") + CaptionBox(Caption("Players 200 to 300")) + kHome +
                             Back(100) + kSpacer + kTableHeader + RowStart(201, "P201", "1:00:00"),
                         0),
              0u);
    EXPECT_EQ(CountRows(last), 50);
    std::string lastEnd = "</table>" + kBackToFront + kSpacer + kFoot;
    EXPECT_EQ(last.substr(last.size() - lastEnd.size()), lastEnd);
}

TEST_F(PlayerListTest, LaterPagesLinkBackTwoPagesBelowTheTable) {
    AddNumberedPlayers(301);
    RankInOrder();
    ASSERT_TRUE(WritePlayersPage());
    std::string third = Page("players_200.htm");
    std::string thirdEnd = "</table>" + kHome + Back(100) + Next(300) + kSpacer + kFoot;
    EXPECT_EQ(third.substr(third.size() - thirdEnd.size()), thirdEnd);
    EXPECT_NE(Page("players_300.htm").find(kHome + Back(200) + kSpacer), std::string::npos);
}

}  // namespace
}  // namespace mctf::testing
