// mctfcli systemd: the systemd units of a Linux server set up with mctfcli,
// printed, or written into a folder with --write (each file replaced whole,
// the files written named on standard output). System units run the server
// and the statistics as the owner of the game folder, never as root unless
// the folder is root's; --user units run under the user's own manager.
// Whatever would stop that account at the units' first start (a settings
// file it cannot read, a folder it cannot write, no server to start) is
// named with the command that mends it, and the status is then 1; --write
// makes the pages folder for it.
#include <cerrno>
#include <charconv>
#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "cli/CommandArgs.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "core/FileReplacement.h"
#include "core/FixedText.h"
#include "core/ServerFiles.h"
#include "core/ServiceAccess.h"
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

// The account the units run as: the owner of the game folder (who is warned
// about when that is root), or for --user units this very user. Fills
// setup.user with its name (its number when it has no name, or one a unit
// cannot carry). Nullopt after saying why not.
std::optional<Account> FindServiceAccount(SystemdSetup& setup, CommandContext& context) {
    struct stat folder {};
    if (stat(setup.quakePath.c_str(), &folder) != 0) {
        context.err << "mctfcli: " << setup.quakePath
                    << ": cannot find the game folder (quakePath): " << SystemReason(errno) << '\n';
        return std::nullopt;
    }
    if (!S_ISDIR(folder.st_mode)) {
        context.err << "mctfcli: " << setup.quakePath
                    << ": the game folder (quakePath) is not a folder\n";
        return std::nullopt;
    }
    const uid_t uid = setup.userUnits ? geteuid() : folder.st_uid;
    std::optional<Account> account = FindAccount(uid);
    setup.user =
        account && SystemdTakesUserName(account->name) ? account->name : std::to_string(uid);
    if (uid == 0 && !setup.userUnits) {
        context.err << "mctfcli: warning: " << setup.quakePath
                    << " belongs to root, so the server and the statistics would run as root;"
                       " better give the game folder to an account of its own (useradd"
                       " --system quake3, chown -R quake3 on the folder) and run this again\n";
    }
    return account;
}

// The server morvane.sh is to start: --server, checked, or the one it would
// find itself, named on standard error. Empty after saying why there is none.
std::string ServerProgram(const CommandArgs& parsed, const Account& account, SystemdSetup& setup,
                          CommandContext& context) {
    if (!parsed.server) {
        const std::string found = FoundDedicatedServer(*context.files, account, setup.quakePath);
        if (found.empty()) {
            context.err << "mctfcli: " << setup.quakePath
                        << ": morvane.sh would find no dedicated server, neither in the game "
                           "folder nor as ioq3ded of a unit's PATH nor as "
                        << kDebianServerPath << "; name one with --server PATH\n";
        } else {
            context.err << "mctfcli: the server unit starts " << found
                        << " (as morvane.sh finds it; --server PATH names another)\n";
        }
        return found;
    }
    const std::string path =
        Utf8FromPath(fs::absolute(PathFromUtf8(*parsed.server)).lexically_normal());
    if (Unusable(*parsed.server, path, context)) return "";
    const FileStatus status = context.files->Status(path);
    if (status.kind != FileKind::Regular || (status.mode & 0111) == 0) {
        context.err << "mctfcli: " << *parsed.server << ": --server names no program: "
                    << (status.kind == FileKind::Missing   ? SystemReason(status.error)
                        : status.kind == FileKind::Regular ? "it may not be run"
                                                           : kNotRegularFile)
                    << '\n';
        return "";
    }
    setup.server = path;
    return path;
}
#endif

}  // namespace

int RunSystemdCommand(const CommandArgs& parsed, CommandContext& context) {
    const std::size_t before = parsed.wordsBeforeDashes.value_or(parsed.words.size());
    if (before > 0)
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
    setup.serverArguments.assign(parsed.words.begin() + static_cast<std::ptrdiff_t>(before),
                                 parsed.words.end());
    if (!GamePathSet(store.settings)) {
        context.err << kGamePathNotSetMessage;
        return 1;
    }
    if (Unusable("quakePath", setup.quakePath, context)) return 1;
    const std::optional<Account> account = FindServiceAccount(setup, context);
    if (!account) return 1;
    for (const std::string& argument : setup.serverArguments) {
        const std::string problem = SystemdArgumentProblem(argument);
        if (problem.empty()) continue;
        context.err << "mctfcli: " << argument << ": a unit cannot pass on an argument that "
                    << problem << '\n';
        return 1;
    }

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
    setup.statsFolder =
        Utf8FromPath(fs::absolute(PathFromUtf8(StatsFolder(store.settings))).lexically_normal());
    const std::string& pages = setup.pages.empty() ? setup.statsFolder : setup.pages;
    if (Unusable("statsDir", pages, context)) return 1;
    const std::string launcher = ShellLauncherPath(store.settings);
    if (!fs::exists(PathFromUtf8(launcher), error)) {
        context.err << "mctfcli: warning: " << setup.quakePath
                    << ": no morvane.sh yet ('mctfcli server-files' writes it)\n";
    }
    const std::string server = ServerProgram(parsed, *account, setup, context);
    if (server.empty()) return 1;

    // --write makes the pages folder the statistics need, as the operator
    // would; when it cannot, the check below says how.
    if (parsed.write && context.files->Status(pages).kind == FileKind::Missing) {
        const std::string reason = MakeFolderFor(pages, *account);
        context.err << "mctfcli: " << pages << ": "
                    << (reason.empty() ? "made for " + account->name : "cannot be made: " + reason)
                    << '\n';
    }
    const std::vector<AccessProblem> problems =
        ServiceAccessProblems(*context.files, *account,
                              {setup.config, setup.program, launcher, server, setup.quakePath,
                               LogFolder(store.settings), pages});
    for (const AccessProblem& problem : problems) {
        context.err << "mctfcli: " << problem.path << ": " << account->name << ' '
                    << problem.problem << "; fix: " << problem.fix << '\n';
    }
    if (!problems.empty())
        context.err << "mctfcli: systemd: the units would fail at their first start until then\n";

    const std::vector<SystemdUnit> units = SystemdUnits(setup);
    int status = 0;
    if (parsed.write) {
        status = WriteUnits(units, *parsed.write, context);
    } else {
        for (const SystemdUnit& unit : units) {
            context.out << (&unit == &units.front() ? "" : "\n") << "# " << unit.name << '\n'
                        << unit.text;
        }
    }
    return problems.empty() ? status : 1;
#endif
}

}  // namespace mctf
