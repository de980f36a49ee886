#include "core/MapList.h"

#include <cctype>
#include <cstdio>

#include "core/ByteStream.h"
#include "core/FileReplacement.h"
#include "core/FixedText.h"
#include "core/GameFolder.h"
#include "core/Paths.h"
#include "core/SettingsStore.h"

namespace mctf {

namespace {

// Reads the next white-space separated word into slot, cut to 31 characters.
// A NUL byte ends a word's text (the rest of the word is dropped), and a word
// left empty by that is skipped: an empty name would write a broken rotation.
// The bytes are taken as they are: CR is white space like LF, and a Ctrl-Z
// is a byte of a name, not the end of the file. False at the end of the file.
bool ReadWord(ByteStream& file, char (&slot)[kMapNameSize]) {
    constexpr int kEnd = ByteStream::kEnd;
    for (;;) {
        int c;
        do {
            c = file.Get();
        } while (c != kEnd && std::isspace(c));
        if (c == kEnd) return false;
        int length = 0;
        bool cut = false;
        for (; c != kEnd && !std::isspace(c); c = file.Get()) {
            if (c == '\0') cut = true;
            if (!cut && length < kMapNameSize - 1) slot[length++] = static_cast<char>(c);
        }
        slot[length] = '\0';
        if (length > 0) return true;
    }
}

}  // namespace

std::string MapListPath(const SettingsStore& store, int32_t gameType) {
    return JoinPath(ModFolderPath(store.settings), kGameTypes[gameType].mapListFile);
}

std::optional<std::string> CurrentMapListPath(const SettingsStore& store) {
    int32_t gameType = store.mapList.loadedGameType;
    if (!IsGameType(gameType)) gameType = store.settings.gameType;
    if (!IsGameType(gameType)) return std::nullopt;
    return MapListPath(store, gameType);
}

int ValidMapCount(const SettingsStore& store) {
    int32_t count = store.settings.mapCount;
    if (count < 0) return 0;
    return count > kMapListCapacity ? kMapListCapacity : count;
}

ReadResult LoadMapList(SettingsStore& store) {
    MapList& list = store.mapList;
    int32_t gameType = store.settings.gameType;
    store.settings.mapCount = 0;
    list.maps[0][0] = '\0';
    list.readFailed = false;
    // A type outside 0..7 names no file; the empty list then belongs to none.
    list.loadedGameType = IsGameType(gameType) ? gameType : kNoGameType;
    if (!IsGameType(gameType)) return ReadResult{ReadOutcome::Absent, {}, {}, false};

    ByteStream file(*store.files);
    if (!file.Open(MapListPath(store, gameType))) {
        list.readFailed = file.Result().Unreadable();
        return file.Result();
    }
    int count = 0;
    while (count < kMapListCapacity && ReadWord(file, list.maps[count])) ++count;
    file.Close();
    if (file.Result().Unreadable()) {
        // Half a list is no list: nothing read may reach the server files.
        list.maps[0][0] = '\0';
        list.readFailed = true;
        return file.Result();
    }
    store.settings.mapCount = count;
    return file.Result();
}

bool SaveMapList(const SettingsStore& store) {
    if (store.mapList.readFailed) return false;
    const std::optional<std::string> path = CurrentMapListPath(store);
    if (!path) return false;

    // A list cut short by a full disk would lose maps: the old file stays
    // until the new one is complete.
    FileReplacement file(*path, "w", *store.files);
    if (!file.Open()) return false;
    int count = ValidMapCount(store);
    for (int i = 0; i < count; ++i) {
        std::string_view name = FixedText(store.mapList.maps[i]);
        file.Printf("%.*s\n", static_cast<int>(name.size()), name.data());
    }
    return file.Commit();
}

std::string UnreadableMapListMessage(const ReadResult& result) {
    return "Cannot read the map list " + result.path + ":\n" + result.reason +
           "\n\nThe server settings stay closed until it can be read, so that its maps are "
           "not lost.";
}

}  // namespace mctf
