#include "core/UserSettings.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace mctf {

namespace {

constexpr const char* kFolderName = "mctfutil";

// Only absolute paths count: a relative one would move with the working
// folder, which is what the option is there to avoid.
bool IsAbsoluteFolder(const char* value) {
    return value && *value && std::filesystem::path(value).is_absolute();
}

}  // namespace

ConfigEnvironment CurrentConfigEnvironment() {
#ifdef _WIN32
    return {std::getenv("APPDATA"), std::getenv("USERPROFILE")};
#else
    return {std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")};
#endif
}

std::optional<std::string> UserSettingsFolder(const ConfigEnvironment& env) {
    std::filesystem::path base;
    if (IsAbsoluteFolder(env.xdgConfigHome)) {
        base = env.xdgConfigHome;
    } else if (IsAbsoluteFolder(env.home)) {
        base = std::filesystem::path(env.home) / ".config";
    } else {
        return std::nullopt;
    }
    return (base / kFolderName).string();
}

std::optional<std::string> PrepareUserSettingsFolder(const ConfigEnvironment& env,
                                                     std::string& error) {
    namespace fs = std::filesystem;
    std::optional<std::string> folder = UserSettingsFolder(env);
    if (!folder) {
#ifdef _WIN32
        error =
            "Cannot find the user settings folder: neither APPDATA nor USERPROFILE "
            "names an absolute folder";
#else
        error =
            "Cannot find the user settings folder: neither XDG_CONFIG_HOME nor HOME "
            "names an absolute folder";
#endif
        return std::nullopt;
    }
    // Create the missing folders from the top down, each readable by its
    // owner only; folders that exist keep their permissions.
    // The root (/, or C:\ on Windows) is taken whole: "C:" alone would name
    // the working folder of drive C.
    const fs::path path(*folder);
    fs::path partial = path.root_path();
    for (const fs::path& part : path.relative_path()) {
        partial /= part;
        std::error_code code;
        if (fs::is_directory(partial, code)) continue;
        bool created = fs::create_directory(partial, code);
        if (!created && !fs::is_directory(partial)) {
            error = "Cannot create the settings folder " + partial.string() +
                    (code ? ": " + code.message() : std::string());
            return std::nullopt;
        }
        fs::permissions(partial, fs::perms::owner_all, fs::perm_options::replace, code);
    }
    return folder;
}

}  // namespace mctf
