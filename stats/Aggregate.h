// Aggregate: the orderings computed once after the last log file.
//
// AggregateStats ranks the players by frags per hour, picks the railgun and
// rocket-launcher top lists, scores the clans by the rank of their best
// three members, names them from the optional clanlist.txt of the game's
// morvane folder and orders them. In every ordering ties go to the higher
// index: the player orderings are partial sorts on (rate, index), the clan
// ordering picks the best of the rest once per place.
#pragma once

#include <string>

#include "core/ServerSettings.h"
#include "stats/StatsTables.h"

namespace mctf {

// Runs the five steps below in order (the clan scores use rankPosition).
void AggregateStats(StatsTables& tables, const ServerSettings& settings);

void RankByFragsPerHour(StatsTables& tables);
void PickTopRailers(StatsTables& tables);
void PickTopRocketeers(StatsTables& tables);
// Keeps each clan's best three members and their mean rank, then reads the
// clan list.
void ScoreClans(StatsTables& tables, const ServerSettings& settings);
// Reads <quakePath>/morvane/clanlist.txt, four words per clan: tag, name,
// home page, contact ("none" leaves a field as it is). A missing file, or
// anything but a regular file in its place: no-op.
void LoadClanList(StatsTables& tables, const ServerSettings& settings);
// Clans of three or more members first, then pairs, then single members,
// each group by ascending averageRank.
void OrderClans(StatsTables& tables);

// The path of the clan list for a game folder.
std::string ClanListPath(const ServerSettings& settings);

}  // namespace mctf
