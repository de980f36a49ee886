#include "core/SystemdUnits.h"

#include "core/GameFolder.h"
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

// One word of a command line: blanks stay inside the quotes. The paths hold
// no quote or backslash (SystemdPathProblem), so nothing else needs escaping.
std::string Word(std::string_view text, bool argument) {
    return '"' + Escaped(text, argument) + '"';
}

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

std::vector<SystemdUnit> SystemdUnits(const SystemdSetup& setup) {
    std::string folder = setup.quakePath;
    while (folder.size() > 1 && folder.ends_with('/')) folder.pop_back();
    const std::string script =
        (folder == "/" ? "" : folder) + "/" + std::string(kShellLauncherName);
    const std::string user = setup.userUnits ? "" : "User=" + Escaped(setup.user, false) + "\n";
    const std::string every = std::to_string(setup.statsMinutes) + "min";

    std::string server = "[Unit]\nDescription=Quake III Arena dedicated server (Morvane)\n";
    // A user's manager cannot order its units after the system's network.
    if (!setup.userUnits) server += "After=network.target\n";
    server += "\n[Service]\n" + user + "WorkingDirectory=" + Escaped(folder, false) +
              "\nExecStart=" + Word(script, false) +
              "\nRestart=on-failure\nRestartSec=5\n\n[Install]\nWantedBy=" +
              (setup.userUnits ? "default.target" : "multi-user.target") + "\n";

    const std::string stats =
        "[Unit]\nDescription=Morvane player statistics pages\n\n"
        "[Service]\nType=oneshot\n" +
        user + "ExecStart=" + Word(setup.program, false) + " stats --quiet --config " +
        Word(setup.config, true) +
        (setup.pages.empty() ? "" : " --out " + Word(setup.pages, true)) + "\n";

    const std::string timer = "[Unit]\nDescription=Morvane player statistics pages (every " +
                              every + ")\n\n[Timer]\nOnBootSec=" + every +
                              "\nOnUnitActiveSec=" + every +
                              "\n\n[Install]\nWantedBy=timers.target\n";
    return {{"morvane-server.service", server},
            {"morvane-stats.service", stats},
            {"morvane-stats.timer", timer}};
}

}  // namespace mctf
