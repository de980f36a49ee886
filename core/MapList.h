// MapList: the map rotation of one game type, held beside the settings.
//
// 64 slots of 32-byte NUL-terminated names (at most 31 characters); the
// record's mapCount says how many are valid. Each game type keeps its list in
// a text file of its own in <quakePath>/morvane: one name per line when
// written, any white-space separated words when read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/FileSystem.h"

namespace mctf {

struct SettingsStore;

inline constexpr int kMapListCapacity = 64;
inline constexpr int kMapNameSize = 32;
inline constexpr int32_t kNoGameType = -1;

struct MapList {
    char maps[kMapListCapacity][kMapNameSize];
    // The game type whose file these names were read from; a save goes to
    // that file whatever gameType says by then, so no file ever receives
    // another type's list. kNoGameType until a list is loaded: a save then
    // goes to the file of the current gameType.
    int32_t loadedGameType = kNoGameType;
    // The list file was there but could not be read: the empty list in
    // memory is not its contents, so no save may replace the file.
    bool readFailed = false;
};

// Reads the list file of the current gameType as bytes (CR LF and any other
// byte read alike on every platform); sets mapCount. A missing file gives an
// empty list. A file that is there but cannot be read (or fails part-way)
// also leaves the list empty, marks it readFailed and is returned as
// Unreadable with the system's reason. More than 64 names: the first 64 are
// kept; longer names are cut to 31 characters.
ReadResult LoadMapList(SettingsStore& store);

// Writes slots 0..mapCount-1 (mapCount taken as 0..64) to the list file of
// the game type the list was loaded for; true when the file now holds them.
// A file that cannot be created or written keeps its old contents, and a
// list whose file could not be read is not written at all (false). The
// window says nothing of a failure, mctfcli reports it.
bool SaveMapList(const SettingsStore& store);

// "Cannot read the map list FILE: REASON" and what it means for the sheet.
std::string UnreadableMapListMessage(const ReadResult& result);

// The list file of a game type (0..7): <quakePath>/morvane/<file>.
std::string MapListPath(const SettingsStore& store, int32_t gameType);

// The file the list in memory belongs to: that of the type it was loaded
// for, or before any load that of the current gameType; nullopt when
// neither is a game type.
std::optional<std::string> CurrentMapListPath(const SettingsStore& store);

// mapCount limited to what the list can hold.
int ValidMapCount(const SettingsStore& store);

}  // namespace mctf
