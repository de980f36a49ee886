#include "core/SettingsStore.h"

#include <cstdio>
#include <cstring>

#include "core/Desktop.h"
#include "core/FileReplacement.h"
#include "core/Paths.h"
#include "core/RegularFile.h"

namespace mctf {

namespace {

constexpr float kSettingsVersion = 2.0f;

bool IsUsable(const ServerSettings& settings) {
    return settings.version == kSettingsVersion && settings.gameType >= 0 &&
           settings.gameType < kGameTypeCount;
}

// Writes the raw record beside config.dmc and moves it into place, so a save
// that fails half-way leaves the previous file whole. False (and saveFailed)
// when the file cannot be created or the bytes do not all reach it.
bool WriteConfigFile(SettingsStore& store) {
    FileReplacement config(ConfigPath(store), "wb");
    bool written = config.Open() &&
                   std::fwrite(&store.settings, sizeof(ServerSettings), 1, config.file()) == 1 &&
                   config.Commit();
    if (!written) store.saveFailed = true;
    return written;
}

// No usable config.dmc: take the defaults and store them, but read the map
// list of the default game type from its file rather than wiping it.
void TakeDefaults(SettingsStore& store) {
    store.settings = DefaultSettings;
    WriteConfigFile(store);
    LoadMapList(store);
}

}  // namespace

std::string ConfigPath(const SettingsStore& store) {
    if (!store.configPath.empty()) return store.configPath;
    return JoinPath(store.startupDir, "config.dmc");
}

void LoadSettings(SettingsStore& store) {
    std::FILE* file = OpenRegularFile(ConfigPath(store), "rb");
    if (!file) {
        TakeDefaults(store);
        return;
    }
    // A short file replaces only the leading bytes; the rest keeps its value.
    unsigned char bytes[sizeof(ServerSettings)];
    std::size_t count = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    std::memcpy(&store.settings, bytes, count);
    if (!IsUsable(store.settings)) {
        TakeDefaults(store);
        return;
    }
    LoadMapList(store);
}

void SaveSettings(SettingsStore& store) {
    if (WriteConfigFile(store)) SaveMapList(store);
}

void RestoreDefaults(SettingsStore& store) {
    store.settings = DefaultSettings;
    // The emptied list belongs to the default game type: mctf.map is cleared.
    store.mapList.loadedGameType = store.settings.gameType;
    SaveSettings(store);
}

void ResetSettings(SettingsStore& store, Desktop& desktop) {
    if (!desktop.Confirm("Are you sure you want to reset the setting to default?", "Reset"))
        return;
    RestoreDefaults(store);
    desktop.ShowMessage("Settings Reset", kAppTitle, MessageIcon::None);
}

}  // namespace mctf
