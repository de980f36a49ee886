#include "bench/SyntheticLogs.h"

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace mctf::bench {
namespace {

constexpr int kSlots = 16;
constexpr const char* kModels[] = {"sarge/default", "major/red",    "xian/default", "uriel/zael",
                                   "visor/blue",    "keel/default", "grunt/stripe", "doom/phobos"};
constexpr const char* kItems[] = {
    "weapon_railgun",    "weapon_rocketlauncher", "item_armor_body", "ammo_rockets",
    "item_health_large", "weapon_plasmagun",      "ammo_slugs",      "item_quad"};
constexpr const char* kModNames[] = {
    "MOD_UNKNOWN", "MOD_SHOTGUN",        "MOD_GAUNTLET",     "MOD_MACHINEGUN",
    "MOD_GRENADE", "MOD_GRENADE_SPLASH", "MOD_ROCKET",       "MOD_ROCKET_SPLASH",
    "MOD_PLASMA",  "MOD_PLASMA_SPLASH",  "MOD_RAILGUN",      "MOD_LIGHTNING",
    "MOD_BFG",     "MOD_BFG_SPLASH",     "MOD_WATER",        "MOD_SLIME",
    "MOD_LAVA",    "MOD_CRUSH",          "MOD_TELEFRAG",     "MOD_FALLING",
    "MOD_SUICIDE", "MOD_TARGET_LASER",   "MOD_TRIGGER_HURT", "MOD_NAIL",
    "MOD_CHAINGUN"};
// Weighted means of death: rails and rockets are the common ones.
constexpr int kKillMods[] = {10, 10, 10, 6, 7, 7, 7,  1,  3,  3, 11,
                             11, 8,  9,  4, 5, 2, 12, 18, 23, 24};
constexpr const char* kChat[] = {
    "gg",       "nice shot",         "lag!!", "who is camping the rail?", "brb",
    "rematch?", "^1red ^4blue ^7go", "lol"};

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    // Uniform enough for a corpus; the modulo keeps it platform-independent.
    int Below(int bound) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(bound)); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::mt19937_64 engine_;
};

std::vector<std::string> MakePlayerNames(Random& random, int count) {
    static constexpr const char* kSyllables[] = {"ka", "zor", "vex", "mi",  "dra", "ul",  "tor",
                                                 "sy", "ne",  "qua", "rix", "bo",  "fen", "lo"};
    std::vector<std::string> clans;
    for (int c = 0; c < count / 12; ++c) {
        std::string tag;
        for (int i = 0, n = 2 + random.Below(3); i < n; ++i)
            tag += static_cast<char>('A' + random.Below(26));
        clans.push_back(tag);
    }
    std::vector<std::string> names;
    for (int p = 0; p < count; ++p) {
        std::string base;
        for (int i = 0, n = 2 + random.Below(3); i < n; ++i) base += kSyllables[random.Below(14)];
        base[0] = static_cast<char>(base[0] - 'a' + 'A');
        base += std::to_string(p);  // distinct names
        if (random.Chance(30)) base = "^" + std::to_string(1 + random.Below(7)) + base + "^7";
        int style = random.Below(10);
        const std::string& tag = clans[random.Below(static_cast<int>(clans.size()))];
        if (style < 3)
            base = "[" + tag + "]" + base;
        else if (style == 3)
            base = base + "{" + tag + "}";
        else if (style == 4)
            base = "^1|" + tag + "|^7" + base;
        names.push_back(base);
    }
    return names;
}

class LogWriter {
public:
    explicit LogWriter(std::FILE* file) : file_(file) {}

    template <typename... Values>
    void Line(int seconds, const char* format, Values... values) {
        std::fprintf(file_, "%3d:%02d ", seconds / 60, seconds % 60);
        std::fprintf(file_, format, values...);
        std::fputc('\n', file_);
    }
    void Raw(const std::string& text) { std::fputs(text.c_str(), file_); }
    std::uint64_t bytes() const { return static_cast<std::uint64_t>(std::ftell(file_)); }

private:
    std::FILE* file_;
};

std::string UserInfo(const std::string& name, Random& random) {
    const char* model = kModels[random.Below(8)];
    return "n\\" + name + "\\t\\" + std::to_string(random.Below(3)) + "\\model\\" + model +
           "\\hmodel\\" + model +
           "\\g_redteam\\\\g_blueteam\\\\c1\\4\\c2\\5\\hc\\100\\w\\0\\l\\0\\tt\\0\\tl\\0";
}

std::string InitGameLine(Random& random) {
    std::string line =
        "\\sv_floodProtect\\1\\sv_maxPing\\0\\sv_minPing\\0\\sv_maxRate\\10000"
        "\\sv_hostname\\Morvane Quake\\g_gametype\\4\\sv_maxclients\\16"
        "\\timelimit\\20\\fraglimit\\50\\capturelimit\\8\\version\\ioq3 1.36 linux";
    // Some servers write every cvar: lines far beyond the 511 characters kept.
    int extra = random.Chance(25) ? 40 : 6;
    for (int i = 0; i < extra; ++i)
        line += "\\g_custom" + std::to_string(i) + "\\" + std::to_string(random.Below(100000));
    return line;
}

void WriteMatch(LogWriter& log, Random& random, const std::vector<std::string>& names) {
    int clock = 0;
    log.Line(clock, "------------------------------------------------------------");
    log.Line(clock, "InitGame: %s", InitGameLine(random).c_str());
    log.Line(clock, "Warmup:");

    int inGame = 6 + random.Below(kSlots - 5);
    std::vector<int> slotPlayer(kSlots, -1);
    for (int slot = 0; slot < inGame; ++slot) {
        int player = random.Below(static_cast<int>(names.size()));
        slotPlayer[slot] = player;
        int at = clock + 2 * slot + random.Below(2);  // players trickle in
        log.Line(at, "ClientConnect: %d", slot);
        log.Line(at, "ClientUserinfoChanged: %d %s", slot, UserInfo(names[player], random).c_str());
        log.Line(at, "ClientBegin: %d", slot);
    }

    int length = 600 + random.Below(900);
    // A few matches run for many hours: three-digit minutes.
    if (random.Chance(2)) length += 60 * 120;
    int events = 150 + random.Below(250);
    for (int e = 0; e < events; ++e) {
        clock += 1 + random.Below(2 * length / events);
        int slot = random.Below(inGame);
        int roll = random.Below(100);
        if (roll < 55) {
            int victim = random.Below(inGame);
            int mod = kKillMods[random.Below(static_cast<int>(std::size(kKillMods)))];
            bool world = random.Chance(8);
            int killer = world ? 1022 : slot;
            if (world) mod = random.Chance(50) ? 22 : 19;
            const char* killerName = world ? "<world>" : names[slotPlayer[killer]].c_str();
            log.Line(clock, "Kill: %d %d %d: %s killed %s by %s", killer, victim, mod, killerName,
                     names[slotPlayer[victim]].c_str(), kModNames[mod]);
        } else if (roll < 80) {
            log.Line(clock, "Item: %d %s", slot, kItems[random.Below(8)]);
        } else if (roll < 92) {
            log.Line(clock, "say: %s: %s", names[slotPlayer[slot]].c_str(), kChat[random.Below(8)]);
        } else if (roll < 95) {
            // A rename: the slot starts over at its next ClientBegin.
            int player = random.Below(static_cast<int>(names.size()));
            slotPlayer[slot] = player;
            log.Line(clock, "ClientUserinfoChanged: %d %s", slot,
                     UserInfo(names[player], random).c_str());
            log.Line(clock, "ClientBegin: %d", slot);
        } else if (roll < 97) {
            log.Line(clock, "ClientDisconnect: %d", slot);
            int player = random.Below(static_cast<int>(names.size()));
            slotPlayer[slot] = player;
            log.Line(clock, "ClientConnect: %d", slot);
            log.Line(clock, "ClientUserinfoChanged: %d %s", slot,
                     UserInfo(names[player], random).c_str());
            log.Line(clock, "ClientBegin: %d", slot);
        } else {
            log.Line(clock, "score: %d  ping: %d  client: %d %s", random.Below(60),
                     random.Below(200), slot, names[slotPlayer[slot]].c_str());
        }
    }
    if (random.Chance(70)) log.Line(clock, "Exit: Timelimit hit.");
    log.Line(clock, "ShutdownGame:");
    log.Line(clock, "------------------------------------------------------------");
}

}  // namespace

std::uint64_t GenerateCorpus(const CorpusPlan& plan) {
    std::error_code error;
    std::filesystem::create_directories(plan.folder, error);
    Random random(plan.seed);
    std::vector<std::string> names = MakePlayerNames(random, plan.playerPool);
    std::uint64_t perFile = plan.totalBytes / static_cast<std::uint64_t>(plan.fileCount);
    std::uint64_t total = 0;
    std::vector<char> buffer(1 << 20);
    for (int f = 1; f <= plan.fileCount; ++f) {
        std::string path =
            (std::filesystem::path(plan.folder) / ("games" + std::to_string(f) + ".log")).string();
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) return 0;
        std::setvbuf(file, buffer.data(), _IOFBF, buffer.size());
        LogWriter log(file);
        while (log.bytes() < perFile) WriteMatch(log, random, names);
        total += log.bytes();
        if (std::fclose(file) != 0) return 0;
    }
    return total;
}

}  // namespace mctf::bench
