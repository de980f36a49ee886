// The commands of mctfcli, one row each: the name, the function that runs
// it, the options it takes, its line in the list of commands and its usage.
//
// Everything that knows the commands reads this table: the dispatch, the
// option checks (the row's options, anything else is a usage error),
// `mctfcli --help`, `help NAME`, `NAME --help`, and the bash completion,
// which asks `mctfcli --commands` for the names. A new command is a row here
// and its own file. A row without its summary or a usage
// text that starts "Usage: mctfcli NAME" does not compile.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

#include "cli/CommandArgs.h"
#include "cli/Commands.h"

namespace mctf {

struct Command {
    std::string_view name;
    // Runs with the words and options sorted; --help and a bad option never
    // get here.
    int (*run)(const CommandArgs& parsed, CommandContext& context);
    unsigned options;  // CommandOption flags; --help is always taken
    // The words after the name in the list of commands (may be empty), and
    // the summary below them, its lines broken with '\n'.
    std::string_view synopsis;
    std::string_view summary;
    // What NAME --help prints before the options the command takes.
    std::string_view usage;
    // What follows the options, when anything does.
    void (*usageEnd)(std::ostream& out) = nullptr;
};

std::span<const Command> Commands();
// The row named so; null when there is none.
const Command* FindCommand(std::string_view name);

// Its usage, the options it takes, and usageEnd.
void PrintCommandUsage(const Command& command, std::ostream& out);

// The fields of the record with what each takes: the end of settings --help.
void PrintSettingsFields(std::ostream& out);

}  // namespace mctf
