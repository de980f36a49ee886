// ReportEnvironment: the clock and the random draw a statistics run depends on.
//
// The front page shows the time it was made and a featured player that the
// aggregation draws at random (stats/Awards.h). Both come from here so that
// tests can fix them; a default-made environment uses the real clock and,
// for every run, a generator seeded with the current time in seconds
// (AnalyzeLogs makes it).
#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace mctf {

struct ReportEnvironment {
    // The current time.
    std::function<std::time_t()> now = [] { return std::time(nullptr); };

    // Returns a draw function: each call gives an index in [0, bound), every
    // value equally likely. Called once per run, for the featured player.
    std::function<std::function<int(int bound)>()> startDraw;
};

// "Www Mmm DD HH:MM:SS YYYY" in English, local time, day with a leading zero.
std::string FormatReportDate(std::time_t when);

}  // namespace mctf
