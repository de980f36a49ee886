// mctfcli systemd: the systemd units of a Linux server set up with mctfcli,
// printed, or written into a folder with --write (each file replaced whole,
// the files written named on standard output). System units run the server
// and the statistics as the owner of the game folder, never as root unless
// the folder is root's; --user units run under the user's own manager.
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <pwd.h>
#include <sys/stat.h>
#endif

#include "cli/CommandArgs.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "core/FileReplacement.h"
#include "core/FixedText.h"
#include "core/ServerFiles.h"
#include "core/SystemdUnits.h"

namespace mctf {

namespace {

namespace fs = std::filesystem;
constexpr std::string_view kCommand = "systemd";

// --every as minutes; nullopt when it is not a whole number in range.
std::optional<int> StatsMinutes(const std::optional<std::string>& every) {
    if (!every) return kDefaultStatsMinutes;
    int minutes = 0;
    const char* end = every->data() + every->size();
    const auto [stop, error] = std::from_chars(every->data(), end, minutes);
    if (error != std::errc() || stop != end || minutes < kMinStatsMinutes ||
        minutes > kMaxStatsMinutes)
        return std::nullopt;
    return minutes;
}

#ifndef _WIN32
// Says why systemd cannot take `path`, named `name`; true when it cannot.
bool Unusable(std::string_view name, std::string_view path, CommandContext& context) {
    const std::string problem = SystemdPathProblem(path);
    if (problem.empty()) return false;
    context.err << "mctfcli: " << name << ": systemd cannot take a path that " << problem << '\n';
    return true;
}

int WriteUnits(const std::vector<SystemdUnit>& units, const std::string& folder,
               CommandContext& context) {
    for (const SystemdUnit& unit : units) {
        const std::string path = Utf8FromPath(PathFromUtf8(folder) / unit.name);
        FileReplacement file(path, "w", *context.files);
        if (!file.Open()) {
            context.err << "mctfcli: " << path << ": cannot be created: " << file.Reason() << '\n';
            return 1;
        }
        file.Write(unit.text);
        if (!file.Commit()) {
            context.err << "mctfcli: " << path << ": cannot be written; the file is as it was\n";
            return 1;
        }
        context.out << path << '\n';
    }
    return 0;
}

// Fills setup.user with the owner of the game folder (its number when it has
// no name, or one a unit cannot carry) and warns when that is root. False
// after saying why not.
bool FindOwner(SystemdSetup& setup, CommandContext& context) {
    struct stat folder {};
    if (stat(setup.quakePath.c_str(), &folder) != 0) {
        context.err << "mctfcli: " << setup.quakePath
                    << ": cannot find the game folder (quakePath): " << SystemReason(errno) << '\n';
        return false;
    }
    if (!S_ISDIR(folder.st_mode)) {
        context.err << "mctfcli: " << setup.quakePath
                    << ": the game folder (quakePath) is not a folder\n";
        return false;
    }
    const passwd* owner = getpwuid(folder.st_uid);
    setup.user = owner && SystemdTakesUserName(owner->pw_name) ? owner->pw_name
                                                               : std::to_string(folder.st_uid);
    if (folder.st_uid == 0 && !setup.userUnits) {
        context.err << "mctfcli: warning: " << setup.quakePath
                    << " belongs to root, so the server and the statistics would run as root;"
                       " better give the game folder to an account of its own (useradd"
                       " --system quake3, chown -R quake3 on the folder) and run this again\n";
    }
    return true;
}
#endif

}  // namespace

int RunSystemdCommand(const CommandArgs& parsed, CommandContext& context) {
    if (!parsed.words.empty())
        return UsageError(context, kCommand, "unexpected argument '" + parsed.words[0] + "'");
    const std::optional<int> minutes = StatsMinutes(parsed.every);
    if (!minutes) {
        return UsageError(context, kCommand,
                          "--every takes " + std::to_string(kMinStatsMinutes) + " to " +
                              std::to_string(kMaxStatsMinutes) + " minutes, not '" +
                              *parsed.every + "'");
    }
#ifdef _WIN32
    context.err << "mctfcli: systemd: systemd units are for Linux servers\n";
    return 1;
#else
    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Read, context)) return 1;
    SystemdSetup setup;
    setup.quakePath = FixedText(store.settings.quakePath);
    setup.userUnits = parsed.userUnits;
    setup.statsMinutes = *minutes;
    if (!GamePathSet(store.settings)) {
        context.err << kGamePathNotSetMessage;
        return 1;
    }
    if (Unusable("quakePath", setup.quakePath, context) || !FindOwner(setup, context)) return 1;

    // The path of this very program, whatever it was started as.
    std::error_code error;
    setup.program = Utf8FromPath(fs::read_symlink("/proc/self/exe", error));
    if (error) {
        context.err << "mctfcli: /proc/self/exe: cannot find mctfcli itself: " << error.message()
                    << '\n';
        return 1;
    }
    const std::string name = ConfigName(parsed.config);
    setup.config = Utf8FromPath(fs::absolute(PathFromUtf8(ConfigPath(store))).lexically_normal());
    if (!fs::is_regular_file(PathFromUtf8(setup.config), error)) {
        context.err << "mctfcli: " << name
                    << ": no such settings file, and the statistics run needs one ('mctfcli "
                       "settings set' writes it)\n";
        return 1;
    }
    if (Unusable(setup.program, setup.program, context) || Unusable(name, setup.config, context))
        return 1;
    if (parsed.out) {
        setup.pages = Utf8FromPath(fs::absolute(PathFromUtf8(*parsed.out)).lexically_normal());
        if (Unusable(*parsed.out, setup.pages, context)) return 1;
    }
    if (!fs::exists(PathFromUtf8(ShellLauncherPath(store.settings)), error)) {
        context.err << "mctfcli: warning: " << setup.quakePath
                    << ": no morvane.sh yet ('mctfcli server-files' writes it)\n";
    }

    const std::vector<SystemdUnit> units = SystemdUnits(setup);
    if (parsed.write) return WriteUnits(units, *parsed.write, context);
    for (const SystemdUnit& unit : units) {
        context.out << (&unit == &units.front() ? "" : "\n") << "# " << unit.name << '\n'
                    << unit.text;
    }
    return 0;
#endif
}

}  // namespace mctf
