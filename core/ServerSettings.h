// ServerSettings: every setting of the program in one fixed 808-byte record.
//
// The record is stored in config.dmc byte for byte, so its layout is the file
// format. All integers are 32-bit signed little-endian, the version a
// little-endian IEEE-754 single. Text fields hold NUL-terminated single-byte
// strings; bytes after the terminator are kept as they are.
//
//   off  size  field            default
//     0     4  version          2.0f (bytes 00 00 00 40)
//     4   128  quakePath        "C:\Program Files\Quake III Arena"
//   132   128  statsDir         "C:\Program Files\Quake III Arena\baseq3"
//   260     4  mapCount         0
//   264     4  gameType         4 (Morvane CTF)
//   268   256  hostname         "Morvane Quake"
//   524    32  logFileName      "logfile.log"
//   556   128  motd             "Welcome to Hell"
//   684    16  rconPassword     ""
//   700    16  serverPassword   ""
//   716..804   int32 fields     see the struct below
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mctf {

struct ServerSettings {
    float version;
    char quakePath[128];
    char statsDir[128];
    int32_t mapCount;
    int32_t gameType;
    char hostname[256];
    char logFileName[32];
    char motd[128];
    char rconPassword[16];
    char serverPassword[16];
    int32_t maxRate;
    int32_t fragLimit;
    int32_t timeLimit;
    int32_t maxClients;
    int32_t quadFactor;
    int32_t weaponRespawn;
    int32_t forceRespawn;
    int32_t inactivity;
    int32_t privateServer;
    int32_t pureServer;
    int32_t allowVote;
    int32_t serverType;
    int32_t cheats;
    int32_t netPort;
    int32_t dmFlags;
    int32_t captureLimit;
    int32_t goalLimit;
    int32_t friendlyFire;
    int32_t instaGib;
    int32_t botMinPlayers;
    int32_t botSkill;
    int32_t botNoChat;
    int32_t modFlags;
};

static_assert(sizeof(float) == 4, "version is an IEEE-754 single");
// The record is read and written as raw bytes, so the machine's own byte
// order is the file's: little-endian (x86, x86-64, ARM as Linux and Windows
// run it).
static_assert(std::endian::native == std::endian::little, "config.dmc is little-endian");
static_assert(sizeof(ServerSettings) == 808);
static_assert(offsetof(ServerSettings, quakePath) == 4);
static_assert(offsetof(ServerSettings, statsDir) == 132);
static_assert(offsetof(ServerSettings, mapCount) == 260);
static_assert(offsetof(ServerSettings, gameType) == 264);
static_assert(offsetof(ServerSettings, hostname) == 268);
static_assert(offsetof(ServerSettings, logFileName) == 524);
static_assert(offsetof(ServerSettings, motd) == 556);
static_assert(offsetof(ServerSettings, rconPassword) == 684);
static_assert(offsetof(ServerSettings, serverPassword) == 700);
static_assert(offsetof(ServerSettings, maxRate) == 716);
static_assert(offsetof(ServerSettings, fragLimit) == 720);
static_assert(offsetof(ServerSettings, timeLimit) == 724);
static_assert(offsetof(ServerSettings, maxClients) == 728);
static_assert(offsetof(ServerSettings, quadFactor) == 732);
static_assert(offsetof(ServerSettings, weaponRespawn) == 736);
static_assert(offsetof(ServerSettings, forceRespawn) == 740);
static_assert(offsetof(ServerSettings, inactivity) == 744);
static_assert(offsetof(ServerSettings, privateServer) == 748);
static_assert(offsetof(ServerSettings, pureServer) == 752);
static_assert(offsetof(ServerSettings, allowVote) == 756);
static_assert(offsetof(ServerSettings, serverType) == 760);
static_assert(offsetof(ServerSettings, cheats) == 764);
static_assert(offsetof(ServerSettings, netPort) == 768);
static_assert(offsetof(ServerSettings, dmFlags) == 772);
static_assert(offsetof(ServerSettings, captureLimit) == 776);
static_assert(offsetof(ServerSettings, goalLimit) == 780);
static_assert(offsetof(ServerSettings, friendlyFire) == 784);
static_assert(offsetof(ServerSettings, instaGib) == 788);
static_assert(offsetof(ServerSettings, botMinPlayers) == 792);
static_assert(offsetof(ServerSettings, botSkill) == 796);
static_assert(offsetof(ServerSettings, botNoChat) == 800);
static_assert(offsetof(ServerSettings, modFlags) == 804);

// The factory image: the defaults above, every other byte zero.
extern const ServerSettings DefaultSettings;

// The eight game types, the value of gameType.
enum GameType : int32_t {
    kQuake3DM = 0,
    kQuake3Tournament = 1,
    kQuake3TeamDM = 2,
    kQuake3CTF = 3,
    kMorvaneCTF = 4,
    kMorvaneSoccer = 5,
    kMorvaneDM = 6,
    kMorvaneTeamDM = 7,
};
inline constexpr int kGameTypeCount = 8;

struct GameTypeInfo {
    // The name settings set takes for gameType (in any case), and that
    // settings --help and the refusal of a bad gameType list. The window's
    // buttons have captions of their own, with their Alt keys.
    std::string_view label;
    std::string_view mapListFile;  // file in <quakePath>/morvane
    int gametypeCvar;              // value written to g_gametype
};

// Indexed by GameType.
extern const GameTypeInfo kGameTypes[kGameTypeCount];

// Whether a gameType value names one of the eight types (a hand-edited
// record may hold any number).
inline bool IsGameType(int32_t gameType) { return gameType >= 0 && gameType < kGameTypeCount; }

// Types 4..7 belong to the modification: extra script lines, fs_game, the
// morvane folder.
inline bool IsModGameType(int32_t gameType) { return gameType >= kMorvaneCTF; }

// The name of a g_gametype number the game modules share (0 to 4), or empty:
// above 4 each modification numbers its own (Team Arena's 5 is One Flag
// CTF, Morvane's 5 is Soccer), so a server's number alone cannot tell.
std::string_view GameTypeName(int32_t gameType);

}  // namespace mctf
