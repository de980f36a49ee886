#include <gtest/gtest.h>

#include "report/ServerStats.h"
#include "tests/report/ReportFixture.h"

namespace mctf::testing {
namespace {

const std::string kBoxStart =
    "<table border=1 width=\"100%\" bgcolor=#000080><tr><td width=\"100%\">"
    "<h2 align=center>Welcome to Hell - Tue Mar 05 14:07:09 2024\n</h2>";
const std::string kBoxEnd =
    "<p align=center><font color=#ff0000>All Stats based on Frags Per Hour</font>"
    "<h6 align=center>Statistics by MCTF Util</h6></td></tr></table><br>" +
    kSpacer;

class ServerStatsTest : public ::testing::Test, public ReportFixture {
protected:
    // Ann, [AB]Joe (clan AB with a home page) and Zed, ranked in that order.
    void AddThreePlayers() {
        AddPlayer("Ann", 3600, 40.0f, {{kRailgun, 4}, {kSuicide, 1}});
        AddPlayer("[AB]Joe", 1800, 12.5f, {{kRailgun, 5}, {kSuicide, 5}});
        AddPlayer("Zed", 7200, -3.0f, {{kBfg, 3}, {kSuicide, 20}});
        RankInOrder();
        tables->topRailers[0] = 1;
    }

    std::string ServerBox() {
        DecideAwards();
        return WriteSection(
            dir, [this](PageWriter& page) { WriteServerStats(page, *tables, settings, env); });
    }
};

const std::string kThreePlayerAwards =
    "<h3 align=center>Hugest Cack: <font color=#ffff00>[AB]Joe 10.000 rails</font></h3>"
    "<h3 align=center>Biggest Dumbass: <font color=#ffff00>[AB]Joe 10.000 suicides</font></h3>"
    "<h3 align=center>Biggest Lamer: <font color=#ffff00>Zed 1.500 BFGs</font></h3>";

TEST_F(ServerStatsTest, WritesTheWholeBoxWithFeaturedClanMember) {
    AddThreePlayers();
    AddClan("AB", "Alpha_Beta", "http://ab.example", {1});
    draws = {1};
    EXPECT_EQ(ServerBox(),
              kHeadServerStats + kBoxStart +
                  "<h3 align=center>Featured Player: <font color=#ffff00>[AB]Joe</font><br>"
                  "Clan Home - <a href=\"http://ab.example\">Alpha_Beta</a><br>"
                  "Favorite Weapon - Suicide<br>Rank - 2<br>FPH - 12.500</h3>" +
                  kThreePlayerAwards + kBoxEnd);
}

TEST_F(ServerStatsTest, FeaturedPlayerWithoutClanHomeHasNoClanLine) {
    AddThreePlayers();
    AddClan("AB", "", "", {1});
    draws = {1};
    const std::string featured =
        "<h3 align=center>Featured Player: <font color=#ffff00>[AB]Joe</font><br>"
        "Favorite Weapon - Suicide<br>Rank - 2<br>FPH - 12.500</h3>";
    EXPECT_EQ(ServerBox(), kHeadServerStats + kBoxStart + featured + kThreePlayerAwards + kBoxEnd);

    tables->clanCount = 0;  // no clan at all: the same block
    draws = {1};
    EXPECT_EQ(ServerBox(), kHeadServerStats + kBoxStart + featured + kThreePlayerAwards + kBoxEnd);
}

TEST_F(ServerStatsTest, NobodyWithPositiveFphLeavesOutTheFeaturedBlock) {
    AddPlayer("Sad", 600, -6.0f, {{kSuicide, 1}});
    RankInOrder();
    EXPECT_EQ(
        ServerBox(),
        kHeadServerStats + kBoxStart +
            "<h3 align=center>Hugest Cack: <font color=#ffff00>Sad 0.000 rails</font></h3>"
            "<h3 align=center>Biggest Dumbass: <font color=#ffff00>Sad 6.000 suicides</font></h3>"
            "<h3 align=center>Biggest Lamer: <font color=#ffff00>Sad 0.000 BFGs</font></h3>" +
            kBoxEnd);
}

TEST(ReportDateTest, EnglishWithLeadingZeroDay) {
    UseUtcClock();
    EXPECT_EQ(FormatReportDate(kReportTime), kReportDate);
    EXPECT_EQ(FormatReportDate(0), "Thu Jan 01 00:00:00 1970");
}

}  // namespace
}  // namespace mctf::testing
