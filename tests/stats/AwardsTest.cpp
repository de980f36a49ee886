#include "stats/Awards.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <initializer_list>
#include <memory>
#include <utility>

namespace mctf::testing {
namespace {

class AwardsTest : public ::testing::Test {
protected:
    // Adds a player; kills are (weapon index, count) pairs.
    int AddPlayer(const char* name, int seconds, float fragsPerHour,
                  std::initializer_list<std::pair<int, int>> kills = {}) {
        int index = tables->playerCount++;
        PlayerStats& player = tables->players[index];
        std::strcpy(player.name, name);
        player.secondsPlayed = seconds;
        player.fragsPerHour = fragsPerHour;
        for (auto [weapon, count] : kills) player.weaponKills[weapon] = count;
        return index;
    }

    // Draws the queued values, then 0.
    IndexDraw Draws(std::initializer_list<int> values) {
        draws.assign(values);
        return [this](int) {
            ++drawCount;
            if (draws.empty()) return 0;
            int value = draws.front();
            draws.pop_front();
            return value;
        };
    }

    std::unique_ptr<StatsTables> tables = std::make_unique<StatsTables>();
    std::deque<int> draws;
    int drawCount = 0;
};

TEST_F(AwardsTest, EveryAwardOfThreePlayers) {
    AddPlayer("Ann", 3600, 40.0f, {{kRailgun, 4}, {kSuicide, 1}});
    AddPlayer("[AB]Joe", 1800, 12.5f, {{kRailgun, 5}, {kSuicide, 5}});
    AddPlayer("Zed", 7200, -3.0f, {{kBfg, 3}, {kSuicide, 20}});
    tables->topRailers[0] = 1;
    ClanStats& clan = tables->clans[tables->clanCount++];
    std::strcpy(clan.tag, "AB");
    clan.members[0] = 1;
    clan.memberCount = 1;

    // Beyond the players, negative FPH, beyond the players, Joe.
    Awards awards = ComputeAwards(*tables, Draws({4000, 2, 3, 1}));
    EXPECT_EQ(drawCount, 4);
    EXPECT_EQ(awards.featured, 1);
    EXPECT_EQ(awards.featuredClan, 0);
    EXPECT_EQ(awards.favoriteWeapon, kSuicide);
    EXPECT_EQ(awards.topRailer.player, 1);
    EXPECT_FLOAT_EQ(awards.topRailer.rate, 10.0f);
    EXPECT_EQ(awards.mostSuicides.player, 1);  // 10 per hour, Zed 10 too: the lower index
    EXPECT_FLOAT_EQ(awards.mostSuicides.rate, 10.0f);
    EXPECT_EQ(awards.mostBfgKills.player, 2);
    EXPECT_FLOAT_EQ(awards.mostBfgKills.rate, 1.5f);

    // Ann has no clan.
    awards = ComputeAwards(*tables, Draws({0}));
    EXPECT_EQ(awards.featured, 0);
    EXPECT_EQ(awards.featuredClan, kNoClan);
    EXPECT_EQ(awards.favoriteWeapon, kRailgun);
}

TEST_F(AwardsTest, FeaturedPlayerNeedsPositiveFph) {
    EXPECT_EQ(ComputeAwards(*tables, Draws({})).featured, -1);  // no players at all
    AddPlayer("Sad", 600, -6.0f, {{kSuicide, 1}});
    AddPlayer("Zero", 600, 0.0f);
    Awards awards = ComputeAwards(*tables, Draws({}));
    EXPECT_EQ(awards.featured, -1);
    EXPECT_EQ(drawCount, 0);
    EXPECT_EQ(awards.mostSuicides.player, 0);

    // A draw that never names an eligible player ends with the first one.
    AddPlayer("Glad", 600, 1.0f);
    EXPECT_EQ(PickFeaturedPlayer(*tables, [](int bound) { return bound - 1; }), 2);
}

TEST(AwardPickers, FavoriteWeaponPrefersTheHigherIndexOnTies) {
    PlayerStats player{};
    EXPECT_EQ(FavoriteWeapon(player), kUnknownWeapon);
    player.weaponKills[kRailgun] = 5;
    player.weaponKills[kSuicide] = 5;
    EXPECT_EQ(FavoriteWeapon(player), kSuicide);
    player.weaponKills[kMachinegun] = 9;
    player.weaponKills[kShotgun] = 9;
    EXPECT_EQ(FavoriteWeapon(player), kShotgun);
}

TEST_F(AwardsTest, LeaderByRatePrefersTheLowerIndexAndComparesRates) {
    AddPlayer("A", 3600, 1.0f, {{kSuicide, 1}});
    AddPlayer("B", 1800, 1.0f, {{kSuicide, 3}, {kBfg, 1}});  // 6 per hour
    AddPlayer("C", 3600, 1.0f, {{kSuicide, 6}, {kBfg, 1}});  // 6 per hour, more kills
    RateLeader suicides = LeaderByRate(*tables, kSuicide);
    EXPECT_EQ(suicides.player, 1);
    EXPECT_FLOAT_EQ(suicides.rate, 6.0f);
    EXPECT_EQ(LeaderByRate(*tables, kBfg).player, 1);      // 2 per hour beats 1
    EXPECT_EQ(LeaderByRate(*tables, kRailgun).player, 0);  // all 0: the first
}

}  // namespace
}  // namespace mctf::testing
