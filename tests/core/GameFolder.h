// GameFolder: a temporary game installation (with morvane/ and baseq3/) and
// a settings store whose config.dmc, quakePath and statsDir point into it,
// and whose defaults point at a second game folder inside it (default-game/).
#pragma once

#include <string>

#include "core/FixedText.h"
#include "core/SettingsStore.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDefaults.h"

namespace mctf::testing {

struct GameFolder {
    TempDir dir;
    ServerSettings defaults = DefaultsIn(dir.path());
    SettingsStore store;

    GameFolder() {
        std::filesystem::create_directory(dir / "morvane");
        std::filesystem::create_directory(dir / "baseq3");
        store.defaults = &defaults;
        store.settings = DefaultSettings;
        SetFixedText(store.settings.quakePath, dir.str());
        SetFixedText(store.settings.statsDir, (dir / "baseq3").string());
        store.startupDir = dir.str();
    }

    std::filesystem::path Config() const { return dir / "config.dmc"; }
    std::filesystem::path Morvane(const std::string& file) const {
        return dir.path() / "morvane" / file;
    }
    // A file in the morvane folder of the defaults' game folder.
    std::filesystem::path DefaultMorvane(const std::string& file) const {
        return std::filesystem::path(defaults.quakePath) / "morvane" / file;
    }

    void SetMaps(std::initializer_list<const char*> names) {
        int count = 0;
        for (const char* name : names) SetFixedText(store.mapList.maps[count++], name);
        store.settings.mapCount = count;
    }
};

}  // namespace mctf::testing
