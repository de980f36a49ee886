#include "report/ReportEnvironment.h"

#include <cstdio>

namespace mctf {

namespace {

// The broken-down local time of `when`; false when the clock value has none.
bool LocalTime(std::time_t when, std::tm& local) {
#ifdef _WIN32
    return localtime_s(&local, &when) == 0;
#else
    return localtime_r(&when, &local) != nullptr;
#endif
}

bool UtcTime(std::time_t when, std::tm& utc) {
#ifdef _WIN32
    return gmtime_s(&utc, &when) == 0;
#else
    return gmtime_r(&when, &utc) != nullptr;
#endif
}

}  // namespace

std::string FormatReportDate(std::time_t when) {
    // Own name tables: the page is English whatever the locale says.
    static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    if (!LocalTime(when, local)) local = std::tm{};
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %d",
                  kWeekdays[(local.tm_wday % 7 + 7) % 7], kMonths[(local.tm_mon % 12 + 12) % 12],
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
    return text;
}

std::string FormatUtcTime(std::time_t when) {
    std::tm utc{};
    if (!UtcTime(when, utc)) utc = std::tm{};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

}  // namespace mctf
