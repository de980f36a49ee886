// Awards: the figures of the front page's server box, decided once after the
// orderings so that the page only prints them.
//
// A featured player drawn at random among those with positive frags per
// hour, with the clan that may link to a home page and the weapon the player
// killed most with; the top railer ("Hugest Cack"); and the leaders in
// suicides ("Biggest Dumbass") and BFG kills ("Biggest Lamer") per hour.
// The draw is passed in, so that tests can fix it.
//
// The leaders break ties in opposite ways, and both rules stay, since they
// decide whom the front page names: the top railer is the first of topRailers, an ordering in which the
// higher index comes first among equal rates (Aggregate.h), while the
// suicide and BFG leaders (LeaderByRate) keep the lower index.
#pragma once

#include <functional>

#include "stats/StatsTables.h"

namespace mctf {

// A random draw: each call gives an index in [0, bound), every value equally
// likely.
using IndexDraw = std::function<int(int bound)>;

// A draw from a generator seeded with `seed`.
IndexDraw SeededDraw(unsigned seed);

// The awards of tables whose orderings are made (rankOrder, topRailers).
// The draw is called only when some player has a positive fragsPerHour.
Awards ComputeAwards(const StatsTables& tables, const IndexDraw& draw);

// A uniform draw among the players with a positive fragsPerHour: indices
// below the player capacity are drawn until one names such a player. -1 when
// there is none. A draw that never hits one gives up after a few million
// tries and takes the first such player.
int PickFeaturedPlayer(const StatsTables& tables, const IndexDraw& draw);

// The weapon index with the most kills; the higher index wins a tie, so a
// player without kills gets kUnknownWeapon.
int FavoriteWeapon(const PlayerStats& player);

// The clan whose members include `player`, or kNoClan.
int FindPlayerClan(const StatsTables& tables, int player);

// The player with the highest rate per hour of weaponKills[counter]; the
// lower index wins a tie. Player -1 when there are no players.
RateLeader LeaderByRate(const StatsTables& tables, int counter);

}  // namespace mctf
