#include "stats/ClanList.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/FixedText.h"
#include "core/Paths.h"
#include "core/RegularFile.h"
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

    std::string_view Kept() const { return std::string_view(text, length < kKeep ? length : kKeep); }
    bool IsNone() const { return Kept() == "none"; }
};

// False at the end of the file before a word began.
bool ReadWord(std::FILE* file, ClanListWord& word) {
    int c = std::fgetc(file);
    while (c != EOF && IsLogSpace(static_cast<char>(c))) c = std::fgetc(file);
    if (c == EOF) return false;
    word.length = 0;
    bool ended = false;  // a NUL was met: the rest of the word is dropped
    while (c != EOF && !IsLogSpace(static_cast<char>(c))) {
        if (c == '\0') ended = true;
        if (!ended) {
            if (word.length < ClanListWord::kKeep) word.text[word.length] = static_cast<char>(c);
            ++word.length;
        }
        c = std::fgetc(file);
    }
    return true;
}

void ApplyEntry(StatsTables& tables, const ClanListWord (&words)[4]) {
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
    return JoinPath(JoinPath(FixedText(settings.quakePath), "morvane"), "clanlist.txt");
}

void LoadClanList(StatsTables& tables, const ServerSettings& settings) {
    const std::string path = ClanListPath(settings);
    std::FILE* file = OpenRegularFile(path, "rb");
    if (file == nullptr) return;
    ClanListWord words[4];
    for (;;) {
        bool complete = true;
        for (ClanListWord& word : words) {
            if (!ReadWord(file, word)) {
                complete = false;
                break;
            }
        }
        if (!complete) break;  // a trailing group of fewer than four words
        ApplyEntry(tables, words);
    }
    std::fclose(file);
}

}  // namespace mctf
