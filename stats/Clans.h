// Clans: players carrying the same tag in their names form a clan.
//
// The tag lies between the first and the last of the delimiters [ ] { } |,
// or, with a single delimiter, is the shorter side of it. A clan is founded
// by its first member and holds at most 16; the table holds 4096 clans.
#pragma once

#include <string_view>

#include "stats/StatsTables.h"

namespace mctf {

// Derives the tag of `name` and enters player `player` into its clan,
// founding it when needed. A name without a usable tag joins no clan.
void AssignClan(StatsTables& tables, int player, std::string_view name);

// Adds `player` to the clan whose tag equals `tag` exactly. True when such a
// clan exists, even when it is full and the player was not added.
bool JoinClan(StatsTables& tables, int player, std::string_view tag);

}  // namespace mctf
