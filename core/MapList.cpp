#include "core/MapList.h"

#include <cctype>
#include <cstdio>

#include "core/FileReplacement.h"
#include "core/FixedText.h"
#include "core/Paths.h"
#include "core/RegularFile.h"
#include "core/SettingsStore.h"

namespace mctf {

namespace {

bool IsGameType(int32_t gameType) { return gameType >= 0 && gameType < kGameTypeCount; }

// Reads the next white-space separated word into slot, cut to 31 characters.
// A NUL byte ends a word's text (the rest of the word is dropped), and a word
// left empty by that is skipped: an empty name would write a broken rotation.
// False at the end of the file.
bool ReadWord(std::FILE* file, char (&slot)[kMapNameSize]) {
    for (;;) {
        int c;
        do {
            c = std::getc(file);
        } while (c != EOF && std::isspace(c));
        if (c == EOF) return false;
        int length = 0;
        bool cut = false;
        for (; c != EOF && !std::isspace(c); c = std::getc(file)) {
            if (c == '\0') cut = true;
            if (!cut && length < kMapNameSize - 1) slot[length++] = static_cast<char>(c);
        }
        slot[length] = '\0';
        if (length > 0) return true;
    }
}

}  // namespace

std::string MapListPath(const SettingsStore& store, int32_t gameType) {
    return JoinPath(JoinPath(FixedText(store.settings.quakePath), "morvane"),
                    kGameTypes[gameType].mapListFile);
}

int ValidMapCount(const SettingsStore& store) {
    int32_t count = store.settings.mapCount;
    if (count < 0) return 0;
    return count > kMapListCapacity ? kMapListCapacity : count;
}

void LoadMapList(SettingsStore& store) {
    MapList& list = store.mapList;
    int32_t gameType = store.settings.gameType;
    store.settings.mapCount = 0;
    list.maps[0][0] = '\0';
    // A type outside 0..7 names no file; the empty list then belongs to none.
    list.loadedGameType = IsGameType(gameType) ? gameType : kNoGameType;
    if (!IsGameType(gameType)) return;

    std::FILE* file = OpenRegularFile(MapListPath(store, gameType), "r");
    if (!file) return;
    int count = 0;
    while (count < kMapListCapacity && ReadWord(file, list.maps[count])) ++count;
    std::fclose(file);
    store.settings.mapCount = count;
}

bool SaveMapList(const SettingsStore& store) {
    int32_t gameType = store.mapList.loadedGameType;
    if (!IsGameType(gameType)) gameType = store.settings.gameType;
    if (!IsGameType(gameType)) return false;

    // A list cut short by a full disk would lose maps: the old file stays
    // until the new one is complete.
    FileReplacement file(MapListPath(store, gameType));
    if (!file.Open()) return false;
    int count = ValidMapCount(store);
    for (int i = 0; i < count; ++i) {
        std::string_view name = FixedText(store.mapList.maps[i]);
        std::fprintf(file.file(), "%.*s\n", static_cast<int>(name.size()), name.data());
    }
    return file.Commit();
}

}  // namespace mctf
