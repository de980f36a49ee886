// ReportEnvironment: the clock and the random draw a report depends on.
//
// The front page shows the time it was made and a featured player drawn at
// random. Both come from here so that tests can fix them; a default-made
// environment uses the real clock and, for every draw, a generator seeded
// with the current time in seconds.
#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace mctf {

struct ReportEnvironment {
    // The current time.
    std::function<std::time_t()> now = [] { return std::time(nullptr); };

    // Returns a draw function: each call gives an index in [0, bound), every
    // value equally likely. Called once per featured-player pick.
    std::function<std::function<int(int bound)>()> startDraw;
};

// The draw of `env`: its own, or a generator seeded with env.now().
std::function<int(int bound)> StartDraw(const ReportEnvironment& env);

// "Www Mmm DD HH:MM:SS YYYY" in English, local time, day with a leading zero.
std::string FormatReportDate(std::time_t when);

}  // namespace mctf
