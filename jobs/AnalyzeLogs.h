// AnalyzeLogs: one statistics run, from a folder of server logs to the
// finished pages.
//
// Empties the tables, reads every *.log file of statsDir in name order with
// the "Reading Data" progress window open, aggregates and writes the report
// into the same folder. The caller owns the tables (keep them on the heap:
// they are large) and may read them afterwards.
#pragma once

#include "core/Desktop.h"
#include "core/ServerSettings.h"
#include "report/ReportEnvironment.h"
#include "stats/ReadProgress.h"
#include "stats/StatsTables.h"

namespace mctf {

// True when the report was written completely. Without any log file shows
// "ERROR Cannot find any log files!" and writes nothing.
// The desktop's bar moves at every match start (see ReadProgress.h);
// `reading`, when given, is also told of every match start and every block
// read, with the bytes read so far and the total.
bool AnalyzeLogs(StatsTables& tables, const ServerSettings& settings, Desktop& desktop,
                 const ReportEnvironment& env, ReadProgress* reading = nullptr);

}  // namespace mctf
