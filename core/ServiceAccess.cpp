#include "core/ServiceAccess.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/ServerFiles.h"

namespace mctf {

namespace {

// The permission bits of one class (owner, group, others).
constexpr int kRead = 4, kWrite = 2, kPass = 1;  // kPass: search a folder, run a file

// How the account gets what it lacks on a path that is neither its own nor
// its group's.
enum class Others {
    Open,   // chmod o+: nothing secret in a folder passed through or a program
    Group,  // the account's group gets it: the settings file holds passwords
    Own,    // the account takes it over: a folder it writes
};

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.ends_with('/')) path.pop_back();
    return path;
}

bool InGroup(const Account& account, long long group) {
    return group == account.gid || std::ranges::find(account.groups, group) != account.groups.end();
}

// The bits of the class the kernel takes for the account, and only that
// class: an owner without a right has it not even when others have it.
int Bits(const Account& account, const FileStatus& status) {
    if (status.owner == account.uid) return status.mode >> 6 & 7;
    if (InGroup(account, status.group)) return status.mode >> 3 & 7;
    return status.mode & 7;
}

int Granted(const Account& account, const FileStatus& status) {
    if (status.mode < 0) return kRead | kWrite | kPass;  // no mode bits (Windows)
    // Root passes every check but running a file nobody may run.
    if (account.uid == 0) {
        const bool runs = status.kind == FileKind::Folder || (status.mode & 0111) != 0;
        return kRead | kWrite | (runs ? kPass : 0);
    }
    return Bits(account, status);
}

// One word for sh: as it is when nothing in it is special to the shell.
std::string ShellWord(std::string_view text) {
    constexpr std::string_view plain =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_./:@%+=,-";
    if (!text.empty() && text.find_first_not_of(plain) == text.npos) return std::string(text);
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Letters(int bits) {
    std::string letters;
    if (bits & kRead) letters += 'r';
    if (bits & kWrite) letters += 'w';
    if (bits & kPass) letters += 'x';
    return letters;
}

// The command that gives the account `need` on `path`.
std::string Fix(const Account& account, const std::string& path, const FileStatus& status, int need,
                Others others) {
    const std::string word = ShellWord(path);
    const std::string lacking = Letters(need & ~Bits(account, status)) + ' ' + word;
    if (status.owner == account.uid) return "chmod u+" + lacking;
    if (InGroup(account, status.group)) return "chmod g+" + lacking;
    if (others == Others::Open) return "chmod o+" + lacking;
    if (others == Others::Group && account.gid >= 0) {
        const int groupLacks = need & ~(status.mode >> 3 & 7);
        return "chown :" + ShellWord(account.groupName) + ' ' + word +
               (groupLacks ? " && chmod g+" + Letters(groupLacks) + ' ' + word : "");
    }
    const int ownerLacks = need & ~(status.mode >> 6 & 7);
    return "chown " + ShellWord(account.name) + ' ' + word +
           (ownerLacks ? " && chmod u+" + Letters(ownerLacks) + ' ' + word : "");
}

class Checker {
public:
    Checker(FileSystem& files, const Account& account) : files_(files), account_(account) {}

    // Checks that the account passes every folder on the way to `given` and
    // has `need` on it; returns what stands there (Missing when anything on
    // the way is missing).
    FileStatus Check(const std::string& given, int need, Others others, const std::string& what) {
        if (given.empty()) return {};
        const std::string path = WithoutTrailingSlashes(given);
        std::vector<std::string> way{"/"};
        for (size_t at = path.find('/', 1); at != path.npos; at = path.find('/', at + 1))
            way.push_back(path.substr(0, at));
        if (path == "/") way.clear();
        for (const std::string& folder : way) {
            const FileStatus status = files_.Status(folder);
            if (status.kind != FileKind::Folder)
                return status.kind == FileKind::Missing ? status : FileStatus{};
            // A folder that blocks several paths is named once.
            if (!(Granted(account_, status) & kPass) &&
                std::ranges::none_of(problems,
                                     [&](const AccessProblem& p) { return p.path == folder; }))
                problems.push_back({folder, "cannot pass through this folder to " + what,
                                    Fix(account_, folder, status, kPass, Others::Open)});
        }
        const FileStatus status = files_.Status(path);
        if (status.kind != FileKind::Missing && (Granted(account_, status) & need) != need)
            problems.push_back({path, "cannot " + what, Fix(account_, path, status, need, others)});
        return status;
    }

    std::vector<AccessProblem> problems;

private:
    FileSystem& files_;
    const Account& account_;
};

}  // namespace

std::vector<AccessProblem> ServiceAccessProblems(FileSystem& files, const Account& account,
                                                 const ServicePaths& paths) {
    Checker checker(files, account);
    checker.Check(paths.config, kRead, Others::Group, "read the settings file");
    checker.Check(paths.program, kPass, Others::Open, "run mctfcli");
    checker.Check(paths.launcher, kRead | kPass, Others::Open, "run morvane.sh");
    checker.Check(paths.engine, kPass, Others::Open, "run the dedicated server");
    checker.Check(paths.gameFolder, kWrite | kPass, Others::Own, "write the game folder");
    checker.Check(paths.logFolder, kWrite | kPass, Others::Own, "write the log folder");
    const FileStatus pages =
        checker.Check(paths.pages, kWrite | kPass, Others::Own, "write the pages folder");
    if (!paths.pages.empty() && pages.kind == FileKind::Missing && pages.error == ENOENT) {
        checker.problems.push_back(
            {paths.pages,
             "cannot make the pages folder: the statistics may write only what is there",
             "install -d -o " + ShellWord(account.name) + ' ' + ShellWord(paths.pages)});
    }
    return checker.problems;
}

std::string FoundDedicatedServer(FileSystem& files, const Account& account,
                                 std::string_view gameFolder, std::string_view searchPath) {
    const std::string folder = WithoutTrailingSlashes(std::string(gameFolder));
    const auto runs = [&](const std::string& path) {
        const FileStatus status = files.Status(path);
        return status.kind == FileKind::Regular && (Granted(account, status) & kPass) != 0;
    };
    for (const char* name : kDedicatedServerNames) {
        const std::string path = folder + '/' + name;
        if (runs(path)) return path;
    }
    // command -v ioq3ded, run in the game folder: an empty entry is that folder.
    for (size_t start = 0; start <= searchPath.size();) {
        size_t end = searchPath.find(':', start);
        if (end == searchPath.npos) end = searchPath.size();
        const std::string_view entry = searchPath.substr(start, end - start);
        const std::string path = (entry.empty() ? folder : std::string(entry)) + "/ioq3ded";
        if (runs(path)) return path;
        start = end + 1;
    }
    return runs(kDebianServerPath) ? kDebianServerPath : "";
}

std::string MakeFolderFor([[maybe_unused]] const std::string& folder,
                          [[maybe_unused]] const Account& account) {
#ifdef _WIN32
    return SystemReason(ENOSYS);
#else
    const std::filesystem::path path = PathFromUtf8(WithoutTrailingSlashes(folder));
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) return error.message();
    // chmod after mkdir: the umask would take from 0755.
    const std::string name = Utf8FromPath(path);
    if (mkdir(name.c_str(), 0755) != 0 || chmod(name.c_str(), 0755) != 0)
        return SystemReason(errno);
    if (geteuid() == 0 &&
        chown(name.c_str(), static_cast<uid_t>(account.uid), static_cast<gid_t>(account.gid)) != 0)
        return SystemReason(errno);
    return "";
#endif
}

std::optional<Account> FindAccount([[maybe_unused]] long long uid) {
#ifdef _WIN32
    return std::nullopt;
#else
    Account account;
    account.uid = uid;
    account.name = std::to_string(uid);
    const passwd* entry = getpwuid(static_cast<uid_t>(uid));
    if (entry == nullptr) return account;
    account.name = entry->pw_name;
    const gid_t own = entry->pw_gid;
    account.gid = own;
    const group* named = getgrgid(own);
    account.groupName = named ? named->gr_name : std::to_string(own);
    int count = 0;
    getgrouplist(account.name.c_str(), own, nullptr, &count);
    std::vector<gid_t> groups(static_cast<size_t>(std::max(count, 0)));
    if (getgrouplist(account.name.c_str(), own, groups.data(), &count) >= 0)
        account.groups.assign(groups.begin(), groups.begin() + count);
    return account;
#endif
}

}  // namespace mctf
