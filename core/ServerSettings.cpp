#include "core/ServerSettings.h"

#include <iterator>

namespace mctf {

namespace {

constexpr ServerSettings MakeDefaults() {
    ServerSettings s{};
    s.version = 2.0f;
    // Copied by hand: constexpr cannot use strcpy.
    auto copy = [](char* dst, const char* src) {
        while ((*dst++ = *src++) != '\0') {
        }
    };
    copy(s.quakePath, "C:\\Program Files\\Quake III Arena");
    copy(s.statsDir, "C:\\Program Files\\Quake III Arena\\baseq3");
    s.mapCount = 0;
    s.gameType = kMorvaneCTF;
    copy(s.hostname, "Morvane Quake");
    copy(s.logFileName, "logfile.log");
    copy(s.motd, "Welcome to Hell");
    s.maxRate = 0;
    s.fragLimit = 20;
    s.timeLimit = 15;
    s.maxClients = 16;
    s.quadFactor = 3;
    s.weaponRespawn = 5;
    s.forceRespawn = 1;
    s.inactivity = 0;
    s.privateServer = 0;
    s.pureServer = 0;
    s.allowVote = 1;
    s.serverType = 2;
    s.cheats = 0;
    s.netPort = 27960;
    s.dmFlags = 0;
    s.captureLimit = 8;
    s.goalLimit = 6;
    s.friendlyFire = 0;
    s.instaGib = 0;
    s.botMinPlayers = 0;
    s.botSkill = 2;
    s.botNoChat = 0;
    s.modFlags = 0;
    return s;
}

}  // namespace

const ServerSettings DefaultSettings = MakeDefaults();

const GameTypeInfo kGameTypes[kGameTypeCount] = {
    {"Quake 3 DM", "q3dm.map", 0},       {"Quake 3 Tournament", "q3t.map", 1},
    {"Quake 3 Team DM", "q3tdm.map", 3}, {"Quake 3 CTF", "q3ctf.map", 4},
    {"Morvane CTF", "mctf.map", 4},      {"Morvane Soccer", "ms.map", 5},
    {"Morvane DM", "mdm.map", 0},        {"Morvane Team DM", "mtdm.map", 3},
};

std::string_view GameTypeName(int32_t gameType) {
    static constexpr std::string_view kNames[] = {"Free For All", "Tournament", "Single Player",
                                                  "Team Deathmatch", "Capture The Flag"};
    if (gameType < 0 || gameType >= static_cast<int32_t>(std::size(kNames))) return {};
    return kNames[gameType];
}

}  // namespace mctf
