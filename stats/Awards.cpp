#include "stats/Awards.h"

#include <algorithm>
#include <memory>
#include <random>

#include "stats/Rates.h"

namespace mctf {
namespace {

// A real generator hits one of k eligible players in 4096/k draws on
// average; this bound is only reached by a broken draw function.
constexpr long kMaxDraws = 1L << 22;

}  // namespace

IndexDraw SeededDraw(unsigned seed) {
    auto generator = std::make_shared<std::mt19937>(seed);
    return [generator](int bound) {
        std::uniform_int_distribution<int> pick(0, bound - 1);
        return pick(*generator);
    };
}

int PickFeaturedPlayer(const StatsTables& tables, const IndexDraw& draw) {
    int firstEligible = -1;
    for (int p = 0; p < tables.playerCount && firstEligible < 0; ++p) {
        if (tables.players[p].fragsPerHour > 0.0f) firstEligible = p;
    }
    if (firstEligible < 0) return -1;  // the draw could never end

    for (long attempt = 0; attempt < kMaxDraws; ++attempt) {
        int index = draw(kPlayerCapacity);
        if (index >= 0 && index < tables.playerCount && tables.players[index].fragsPerHour > 0.0f) {
            return index;
        }
    }
    return firstEligible;
}

int FavoriteWeapon(const PlayerStats& player) {
    int best = -1;
    int favorite = kUnknownWeapon;
    for (int weapon = 0; weapon < kWeaponCount; ++weapon) {
        if (player.weaponKills[weapon] >= best) {
            best = player.weaponKills[weapon];
            favorite = weapon;
        }
    }
    return favorite;
}

int FindPlayerClan(const StatsTables& tables, int player) {
    for (int c = 0; c < tables.clanCount; ++c) {
        const ClanStats& clan = tables.clans[c];
        const int32_t* end = clan.members + clan.memberCount;
        if (std::find(clan.members, end, player) != end) return c;
    }
    return kNoClan;
}

RateLeader LeaderByRate(const StatsTables& tables, int counter) {
    RateLeader leader{-1, -100.0f};
    for (int p = 0; p < tables.playerCount; ++p) {
        float rate = KillsPerHour(tables.players[p], counter);
        // Only a higher rate takes over: of equal rates the lower index stays.
        if (rate > leader.rate) leader = {p, rate};
    }
    return leader;
}

Awards ComputeAwards(const StatsTables& tables, const IndexDraw& draw) {
    Awards awards{};
    awards.featured = PickFeaturedPlayer(tables, draw);
    awards.featuredClan = kNoClan;
    awards.favoriteWeapon = kUnknownWeapon;
    if (awards.featured >= 0) {
        awards.featuredClan = FindPlayerClan(tables, awards.featured);
        awards.favoriteWeapon = FavoriteWeapon(tables.players[awards.featured]);
    }
    // The two tie rules differ (see Awards.h): the top railer is taken from
    // topRailers, where the higher index wins a tie; the rate leaders below
    // keep the lower index.
    awards.topRailer = {-1, 0.0f};
    if (tables.playerCount > 0) {
        int railer = tables.topRailers[0];
        awards.topRailer = {railer, KillsPerHour(tables.players[railer], kRailgun)};
    }
    awards.mostSuicides = LeaderByRate(tables, kSuicide);
    awards.mostBfgKills = LeaderByRate(tables, kBfg);
    return awards;
}

}  // namespace mctf
