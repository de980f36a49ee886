// The server box at the top of the front page: the message of the day with
// the time of the report, the featured player and the rail, suicide and BFG
// awards, as the aggregation decided them (tables.awards, stats/Awards.h).
#pragma once

#include "core/ServerSettings.h"
#include "report/PageWriter.h"
#include "report/ReportEnvironment.h"
#include "stats/StatsTables.h"

namespace mctf {

// Writes the page head (title "Server Stats") and the server box.
void WriteServerStats(PageWriter& page, const StatsTables& tables, const ServerSettings& settings,
                      const ReportEnvironment& env);

}  // namespace mctf
