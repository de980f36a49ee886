// ServiceAccess: whether the account the systemd units run as can do what
// their first start needs: read the settings file, run mctfcli, morvane.sh
// and the dedicated server, write the game folder, the folder the server writes its
// log to and the folder of the statistics pages. Judged as the kernel would
// judge that account (its user id, group and other groups against the mode
// bits of every folder on the way; root passes), not by what this process may
// do, and every problem comes with the command that mends it, made of tools
// every Debian has (chmod, chown, install -d).
//
// Also where morvane.sh would find its dedicated server, and the making of a
// folder for the account, which --write of mctfcli systemd does.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"

namespace mctf {

struct Account {
    std::string name;       // the login name, or the user id when it has none
    std::string groupName;  // its own group's name, or the group id
    long long uid = -1, gid = -1;
    std::vector<long long> groups;  // the other groups it is in
};

// The account with the user id `uid`, as the password and group files know
// it; nullopt on Windows.
std::optional<Account> FindAccount(long long uid);

// Absolute paths; an empty one is not looked at.
struct ServicePaths {
    std::string config;      // the settings file, read by the statistics
    std::string program;     // mctfcli, run by the statistics
    std::string launcher;    // morvane.sh, run by the server
    std::string engine;      // the dedicated server morvane.sh starts
    std::string gameFolder;  // the server's home path: written
    std::string logFolder;   // the server's log goes there: written (made in the game folder)
    // Written by the statistics. It must be there before they start, since
    // the unit keeps the rest of the system read-only.
    std::string pages;
};

struct AccessProblem {
    std::string path;     // what stops the account
    std::string problem;  // "cannot pass through this folder to read the settings file"
    std::string fix;      // a shell command, "chmod o+x /home/admin"
};

// Everything that stops `account` from what `paths` need, in the order of
// ServicePaths, each folder on the way before the path itself. A missing path
// is no problem (but the pages folder), nor one that is not what it should be:
// those are said elsewhere.
std::vector<AccessProblem> ServiceAccessProblems(FileSystem& files, const Account& account,
                                                 const ServicePaths& paths);

// The PATH a unit runs with: systemd's default on Debian 12.
inline constexpr std::string_view kUnitSearchPath =
    "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin";

// The dedicated server morvane.sh of `gameFolder` starts when MCTF_SERVER is
// not set, run by `account` with the PATH `searchPath`: the first of
// kDedicatedServerNames in the game folder, else ioq3ded of the PATH, else
// kDebianServerPath, each a file the account may run. Empty when there is
// none. Keep this in step with WriteShellLauncher (core/ServerFiles.cpp).
std::string FoundDedicatedServer(FileSystem& files, const Account& account,
                                 std::string_view gameFolder,
                                 std::string_view searchPath = kUnitSearchPath);

// Makes `folder` as install -d -o would: the folders missing on the way as
// this process makes them, the last one 0755 (a web server reads the pages)
// and, run as root, given to `account`. Empty when it is done, else why not.
std::string MakeFolderFor(const std::string& folder, const Account& account);

}  // namespace mctf
