// MatchEvents: the handlers that follow the matches of a server log.
//
// They keep one record per client slot of the running match (matchSlots),
// count kills and suicides as they happen and, at the match end, merge every
// slot that played at least 60 seconds into the per-player table, where
// players are known by their cleaned name alone. Beside the pages' figures
// they keep what only the JSON document shows (PlayerCounts: deaths, team
// kills, flag events, awards, the name with its colours, the team). Every
// handler takes one event line and ignores a line whose fields it cannot
// read.
#pragma once

#include <cstdint>
#include <string_view>

#include "stats/StatsTables.h"

namespace mctf {

inline constexpr int kMinimumSecondsPlayed = 60;
inline constexpr int kMeansOfDeathCount = 23;

// One log line as the reader hands it on. The reader has already read the
// time stamp and the keyword, so handlers start after them instead of
// scanning them again.
struct LogEventLine {
    std::string_view line;    // the complete line, stamp and keyword included
    std::string_view fields;  // the rest of the line after the keyword
    int32_t matchSeconds;     // the stamp as minutes * 60 + seconds
};

// "InitGame:": empties the slots (the reader reports the match start as
// progress).
void OnInitGame(StatsTables& tables, const LogEventLine& event);
// "Exit:" and "ShutdownGame:": merges the running match once, and counts it.
void OnMatchEnd(StatsTables& tables, const LogEventLine& event);
void OnClientBegin(StatsTables& tables, const LogEventLine& event);
void OnClientDisconnect(StatsTables& tables, const LogEventLine& event);
void OnClientUserinfoChanged(StatsTables& tables, const LogEventLine& event);
void OnKill(StatsTables& tables, const LogEventLine& event);
// "CTF:" (slot, team, event) and "Award:" (slot, award): counted for the
// JSON document only, in slotCounts.
void OnFlagEvent(StatsTables& tables, const LogEventLine& event);
void OnAward(StatsTables& tables, const LogEventLine& event);
void IgnoreEvent(StatsTables& tables, const LogEventLine& event);

// Index of the first player whose name equals `name` exactly, or -1.
int FindPlayer(const StatsTables& tables, std::string_view name);

// Adds slot `slot` of the running match into player `player`.
void MergeSlot(StatsTables& tables, int player, int slot);

// The weapon index of a means-of-death number; kUnknownWeapon outside 0..22.
Weapon MeansOfDeathToWeapon(int32_t meansOfDeath);

}  // namespace mctf
