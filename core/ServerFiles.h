// The server files: the launch line morvane.bat, on every system but Windows
// the start script morvane.sh beside it (the same launch for a Linux
// dedicated server), and the script morvane.cfg.
//
// All are rewritten whole from the settings record and the in-memory map
// list each time the settings sheet is confirmed (and by the mctfcli commands
// that change the settings, and server-files). The launch line keeps Windows
// backslashes because morvane.bat is for a Windows installation of the game;
// the files themselves are opened with the platform's separator.
#pragma once

#include <string>

#include "core/GameFolder.h"
#include "core/SettingsStore.h"

namespace mctf {

inline constexpr const char* kCannotCreateBatMessage =
    "Cannot create server bat file\nMake sure game path exists";
inline constexpr const char* kCannotCreateScriptMessage =
    "Cannot create server file\nMake sure game path and morvane sub directory exists";
inline constexpr const char* kCannotWriteBatMessage =
    "Cannot write server bat file\nMake sure the disk is not full";
inline constexpr const char* kCannotWriteScriptMessage =
    "Cannot write server file\nMake sure the disk is not full";
inline constexpr const char* kCannotCreateShellLauncherMessage =
    "Cannot create server start script\nMake sure game path exists";
inline constexpr const char* kCannotWriteShellLauncherMessage =
    "Cannot write server start script\nMake sure the disk is not full";

// Whether this build writes morvane.sh beside morvane.bat: every build but
// the Windows one, whose servers start from the batch file.
#ifdef _WIN32
inline constexpr bool kWritesShellLauncher = false;
#else
inline constexpr bool kWritesShellLauncher = true;
#endif

// The dedicated-server programs morvane.sh looks for in the game folder, in
// this order: ioquake3's, Quake3e's, then id's own Linux server. Without
// one there it takes ioq3ded from the PATH, then Debian's engine.
inline constexpr const char* kDedicatedServerNames[] = {
    "ioq3ded.x86_64",  "ioq3ded.aarch64",     "ioq3ded.arm64",     "ioq3ded.x86", "ioq3ded",
    "quake3e.ded.x64", "quake3e.ded.aarch64", "quake3e.ded.arm64", "quake3e.ded", "q3ded",
};
inline constexpr const char* kDebianServerPath = "/usr/lib/ioquake3/ioq3ded";
// The exit status of morvane.sh when it finds no dedicated server (EX_CONFIG
// of sysexits.h): a service manager must not start it again and again.
inline constexpr int kNoServerStatus = 78;

enum class ServerFilesStatus {
    Written,
    // The map list could not be read (see LoadMapList): nothing is written,
    // because a script without the operator's rotation is worse than the
    // old one; the caller has reported the list file.
    MapListUnread,
    // The game path names no folder (see GamePathSet): nothing is written,
    // since the files would land in the root or the working folder.
    GamePathNotSet,
    // A text or map name would break out of its quotes or its command, or
    // the engine would lose it (see ScriptSafety), on the launch line or in
    // the script: nothing is written.
    UnsafeLaunchFile,
    UnsafeScript,
    CannotCreateLaunchFile,  // the old files stay as they were
    CannotWriteLaunchFile,
    CannotCreateShellLauncher,  // morvane.bat is already the new one
    CannotWriteShellLauncher,
    CannotCreateScript,  // morvane.bat is already the new one
    CannotWriteScript,
};

struct ServerFilesOutcome {
    ServerFilesStatus status = ServerFilesStatus::Written;
    // The file concerned: empty for Written and MapListUnread.
    std::string path;
    // Unsafe...: what is wrong, "hostname holds a double quote".
    std::string problem;
    // CannotCreate... and CannotWrite...: why, in the system's words or
    // kNotRegularFile (a device or pipe in the file's place is never replaced).
    std::string reason{};

    bool Written() const { return status == ServerFilesStatus::Written; }
};

// Writes morvane.bat, then (see kWritesShellLauncher) morvane.sh, then
// morvane.cfg, each replacing the old file only once it is complete (a
// symbolic link stays, its target is replaced; morvane.cfg, which holds the
// passwords, is made 0600 when new). A file that cannot be created at all
// (its folder missing or closed, a folder, device or pipe in its place) and
// one whose writing fails part-way keep their old contents, and a failing
// launch file stops before the next one. A record or map list holding what
// the script cannot carry safely, or no game path, writes no file.
ServerFilesOutcome WriteServerFiles(const SettingsStore& store);

// What the window shows for an outcome: "Cannot create server bat file\nMake
// sure game path exists" (GamePathNotSet too) and the like; empty for
// Written and MapListUnread.
std::string ServerFilesMessage(const ServerFilesOutcome& outcome);

struct ApplyResult {
    ServerFilesOutcome serverFiles;
    SaveResult saved = SaveResult::ConfigNotSaved;
};

// What OK of the settings sheet does once the record holds the new values:
// WriteServerFiles, then SaveSettings, which runs even when a server file
// could not be written. The window and mctfcli both end a change this way.
ApplyResult ApplySettings(SettingsStore& store);

}  // namespace mctf
