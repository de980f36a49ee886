// The commands of mctfcli. Each takes the words after its name, sorted into
// operands and the options its row of the command table allows (CommandArgs;
// cli/CommandTable.h), and returns the process exit status: 0 on success, 1
// when the work failed (a refused value, a file that could not be read or
// written), 2 for a usage error.
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

// mctfcli settings show|get|set|reset [--config FILE]
int RunSettingsCommand(const CommandArgs& parsed, CommandContext& context);
// mctfcli maplist show|add|remove|clear|check [--config FILE]
int RunMapListCommand(const CommandArgs& parsed, CommandContext& context);
// mctfcli server-files [--config FILE]
int RunServerFilesCommand(const CommandArgs& parsed, CommandContext& context);
// mctfcli maps PATH...
int RunMapsCommand(const CommandArgs& parsed, CommandContext& context);
// mctfcli stats [--config FILE] [--logs PATH]... [--out DIR] [--json FILE [--no-pages]]
//               [--seed N] [-q]
int RunStatsCommand(const CommandArgs& parsed, CommandContext& context);

// mctfcli systemd [--user] [--every MINUTES] [--out DIR] [--write DIR] [--server PATH]
//                 [--config FILE] [-- SERVER ARGUMENTS...]
int RunSystemdCommand(const CommandArgs& parsed, CommandContext& context);

// mctfcli status [HOST[:PORT]] [--json] [--timeout SECONDS] [-q] [--config FILE]
int RunStatusCommand(const CommandArgs& parsed, CommandContext& context);

// The help of mctfcli.
void PrintUsage(std::ostream& out);

// "mctfcli: COMMAND: problem" and the command's usage on err; returns 2.
int UsageError(CommandContext& context, std::string_view command, std::string_view problem);

}  // namespace mctf
