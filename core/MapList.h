// MapList: the map rotation of one game type, held beside the settings.
//
// 64 slots of 32-byte NUL-terminated names (at most 31 characters); the
// record's mapCount says how many are valid. Each game type keeps its list in
// a text file of its own in <quakePath>/morvane: one name per line when
// written, any white-space separated words when read.
#pragma once

#include <cstdint>
#include <string>

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
};

// Reads the list file of the current gameType; sets mapCount. A missing or
// unreadable file gives an empty list, silently. More than 64 names: the
// first 64 are kept; longer names are cut to 31 characters.
void LoadMapList(SettingsStore& store);

// Writes slots 0..mapCount-1 (mapCount taken as 0..64) to the list file of
// the game type the list was loaded for. A file that cannot be created or
// written is not written and the old file stays as it was; false then (the
// window says nothing, mctfcli reports it).
bool SaveMapList(const SettingsStore& store);

// The list file of a game type (0..7): <quakePath>/morvane/<file>.
std::string MapListPath(const SettingsStore& store, int32_t gameType);

// mapCount limited to what the list can hold.
int ValidMapCount(const SettingsStore& store);

}  // namespace mctf
