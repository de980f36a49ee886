// ClanList: the optional clanlist.txt of the game's morvane folder, which
// gives the clans found in the logs their names, home pages and contacts.
//
// Four white-space separated words per clan: tag, name, home page, contact;
// "none" leaves a home page or contact as it is, and a NUL ends the text of
// a word. A tag longer than a clan's tag field matches no clan; a trailing
// group of fewer than four words is ignored.
#pragma once

#include <string>

#include "core/FileSystem.h"
#include "core/ServerSettings.h"
#include "stats/StatsTables.h"

namespace mctf {

// The path of the clan list for a game folder: <quakePath>/morvane/clanlist.txt.
std::string ClanListPath(const ServerSettings& settings);

// Applies the clan list to the clans of `tables`. A missing file, or anything
// but a regular file in its place: no-op (Absent). A file that is there but
// cannot be read, even one failing part-way: no-op too, Unreadable with the
// system's reason (nothing of it is applied).
ReadResult LoadClanList(StatsTables& tables, const ServerSettings& settings,
                        FileSystem& files = SystemFiles());

}  // namespace mctf
