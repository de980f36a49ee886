// A clanlist.txt read into a table of clans; every text must stay terminated
// inside its field.
#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "core/Paths.h"
#include "fuzz/FuzzSupport.h"
#include "stats/ClanList.h"
#include "stats/LogReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string morvane = [] {
        std::string folder = mctf::JoinPath(mctf::fuzz::ScratchFolder(), "morvane");
        mkdir(folder.c_str(), 0755);
        return folder;
    }();
    static auto tables = std::make_unique<mctf::StatsTables>();
    mctf::ResetLogTables(*tables);
    // A few clans whose tags the input may name.
    const char* tags[] = {"AB", "ab", "XY", "[x]", "ABCDEFG", "none"};
    for (const char* tag : tags) {
        mctf::ClanStats& clan = tables->clans[tables->clanCount++];
        std::strcpy(clan.tag, tag);
        clan.memberCount = 0;
        clan.members[0] = -1;
    }
    mctf::ServerSettings settings = mctf::DefaultSettings;
    std::strncpy(settings.quakePath, mctf::fuzz::ScratchFolder().c_str(),
                 sizeof settings.quakePath - 1);
    mctf::fuzz::WriteFile(mctf::JoinPath(morvane, "clanlist.txt"), data, size);
    mctf::LoadClanList(*tables, settings);
    for (int i = 0; i < tables->clanCount; ++i) {
        const mctf::ClanStats& clan = tables->clans[i];
        if (strnlen(clan.clanName, sizeof clan.clanName) == sizeof clan.clanName ||
            strnlen(clan.homePage, sizeof clan.homePage) == sizeof clan.homePage ||
            strnlen(clan.contact, sizeof clan.contact) == sizeof clan.contact) {
            __builtin_trap();
        }
    }
    return 0;
}
