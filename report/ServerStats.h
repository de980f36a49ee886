// The server box at the top of the front page: the message of the day with
// the time of the report, a featured player drawn at random among those with
// positive frags per hour, and the rail, suicide and BFG awards.
#pragma once

#include <optional>

#include "core/ServerSettings.h"
#include "report/PageWriter.h"
#include "report/ReportEnvironment.h"
#include "stats/StatsTables.h"

namespace mctf {

inline constexpr int kNoClan = -1;

struct RateLeader {
    int player;  // -1 when there are no players
    float rate;  // per hour
};

// Writes the page head (title "Server Stats") and the server box.
void WriteServerStats(PageWriter& page, const StatsTables& tables,
                      const ServerSettings& settings, const ReportEnvironment& env);

// A uniform draw among the players with a positive fragsPerHour; nullopt
// when there is none.
std::optional<int> PickFeaturedPlayer(const StatsTables& tables, const ReportEnvironment& env);

// The weapon index with the most kills; the higher index wins a tie, so a
// player without kills gets kUnknownWeapon.
int FavoriteWeapon(const PlayerStats& player);

// The clan whose members include `player`, or kNoClan.
int FindPlayerClan(const StatsTables& tables, int player);

// The player with the highest rate per hour of weaponKills[counter]; the
// lower index wins a tie.
RateLeader LeaderByRate(const StatsTables& tables, int counter);

}  // namespace mctf
