#include "stats/MatchEvents.h"

#include <algorithm>
#include <cstring>

#include "stats/Clans.h"
#include "stats/LogFields.h"
#include "stats/Saturating.h"

namespace mctf {

namespace {

constexpr Weapon kMeansOfDeathWeapons[kMeansOfDeathCount] = {
    kUnknownWeapon,
    kShotgun,
    kGauntlet,
    kMachinegun,
    kGrenadeLauncher,
    kGrenadeLauncher,
    kRocketLauncher,
    kRocketLauncher,
    kPlasmaGun,
    kPlasmaGun,
    kRailgun,
    kLightningGun,
    kBfg,
    kBfg,
    kUnknownWeapon,
    kUnknownWeapon,
    kSuicide,
    kUnknownWeapon,
    kTelefrag,
    kSuicide,
    kUnknownWeapon,
    kUnknownWeapon,
    kSuicide,
};

bool IsSlot(int32_t number) { return number >= 0 && number < kMatchSlotCount; }

// The slot number that follows the keyword ("%d:%d %s %d", and "%d:%d%s %d"
// which reads the same), when it is in range.
bool ReadSlot(const LogEventLine& event, int& slot) {
    FieldCursor cursor(event.fields);
    int32_t number = 0;
    if (!cursor.ReadInt(number) || !IsSlot(number)) return false;
    slot = number;
    return true;
}

// The first backslash or NUL in [p, end), or end.
const char* FindNameStop(const char* p, const char* end) {
    while (p != end && *p != '\\' && *p != '\0') ++p;
    return p;
}

void ClearSlot(StatsTables& tables, int slot) {
    std::memset(static_cast<void*>(&tables.matchSlots[slot]), 0, sizeof(PlayerStats));
    if (tables.documentCounts)
        std::memset(static_cast<void*>(&tables.slotCounts[slot]), 0, sizeof(PlayerCounts));
    tables.slotBegun[slot] = false;
    tables.slotLeft[slot] = false;
}

// Copies a raw name, dropping colour codes (a caret and the character after
// it), control and non-ASCII bytes and the angle brackets that would break
// the HTML pages; at most kPlayerNameSize - 1 characters are kept.
void CleanName(std::string_view raw, char (&name)[kPlayerNameSize]) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(raw[i]);
        if (c == '^') {
            ++i;
            continue;
        }
        if (c < 32 || c >= 128 || c == '<' || c == '>') continue;
        if (kept == kPlayerNameSize - 1) break;
        name[kept++] = static_cast<char>(c);
    }
    name[kept] = '\0';
}

// The slot's team from the userinfo after the name, where the game writes
// it first; kept when the userinfo does not say.
void ReadTeam(std::string_view info, PlayerCounts& counts) {
    VisitInfo(info, [&](std::string_view key, std::string_view value) {
        if (key != "t") return true;
        FieldCursor cursor(value);
        int32_t team = 0;
        if (cursor.ReadInt(team) && team >= 0 && team <= kTeamSpectator - kTeamFree)
            counts.team = team + kTeamFree;
        return false;
    });
}

// The victim's death and, for a kill of a team mate, the killer's team kill.
void CountDeath(StatsTables& tables, int killer, int victim, bool suicide) {
    SaturatingIncrement(tables.slotCounts[victim].deaths);
    const int32_t team = tables.slotCounts[killer].team;
    if (!suicide && (team == kTeamRed || team == kTeamBlue) &&
        team == tables.slotCounts[victim].team) {
        SaturatingIncrement(tables.slotCounts[killer].teamKills);
    }
}

void CountSuicide(PlayerStats& slot) {
    SaturatingAdd(slot.frags, -1);
    SaturatingAdd(slot.weaponKills[kSuicide], 1);
}

}  // namespace

Weapon MeansOfDeathToWeapon(int32_t meansOfDeath) {
    if (meansOfDeath < 0 || meansOfDeath >= kMeansOfDeathCount) return kUnknownWeapon;
    return kMeansOfDeathWeapons[meansOfDeath];
}

void OnInitGame(StatsTables& tables, const LogEventLine&) {
    // Every slot at once: one long fill is far cheaper than 64 short ones.
    std::memset(static_cast<void*>(tables.matchSlots), 0, sizeof tables.matchSlots);
    std::memset(tables.slotBegun, 0, sizeof tables.slotBegun);
    std::memset(tables.slotLeft, 0, sizeof tables.slotLeft);
    if (tables.documentCounts)
        std::memset(static_cast<void*>(tables.slotCounts), 0, sizeof tables.slotCounts);
    tables.matchFlagEvents = false;
    tables.matchAwards = false;
    tables.matchClosed = false;
}

void OnClientUserinfoChanged(StatsTables& tables, const LogEventLine& event) {
    int slot = 0;
    if (!ReadSlot(event, slot)) return;
    // The name runs from the first backslash to the next one, or to the end
    // of the text when unclosed; a NUL ends the text. Neither can occur in
    // the stamp or the keyword, so the search starts after them.
    const char* end = event.fields.data() + event.fields.size();
    const char* start = FindNameStop(event.fields.data(), end);
    if (start == end || *start == '\0') return;
    ++start;
    const char* nameEnd = FindNameStop(start, end);
    std::string_view raw(start, static_cast<std::size_t>(nameEnd - start));

    char name[kPlayerNameSize];
    CleanName(raw, name);
    // A different name is a different player: the slot starts again.
    if (std::strcmp(name, tables.matchSlots[slot].name) != 0) {
        ClearSlot(tables, slot);
        std::memcpy(tables.matchSlots[slot].name, name, sizeof name);
    }
    if (!tables.documentCounts) return;
    // The colours and the team may change under the same name.
    PlayerCounts& counts = tables.slotCounts[slot];
    // Ended by a NUL: what a longer name left after it is never read.
    const std::size_t kept = std::min(raw.size(), sizeof counts.rawName - 1);
    std::memcpy(counts.rawName, raw.data(), kept);
    counts.rawName[kept] = '\0';
    ReadTeam(std::string_view(nameEnd, static_cast<std::size_t>(end - nameEnd)), counts);
}

void OnClientBegin(StatsTables& tables, const LogEventLine& event) {
    int slot = 0;
    if (!ReadSlot(event, slot)) return;
    char name[kPlayerNameSize];
    std::memcpy(name, tables.matchSlots[slot].name, sizeof name);
    if (tables.documentCounts) {
        // The name with its colours and the team stay too.
        PlayerCounts& counts = tables.slotCounts[slot];
        char rawName[kRawNameSize];
        std::memcpy(rawName, counts.rawName, sizeof rawName);
        const int32_t team = counts.team;
        ClearSlot(tables, slot);
        std::memcpy(counts.rawName, rawName, sizeof rawName);
        counts.team = team;
    } else {
        ClearSlot(tables, slot);
    }
    PlayerStats& record = tables.matchSlots[slot];
    std::memcpy(record.name, name, sizeof name);
    record.joinTime = event.matchSeconds;
    tables.slotBegun[slot] = true;
}

void OnClientDisconnect(StatsTables& tables, const LogEventLine& event) {
    int slot = 0;
    if (!ReadSlot(event, slot)) return;
    tables.matchSlots[slot].leaveTime = event.matchSeconds;
    tables.slotLeft[slot] = true;
}

void OnKill(StatsTables& tables, const LogEventLine& event) {
    FieldCursor cursor(event.fields);
    int32_t killer = 0;
    int32_t victim = 0;
    int32_t meansOfDeath = 0;
    if (!cursor.ReadInt(killer) || !cursor.ReadInt(victim) || !cursor.ReadInt(meansOfDeath)) return;
    if (!IsSlot(victim)) return;
    if (!IsSlot(killer)) killer = victim;  // the world: counted as the victim's own death
    Weapon weapon = MeansOfDeathToWeapon(meansOfDeath);
    PlayerStats& record = tables.matchSlots[killer];
    const bool suicide = killer == victim || weapon == kSuicide;
    if (suicide) {
        CountSuicide(record);
    } else {
        if (weapon != kTelefrag) SaturatingAdd(record.frags, 1);
        SaturatingAdd(record.weaponKills[weapon], 1);
    }
    if (tables.documentCounts) CountDeath(tables, killer, victim, suicide);
}

void OnFlagEvent(StatsTables& tables, const LogEventLine& event) {
    FieldCursor cursor(event.fields);
    int32_t slot = 0;
    int32_t team = 0;
    int32_t kind = 0;
    if (!cursor.ReadInt(slot) || !cursor.ReadInt(team) || !cursor.ReadInt(kind)) return;
    tables.matchFlagEvents = true;
    if (IsSlot(slot) && kind >= 0 && kind < kFlagEventCount)
        SaturatingIncrement(tables.slotCounts[slot].flagEvents[kind]);
}

void OnAward(StatsTables& tables, const LogEventLine& event) {
    FieldCursor cursor(event.fields);
    int32_t slot = 0;
    int32_t award = 0;
    if (!cursor.ReadInt(slot) || !cursor.ReadInt(award)) return;
    tables.matchAwards = true;
    if (IsSlot(slot) && award >= 0 && award < kAwardCount)
        SaturatingIncrement(tables.slotCounts[slot].awards[award]);
}

void IgnoreEvent(StatsTables&, const LogEventLine&) {}

namespace {

uint32_t HashName(std::string_view name) {
    uint32_t hash = 2166136261u;  // FNV-1a
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

bool HasName(const PlayerStats& player, std::string_view name) {
    return player.name[name.size()] == '\0' &&
           std::memcmp(player.name, name.data(), name.size()) == 0;
}

// Enters the next unindexed player into the hash. Probing inserts behind
// any equal name, so a lookup still meets the lowest index first.
void IndexNextPlayer(StatsTables& tables) {
    int player = tables.indexedPlayers;
    uint32_t cell = HashName(tables.players[player].name) & (kPlayerIndexSize - 1);
    while (tables.playerIndex[cell] != 0) cell = (cell + 1) & (kPlayerIndexSize - 1);
    tables.playerIndex[cell] = static_cast<uint16_t>(player + 1);
    ++tables.indexedPlayers;
}

}  // namespace

int FindPlayer(const StatsTables& tables, std::string_view name) {
    if (name.size() >= kPlayerNameSize) return -1;  // no stored name is that long
    uint32_t cell = HashName(name) & (kPlayerIndexSize - 1);
    for (uint16_t entry; (entry = tables.playerIndex[cell]) != 0;
         cell = (cell + 1) & (kPlayerIndexSize - 1)) {
        if (entry <= tables.playerCount && HasName(tables.players[entry - 1], name)) {
            return entry - 1;
        }
    }
    // Players stored without going through the match end are searched in turn.
    for (int i = tables.indexedPlayers; i < tables.playerCount; ++i) {
        if (HasName(tables.players[i], name)) return i;
    }
    return -1;
}

void MergeSlot(StatsTables& tables, int player, int slot) {
    PlayerStats& target = tables.players[player];
    const PlayerStats& source = tables.matchSlots[slot];
    SaturatingAdd(target.frags, source.frags);
    SaturatingAdd(target.secondsPlayed, int64_t{source.leaveTime} - source.joinTime);
    for (int w = 0; w < kWeaponCount; ++w)
        SaturatingAdd(target.weaponKills[w], source.weaponKills[w]);

    if (!tables.documentCounts) return;
    PlayerCounts& counts = tables.playerCounts[player];
    const PlayerCounts& slotCounts = tables.slotCounts[slot];
    std::memcpy(counts.rawName, slotCounts.rawName, sizeof counts.rawName);
    SaturatingAdd(counts.deaths, slotCounts.deaths);
    SaturatingAdd(counts.teamKills, slotCounts.teamKills);
    // A match without such lines has nothing to add.
    if (tables.matchFlagEvents) {
        counts.flagEventsSeen = true;
        for (int k = 0; k < kFlagEventCount; ++k)
            SaturatingAdd(counts.flagEvents[k], slotCounts.flagEvents[k]);
    }
    if (tables.matchAwards) {
        counts.awardsSeen = true;
        for (int k = 0; k < kAwardCount; ++k) SaturatingAdd(counts.awards[k], slotCounts.awards[k]);
    }
}

void OnMatchEnd(StatsTables& tables, const LogEventLine& event) {
    if (tables.matchClosed) return;
    const int32_t endTime = event.matchSeconds;
    // The players this match has counted so far, each counting it once.
    int merged[kMatchSlotCount];
    int mergedCount = 0;
    for (int slot = 0; slot < kMatchSlotCount; ++slot) {
        PlayerStats& record = tables.matchSlots[slot];
        if (tables.documentCounts) tables.slotCounts[slot].mergedInto = -1;
        if (record.name[0] == '\0' || !tables.slotBegun[slot]) continue;
        if (!tables.slotLeft[slot]) record.leaveTime = endTime;
        if (int64_t{record.leaveTime} - record.joinTime < kMinimumSecondsPlayed) continue;
        int player = FindPlayer(tables, record.name);
        if (player < 0) {
            if (tables.playerCount >= kPlayerCapacity) continue;
            player = tables.playerCount;
            std::memcpy(tables.players[player].name, record.name, kPlayerNameSize);
            AssignClan(tables, player, tables.players[player].name);
            ++tables.playerCount;
            if (tables.indexedPlayers == player) IndexNextPlayer(tables);
        }
        MergeSlot(tables, player, slot);
        if (!tables.documentCounts) continue;
        tables.slotCounts[slot].mergedInto = player;
        if (std::find(merged, merged + mergedCount, player) == merged + mergedCount) {
            merged[mergedCount++] = player;
            SaturatingAdd(tables.playerCounts[player].matches, 1);
        }
    }
    tables.matchClosed = true;
    ++tables.matchesCounted;
}

}  // namespace mctf
