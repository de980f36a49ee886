// AnalyzeLogs: one statistics run, from a folder of server logs to the
// finished pages.
//
// Empties the tables, reads every *.log file of statsDir in name order with
// the "Reading Data" progress window open, aggregates and writes the report
// into the same folder. The caller owns the tables (keep them on the heap:
// they are large) and may read them afterwards.
#pragma once

#include <string>
#include <vector>

#include "core/Desktop.h"
#include "core/FileSystem.h"
#include "core/ServerSettings.h"
#include "report/ReportEnvironment.h"
#include "stats/ReadProgress.h"
#include "stats/StatsTables.h"

namespace mctf {

// Files a run found but could not read. The pages are written all the same:
// from the logs that could be read, without the clan list's names.
struct UnreadFiles {
    std::vector<ReadResult> logs;  // not opened (skipped), or failed part-way
    ReadResult clanList;           // Unreadable when clanlist.txt was
};

// True when the report was written completely. Without any log file shows
// "ERROR Cannot find any log files!" and writes nothing.
// The desktop's bar moves at every match start (see ReadProgress.h);
// `reading`, when given, is also told of every match start and every block
// read, with the bytes read so far and the total. Files found but not
// readable are skipped silently and listed in `unread` when given.
bool AnalyzeLogs(StatsTables& tables, const ServerSettings& settings, Desktop& desktop,
                 const ReportEnvironment& env, ReadProgress* reading = nullptr,
                 UnreadFiles* unread = nullptr);

// The window's note after the pages: clanlist.txt could not be read.
std::string UnreadableClanListMessage(const ReadResult& clanList);

}  // namespace mctf
