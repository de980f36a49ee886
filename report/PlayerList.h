// The player list: every counted player in ranking order with time played,
// frags per hour and kills per hour by weapon, 100 rows to a page. A longer
// list closes the page it started on and goes on in continuation pages
// players_100.htm, players_200.htm, ... of the statistics folder.
#pragma once

#include <string>

#include "report/PageWriter.h"
#include "stats/StatsTables.h"

namespace mctf {

inline constexpr int kPlayerPageRows = 100;

// Writes the best min(count, playerCount) players. On return the page holds
// the last rows and is left open for the caller to finish. False when a
// continuation page could not be created: the list ends there and no page
// is open.
bool WritePlayerList(PageWriter& page, const StatsTables& tables, const std::string& statsDir,
                     int count);

// Creates continuation page players_<first>.htm and writes everything before
// its first row. False when it cannot be created.
bool OpenPlayerPage(PageWriter& page, const std::string& statsDir, int first, bool hasNext);

}  // namespace mctf
