// GameFolder: a temporary game installation (with morvane/ and baseq3/) and
// a settings store whose config.dmc and quakePath point into it.
#pragma once

#include <string>

#include "core/FixedText.h"
#include "core/SettingsStore.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {

struct GameFolder {
    TempDir dir;
    SettingsStore store;

    GameFolder() {
        std::filesystem::create_directory(dir / "morvane");
        std::filesystem::create_directory(dir / "baseq3");
        store.settings = DefaultSettings;
        SetFixedText(store.settings.quakePath, dir.str());
        store.startupDir = dir.str();
    }

    std::filesystem::path Config() const { return dir / "config.dmc"; }
    std::filesystem::path Morvane(const std::string& file) const {
        return dir.path() / "morvane" / file;
    }

    void SetMaps(std::initializer_list<const char*> names) {
        int count = 0;
        for (const char* name : names) SetFixedText(store.mapList.maps[count++], name);
        store.settings.mapCount = count;
    }
};

// The default quakePath is a Windows path; on Linux it is a relative folder
// name. This makes it exist inside the game folder (with morvane/) and makes
// the game folder the working folder until the object goes away.
class DefaultQuakePathHere {
public:
    explicit DefaultQuakePathHere(const GameFolder& game)
        : previous_(std::filesystem::current_path()),
          morvane_(game.dir / DefaultSettings.quakePath / "morvane") {
        std::filesystem::create_directories(morvane_);
        std::filesystem::current_path(game.dir.path());
    }
    ~DefaultQuakePathHere() { std::filesystem::current_path(previous_); }

    std::filesystem::path Morvane(const std::string& file) const { return morvane_ / file; }

private:
    std::filesystem::path previous_;
    std::filesystem::path morvane_;
};

}  // namespace mctf::testing
