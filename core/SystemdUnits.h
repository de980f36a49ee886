// The systemd units of a Linux server set up with mctfcli: the game server
// (morvane.sh in the game folder) as a service restarted when it fails, and
// the statistics run as a oneshot service started by a timer.
//
// Only the text is made here; mctfcli systemd finds the folder's owner, its
// own path and the settings file, and prints or writes the units.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mctf {

inline constexpr int kMinStatsMinutes = 1;
inline constexpr int kMaxStatsMinutes = 24 * 60;
inline constexpr int kDefaultStatsMinutes = 30;

struct SystemdSetup {
    std::string quakePath;  // the game folder, holding morvane.sh
    std::string program;    // mctfcli, absolute
    std::string config;     // the settings file, absolute
    std::string pages;      // stats --out, absolute; empty: statsDir
    // User= of both services (a name SystemdTakesUserName takes, or a user
    // id); empty for units of a user's own manager (systemctl --user), which
    // run as that user anyway.
    std::string user;
    bool userUnits = false;
    int statsMinutes = kDefaultStatsMinutes;  // kMinStatsMinutes to kMaxStatsMinutes
};

struct SystemdUnit {
    std::string name;  // "morvane-server.service"
    std::string text;
};

// What keeps systemd from taking `path` as a program's path or a working
// folder: "is not an absolute path", "holds a line break", ...; empty when
// it can. Quotes and backslashes are refused in a program's path, blanks at
// the end are dropped from a working folder, and ".." is not taken in either.
std::string SystemdPathProblem(std::string_view path);

// Whether a unit's User= can name the account `name`: systemd takes it as a
// name (UTF-8 without control characters, ':' or '/', no blank at either
// end, not "." or "..", not a number, which would be read as a user id) and
// its line keeps it (an odd number of backslashes at its end would join the
// next line to it).
// Otherwise the account's number goes there.
bool SystemdTakesUserName(std::string_view name);

// The server's service, the statistics service and its timer, in that order.
// Every path of `setup` must have passed SystemdPathProblem.
std::vector<SystemdUnit> SystemdUnits(const SystemdSetup& setup);

}  // namespace mctf
