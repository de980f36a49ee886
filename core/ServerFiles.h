// The server files: the launch line morvane.bat and the script morvane.cfg.
//
// Both are rewritten whole from the settings record and the in-memory map
// list each time the settings sheet is confirmed (and by mctfcli
// server-files). The text keeps Windows backslashes because the files are
// for a Windows installation of the game; the files themselves are opened
// with the platform's separator.
#pragma once

#include <string>

#include "core/SettingsStore.h"

namespace mctf {

class Desktop;

inline constexpr const char* kCannotCreateBatMessage =
    "Cannot create server bat file\nMake sure game path exists";
inline constexpr const char* kCannotCreateScriptMessage =
    "Cannot create server file\nMake sure game path and morvane sub directory exists";
inline constexpr const char* kCannotWriteBatMessage =
    "Cannot write server bat file\nMake sure the disk is not full";
inline constexpr const char* kCannotWriteScriptMessage =
    "Cannot write server file\nMake sure the disk is not full";

// <quakePath>/morvane.bat
std::string LaunchFilePath(const ServerSettings& settings);
// <quakePath>/baseq3/morvane.cfg for types 0..3, <quakePath>/morvane/... else.
std::string ServerScriptPath(const ServerSettings& settings);

// Writes morvane.bat, then morvane.cfg, each replacing the old file only once
// it is complete (a symbolic link stays, its target is replaced). A file that
// cannot be created at all (its folder missing or closed, a folder in its
// place) is reported with the "Cannot create" message, one whose writing
// fails part-way with the "Cannot write" one; either keeps its old contents,
// and a failing launch file stops before the script. True when both files
// were written in full. A map list that could not be read (see LoadMapList)
// writes nothing and returns false; the caller reports that file.
bool WriteServerFiles(const SettingsStore& store, Desktop& desktop);

struct ApplyResult {
    bool serverFilesWritten = false;
    SaveResult saved = SaveResult::ConfigNotSaved;
};

// What OK of the settings sheet does once the record holds the new values:
// WriteServerFiles, then SaveSettings, which runs even when a server file
// could not be written. The window and mctfcli both end a change this way.
ApplyResult ApplySettings(SettingsStore& store, Desktop& desktop);

}  // namespace mctf
