#include "stats/Aggregate.h"

#include <cstring>
#include <filesystem>
#include <set>

#include "stats/ClanList.h"
#include "stats/Clans.h"
#include "tests/stats/StatsFixture.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {
namespace {

class Aggregate : public StatsFixture {
protected:
    Aggregate() {
        std::string game = gameFolder.str();
        std::memcpy(settings.quakePath, game.c_str(), game.size() + 1);
    }

    int AddPlayer(const char* name, int frags, int seconds, int rails = 0, int rockets = 0) {
        PlayerStats& player = tables->players[tables->playerCount];
        std::strcpy(player.name, name);
        player.frags = frags;
        player.secondsPlayed = seconds;
        player.weaponKills[kRailgun] = rails;
        player.weaponKills[kRocketLauncher] = rockets;
        AssignClan(*tables, tables->playerCount, name);
        return tables->playerCount++;
    }

    void WriteClanList(const std::string& text) {
        std::filesystem::create_directories(gameFolder / "morvane");
        WriteFileBytes(gameFolder / "morvane" / "clanlist.txt", text);
    }

    std::vector<int> Order(const uint16_t* list, int count) const {
        return std::vector<int>(list, list + count);
    }

    TempDir gameFolder;
    ServerSettings settings{};
};

TEST_F(Aggregate, RankingsBreakTiesTowardsTheLaterPlayer) {
    AddPlayer("A", 10, 3600, 0, 5);  // 10 per hour
    AddPlayer("B", 20, 7200, 2, 0);  // 10 per hour, later: ranks higher
    AddPlayer("C", 1, 60, 0, 0);     // 60 per hour
    AddPlayer("D", -5, 3600);
    AggregateStats(*tables, settings, SeededDraw(1));
    EXPECT_EQ(Order(tables->rankOrder, 4), (std::vector<int>{2, 1, 0, 3}));
    EXPECT_EQ(tables->players[3].rankPosition, 3);
    EXPECT_FLOAT_EQ(tables->players[2].fragsPerHour, 60.0f);
    EXPECT_EQ(Order(tables->topRailers, 4), (std::vector<int>{1, 3, 2, 0}));
    EXPECT_EQ(Order(tables->topRocketeers, 4), (std::vector<int>{0, 3, 2, 1}));
}

TEST_F(Aggregate, TopListsHoldAtMostOneHundred) {
    for (int i = 0; i < 150; ++i) AddPlayer("P", 0, 60, i % 7);
    PickTopRailers(*tables);
    EXPECT_EQ(tables->players[tables->topRailers[0]].weaponKills[kRailgun], 6);
    EXPECT_EQ(tables->topRailers[0], 146);
    // 100 different players, and nobody left out has more rails than the last.
    std::set<int> listed(tables->topRailers, tables->topRailers + kTopListCapacity);
    EXPECT_EQ(listed.size(), 100u);
    int last = tables->players[tables->topRailers[kTopListCapacity - 1]].weaponKills[kRailgun];
    for (int i = 0; i < 150; ++i) {
        if (listed.count(i) == 0) {
            EXPECT_LE(tables->players[i].weaponKills[kRailgun], last) << i;
        }
    }
}

TEST_F(Aggregate, ClanScoreUsesTheBestThreeMembers) {
    // Fifty untagged players set the rank positions; the clan members get
    // 9, 0, 30 and 4.
    for (int i = 0; i < 40; ++i) AddPlayer("filler", 100 - i, 3600);
    int positions[] = {9, 0, 30, 4};
    for (int position : positions) {
        std::strcpy(tables->players[position].name, "[K]x");
        AssignClan(*tables, position, "[K]x");
    }
    AggregateStats(*tables, settings, SeededDraw(1));
    const ClanStats& clan = tables->clans[0];
    ASSERT_EQ(clan.memberCount, 4);
    EXPECT_EQ(clan.topMembers[0], 0);
    EXPECT_EQ(clan.topMembers[1], 4);
    EXPECT_EQ(clan.topMembers[2], 9);
    EXPECT_EQ(clan.averageRank, static_cast<float>(13.0 / 3.0));
}

TEST_F(Aggregate, ClansOrderByGroupSizeThenAverageRank) {
    AddPlayer("[P]best", 100, 3600);  // pair with the best rank
    AddPlayer("[P]second", 99, 3600);
    for (const char* name : {"[T]a", "[T]b", "[T]c", "[U]a", "[U]b", "[U]c"}) {
        AddPlayer(name, 1, 3600);  // equal rates: U's later members rank higher
    }
    AddPlayer("[S]solo", 50, 3600);
    AddPlayer("[R]solo", 50, 3600);  // same rate as S, later: ranks higher
    AggregateStats(*tables, settings, SeededDraw(1));
    // Clans were made in order P, T, U, S, R.
    EXPECT_EQ(Order(tables->clanOrder, 5), (std::vector<int>{2, 1, 0, 4, 3}));
    EXPECT_EQ(tables->clans[0].averageRank, 0.5f);  // the pair still follows both triples
    EXPECT_EQ(tables->clans[2].averageRank, 5.0f);
}

TEST_F(Aggregate, ClanListNamesTheClans) {
    AddPlayer("[AB]x", 1, 60);
    AddPlayer("[CD]y", 1, 60);
    AddPlayer("[EF]z", 1, 60);
    LoadClanList(*tables, settings);  // no file yet: nothing happens
    EXPECT_STREQ(tables->clans[0].clanName, "");
    WriteClanList(
        "AB Alpha_Beta none none\r\n"
        "CD Old http://old old\n"
        "CD\tNew none\n  none\n"  // "none" keeps the earlier values
        "ZZ Nobody none none\n"
        "EFGHIJKL Toolong none none\n"  // tag longer than 7 matches nothing
        "EF " +
        std::string(40, 'n') + " " + std::string(200, 'h') + " " + std::string(30, 'c') +
        "\n"
        "AB Partial group");
    AggregateStats(*tables, settings, SeededDraw(1));
    EXPECT_STREQ(tables->clans[0].clanName, "Alpha_Beta");
    EXPECT_STREQ(tables->clans[0].homePage, "");
    EXPECT_STREQ(tables->clans[1].clanName, "New");
    EXPECT_STREQ(tables->clans[1].homePage, "http://old");
    EXPECT_STREQ(tables->clans[1].contact, "old");
    EXPECT_EQ(std::string(tables->clans[2].clanName), std::string(31, 'n'));
    EXPECT_EQ(std::string(tables->clans[2].homePage), std::string(127, 'h'));
    EXPECT_EQ(std::string(tables->clans[2].contact), std::string(19, 'c'));
}

TEST_F(Aggregate, NulEndsAWordOfTheClanList) {
    using namespace std::string_literals;
    AddPlayer("[AB]x", 1, 60);
    AddPlayer("[CD]y", 1, 60);
    WriteClanList(
        "AB\0x Alpha none none\n"
        "CD Gamma none\0x none\n"s);  // counts as "none": no home page
    LoadClanList(*tables, settings);
    EXPECT_STREQ(tables->clans[0].clanName, "Alpha");
    EXPECT_STREQ(tables->clans[1].clanName, "Gamma");
    EXPECT_STREQ(tables->clans[1].homePage, "");
}

}  // namespace
}  // namespace mctf::testing
