// Any record and map list through WriteServerFiles, the files read back as the
// game's console reads them: morvane.cfg must run exactly the commands the
// writer means, the launch line must stay one line with its path inside its
// quotes and give the engine exactly the record's arguments, as morvane.sh's
// last line must, or the writer must refuse, for exactly the records that
// need it, and write nothing.
//
// Input: 808 bytes of record (missing bytes keep the defaults), then the map
// slots, 32 bytes each; mapCount and gameType stay as given, out of range
// too. The game folder lies in the scratch folder under the name the input's
// quakePath gives ('/' read as '\'), so the launch line's path can hold
// anything a folder name can. morvane.sh is run as sh would run it
// (fuzz/ShellLauncher.h): the engine must get exactly its arguments.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FixedText.h"
#include "core/Paths.h"
#include "core/ServerFiles.h"
#include "core/SettingsStore.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/ShellLauncher.h"

namespace {

using mctf::FixedText;
using mctf::JoinPath;
using mctf::fuzz::GameFolder;
using Words = std::vector<std::string>;
constexpr auto npos = std::string_view::npos;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz_server_script: %s\n", what.c_str());
    __builtin_trap();
}

std::string Shown(const Words& words) {
    std::string text;
    for (const std::string& word : words) text += "[" + word + "]";
    return text;
}

// Words are separated by bytes up to ' '; a double quote starts a word that
// runs to the next one or to the end of the command.
Words Tokenize(std::string_view command) {
    Words words;
    for (size_t i = 0;;) {
        while (i < command.size() && static_cast<unsigned char>(command[i]) <= ' ') ++i;
        if (i == command.size()) return words;
        size_t start = i;
        if (command[i] == '"') {
            i = std::min(command.find('"', start + 1), command.size());
            words.emplace_back(command.substr(start + 1, i - start - 1));
            i = std::min(i + 1, command.size());
            continue;
        }
        while (i < command.size() && static_cast<unsigned char>(command[i]) > ' ' &&
               command[i] != '"')
            ++i;
        words.emplace_back(command.substr(start, i - start));
    }
}

struct Buffer {
    std::vector<Words> commands;    // those that hold a word
    std::vector<int> commentLines;  // where each comment starts, from 1
};

// Commands end at CR, LF and at ';' outside quotes; outside quotes "//" is a
// comment to the end of the line and "/*" one up to "*/".
Buffer Split(std::string_view text) {
    Buffer buffer;
    std::string command;
    bool quoted = false;
    int line = 1;
    auto finish = [&] {
        if (Words words = Tokenize(command); !words.empty())
            buffer.commands.push_back(std::move(words));
        command.clear();
        quoted = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char after = !quoted && c == '/' && i + 1 < text.size() ? text[i + 1] : '\0';
        if (after == '/') {
            buffer.commentLines.push_back(line);
            i = std::min(text.find_first_of("\r\n", i), text.size()) - 1;
        } else if (after == '*') {
            buffer.commentLines.push_back(line);
            const size_t stop = std::min(text.find("*/", i + 2), text.size() - 2) + 2;
            line += static_cast<int>(std::count(text.begin() + i, text.begin() + stop, '\n'));
            i = stop - 1;
        } else if (c == '\n' || c == '\r' || (!quoted && c == ';')) {
            finish();
            if (c == '\n') ++line;
        } else {
            if (c == '"') quoted = !quoted;
            command += c;
        }
    }
    finish();
    return buffer;
}

bool QuotedTextHazard(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        return c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
}

bool HighByte(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The engine cuts a bare word at a byte >= 0x80 and drops a map name with '\'
// from the server info.
bool MapNameHazard(std::string_view name) {
    return QuotedTextHazard(name) || name.find_first_of("; \\") != npos ||
           name.find("//") != npos || name.find("/*") != npos || HighByte(name);
}

// What the engine would lose although the script carries it: a server or
// user info value holding ';' or '\', a host name past 128 bytes, a
// password the server reads from a packet ('%' and bytes >= 0x80 become
// '.'), an rcon password that is not one bare word, a log name that leaves
// its folder or does not end in ".log".
bool LostByEngine(const mctf::ServerSettings& s) {
    const std::string_view host = FixedText(s.hostname), user = FixedText(s.serverPassword),
                           rcon = FixedText(s.rconPassword), log = FixedText(s.logFileName);
    std::string end(log.substr(log.size() < 4 ? 0 : log.size() - 4));
    std::transform(end.begin(), end.end(), end.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return host.size() > 128 || host.find_first_of(";\\") != npos ||
           user.find_first_of(";\\%") != npos || HighByte(user) ||
           rcon.find_first_of(" %") != npos || rcon.find("//") != npos || rcon.find("/*") != npos ||
           HighByte(rcon) || log.find_first_of("/\\:") != npos || log.find("..") != npos ||
           (!log.empty() && (log.size() <= 4 || end != ".log"));
}

// Every cvar the script sets outside the rotation, with its value.
std::map<std::string, std::string> ExpectedCvars(const mctf::ServerSettings& s) {
    using Numbers = std::initializer_list<std::pair<const char*, long long>>;
    const bool known = s.gameType >= 0 && s.gameType < mctf::kGameTypeCount;
    // clang-format off
    Numbers numbers{
        {"g_gametype", known ? mctf::kGameTypes[s.gameType].gametypeCvar : 0},
        {"fraglimit", s.fragLimit}, {"timelimit", s.timeLimit},
        {"sv_maxclients", s.maxClients}, {"sv_privateClients", s.privateServer},
        {"sv_pure", s.pureServer}, {"sv_maxRate", s.maxRate}, {"dmflags", s.dmFlags},
        {"bot_minplayers", s.botMinPlayers},
        {"bot_nochat", s.botNoChat}, {"g_allowvote", s.allowVote},
        {"g_quadfactor", s.quadFactor}, {"g_weaponrespawn", s.weaponRespawn},
        {"g_forcerespawn", s.forceRespawn}, {"g_inactivity", s.inactivity},
        {"g_friendlyFire", s.friendlyFire}, {"capturelimit", s.captureLimit},
        {"g_spSkill", s.botSkill + 1LL}, {"g_syncronousClients", 0}};
    Numbers mod{{"Morvane_Flags", s.modFlags}, {"g_goallimit", s.goalLimit},
                {"g_instaGib", s.instaGib}};
    // clang-format on
    std::map<std::string, std::string> cvars{
        {"sv_hostname", std::string(FixedText(s.hostname))},
        {"sv_privatePassword", std::string(FixedText(s.serverPassword))},
        {"rconPassword", std::string(FixedText(s.rconPassword))},
        {"g_log", std::string(FixedText(s.logFileName))},
        {"g_motd", std::string(FixedText(s.motd))}};
    for (auto [name, value] : numbers) cvars[name] = std::to_string(value);
    if (s.gameType >= mctf::kMorvaneCTF)
        for (auto [name, value] : mod) cvars[name] = std::to_string(value);
    return cvars;
}

void CheckScript(std::string_view script, const mctf::SettingsStore& store) {
    const mctf::ServerSettings& s = store.settings;
    const Buffer buffer = Split(script);
    if (buffer.commentLines != std::vector<int>{1, 2, 3})
        Fail("comments other than the three header lines");
    const auto cvars = ExpectedCvars(s);
    const int count = std::clamp<int32_t>(s.mapCount, 0, mctf::kMapListCapacity);
    const bool rotation = count > 0 && s.gameType != mctf::kQuake3Tournament;
    // Cheats need devmap: the server holds sv_cheats read-only.
    const std::string load = s.cheats == 1 ? "devmap" : "map";
    auto map = [&](int index) {  // an empty slot gives a bare "map"
        std::string name(FixedText(store.mapList.maps[index]));
        return name.empty() ? Words{load} : Words{load, name};
    };
    std::set<std::string> set;
    int maps = 0, vstrs = 0;
    for (const Words& w : buffer.commands) {
        if (w[0] == "set" && w.size() == 3) {
            if (!set.insert(w[1]).second) Fail("set twice: " + Shown(w));
            if (w[1][0] == 'd' && w[1].find_first_not_of("0123456789", 1) == npos) {
                const size_t digits = w[1].size() - 1;
                const int n =
                    digits >= 1 && digits <= 2 && w[1][1] != '0' ? std::stoi(&w[1][1]) : 0;
                if (!rotation || n < 1 || n > count) Fail("unexpected rotation entry: " + Shown(w));
                // What vstr dN runs.
                const Buffer entry = Split(w[2]);
                const Words next{"set", "nextmap", "vstr", "d" + std::to_string(n % count + 1)};
                if (!entry.commentLines.empty() ||
                    entry.commands != std::vector<Words>{map(n - 1), next})
                    Fail("rotation entry does not run its map and the next entry: " + Shown(w));
            } else if (!cvars.contains(w[1])) {
                Fail("unknown cvar: " + Shown(w));
            } else if (w[2] != cvars.at(w[1])) {
                Fail("value is not [" + cvars.at(w[1]) + "]: " + Shown(w));
            }
        } else if (w[0] == load && w.size() <= 2) {
            ++maps;
            if (rotation || (count == 0 ? w.size() != 2 : w != map(0)))
                Fail("unexpected map command: " + Shown(w));
        } else if (w == Words{"vstr", "d1"}) {
            ++vstrs;
        } else {
            Fail("unexpected command: " + Shown(w));
        }
    }
    if (set.size() != cvars.size() + (rotation ? count : 0)) Fail("a cvar or entry is missing");
    if (maps != (rotation ? 0 : 1) || vstrs != (rotation ? 1 : 0))
        Fail("wrong number of map or vstr d1 commands");
}

// What both launch lines give the engine after its program (and, in
// morvane.sh, its paths): the port too, since the socket is open before
// morvane.cfg runs.
std::string EngineArguments(const mctf::ServerSettings& s) {
    return std::string(s.gameType >= mctf::kMorvaneCTF ? " +set fs_game morvane" : "") +
           " +set dedicated " + std::to_string(s.serverType) + " +set net_port " +
           std::to_string(s.netPort) + " +exec morvane.cfg";
}

void CheckLaunchLine(std::string_view line, const mctf::ServerSettings& s,
                     std::string_view gamePath) {
    if (line.find_first_of("\r\n") != npos) Fail("the launch line is more than one line");
    const std::string head = "\"" + std::string(gamePath) + "\\quake3.exe\"";
    if (!line.starts_with(head) || line.find('"', 1) != head.size() - 1)
        Fail("the launch line's path does not end its quotes at \\quake3.exe\"");
    if (line.substr(head.size()) != EngineArguments(s))
        Fail("the launch line's arguments are not [" + EngineArguments(s) + "]");
}

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// morvane.sh started from the root with two arguments of its own, the last
// server program of its list in the game folder (fuzz_server_units varies all
// of that).
void CheckShellLauncher(const std::string& launcher, const mctf::ServerSettings& s) {
    mctf::fuzz::ShellWorld world;
    world.arguments = {"+set", "sv_hostname 'a b'"};
    world.gameFiles = {{"q3ded", true}};
    mctf::fuzz::CheckShellLauncher(launcher, s, world);
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) Fail("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mctf::SettingsStore store;
    store.settings = mctf::DefaultSettings;
    std::memcpy(&store.settings, data, std::min(size, sizeof store.settings));
    if (size > sizeof store.settings)
        std::memcpy(store.mapList.maps, data + sizeof store.settings,
                    std::min(size - sizeof store.settings, sizeof store.mapList.maps));
    const std::string game = GameFolder(FixedText(store.settings.quakePath));
    mctf::SetFixedText(store.settings.quakePath, game);
    const mctf::ServerSettings& s = store.settings;

    const mctf::ServerFilesOutcome outcome = mctf::WriteServerFiles(store);

    const std::string used = s.gameType >= mctf::kMorvaneCTF ? "morvane" : "baseq3";
    const std::string unused = used == "morvane" ? "baseq3" : "morvane";
    std::set<std::string> top{"baseq3", "morvane"}, script;
    if (outcome.Written()) {
        top.insert("morvane.bat");
        script.insert("morvane.cfg");
        // The script first: what it runs says more than a status does.
        CheckScript(ReadAll(JoinPath(JoinPath(game, used), "morvane.cfg")), store);
        CheckLaunchLine(ReadAll(JoinPath(game, "morvane.bat")), s, game);
        if (mctf::kWritesShellLauncher) {
            top.insert("morvane.sh");
            CheckShellLauncher(ReadAll(JoinPath(game, "morvane.sh")), s);
        }
    }
    if (Entries(game) != top || !Entries(JoinPath(game, unused)).empty() ||
        Entries(JoinPath(game, used)) != script)
        Fail(outcome.Written() ? "files beside the two server files" : "refused but wrote files");

    bool unsafeScript = false;
    for (std::string_view text :
         {FixedText(s.hostname), FixedText(s.motd), FixedText(s.logFileName),
          FixedText(s.serverPassword), FixedText(s.rconPassword)})
        unsafeScript |= QuotedTextHazard(text);
    unsafeScript |= LostByEngine(s);
    // The tournament writes only the first map.
    const int written = std::clamp<int32_t>(
        s.mapCount, 0, s.gameType == mctf::kQuake3Tournament ? 1 : mctf::kMapListCapacity);
    for (int i = 0; i < written; ++i)
        unsafeScript |= MapNameHazard(FixedText(store.mapList.maps[i]));
    using enum mctf::ServerFilesStatus;
    const mctf::ServerFilesStatus wanted = QuotedTextHazard(game) ? UnsafeLaunchFile
                                           : unsafeScript         ? UnsafeScript
                                                                  : Written;
    if (outcome.status != wanted)
        Fail("status " + std::to_string(static_cast<int>(outcome.status)) + " instead of " +
             std::to_string(static_cast<int>(wanted)) + " [" + outcome.problem + "]");
    return 0;
}
