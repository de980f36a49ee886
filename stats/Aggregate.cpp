#include "stats/Aggregate.h"

#include <algorithm>

#include "stats/ClanList.h"
#include "stats/Rates.h"

namespace mctf {

namespace {

// Writes the indices of the `count` players with the highest rate to
// `order`, best first; among equal rates the higher index comes first.
// `rate` is called with a player index. A partial sort costs n log n where
// picking the best of the rest, count times over, would cost n * count: the
// ranking orders all 4096 players.
template <typename RateOf>
void PickHighest(const StatsTables& tables, int count, uint16_t* order, RateOf rate) {
    uint16_t candidates[kPlayerCapacity];
    for (int i = 0; i < tables.playerCount; ++i) candidates[i] = static_cast<uint16_t>(i);
    std::partial_sort(candidates, candidates + count, candidates + tables.playerCount,
                      [&](uint16_t a, uint16_t b) {
                          float rateA = rate(a);
                          float rateB = rate(b);
                          return rateA != rateB ? rateA > rateB : a > b;
                      });
    std::copy(candidates, candidates + count, order);
}

void PickTopByWeapon(StatsTables& tables, Weapon weapon, uint16_t* list) {
    float rates[kPlayerCapacity];
    for (int i = 0; i < tables.playerCount; ++i) rates[i] = KillsPerHour(tables.players[i], weapon);
    PickHighest(tables, std::min(tables.playerCount, kTopListCapacity), list,
                [&](int i) { return rates[i]; });
}

// The clans of one pass, lowest averageRank first, appended at `next`.
void OrderClanPass(StatsTables& tables, int minMembers, int maxMembers, int& next) {
    int taking = 0;
    for (int i = 0; i < tables.clanCount; ++i) {
        ClanStats& clan = tables.clans[i];
        bool takesPart = clan.memberCount >= minMembers && clan.memberCount <= maxMembers;
        clan.ranked = takesPart ? 0 : 1;
        if (takesPart) ++taking;
    }
    for (int k = 0; k < taking; ++k) {
        int best = -1;
        for (int i = 0; i < tables.clanCount; ++i) {
            const ClanStats& clan = tables.clans[i];
            if (clan.ranked) continue;
            if (best < 0 || clan.averageRank <= tables.clans[best].averageRank) best = i;
        }
        tables.clans[best].ranked = 1;
        tables.clanOrder[next++] = static_cast<uint16_t>(best);
    }
}

}  // namespace

void RankByFragsPerHour(StatsTables& tables) {
    for (int i = 0; i < tables.playerCount; ++i) {
        PlayerStats& player = tables.players[i];
        player.fragsPerHour = RatePerHour(player.frags, player.secondsPlayed);
    }
    PickHighest(tables, tables.playerCount, tables.rankOrder,
                [&](int i) { return tables.players[i].fragsPerHour; });
    for (int k = 0; k < tables.playerCount; ++k) {
        tables.players[tables.rankOrder[k]].rankPosition = static_cast<int16_t>(k);
    }
}

void PickTopRailers(StatsTables& tables) { PickTopByWeapon(tables, kRailgun, tables.topRailers); }

void PickTopRocketeers(StatsTables& tables) {
    PickTopByWeapon(tables, kRocketLauncher, tables.topRocketeers);
}

void ScoreClans(StatsTables& tables) {
    for (int c = 0; c < tables.clanCount; ++c) {
        ClanStats& clan = tables.clans[c];
        int wanted = std::min(clan.memberCount, kClanTopMembers);
        int kept = 0;
        auto rankOf = [&](int player) { return tables.players[player].rankPosition; };
        for (int j = 0; j < clan.memberCount; ++j) {
            int member = clan.members[j];
            int place = 0;
            while (place < kept && rankOf(clan.topMembers[place]) < rankOf(member)) ++place;
            if (place >= wanted) continue;
            // Make room; when all places were taken the last one falls out.
            for (int q = std::min(kept, wanted - 1); q > place; --q) {
                clan.topMembers[q] = clan.topMembers[q - 1];
            }
            clan.topMembers[place] = member;
            if (kept < wanted) ++kept;
        }
        double sum = 0.0;
        for (int q = 0; q < kept; ++q) sum += rankOf(clan.topMembers[q]);
        clan.averageRank = kept > 0 ? static_cast<float>(sum / kept) : 0.0f;
    }
}

void OrderClans(StatsTables& tables) {
    int next = 0;
    OrderClanPass(tables, kClanTopMembers, kClanMemberCapacity, next);
    OrderClanPass(tables, 2, 2, next);
    OrderClanPass(tables, 1, 1, next);
}

ReadResult AggregateStats(StatsTables& tables, const ServerSettings& settings,
                          const IndexDraw& draw, FileSystem& files) {
    RankByFragsPerHour(tables);
    PickTopRailers(tables);
    PickTopRocketeers(tables);
    ScoreClans(tables);
    ReadResult clanList = LoadClanList(tables, settings, files);
    OrderClans(tables);
    tables.awards = ComputeAwards(tables, draw);
    return clanList;
}

}  // namespace mctf
