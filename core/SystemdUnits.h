// The systemd units of a Linux server set up with mctfcli: the game server
// (morvane.sh in the game folder) as a service restarted when it fails (a
// few times, and never when morvane.sh finds no server), and the statistics
// run as a oneshot service started by a timer; each service shut off from
// what it does not need.
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
    std::string quakePath;    // the game folder, holding morvane.sh
    std::string program;      // mctfcli, absolute
    std::string config;       // the settings file, absolute
    std::string pages;        // stats --out, absolute; empty: statsDir
    std::string statsFolder;  // where the pages go without --out, absolute
    // MCTF_SERVER of the server, absolute; empty: morvane.sh looks for one.
    std::string server;
    // Passed on by morvane.sh to the server ("+set", "com_basegame", ...);
    // each must have passed SystemdArgumentProblem.
    std::vector<std::string> serverArguments;
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

// What keeps a unit's command line from carrying `argument` as it is: "holds
// a control character", "is not UTF-8"; empty when it can.
std::string SystemdArgumentProblem(std::string_view argument);

// The server's service, the statistics service and its timer, in that order.
// Every path of `setup` must have passed SystemdPathProblem. Each service is
// kept from everything it does not need (systemd-analyze security rates
// both below 2): the system read-only but for the folders it writes, no
// capabilities, devices, kernel settings or other users' processes, and
// only the system calls and sockets a service of its kind uses.
std::vector<SystemdUnit> SystemdUnits(const SystemdSetup& setup);

}  // namespace mctf
