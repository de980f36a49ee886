// ReportEnvironment: the clock, the random draw and the files a statistics
// run depends on.
//
// The front page shows the time it was made and a featured player that the
// aggregation draws at random (stats/Awards.h). Both come from here so that
// tests can fix them; a default-made environment uses the real clock and,
// for every run, a generator seeded with the current time in seconds
// (AnalyzeLogs makes it). The logs, the clan list and the pages go through
// `files` (the real file system unless a test makes calls fail); `waiting`
// hears of a wait for another run writing the same pages.
#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "core/FileSystem.h"

namespace mctf {

struct ReportEnvironment {
    // The current time.
    std::function<std::time_t()> now = [] { return std::time(nullptr); };

    // Returns a draw function: each call gives an index in [0, bound), every
    // value equally likely. Called once per run, for the featured player.
    std::function<std::function<int(int bound)>()> startDraw;

    FileSystem* files = &SystemFiles();

    // Told, with the pages folder, when another run is writing its pages
    // and this one waits for it to finish (FolderLock); unset: waits unsaid.
    std::function<void(const std::string& folder)> waiting;
};

// "Www Mmm DD HH:MM:SS YYYY" in English, local time, day with a leading zero.
std::string FormatReportDate(std::time_t when);

// "YYYY-MM-DDTHH:MM:SSZ": the same moment in UTC (ISO 8601), for programs.
std::string FormatUtcTime(std::time_t when);

}  // namespace mctf
