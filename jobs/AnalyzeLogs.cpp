#include "jobs/AnalyzeLogs.h"

#include <string>
#include <vector>

#include "core/FixedText.h"
#include "report/Report.h"
#include "stats/Aggregate.h"
#include "stats/LogReader.h"

namespace mctf {

bool AnalyzeLogs(StatsTables& tables, const ServerSettings& settings, Desktop& desktop,
                 const ReportEnvironment& env) {
    ResetLogTables(tables);
    const std::string folder(FixedText(settings.statsDir));
    const std::vector<std::string> logFiles = FindLogFiles(folder);
    if (logFiles.empty()) {
        desktop.ShowMessage("ERROR Cannot find any log files!");
        return false;
    }

    desktop.OpenProgress();
    tables.progressPosition = 0;
    // An unreadable file is skipped; the run goes on with the next one.
    for (const std::string& name : logFiles) ReadLogFile(tables, desktop, folder, name);
    // Seeded anew for every run, so that every report draws afresh.
    IndexDraw draw = env.startDraw ? env.startDraw() : SeededDraw(static_cast<unsigned>(env.now()));
    AggregateStats(tables, settings, draw);
    desktop.SetProgress(100);
    bool written = WriteReport(tables, settings, desktop, env);
    desktop.CloseProgress();
    return written;
}

}  // namespace mctf
