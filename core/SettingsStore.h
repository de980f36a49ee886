// SettingsStore: the settings record together with what travels with it.
//
// The application owns one store and hands it by reference to whatever reads
// or changes settings: the record, the in-memory map list of one game type,
// the folder config.dmc lives in (captured once at start-up) and the flag that
// a save of config.dmc has failed.
#pragma once

#include <string>

#include "core/MapList.h"
#include "core/ServerSettings.h"

namespace mctf {

class Desktop;

struct SettingsStore {
    ServerSettings settings{};  // zero until the first load, as at start-up
    MapList mapList{};
    std::string startupDir;     // the working folder at start-up
    std::string configPath;     // config.dmc; empty means startupDir/config.dmc
    bool saveFailed = false;    // set by SaveSettings, never cleared
};

// The settings file: configPath, or config.dmc inside startupDir.
std::string ConfigPath(const SettingsStore& store);

// Reads config.dmc into the record (up to 808 raw bytes); a missing file, a
// version other than 2.0 or a gameType outside 0..7 restores the defaults and
// saves them, but leaves the map-list files alone. Otherwise loads the map
// list of the stored game type.
void LoadSettings(SettingsStore& store);

// Writes the 808 bytes to config.dmc, then the map list. config.dmc is
// replaced only once the new bytes are safely on the disk; when it cannot be
// created or written, sets saveFailed, keeps the old file and writes nothing.
void SaveSettings(SettingsStore& store);

// Copies DefaultSettings over the record and saves (mctf.map is left empty).
void RestoreDefaults(SettingsStore& store);

// The Reset Settings command: asks, restores the defaults, says so.
void ResetSettings(SettingsStore& store, Desktop& desktop);

}  // namespace mctf
