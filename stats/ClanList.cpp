#include "stats/ClanList.h"

#include <array>
#include <vector>

#include "core/ByteStream.h"
#include "core/FixedText.h"
#include "core/GameFolder.h"
#include "core/Paths.h"
#include "stats/LogFields.h"

namespace mctf {

namespace {

// One white-space separated word. A NUL ends its text, as it ends every
// text read from the game's files; only the first kKeep characters of the
// text are kept, but its full length is known so that overlong words can be
// told.
struct ClanListWord {
    static constexpr std::size_t kKeep = kClanHomePageSize - 1;  // the widest field
    char text[kKeep];
    std::size_t length = 0;

    std::string_view Kept() const {
        return std::string_view(text, length < kKeep ? length : kKeep);
    }
    bool IsNone() const { return Kept() == "none"; }
};

// False at the end of the file before a word began.
bool ReadWord(ByteStream& file, ClanListWord& word) {
    constexpr int kEnd = ByteStream::kEnd;
    int c = file.Get();
    while (c != kEnd && IsLogSpace(static_cast<char>(c))) c = file.Get();
    if (c == kEnd) return false;
    word.length = 0;
    bool ended = false;  // a NUL was met: the rest of the word is dropped
    while (c != kEnd && !IsLogSpace(static_cast<char>(c))) {
        if (c == '\0') ended = true;
        if (!ended) {
            if (word.length < ClanListWord::kKeep) word.text[word.length] = static_cast<char>(c);
            ++word.length;
        }
        c = file.Get();
    }
    return true;
}

using ClanListEntry = std::array<ClanListWord, 4>;

void ApplyEntry(StatsTables& tables, const ClanListEntry& words) {
    // A tag longer than the field can hold belongs to no clan.
    if (words[0].length > kClanTagSize - 1) return;
    std::string_view tag = words[0].Kept();
    for (int i = 0; i < tables.clanCount; ++i) {
        ClanStats& clan = tables.clans[i];
        if (FixedText(clan.tag) != tag) continue;
        SetFixedText(clan.clanName, words[1].Kept());
        if (!words[2].IsNone()) SetFixedText(clan.homePage, words[2].Kept());
        if (!words[3].IsNone()) SetFixedText(clan.contact, words[3].Kept());
    }
}

}  // namespace

std::string ClanListPath(const ServerSettings& settings) {
    return JoinPath(ModFolderPath(settings), "clanlist.txt");
}

ReadResult LoadClanList(StatsTables& tables, const ServerSettings& settings, FileSystem& files) {
    ByteStream file(files);
    if (!file.Open(ClanListPath(settings))) return file.Result();
    // Every entry is read before any is applied: a list whose read fails
    // part-way names no clan rather than some of them.
    std::vector<ClanListEntry> entries;
    for (;;) {
        ClanListEntry words;
        bool complete = true;
        for (ClanListWord& word : words) {
            if (!ReadWord(file, word)) {
                complete = false;
                break;
            }
        }
        if (!complete) break;  // a trailing group of fewer than four words
        entries.push_back(words);
    }
    file.Close();
    if (file.Result().Unreadable()) return file.Result();
    for (const ClanListEntry& entry : entries) ApplyEntry(tables, entry);
    return file.Result();
}

}  // namespace mctf
