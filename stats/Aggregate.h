// Aggregate: the orderings and awards computed once after the last log file.
//
// AggregateStats ranks the players by frags per hour, picks the railgun and
// rocket-launcher top lists, scores the clans by the rank of their best
// three members, names them from the optional clanlist.txt of the game's
// morvane folder, orders them and decides the awards of the front page, so
// that the pages only print what the tables hold. In every ordering ties go to the higher
// index: the player orderings are partial sorts on (rate, index), the clan
// ordering picks the best of the rest once per place.
#pragma once

#include "core/FileSystem.h"
#include "core/ServerSettings.h"
#include "stats/Awards.h"
#include "stats/StatsTables.h"

namespace mctf {

// Runs the steps below in order (the clan scores use rankPosition), reads
// the clan list (ClanList.h) before the clans are ordered, and at the end
// fills tables.awards, drawing the featured player with `draw`. Returns how
// reading the clan list went.
ReadResult AggregateStats(StatsTables& tables, const ServerSettings& settings,
                          const IndexDraw& draw, FileSystem& files = SystemFiles());

void RankByFragsPerHour(StatsTables& tables);
void PickTopRailers(StatsTables& tables);
void PickTopRocketeers(StatsTables& tables);
// Keeps each clan's best three members and their mean rank.
void ScoreClans(StatsTables& tables);
// Clans of three or more members first, then pairs, then single members,
// each group by ascending averageRank.
void OrderClans(StatsTables& tables);

}  // namespace mctf
