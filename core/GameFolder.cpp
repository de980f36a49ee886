#include "core/GameFolder.h"

#include "core/FixedText.h"
#include "core/Paths.h"

namespace mctf {

namespace {

// Only Windows has the default folders; elsewhere they name nothing.
#ifdef _WIN32
constexpr bool kWindowsDefaultsAreFolders = true;
#else
constexpr bool kWindowsDefaultsAreFolders = false;
#endif

std::string InGameFolder(const ServerSettings& settings, std::string_view name) {
    return JoinPath(FixedText(settings.quakePath), name);
}

}  // namespace

bool GamePathSet(const ServerSettings& settings) {
    const std::string_view path = FixedText(settings.quakePath);
    if (path.empty()) return false;
    return kWindowsDefaultsAreFolders || path != FixedText(DefaultSettings.quakePath);
}

std::string LaunchFilePath(const ServerSettings& settings) {
    return InGameFolder(settings, kLaunchFileName);
}

std::string ShellLauncherPath(const ServerSettings& settings) {
    return InGameFolder(settings, kShellLauncherName);
}

std::string_view PlayedFolderName(int32_t gameType) {
    return IsModGameType(gameType) ? kModFolder : kBaseGameFolder;
}

std::string LogFolder(const ServerSettings& settings) {
    return InGameFolder(settings, PlayedFolderName(settings.gameType));
}

std::string ServerScriptPath(const ServerSettings& settings) {
    return JoinPath(LogFolder(settings), kServerScriptName);
}

std::string ModFolderPath(const ServerSettings& settings) {
    return InGameFolder(settings, kModFolder);
}

std::vector<std::string> PakFolders(const ServerSettings& settings) {
    std::vector<std::string> folders{InGameFolder(settings, kBaseGameFolder)};
    if (IsModGameType(settings.gameType)) folders.push_back(ModFolderPath(settings));
    return folders;
}

std::string StatsFolder(const ServerSettings& settings) {
    const std::string_view statsDir = FixedText(settings.statsDir);
    if (kWindowsDefaultsAreFolders || statsDir != FixedText(DefaultSettings.statsDir) ||
        !GamePathSet(settings))
        return std::string(statsDir);
    return LogFolder(settings);
}

}  // namespace mctf
