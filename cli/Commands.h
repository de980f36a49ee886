// The commands of mctfcli. Each takes the words after the command's name (an
// action's first one is its own name), sorted into operands and the options
// its row of the command table allows (CommandArgs; cli/CommandTable.h), and
// returns the process exit status: 0 on success, 1 when the work failed (a
// refused value, a file that could not be read or written), 2 for a usage
// error.
//
// Data goes to `out`; errors go to `err` as "mctfcli: NAME: message", NAME
// being the file, folder or field concerned. Messages of the core (the
// window's message boxes) come through `desktop`, which mctfcli prints the
// same way.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"
#include "core/ServerSettings.h"

namespace mctf {

class Desktop;
class ByteProgress;
struct CommandArgs;

using Args = std::vector<std::string>;

struct CommandContext {
    Desktop& desktop;
    std::ostream& out;
    std::ostream& err;
    // Asks the person at the terminal and returns the line typed; empty
    // (no function) when standard input or error is no terminal, so nothing
    // ever waits for an answer that cannot come.
    std::function<std::optional<std::string>(std::string_view question)> ask;
    // The running count of log bytes read, shown while stats runs; null when
    // standard error is no terminal.
    ByteProgress* progress = nullptr;
    // --user-settings: the folder config.dmc lives in when no --config names
    // a file; unset, the current folder.
    std::optional<std::string> settingsFolder = std::nullopt;
    // The defaults of the settings (SettingsStore::defaults): DefaultSettings
    // but in tests.
    const ServerSettings* defaults = &DefaultSettings;
    // Every file the command reads or writes goes through here; tests make
    // chosen calls fail.
    FileSystem* files = &SystemFiles();
};

// mctfcli with its arguments (without the program name).
int RunMctfcli(const Args& args, CommandContext& context);

// The commands and the actions of settings and maplist, each run from its
// row of the command table, which holds the options it takes and its usage.

// settings show: every field as NAME=VALUE, or as one JSON object.
int RunSettingsShow(const CommandArgs& parsed, CommandContext& context);
// settings get: the values of the fields named, one a line.
int RunSettingsGet(const CommandArgs& parsed, CommandContext& context);
// settings set: changes the fields named, then does what OK on the settings
// sheet does.
int RunSettingsSet(const CommandArgs& parsed, CommandContext& context);
// settings reset: the defaults, as Setup > Reset Settings restores them.
int RunSettingsReset(const CommandArgs& parsed, CommandContext& context);
// maplist show, add, remove, clear and check: the map rotation of the stored
// game type, printed, changed as the Maps page changes it, or looked for in
// the game's paks.
int RunMapListShow(const CommandArgs& parsed, CommandContext& context);
int RunMapListAdd(const CommandArgs& parsed, CommandContext& context);
int RunMapListRemove(const CommandArgs& parsed, CommandContext& context);
int RunMapListClear(const CommandArgs& parsed, CommandContext& context);
int RunMapListCheck(const CommandArgs& parsed, CommandContext& context);
// server-files: writes the server files from the stored settings.
int RunServerFilesCommand(const CommandArgs& parsed, CommandContext& context);
// maps: the maps inside the paks and folders named, sorted.
int RunMapsCommand(const CommandArgs& parsed, CommandContext& context);
// stats: the statistics pages (or the JSON document) of the logs.
int RunStatsCommand(const CommandArgs& parsed, CommandContext& context);
// systemd: the units of a Linux server, printed or written.
int RunSystemdCommand(const CommandArgs& parsed, CommandContext& context);
// status: asks the running server for its status.
int RunStatusCommand(const CommandArgs& parsed, CommandContext& context);

// The help of mctfcli.
void PrintUsage(std::ostream& out);

// "mctfcli: COMMAND: problem" and the command's usage on err; returns 2.
int UsageError(CommandContext& context, std::string_view command, std::string_view problem);

}  // namespace mctf
