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

// Reads the record; anything but a usable one leaves the defaults in it.
SettingsFileState ReadRecord(SettingsStore& store) {
    std::FILE* file = OpenRegularFile(ConfigPath(store), "rb");
    if (!file) {
        store.settings = *store.defaults;
        return SettingsFileState::Missing;
    }
    // A short file replaces only the leading bytes; the rest keeps its value.
    unsigned char bytes[sizeof(ServerSettings)];
    std::size_t count = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    std::memcpy(&store.settings, bytes, count);
    if (!IsUsable(store.settings)) {
        store.settings = *store.defaults;
        return SettingsFileState::NotARecord;
    }
    return SettingsFileState::Loaded;
}

}  // namespace

std::string ConfigPath(const SettingsStore& store) {
    if (!store.configPath.empty()) return store.configPath;
    return JoinPath(store.startupDir, "config.dmc");
}

void LoadSettings(SettingsStore& store) {
    // No usable config.dmc: the defaults are stored at once, but the map list
    // of the default game type is read from its file rather than wiped.
    if (ReadRecord(store) != SettingsFileState::Loaded) WriteConfigFile(store);
    LoadMapList(store);
}

SettingsFileState ReadSettings(SettingsStore& store) {
    SettingsFileState state = ReadRecord(store);
    LoadMapList(store);
    return state;
}

SaveResult SaveSettings(SettingsStore& store) {
    if (!WriteConfigFile(store)) return SaveResult::ConfigNotSaved;
    return SaveMapList(store) ? SaveResult::Saved : SaveResult::MapListNotSaved;
}

SaveResult RestoreDefaults(SettingsStore& store) {
    store.settings = *store.defaults;
    // The emptied list belongs to the default game type: mctf.map is cleared.
    store.mapList.loadedGameType = store.settings.gameType;
    return SaveSettings(store);
}

void ResetSettings(SettingsStore& store, Desktop& desktop) {
    if (!desktop.Confirm(kResetQuestion, kResetCaption)) return;
    RestoreDefaults(store);
    desktop.ShowMessage(kSettingsResetMessage, kAppTitle, MessageIcon::None);
}

}  // namespace mctf
