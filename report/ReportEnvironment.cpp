#include "report/ReportEnvironment.h"

#include <cstdio>

namespace mctf {

namespace {

// The broken-down local or UTC time of `when`; all zero when the clock value
// has none.
std::tm BrokenDown(std::time_t when, bool local) {
    std::tm out{};
#ifdef _WIN32
    const bool ok = (local ? localtime_s(&out, &when) : gmtime_s(&out, &when)) == 0;
#else
    const bool ok = (local ? localtime_r(&when, &out) : gmtime_r(&when, &out)) != nullptr;
#endif
    return ok ? out : std::tm{};
}

}  // namespace

std::string FormatReportDate(std::time_t when) {
    // Own name tables: the page is English whatever the locale says.
    static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::tm local = BrokenDown(when, true);
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %d",
                  kWeekdays[(local.tm_wday % 7 + 7) % 7], kMonths[(local.tm_mon % 12 + 12) % 12],
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
    return text;
}

std::string FormatUtcTime(std::time_t when) {
    const std::tm utc = BrokenDown(when, false);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

}  // namespace mctf
