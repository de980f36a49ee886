#include "stats/LogNames.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

namespace mctf {

namespace {

// Copies numbered by logrotate come first, then dated ones, then the live log.
enum class Rotation { Numbered, Dated, Live };

struct LogName {
    std::string_view base;  // NAME.log
    Rotation rotation = Rotation::Live;
    std::string_view stamp;  // N or DATE
    bool gzip = false;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// `rest` is NAME.log, what a rotation suffix follows.
bool IsBase(std::string_view rest) { return EndsWithIgnoringCase(rest, ".log"); }

std::optional<LogName> ParseLogName(std::string_view name) {
    if (IsBase(name)) return LogName{name, Rotation::Live, {}, false};
    LogName log;
    log.gzip = EndsWithIgnoringCase(name, ".gz");
    if (log.gzip) name.remove_suffix(3);
    // NAME.log.N
    const std::size_t digits = name.find_last_not_of("0123456789") + 1;
    if (digits < name.size() && digits > 0 && name[digits - 1] == '.' &&
        IsBase(name.substr(0, digits - 1))) {
        log.base = name.substr(0, digits - 1);
        log.rotation = Rotation::Numbered;
        log.stamp = name.substr(digits);
        return log;
    }
    // NAME.log-DATE, the date starting with a digit.
    const std::size_t dash = name.find_last_not_of("0123456789-") + 1;
    if (dash + 1 < name.size() && dash > 0 && name[dash] == '-' && IsDigit(name[dash + 1]) &&
        IsBase(name.substr(0, dash))) {
        log.base = name.substr(0, dash);
        log.rotation = Rotation::Dated;
        log.stamp = name.substr(dash + 1);
        return log;
    }
    return std::nullopt;
}

// Orders stamps as their runs of digits read as numbers, run by run: "9"
// before "10", "20261206" before "20261206-01".
int CompareStamps(std::string_view a, std::string_view b) {
    auto nextRun = [](std::string_view& text) {
        const std::size_t start = text.find_first_not_of('-');
        if (start == std::string_view::npos) {
            text = {};
            return std::string_view();
        }
        text.remove_prefix(start);
        std::size_t end = text.find('-');
        if (end == std::string_view::npos) end = text.size();
        std::string_view run = text.substr(0, end);
        text.remove_prefix(end);
        const std::size_t nonZero = run.find_first_not_of('0');
        return nonZero == std::string_view::npos ? std::string_view() : run.substr(nonZero);
    };
    std::string_view restA = a, restB = b;
    while (!restA.empty() && !restB.empty()) {
        const std::string_view runA = nextRun(restA), runB = nextRun(restB);
        if (runA.size() != runB.size()) return runA.size() < runB.size() ? -1 : 1;
        if (const int order = runA.compare(runB); order != 0) return order;
    }
    if (restA.empty() != restB.empty()) return restA.empty() ? -1 : 1;
    return a.compare(b);  // equal numbers written otherwise ("01", "1"): any fixed order
}

std::string Folded(std::string_view name, bool ignoreCase) {
    std::string folded(name);
    if (ignoreCase)
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return folded;
}

struct Listed {
    std::string name;
    Rotation rotation;
    std::string stamp;
    bool gzip;
    std::string at;  // the name of the log it is read at (first its folded key)
};

}  // namespace

bool IsLogFileName(std::string_view name) { return ParseLogName(name).has_value(); }

bool IsGzipFileName(std::string_view path) { return EndsWithIgnoringCase(path, ".gz"); }

std::vector<std::string> OrderLogNames(std::vector<std::string> names, bool ignoreCase) {
    // Where each log's copies stand: at the live log, or, when it is gone, at
    // the first spelling of its name (in byte order) among the copies.
    struct Place {
        std::string name;
        bool live = false;
    };
    std::map<std::string, Place> places;
    std::vector<Listed> listed;
    for (std::string& name : names) {
        const std::optional<LogName> log = ParseLogName(name);
        if (!log) continue;
        Place& place = places[Folded(log->base, ignoreCase)];
        const bool live = log->rotation == Rotation::Live;
        if (place.name.empty() || (live && !place.live) ||
            (live == place.live && log->base < place.name))
            place = {std::string(log->base), live};
        std::string stamp(log->stamp), key = Folded(log->base, ignoreCase);  // before the move
        listed.push_back(
            {std::move(name), log->rotation, std::move(stamp), log->gzip, std::move(key)});
    }
    // A live log stays where its own name puts it.
    for (Listed& entry : listed)
        entry.at = entry.rotation == Rotation::Live ? entry.name : places[entry.at].name;

    std::sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
        if (a.at != b.at) return a.at < b.at;
        if (a.rotation != b.rotation) return a.rotation < b.rotation;
        if (a.stamp != b.stamp) {
            const int order = CompareStamps(a.stamp, b.stamp);
            // The highest number is the oldest copy, the earliest date too.
            return a.rotation == Rotation::Numbered ? order > 0 : order < 0;
        }
        return std::tie(a.gzip, a.name) < std::tie(b.gzip, b.name);
    });
    std::vector<std::string> ordered;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const Listed& entry = listed[i];
        const Listed* before = i > 0 ? &listed[i - 1] : nullptr;
        if (entry.gzip && before != nullptr && !before->gzip && before->at == entry.at &&
            before->rotation == entry.rotation && before->stamp == entry.stamp)
            continue;  // the plain twin is read
        ordered.push_back(std::move(listed[i].name));
    }
    return ordered;
}

}  // namespace mctf
