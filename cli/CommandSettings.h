// Loading and saving the settings for an mctfcli command.
//
// The window captures its working folder and reads config.dmc there, then
// forces the game type to Morvane CTF. A command instead reads the file it
// is given (config.dmc in the current folder by default) and keeps the game
// type stored in it, so a script acts on what was last saved.
//
// Nothing is written while loading: commands that only read work from the
// defaults in memory when there is no usable file, and commands that change
// settings save once every check has passed. A file named with --config must
// be a settings record (or, for settings reset, missing): anything else is
// refused and left untouched, so a wrong --config never destroys a file.
#pragma once

#include <optional>
#include <string>

#include "cli/Commands.h"
#include "core/ServerFiles.h"
#include "core/SettingsStore.h"

namespace mctf {

inline constexpr const char* kDefaultConfigFile = "config.dmc";

enum class ConfigUse {
    Read,    // never writes config.dmc
    Stats,   // Read, for a statistics run: the map list plays no part in it
    Change,  // saves at the end; an explicit file must already be a record
    Reset,   // an explicit file may be missing: the reset creates it
};

// startupDir = the current folder, configPath = --config (or config.dmc in
// startupDir), then ReadSettings through context.files. False after saying on
// context.err why the command cannot go on: among others a config.dmc or map
// list that is there but cannot be read ("mctfcli: FILE: cannot read:
// REASON"), before anything is written (a reset goes on: it replaces them on
// purpose; a statistics run minds only config.dmc).
bool LoadSettingsForCommand(SettingsStore& store, const std::optional<std::string>& config,
                            ConfigUse use, CommandContext& context);

// The settings file as the operator named it: the --config text or
// "config.dmc".
std::string ConfigName(const std::optional<std::string>& config);

// What a command that needs the game folder says while it is not set.
inline constexpr const char* kGamePathNotSetMessage =
    "mctfcli: quakePath is not set: run 'mctfcli settings set quakePath=/path/to/quake3' first\n";

// Says on context.err why the server files were not written, as
// "mctfcli: FILE: <the window's message>"; true when they were not. A map
// list that could not be read has been reported by whoever read it.
bool ReportServerFiles(const ServerFilesOutcome& outcome, CommandContext& context);

// What OK on the settings sheet does (ApplySettings), with every file that
// was not written named on context.err. 0, or 1 when anything was not written;
// `applied`, when given, receives what was written.
int ApplyForCommand(SettingsStore& store, const std::optional<std::string>& config,
                    CommandContext& context, ApplyResult* applied = nullptr);

// Says on context.err that a save went wrong, naming the file; true when
// result is a failure. An empty list whose folder is missing counts as saved:
// nothing is lost, since a missing file loads as the empty list.
bool ReportSave(SaveResult result, const SettingsStore& store,
                const std::optional<std::string>& config, CommandContext& context);

}  // namespace mctf
