// SettingsStore: the settings record together with what travels with it.
//
// The application owns one store and hands it by reference to whatever reads
// or changes settings: the record, the in-memory map list of one game type,
// the folder config.dmc lives in (captured once at start-up), the flag that
// a save of config.dmc has failed, the record the defaults come from and the
// file system the files go through.
#pragma once

#include <string>
#include <string_view>

#include "core/FileSystem.h"
#include "core/MapList.h"
#include "core/ServerSettings.h"

namespace mctf {

class Desktop;

struct SettingsStore {
    ServerSettings settings{};  // zero until the first load, as at start-up
    MapList mapList{};
    std::string startupDir;   // the working folder at start-up
    std::string configPath;   // config.dmc; empty means startupDir/config.dmc
    bool saveFailed = false;  // set by SaveSettings, never cleared
    // Why the last save of config.dmc that failed did: the system's words, or
    // kNotRegularFile for a device or pipe in its place.
    std::string saveReason;
    // What a missing or unusable config.dmc and a reset fall back to. Always
    // DefaultSettings in the programs; tests point its game folder (on
    // Windows the real C:\Program Files\Quake III Arena) at a temporary one.
    const ServerSettings* defaults = &DefaultSettings;
    FileSystem* files = &SystemFiles();
};

// The settings file: configPath, or config.dmc inside startupDir.
std::string ConfigPath(const SettingsStore& store);

// Reads config.dmc into the record (up to 808 raw bytes); a missing file, a
// version other than 2.0 or a gameType outside 0..7 restores the defaults and
// saves them, but leaves the map-list files alone. Then loads the map list of
// the game type in the record.
//
// A config.dmc that is there but cannot be read (or fails part-way) puts the
// defaults in the record and saves nothing: the file stays as it is until
// the settings are saved on purpose. The result is then that of config.dmc;
// otherwise it is the map list's (Unreadable when its file could not be
// read, see LoadMapList).
ReadResult LoadSettings(SettingsStore& store);

// What ReadSettings found at the settings path.
enum class SettingsFileState {
    Loaded,      // a record of version 2.0 with a game type 0..7
    Missing,     // no regular file there
    NotARecord,  // another version or a game type outside 0..7 (in a fresh store,
                 // whose record is zero, also any file shorter than 4 bytes)
    Unreadable,  // a file that is there but could not be read: permission, I/O
                 // error, a read failing part-way
};

// LoadSettings without writing anything: when the file is missing, not a
// usable record or unreadable the defaults stay in memory and the file is
// left as it is. For the commands that only read, and for those that check
// first and save at the end. `unread`, when given, receives config.dmc's
// result when it is Unreadable, else the map list's: a command must stop
// before writing anything when it is Unreadable.
SettingsFileState ReadSettings(SettingsStore& store, ReadResult* unread = nullptr);

enum class SaveResult { Saved, ConfigNotSaved, MapListNotSaved };

// Writes the 808 bytes to config.dmc, then the map list. config.dmc is
// replaced only once the new bytes are safely on the disk (a new one is made
// 0600: it holds the passwords; a device or pipe there is never replaced);
// when it cannot be created or written, sets saveFailed, keeps the old file
// and writes nothing. The window ignores the result (it reports nothing
// after start-up); mctfcli says which file was not saved. A map list whose
// file could not be read is not written (MapListNotSaved).
SaveResult SaveSettings(SettingsStore& store);

// Copies the defaults over the record and saves (mctf.map is left empty).
SaveResult RestoreDefaults(SettingsStore& store);

// The window's words for a save that could not write config.dmc ("Cannot
// write the settings file FILE" and that nothing was saved); empty for any
// other result, since the window says nothing of a map list it could not
// write.
std::string SaveFailureMessage(SaveResult result, const SettingsStore& store);

// What ChangeGamePath did with the map list.
enum class GamePathList {
    Unchanged,   // the same folder (or no game type): the list stays as it is
    Read,        // the new folder's list of the current game type was read
    Adopted,     // the new folder has none: the list in memory goes there
    Unreadable,  // the new folder's list is there but could not be read
};

struct GamePathChange {
    GamePathList list = GamePathList::Unchanged;
    std::string listPath;  // the list file in the new folder
    int maps = 0;          // how many maps the list in memory now holds
    ReadResult read;       // Unreadable: which file and why
};

// Moves quakePath to newPath and gives the list in memory to the new folder,
// before anything is saved: the new folder's list file of the current game
// type is read when it exists, and only when it does not does the list in
// memory (of the current game type, read first from the old folder when the
// list held is another type's) stay, for the next save to write there. A
// list file that is there but cannot be read is marked so (readFailed) and
// no save replaces it. So no list file ever receives another folder's list.
GamePathChange ChangeGamePath(SettingsStore& store, std::string_view newPath);

// What a change of the game path did to the list, once saved:
// "FILE: map list read (3 maps)", or "FILE: no map list was there; the list
// in use was written to it (3 maps)" when `saved` wrote it; empty when there
// is nothing to say or the save failed (that is the save's to report).
std::string GamePathListNote(const GamePathChange& change, SaveResult saved);

inline constexpr const char* kResetQuestion =
    "Are you sure you want to reset the setting to default?";
inline constexpr const char* kResetCaption = "Reset";
inline constexpr const char* kSettingsResetMessage = "Settings Reset";

// "Cannot read the settings file FILE: REASON" and what the program does
// about it, for the window's start-up.
std::string UnreadableConfigMessage(const ReadResult& result);

// The Reset Settings command: asks, restores the defaults, says so, or says
// that config.dmc could not be written (SaveFailureMessage).
void ResetSettings(SettingsStore& store, Desktop& desktop);

}  // namespace mctf
