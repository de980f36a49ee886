#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "report/TopLists.h"
#include "tests/report/ReportFixture.h"

namespace mctf::testing {
namespace {

std::string ClanHeading(const char* membersHeading) {
    return std::string("<table border=\"1\" width=\"100%\"><tr>") +
           "<td width=\"18%\" bgcolor=\"#800000\" align=\"center\"><h3>Rank</h3></td>"
           "<td width=\"29%\" bgcolor=\"#800000\" align=\"center\"><h3>Name</h3></td>"
           "<td width=\"53%\" bgcolor=\"#800000\" align=\"center\">" +
           membersHeading + "</td></tr>";
}

const std::string kMemberHeading =
    "<td width=\"53%\" align=\"center\"><table border=\"0\" width=\"100%\"><tr>"
    "<td width=\"25%\" align=\"center\"><u>Name</u></td>"
    "<td width=\"13%\" align=\"center\"><u>Rank</u></td>"
    "<td width=\"12%\" align=\"center\"><u>FPH</u></td>"
    "<td width=\"25%\" align=\"center\"><u>Railgun</u></td>"
    "<td width=\"25%\" align=\"center\"><u>Rocket Launcher</u></td></tr>";

std::string MemberRow(const std::string& name, int rank, const std::string& fph,
                      const std::string& rails, const std::string& rockets) {
    return "<tr><td width=\"25%\" align=\"center\">" + name +
           "</td><td width=\"13%\" align=\"center\">" + std::to_string(rank) +
           "</td><td width=\"12%\" align=\"center\">" + fph +
           "</td><td width=\"25%\" align=\"center\">" + rails +
           "</td><td width=\"25%\" align=\"center\">" + rockets + "</td></tr>";
}

class TopListsTest : public ::testing::Test, public ReportFixture {
protected:
    template <typename Section>
    std::string Write(Section section) {
        return WriteSection(dir, section);
    }
};

TEST_F(TopListsTest, ClanTableWithoutClans) {
    AddNumberedPlayers(2);
    RankInOrder();
    // The front page still shows the caption and the heading row.
    EXPECT_EQ(
        Write([&](PageWriter& p) { WriteClanTable(p, *tables, 5, false); }),
        CaptionBox(Caption("Top 0 Clans")) + ClanHeading("<h3>Top Members</h3>") + "</table>");
    // clans.htm asks for clanCount clans, which is 0: nothing at all.
    EXPECT_EQ(Write([&](PageWriter& p) { WriteClanTable(p, *tables, 0, true); }), "");
}

TEST_F(TopListsTest, ClanRowsUseSixDecimalRatesAndTheirThreeNameCells) {
    AddPlayer("[AB]Rail", 3600, 7.25f, {{kRailgun, 4}});
    AddPlayer("[AB]Rock", 1800, 2.0f, {{kRocketLauncher, 2}});
    AddPlayer("CD|Solo", 3600, 1.0f);
    AddPlayer("Home{EF}", 3600, 0.5f);
    RankInOrder();
    AddClan("AB", "", "", {0, 1});
    AddClan("CD", "Clan_CD", "", {2});
    AddClan("EF", "Clan_EF", "http://ef.example", {3});
    tables->clanOrder[0] = 2;  // the order comes from clanOrder, not the table
    tables->clanOrder[2] = 0;

    std::string expected =
        CaptionBox(Caption("Top 3 Clans")) + ClanHeading("<h3>Top Members</h3>") +
        "<tr><td width=\"18%\" align=\"center\">1</td>"
        "<td width=\"29%\" align=\"center\"><a href=\"http://ef.example\">Clan_EF</a></td>" +
        kMemberHeading + MemberRow("Home{EF}", 4, "0.500", "0.000000", "0.000000") +
        "</table></td></tr>"
        "<tr><td width=\"18%\" align=\"center\">2</td>"
        "<td width=\"29%\" align=\"center\">Clan_CD</a></td>" +
        kMemberHeading + MemberRow("CD|Solo", 3, "1.000", "0.000000", "0.000000") +
        "</table></td></tr>"
        "<tr><td width=\"18%\" align=\"center\">3</td>"
        "<td width=\"29%\" align=\"center\">AB</a></td>" +
        kMemberHeading + MemberRow("[AB]Rail", 1, "7.250", "4.000000", "0.000000") +
        MemberRow("[AB]Rock", 2, "2.000", "0.000000", "4.000000") + "</table></td></tr></table>";
    EXPECT_EQ(Write([&](PageWriter& p) { WriteClanTable(p, *tables, 5, false); }), expected);
}

TEST_F(TopListsTest, FrontPageShowsTopMembersTheClanPageEveryMemberInJoiningOrder) {
    AddNumberedPlayers(5);
    RankInOrder();
    int clan = AddClan("T", "", "", {4, 3, 2, 1, 0});
    tables->clans[clan].topMembers[0] = 0;
    tables->clans[clan].topMembers[1] = 1;
    tables->clans[clan].topMembers[2] = 2;

    // The member names of a clan table, in page order.
    auto members = [](const std::string& page) {
        std::vector<std::string> names;
        std::regex cell("<td width=\"25%\" align=\"center\">(P[0-9]+)</td>");
        for (std::sregex_iterator it(page.begin(), page.end(), cell), end; it != end; ++it) {
            names.push_back((*it)[1]);
        }
        return names;
    };
    std::string front = Write([&](PageWriter& p) { WriteClanTable(p, *tables, 5, false); });
    EXPECT_EQ(members(front), (std::vector<std::string>{"P1", "P2", "P3"}));
    std::string all = Write([&](PageWriter& p) { WriteClanTable(p, *tables, 1, true); });
    EXPECT_NE(all.find(ClanHeading("<h3>Members</h3>")), std::string::npos);
    EXPECT_EQ(members(all), (std::vector<std::string>{"P5", "P4", "P3", "P2", "P1"}));
}

TEST_F(TopListsTest, TopListsStopAtThePlayersThereAre) {
    AddPlayer("Ann", 3600, 1.0f, {{kRailgun, 4}, {kRocketLauncher, 1}});
    AddPlayer("Bob", 1800, 1.0f, {{kRocketLauncher, 2}});
    AddPlayer("Cy", 7200, 1.0f, {{kRailgun, 1}});
    RankInOrder();
    tables->topRocketeers[0] = 1;
    tables->topRocketeers[1] = 0;
    auto heading = [](const char* rate) {
        return std::string("<table border=\"1\" width=\"100%\"><tr>") +
               "<td width=\"9%\" align=\"center\" bgcolor=\"#800000\"><h3>Rank</h3></td>"
               "<td width=\"29%\" align=\"center\" bgcolor=\"#800000\">" +
               rate +
               "</td>"
               "<td width=\"62%\" align=\"center\" bgcolor=\"#800000\"><h3>Name</h3></td></tr>";
    };
    auto row = [](int place, const char* rate, const char* name) {
        return "<tr><td width=\"9%\" align=\"center\">" + std::to_string(place) +
               "</td><td width=\"29%\" align=\"center\">" + rate +
               "</td><td width=\"62%\" align=\"center\">" + name + "</td></tr>";
    };
    EXPECT_EQ(Write([&](PageWriter& p) { WriteTopRailers(p, *tables, 10); }),
              CaptionBox(Caption("Top 3 Railers")) + heading("<h3>Rails Per Hour</h3>") +
                  row(1, "4.0000", "Ann") + row(2, "0.0000", "Bob") + row(3, "0.5000", "Cy") +
                  "</table>");
    EXPECT_EQ(Write([&](PageWriter& p) { WriteTopRocketeers(p, *tables, 2); }),
              CaptionBox(Caption("Top 2 Rocket Jockeys")) +
                  heading("<h3>Rocket Kills Per Hour</h3>") + row(1, "4.0000", "Bob") +
                  row(2, "1.0000", "Ann") + "</table>");
}

}  // namespace
}  // namespace mctf::testing
