#include "core/ServerFiles.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/FileReplacement.h"
#include "core/FixedText.h"
#include "core/ScriptSafety.h"
#include "core/SettingsFields.h"

namespace mctf {

namespace {

// Text fields go out with %.*s so an unterminated array stops at its end.
int Len(std::string_view text) { return static_cast<int>(text.size()); }

int GametypeCvar(int32_t gameType) {
    if (!IsGameType(gameType)) return 0;
    return kGameTypes[gameType].gametypeCvar;
}

void WriteLaunchLine(FileReplacement& file, const ServerSettings& s) {
    std::string_view quakePath = FixedText(s.quakePath);
    file.Printf("\"%.*s\\quake3.exe\"", Len(quakePath), quakePath.data());
    if (IsModGameType(s.gameType)) file.Write(" +set fs_game morvane");
    // The port goes on the command line: the socket is open before any script runs.
    file.Printf(" +set dedicated %d +set net_port %d +exec morvane.cfg", s.serverType, s.netPort);
}

// A text in single quotes for the shell: every byte stands for itself, a
// single quote is ended, escaped and opened again.
std::string ShellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

// morvane.sh: the launch line of morvane.bat for a Linux dedicated server.
// The engine's base and home paths are the game folder, so the paks it
// loads, morvane.cfg and the log it writes (g_log, below fs_game) are where
// the settings and mctfcli stats look for them.
void WriteShellLauncher(FileReplacement& file, const ServerSettings& s) {
    // cd would take a folder starting with '-' for an option, "-" alone for
    // the previous folder.
    const std::string_view path = FixedText(s.quakePath);
    const std::string game = ShellQuoted((path.starts_with('-') ? "./" : "") + std::string(path));
    std::string names;
    for (const char* name : kDedicatedServerNames)
        names += (names.empty() ? "" : " ") + std::string(name);
    file.Write(
        "#!/bin/sh\n"
        "# Written by mctfutil with morvane.cfg and morvane.bat: changes made here\n"
        "# are lost the next time. Starts the dedicated server of the game folder,\n"
        "# else ioq3ded of the PATH, else Debian's; MCTF_SERVER names another server\n"
        "# program. Arguments are passed on.\n");
    file.Printf("game=%s\n", game.c_str());
    file.Write(
        "cd \"$game\" || exit 1\n"
        "server=${MCTF_SERVER-}\n"
        "if [ -z \"$server\" ]; then\n");
    file.Printf("    for name in %s; do\n", names.c_str());
    file.Write(
        "        if [ -f \"$name\" ] && [ -x \"$name\" ]; then\n"
        "            server=./$name\n"
        "            break\n"
        "        fi\n"
        "    done\n"
        "fi\n"
        "if [ -z \"$server\" ]; then\n"
        "    server=$(command -v ioq3ded) || server=\n"
        "fi\n");
    file.Printf(
        "if [ -z \"$server\" ] && [ -f %s ] && [ -x %s ]; then\n"
        "    server=%s\n"
        "fi\n"
        "if [ -z \"$server\" ]; then\n"
        "    printf 'morvane.sh: no dedicated server in %%s (looked for %s), no ioq3ded on"
        " the PATH and no %s; install one or set MCTF_SERVER to its path\\n' \"$game\" >&2\n",
        kDebianServerPath, kDebianServerPath, kDebianServerPath, names.c_str(), kDebianServerPath);
    file.Printf("    exit %d\n", kNoServerStatus);
    file.Write(
        "fi\n"
        "printf 'morvane.sh: starting %s\\n' \"$server\" >&2\n"
        "exec \"$server\" +set fs_basepath \"$game\" +set fs_homepath \"$game\"");
    if (IsModGameType(s.gameType)) file.Write(" +set fs_game morvane");
    file.Printf(" +set dedicated %d +set net_port %d +exec morvane.cfg \"$@\"\n", s.serverType,
                s.netPort);
}

// The command that loads a map: only devmap lets cheats on (the server
// holds sv_cheats read-only, and map sets it to 0).
const char* MapCommand(const ServerSettings& s) { return s.cheats == 1 ? "devmap" : "map"; }

// The rotation: d1..dn each load a map and name the next as nextmap, the
// last one pointing back to d1. The tournament plays only the first map.
void WriteMapBlock(FileReplacement& file, const SettingsStore& store) {
    const ServerSettings& s = store.settings;
    const int count = ValidMapCount(store);
    if (count == 0) {
        const char* map = "q3dm1";
        if (s.gameType == kQuake3CTF || s.gameType == kMorvaneCTF) map = "q3ctf1";
        if (s.gameType == kMorvaneSoccer) map = "ms01";
        file.Printf("%s %s\n\n", MapCommand(s), map);
        return;
    }
    auto name = [&](int index) { return FixedText(store.mapList.maps[index]); };
    if (s.gameType == kQuake3Tournament) {
        file.Printf("%s %.*s\n", MapCommand(s), Len(name(0)), name(0).data());
        return;
    }
    for (int k = 1; k <= count; ++k) {
        int next = k < count ? k + 1 : 1;
        file.Printf("set d%d \"%s %.*s ; set nextmap vstr d%d\"\n", k, MapCommand(s),
                    Len(name(k - 1)), name(k - 1).data(), next);
    }
    file.Write("vstr d1\n\n");
}

void WriteScript(FileReplacement& file, const SettingsStore& store) {
    const ServerSettings& s = store.settings;
    auto text = [&](const char* format, std::string_view value) {
        file.Printf(format, Len(value), value.data());
    };
    file.Write(
        "//This file generated by mctfutil.exe - MCTF Util by the mctfutil developers\n"
        "//Do not edit this file!\n"
        "//Use mctfutil to set options!\n"
        "\n");
    file.Printf("set g_gametype %d\n", GametypeCvar(s.gameType));
    file.Printf("set fraglimit %d\n", s.fragLimit);
    file.Printf("set timelimit %d\n", s.timeLimit);
    if (IsModGameType(s.gameType)) {
        file.Printf("set Morvane_Flags %d\n", s.modFlags);
        file.Printf("set g_goallimit %d\n", s.goalLimit);
        file.Printf("set g_instaGib %d\n", s.instaGib);
    }
    file.Printf("set sv_maxclients %d\n", s.maxClients);
    text("set sv_hostname \"%.*s\"\n", FixedText(s.hostname));
    file.Printf("set sv_privateClients %d\n", s.privateServer);
    text("set sv_privatePassword \"%.*s\"\n", FixedText(s.serverPassword));
    text("set rconPassword \"%.*s\"\n", FixedText(s.rconPassword));
    file.Printf("set sv_pure %d\n", s.pureServer);
    file.Printf("set sv_maxRate %d\n", s.maxRate);
    file.Printf("set dmflags \"%d\"\n", s.dmFlags);
    text("set g_log \"%.*s\"\n", FixedText(s.logFileName));
    file.Printf("set bot_minplayers %d\n", s.botMinPlayers);
    file.Printf("set bot_nochat %d\n", s.botNoChat);
    WriteMapBlock(file, store);
    text("set g_motd \"%.*s\"\n", FixedText(s.motd));
    file.Printf("set g_allowvote %d\n", s.allowVote);
    file.Printf("set g_quadfactor %d\n", s.quadFactor);
    file.Printf("set g_weaponrespawn %d\n", s.weaponRespawn);
    file.Printf("set g_forcerespawn %d\n", s.forceRespawn);
    file.Printf("set g_inactivity %d\n", s.inactivity);
    file.Printf("set g_friendlyFire %d\n", s.friendlyFire);
    file.Printf("set capturelimit %d\n", s.captureLimit);
    // The slider runs 0..4, the game's skill 1..5; wrap-free for odd values.
    file.Printf("set g_spSkill \"%lld\"\n", static_cast<long long>(s.botSkill) + 1);
    file.Write("set g_syncronousClients 0\n");
}

// The first text or map name the files would carry unsafely, or the engine
// would lose, as "hostname holds a double quote", with the file it would go
// into.
std::optional<ServerFilesOutcome> FindUnsafeContent(const SettingsStore& store) {
    const ServerSettings& s = store.settings;
    for (const SettingsField& field : SettingsFields()) {
        if (!field.quoted) continue;
        ScriptHazard hazard = FindTextHazard(TextOf(s, field), field.use);
        if (hazard == ScriptHazard::None) continue;
        std::string problem = std::string(field.name) + " holds " + std::string(HazardName(hazard));
        // The game path is the one quoted text of the launch line.
        if (&field == &FieldOf(&ServerSettings::quakePath))
            return ServerFilesOutcome{ServerFilesStatus::UnsafeLaunchFile, LaunchFilePath(s),
                                      std::move(problem)};
        return ServerFilesOutcome{ServerFilesStatus::UnsafeScript, ServerScriptPath(s),
                                  std::move(problem)};
    }
    // The tournament plays only the first map: the others are not written.
    const int count =
        s.gameType == kQuake3Tournament ? std::min(ValidMapCount(store), 1) : ValidMapCount(store);
    for (int i = 0; i < count; ++i) {
        std::string_view name = FixedText(store.mapList.maps[i]);
        ScriptHazard hazard = FindMapNameHazard(name);
        if (hazard == ScriptHazard::None) continue;
        return ServerFilesOutcome{
            ServerFilesStatus::UnsafeScript, ServerScriptPath(s),
            "map '" + std::string(name) + "' holds " + std::string(HazardName(hazard))};
    }
    return std::nullopt;
}

}  // namespace

ServerFilesOutcome WriteServerFiles(const SettingsStore& store) {
    using enum ServerFilesStatus;
    if (store.mapList.readFailed) return {MapListUnread, {}, {}};
    if (!GamePathSet(store.settings)) return {GamePathNotSet, LaunchFilePath(store.settings), {}};
    if (std::optional<ServerFilesOutcome> unsafe = FindUnsafeContent(store)) return *unsafe;

    const std::string launchPath = LaunchFilePath(store.settings);
    FileReplacement launch(launchPath, "w", *store.files);
    if (!launch.Open()) return {CannotCreateLaunchFile, launchPath, {}, launch.Reason()};
    WriteLaunchLine(launch, store.settings);
    // A full disk would truncate the script next: stop while it is whole.
    if (!launch.Commit()) return {CannotWriteLaunchFile, launchPath, {}, launch.Reason()};

    if (kWritesShellLauncher) {
        const std::string shellPath = ShellLauncherPath(store.settings);
        FileReplacement shell(shellPath, "w", *store.files);
        if (!shell.Open()) return {CannotCreateShellLauncher, shellPath, {}, shell.Reason()};
        shell.MakeExecutable();
        WriteShellLauncher(shell, store.settings);
        if (!shell.Commit()) return {CannotWriteShellLauncher, shellPath, {}, shell.Reason()};
    }

    const std::string scriptPath = ServerScriptPath(store.settings);
    FileReplacement script(scriptPath, "w", *store.files);
    // It holds the rcon and server passwords.
    script.OwnerOnly();
    if (!script.Open()) return {CannotCreateScript, scriptPath, {}, script.Reason()};
    WriteScript(script, store);
    if (!script.Commit()) return {CannotWriteScript, scriptPath, {}, script.Reason()};
    return {Written, {}, {}};
}

std::string ServerFilesMessage(const ServerFilesOutcome& outcome) {
    switch (outcome.status) {
    case ServerFilesStatus::Written:
    case ServerFilesStatus::MapListUnread:
        return {};
    case ServerFilesStatus::UnsafeLaunchFile:
        return "Cannot write server bat file\n" + outcome.problem;
    case ServerFilesStatus::UnsafeScript:
        return "Cannot write server file\n" + outcome.problem;
    case ServerFilesStatus::GamePathNotSet:
    case ServerFilesStatus::CannotCreateLaunchFile:
        return kCannotCreateBatMessage;
    case ServerFilesStatus::CannotWriteLaunchFile:
        return kCannotWriteBatMessage;
    case ServerFilesStatus::CannotCreateShellLauncher:
        return kCannotCreateShellLauncherMessage;
    case ServerFilesStatus::CannotWriteShellLauncher:
        return kCannotWriteShellLauncherMessage;
    case ServerFilesStatus::CannotCreateScript:
        return kCannotCreateScriptMessage;
    case ServerFilesStatus::CannotWriteScript:
        return kCannotWriteScriptMessage;
    }
    return {};
}

ApplyResult ApplySettings(SettingsStore& store) {
    ApplyResult result;
    result.serverFiles = WriteServerFiles(store);
    result.saved = SaveSettings(store);
    return result;
}

}  // namespace mctf
