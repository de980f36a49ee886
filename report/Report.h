// WriteReport: writes the linked statistics pages into the log folder.
//
// pstats.htm (server box, awards and short lists), rockets.htm, railers.htm,
// players.htm with its continuation pages, and clans.htm, in that order,
// each closed before the next is opened, and each replacing its old page
// whole. A second run into the same folder waits until the first is done
// (FolderLock). The tables are only read.
#pragma once

#include <string>

#include "core/ServerSettings.h"
#include "report/ReportEnvironment.h"
#include "stats/StatsTables.h"

namespace mctf {

enum class ReportStatus {
    Written,
    CannotCreateFrontPage,  // pstats.htm: nothing was written
    CannotCreatePage,       // a later page: the run ended there
    CannotWrite,            // a write, flush or close failed (a full disk)
};

struct ReportOutcome {
    ReportStatus status = ReportStatus::Written;
    // The page that could not be created; empty otherwise.
    std::string page;
    // Why not: the system's words ("Permission denied") or kNotRegularFile.
    std::string reason;

    bool Written() const { return status == ReportStatus::Written; }
};

// Writes every page into `folder` (the window's statsDir, or where mctfcli
// is told). Written only when every page was written completely; a failed
// write never passes for a finished report.
ReportOutcome WriteReport(const StatsTables& tables, const ServerSettings& settings,
                          const std::string& folder, const ReportEnvironment& env);

}  // namespace mctf
