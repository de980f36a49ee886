#include "core/SystemdUnits.h"

#include "core/GameFolder.h"
#include "core/ServerFiles.h"
#include "core/Utf8.h"

namespace mctf {

namespace {

// systemd expands "%" specifiers in every setting used here, and "$"
// variables in a command's arguments (never in the program's own path).
std::string Escaped(std::string_view text, bool argument) {
    std::string escaped;
    for (char c : text) {
        if (c == '%' || (argument && c == '$')) escaped += c;
        escaped += c;
    }
    return escaped;
}

// One word of a command line (or of a list of paths): blanks stay inside
// the quotes, a quote or backslash in an argument is escaped with a
// backslash (paths hold neither: SystemdPathProblem).
std::string Word(std::string_view text, bool argument) {
    std::string word = "\"";
    for (char c : Escaped(text, argument)) {
        if (c == '"' || c == '\\') word += '\\';
        word += c;
    }
    return word + '"';
}

// What keeps each service from what it does not need, in either manager.
// PrivateUsers= is what lets a user's manager apply the rest at all.
constexpr std::string_view kSandbox =
    "NoNewPrivileges=yes\nCapabilityBoundingSet=\nPrivateUsers=yes\nPrivateTmp=yes\n"
    "PrivateDevices=yes\nPrivateMounts=yes\nProtectSystem=strict\nProtectHome=read-only\n"
    "ProtectKernelTunables=yes\nProtectKernelModules=yes\nProtectKernelLogs=yes\n"
    "ProtectControlGroups=yes\nProtectClock=yes\nProtectHostname=yes\nRestrictNamespaces=yes\n"
    "RestrictRealtime=yes\nRestrictSUIDSGID=yes\nLockPersonality=yes\nRemoveIPC=yes\n"
    "KeyringMode=private\nSystemCallArchitectures=native\nSystemCallFilter=@system-service\n"
    "SystemCallErrorNumber=EPERM\n";
// The /proc of its own: a user's manager cannot mount one.
constexpr std::string_view kSystemSandbox = "ProtectProc=invisible\nProcSubset=pid\n";

}  // namespace

std::string SystemdPathProblem(std::string_view path) {
    if (!path.starts_with('/')) return "is not an absolute path";
    for (char c : path) {
        const unsigned char byte = c;
        if (c == '\n' || c == '\r') return "holds a line break";
        if (byte < 0x20 || byte == 0x7f) return "holds a control character";
        if (c == '"' || c == '\'' || c == '\\') return "holds a quote or a backslash";
    }
    if (!IsUtf8(path)) return "is not UTF-8";
    // A working folder loses its trailing slashes first, then the blank.
    const size_t last = path.find_last_not_of('/');
    if (last != path.npos && path[last] == ' ') return "ends in a blank";
    if (path.ends_with("/..") || path.find("/../") != path.npos) return "has a '..' part";
    return "";
}

bool SystemdTakesUserName(std::string_view name) {
    const auto number = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == text.npos;
    };
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == ':' || c == '/') return false;
    const size_t kept = name.find_last_not_of('\\');
    const size_t backslashes = name.size() - (kept == name.npos ? 0 : kept + 1);
    return !name.empty() && IsUtf8(name) && !name.starts_with(' ') && !name.ends_with(' ') &&
           backslashes % 2 == 0 && name != "." && name != ".." && !number(name) &&
           !(name.starts_with('-') && number(name.substr(1)));
}

std::string SystemdArgumentProblem(std::string_view argument) {
    for (char c : argument) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return "holds a control character";
    }
    return IsUtf8(argument) ? "" : "is not UTF-8";
}

std::vector<SystemdUnit> SystemdUnits(const SystemdSetup& setup) {
    std::string folder = setup.quakePath;
    while (folder.size() > 1 && folder.ends_with('/')) folder.pop_back();
    const std::string script =
        (folder == "/" ? "" : folder) + "/" + std::string(kShellLauncherName);
    const std::string user = setup.userUnits ? "" : "User=" + Escaped(setup.user, false) + "\n";
    const std::string sandbox =
        std::string(kSandbox) + (setup.userUnits ? "" : std::string(kSystemSandbox));
    const std::string every = std::to_string(setup.statsMinutes) + "min";
    const std::string manual = "Documentation=man:mctfcli(1)\n";

    std::string server =
        "[Unit]\nDescription=Quake III Arena dedicated server (Morvane)\n" + manual;
    // A user's manager cannot order its units after the system's network.
    if (!setup.userUnits) server += "After=network.target\n";
    // A server that fails 5 times within 10 minutes stays down.
    server += "StartLimitIntervalSec=10min\nStartLimitBurst=5\n\n[Service]\n" + user +
              "WorkingDirectory=" + Escaped(folder, false) + "\n";
    if (!setup.server.empty())
        server += "Environment=\"MCTF_SERVER=" + Escaped(setup.server, false) + "\"\n";
    server += "ExecStart=" + Word(script, false);
    for (const std::string& argument : setup.serverArguments) server += ' ' + Word(argument, true);
    // morvane.sh that finds no server would find none the next time either.
    server +=
        "\nRestart=on-failure\nRestartSec=5\nRestartPreventExitStatus=" +
        std::to_string(kNoServerStatus) + "\nUMask=0077\nReadWritePaths=" + Word(folder, false) +
        "\nRestrictAddressFamilies=AF_INET AF_INET6 AF_UNIX\n" + sandbox +
        "\n[Install]\nWantedBy=" + (setup.userUnits ? "default.target" : "multi-user.target") +
        "\n";

    const std::string& pages = setup.pages.empty() ? setup.statsFolder : setup.pages;
    const std::string stats =
        "[Unit]\nDescription=Morvane player statistics pages\n" + manual +
        "\n[Service]\nType=oneshot\n" + user + "ExecStart=" + Word(setup.program, false) +
        " stats --quiet --config " + Word(setup.config, true) +
        (setup.pages.empty() ? "" : " --out " + Word(setup.pages, true)) +
        "\nUMask=0022\nReadWritePaths=" + Word(pages, false) +  // pages 0644, for the web server
        "\nPrivateNetwork=yes\nRestrictAddressFamilies=none\nMemoryDenyWriteExecute=yes\n" +
        sandbox;

    const std::string timer = "[Unit]\nDescription=Morvane player statistics pages (every " +
                              every + ")\n" + manual + "\n[Timer]\nOnBootSec=" + every +
                              "\nOnUnitActiveSec=" + every +
                              "\n\n[Install]\nWantedBy=timers.target\n";
    return {{"morvane-server.service", server},
            {"morvane-stats.service", stats},
            {"morvane-stats.timer", timer}};
}

}  // namespace mctf
