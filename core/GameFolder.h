// GameFolder: where things lie in the game folder (quakePath), said once for
// the server files, the map lists, the clan list, the map check and the
// statistics.
//
// The server runs with the game folder as its base and home path, and with
// fs_game morvane for the modification's game types: it then reads
// morvane.cfg from, and writes its log (g_log) into, the morvane folder;
// for the Quake 3 types both are in baseq3. The map lists and the clan list
// always lie in the morvane folder, the launch files in the game folder
// itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ServerSettings.h"

namespace mctf {

inline constexpr std::string_view kBaseGameFolder = "baseq3";
inline constexpr std::string_view kModFolder = "morvane";
inline constexpr std::string_view kLaunchFileName = "morvane.bat";
inline constexpr std::string_view kShellLauncherName = "morvane.sh";
inline constexpr std::string_view kServerScriptName = "morvane.cfg";

// False while quakePath names no folder: empty, or, on a system that is not
// Windows, still the Windows default.
bool GamePathSet(const ServerSettings& settings);

// <quakePath>/morvane.bat
std::string LaunchFilePath(const ServerSettings& settings);
// <quakePath>/morvane.sh
std::string ShellLauncherPath(const ServerSettings& settings);

// The folder below the game folder the server plays the game type from:
// "morvane" for the Morvane types (and any gameType above them), "baseq3"
// for the Quake 3 types.
std::string_view PlayedFolderName(int32_t gameType);
// <quakePath>/<played folder>: where morvane.cfg lies and the server's logs go.
std::string LogFolder(const ServerSettings& settings);
// <quakePath>/baseq3/morvane.cfg for types 0..3, <quakePath>/morvane/... else.
std::string ServerScriptPath(const ServerSettings& settings);

// <quakePath>/morvane, whatever the game type: the map lists, clanlist.txt.
std::string ModFolderPath(const ServerSettings& settings);

// The folders whose paks the server loads for the game type: baseq3, and
// morvane too for the Morvane types (the server opens it only with fs_game).
std::vector<std::string> PakFolders(const ServerSettings& settings);

// The statistics folder: statsDir, except where the Windows default names
// no folder (every other system) while the game path is set: then the log
// folder of the game path, so that a server set up on Linux finds its logs
// without ever being told where they are.
std::string StatsFolder(const ServerSettings& settings);

}  // namespace mctf
