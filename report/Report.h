// WriteReport: writes the linked statistics pages into the log folder.
//
// pstats.htm (server box, awards and short lists), rockets.htm, railers.htm,
// players.htm with its continuation pages, and clans.htm, in that order,
// each closed before the next is opened. The tables are only read.
#pragma once

#include "core/Desktop.h"
#include "core/ServerSettings.h"
#include "report/ReportEnvironment.h"
#include "stats/StatsTables.h"

namespace mctf {

// Writes every page into settings.statsDir and reports the outcome on the
// desktop: "pstats.htm written" on success, "ERROR Cannot create HTML File!"
// when the front page cannot be created, "ERROR Cannot write HTML File!"
// when a write failed. A later page that cannot be created ends the run
// without a message. True only when every page was written completely.
bool WriteReport(const StatsTables& tables, const ServerSettings& settings, Desktop& desktop,
                 const ReportEnvironment& env);

}  // namespace mctf
