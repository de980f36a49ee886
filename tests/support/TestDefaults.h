// TestDefaults: DefaultSettings with its game folder (quakePath) and
// statistics folder (statsDir) moved into a test's temporary folder.
//
// The real default game folder is C:\Program Files\Quake III Arena: on
// Windows an absolute path to a real installation, which no test may touch.
// A store or command context given these defaults falls back to the folder
// below instead.
//
// RecordBytes: a record as config.dmc holds it, to compare or write.
#pragma once

#include <filesystem>
#include <string>

#include "core/FixedText.h"
#include "core/ServerSettings.h"

namespace mctf::testing {

// DefaultSettings but quakePath = <folder>/default-game (created with its
// morvane and baseq3 folders) and statsDir = its baseq3.
inline ServerSettings DefaultsIn(const std::filesystem::path& folder) {
    const std::filesystem::path game = folder / "default-game";
    std::filesystem::create_directories(game / "morvane");
    std::filesystem::create_directories(game / "baseq3");
    ServerSettings defaults = DefaultSettings;
    SetFixedText(defaults.quakePath, game.string());
    SetFixedText(defaults.statsDir, (game / "baseq3").string());
    return defaults;
}

inline std::string RecordBytes(const ServerSettings& s) {
    return std::string(reinterpret_cast<const char*>(&s), sizeof s);
}

}  // namespace mctf::testing
