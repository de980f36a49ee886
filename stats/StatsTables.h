// StatsTables: everything one statistics run accumulates.
//
// The records keep fixed layouts and the tables fixed capacities: 64 client
// slots of the running match, 4096 players, 4096 clans, and the order lists
// and awards the aggregation fills. Beside each slot and player record lies
// a PlayerCounts record of what only the JSON document shows, kept when
// documentCounts is set. The caller owns one StatsTables (about 2 MB, so
// keep it on the heap) and the run empties it at its start with
// ResetLogTables.
//
// The counts stay within the capacities: players, clans and clan members are
// only ever added below them (OnMatchEnd, AssignClan, JoinClan), so whoever
// reads the tables can rely on them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mctf {

inline constexpr int kMatchSlotCount = 64;
inline constexpr int kPlayerCapacity = 4096;
inline constexpr int kClanCapacity = 4096;
inline constexpr int kTopListCapacity = 100;
inline constexpr int kPlayerNameSize = 32;
inline constexpr int kWeaponCount = 12;
inline constexpr int kPlayerIndexSize = 2 * kPlayerCapacity;  // a power of two

// Indices of weaponKills, and of WeaponNames.
enum Weapon : int {
    kGauntlet = 0,
    kMachinegun = 1,
    kShotgun = 2,
    kGrenadeLauncher = 3,
    kRocketLauncher = 4,
    kLightningGun = 5,
    kRailgun = 6,
    kPlasmaGun = 7,
    kBfg = 8,
    kTelefrag = 9,
    kSuicide = 10,
    kUnknownWeapon = 11,
};

extern const char* const WeaponNames[kWeaponCount];

// One player's figures: a client slot of the running match, or a player of
// the run (104 bytes, two of them padding after rankPosition).
struct PlayerStats {
    char name[kPlayerNameSize];  // cleaned, at most 31 characters
    int16_t rankPosition;        // place in rankOrder, from 0
    float fragsPerHour;
    int32_t frags;          // net: kills minus suicides
    int32_t secondsPlayed;  // players only
    int32_t joinTime;       // slots only: match second of ClientBegin
    int32_t leaveTime;      // slots only: ClientDisconnect or match end
    int32_t weaponKills[kWeaponCount];
};
static_assert(sizeof(PlayerStats) == 104);
static_assert(offsetof(PlayerStats, rankPosition) == 32);
static_assert(offsetof(PlayerStats, fragsPerHour) == 36);
static_assert(offsetof(PlayerStats, frags) == 40);
static_assert(offsetof(PlayerStats, secondsPlayed) == 44);
static_assert(offsetof(PlayerStats, joinTime) == 48);
static_assert(offsetof(PlayerStats, leaveTime) == 52);
static_assert(offsetof(PlayerStats, weaponKills) == 56);

inline constexpr int kClanTagSize = 8;
inline constexpr int kClanNameSize = 32;
inline constexpr int kClanHomePageSize = 128;
inline constexpr int kClanContactSize = 20;
inline constexpr int kClanMemberCapacity = 16;
inline constexpr int kClanTopMembers = 3;

// One clan: players sharing a tag in their names (276 bytes).
struct ClanStats {
    char clanName[kClanNameSize];          // from clanlist.txt, else empty
    char tag[kClanTagSize];                // at most 7 characters
    char homePage[kClanHomePageSize];      // from clanlist.txt, else empty
    char contact[kClanContactSize];        // from clanlist.txt, shown nowhere
    int32_t memberCount;                   // 1..16
    int32_t topMembers[kClanTopMembers];   // best min(memberCount, 3), best first
    int32_t members[kClanMemberCapacity];  // joining order, -1 after the last
    int32_t ranked;                        // scratch mark of the clan ordering
    float averageRank;                     // mean rankPosition of topMembers
};
static_assert(sizeof(ClanStats) == 276);
static_assert(offsetof(ClanStats, tag) == 32);
static_assert(offsetof(ClanStats, homePage) == 40);
static_assert(offsetof(ClanStats, contact) == 168);
static_assert(offsetof(ClanStats, memberCount) == 188);
static_assert(offsetof(ClanStats, topMembers) == 192);
static_assert(offsetof(ClanStats, members) == 204);
static_assert(offsetof(ClanStats, ranked) == 268);
static_assert(offsetof(ClanStats, averageRank) == 272);

inline constexpr int kNoClan = -1;

inline constexpr int kRawNameSize = 64;
inline constexpr int kFlagEventCount = 4;
inline constexpr int kAwardCount = 6;

// The event numbers of "CTF:" lines, indices of flagEvents.
enum FlagEvent : int {
    kFlagTaken = 0,
    kFlagCaptured = 1,
    kFlagReturned = 2,
    kFlagCarrierFragged = 3,
};

// The team a slot is on: the number of its userinfo's t\ key plus one, so
// that a zero-filled slot has none.
enum SlotTeam : int32_t {
    kNoTeam = 0,
    kTeamFree = 1,
    kTeamRed = 2,
    kTeamBlue = 3,
    kTeamSpectator = 4,
};

// What a slot of the running match or a player of the run counts beyond
// the pages' figures. Each lies beside the PlayerStats record of the same
// index and is cleared and merged with it, by the same rules, so that a
// player's matches add up to the player's totals. The award numbers are
// those of "Award:" lines: 0 gauntlet, 1 excellent, 2 impressive, 3 defence,
// 4 capture, 5 assist.
struct PlayerCounts {
    char rawName[kRawNameSize];  // as the log writes it, colour codes kept; at most 63 bytes
    int32_t team;                // slots only: a SlotTeam
    int32_t deaths;              // Kill: lines naming it as the victim, suicides included
    int32_t teamKills;           // kills of a team mate, counted in frags and weaponKills too
    int32_t flagEvents[kFlagEventCount];
    int32_t awards[kAwardCount];
    int32_t matches;      // players only: counted matches
    int32_t mergedInto;   // slots only: the player the last match end merged it into, or -1
    bool flagEventsSeen;  // players only: a counted match of the player had CTF: lines
    bool awardsSeen;      // players only: ... had Award: lines
};

// The player with the highest rate per hour of one counter.
struct RateLeader {
    int32_t player;  // index in players
    float rate;      // per hour
};

// The figures of the front page's server box (see Awards.h). Valid after the
// aggregation when playerCount > 0.
struct Awards {
    int32_t featured;         // a player with positive fragsPerHour, or -1 for none
    int32_t featuredClan;     // the featured player's clan, or kNoClan
    int32_t favoriteWeapon;   // WeaponNames index of the featured player's most kills
    RateLeader topRailer;     // first of topRailers, with railgun kills per hour
    RateLeader mostSuicides;  // suicides per hour
    RateLeader mostBfgKills;  // BFG kills per hour
};

struct StatsTables {
    // The running match, by the slot number the log lines carry.
    PlayerStats matchSlots[kMatchSlotCount];
    // A ClientBegin / ClientDisconnect has been seen since the slot was last
    // cleared. Kept apart from joinTime/leaveTime so that events stamped 0:00
    // count.
    bool slotBegun[kMatchSlotCount];
    bool slotLeft[kMatchSlotCount];
    bool matchClosed;  // the running match has been merged already
    // Matches merged so far: each counts once, at its first end.
    std::uint64_t matchesCounted;
    // The handlers keep slotCounts and playerCounts, which only the JSON
    // document shows: set after ResetLogTables by a run that makes one (a
    // run of the pages alone is spared the work).
    bool documentCounts;
    PlayerCounts slotCounts[kMatchSlotCount];
    bool matchFlagEvents;  // a CTF: line since the running match began
    bool matchAwards;      // an Award: line since the running match began

    PlayerStats players[kPlayerCapacity];  // order of first counted match
    int32_t playerCount;                   // 0..kPlayerCapacity
    PlayerCounts playerCounts[kPlayerCapacity];

    ClanStats clans[kClanCapacity];  // order of creation
    int32_t clanCount;               // 0..kClanCapacity

    uint16_t rankOrder[kPlayerCapacity];       // playerCount valid
    uint16_t topRailers[kTopListCapacity];     // min(playerCount, 100) valid
    uint16_t topRocketeers[kTopListCapacity];  // min(playerCount, 100) valid
    uint16_t clanOrder[kClanCapacity];         // clanCount valid
    Awards awards;

    // Name lookup for the match end, which would otherwise compare every
    // stored name for every slot: an open-addressing hash of players 0 to
    // indexedPlayers - 1, each cell holding a player index + 1 (0 is free).
    uint16_t playerIndex[kPlayerIndexSize];
    int32_t indexedPlayers;
};

}  // namespace mctf
