// MatchEvents: the handlers that follow the matches of a server log.
//
// They keep one record per client slot of the running match (matchSlots),
// count kills and suicides as they happen and, at the match end, merge every
// slot that played at least 60 seconds into the per-player table, where
// players are known by their cleaned name alone. Every handler takes the
// complete log line and ignores a line whose fields it cannot read.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/Desktop.h"
#include "stats/StatsTables.h"

namespace mctf {

inline constexpr int kMinimumSecondsPlayed = 60;
inline constexpr int kMeansOfDeathCount = 23;

// "InitGame:": empties the slots and moves the progress bar by 5 (after
// 100 it starts again at 0).
void OnInitGame(StatsTables& tables, Desktop& desktop, std::string_view line);
// "Exit:" and "ShutdownGame:": merges the running match once.
void OnMatchEnd(StatsTables& tables, Desktop& desktop, std::string_view line);
void OnClientBegin(StatsTables& tables, Desktop& desktop, std::string_view line);
void OnClientDisconnect(StatsTables& tables, Desktop& desktop, std::string_view line);
void OnClientUserinfoChanged(StatsTables& tables, Desktop& desktop, std::string_view line);
void OnKill(StatsTables& tables, Desktop& desktop, std::string_view line);
void IgnoreEvent(StatsTables& tables, Desktop& desktop, std::string_view line);

// Index of the first player whose name equals `name` exactly, or -1.
int FindPlayer(const StatsTables& tables, std::string_view name);

// Adds slot `slot` of the running match into player `player`.
void MergeSlot(StatsTables& tables, int player, int slot);

// The weapon index of a means-of-death number; kUnknownWeapon outside 0..22.
Weapon MeansOfDeathToWeapon(int32_t meansOfDeath);

}  // namespace mctf
