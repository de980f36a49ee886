// The commands of mctfcli, one row each: the name, the function that runs
// it (or its actions, each with its own), the options it takes, its line in
// the list of commands and its usage.
//
// Everything that knows the commands reads this table: the dispatch, the
// option checks (the row's options, anything else is a usage error; an
// option of another action names the actions it belongs to), `mctfcli
// --help`, `help NAME`, `NAME --help`, the usage errors that name the
// commands and actions, and the bash completion, which asks mctfcli for the
// names of the commands, actions and options and for what the words after
// them may be (options left out of the help: --commands, --actions NAME,
// --options [NAME [ACTION]], --operands LINE...). A new command is a row here
// and its own file, a new action a row of its command's actions. A row
// without its summary or a usage text that starts "Usage: mctfcli NAME" does
// not compile.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

#include "cli/CommandArgs.h"
#include "cli/Commands.h"

namespace mctf {

// What the words after a command or action are, which the bash completion
// offers accordingly.
enum class Operands {
    None,            // none: an action refuses any ("show takes no NAME")
    Typed,           // nothing to offer
    Fields,          // the names of the settings fields
    SettableFields,  // NAME= of each field settings set takes
    ListedMaps,      // the maps of the stored list
    MapFiles,        // .pk3 and .bsp files
};

// Runs with the words and options sorted; --help and a bad option never get
// here, nor an option another action takes.
using RunFunction = int (*)(const CommandArgs& parsed, CommandContext& context);

// What a command of actions does, named by the first word after it.
struct Action {
    std::string_view name;
    RunFunction run;
    unsigned options;  // CommandOption flags it takes besides its command's
    Operands operands;
    // The words after the name in the list of commands (may be empty).
    std::string_view synopsis;
};

struct Command {
    std::string_view name;
    RunFunction run;    // null for a command of actions
    unsigned options;   // CommandOption flags of it or every action; --help is always taken
    Operands operands;  // of a command without actions
    // The words after the name in the list of commands (empty for a command
    // of actions: theirs, joined by '|'), and the summary below them, its
    // lines broken with '\n'.
    std::string_view synopsis;
    std::string_view summary;
    // What NAME --help prints before the options the command takes.
    std::string_view usage;
    // What follows the options, when anything does.
    void (*usageEnd)(std::ostream& out) = nullptr;
    std::span<const Action> actions = {};
};

std::span<const Command> Commands();
// The row named so; null when there is none.
const Command* FindCommand(std::string_view name);
// The action of the command named so; null when there is none.
const Action* FindAction(const Command& command, std::string_view name);
// The options of the command and of all its actions.
constexpr unsigned AllOptions(const Command& command) {
    unsigned options = command.options;
    for (const Action& action : command.actions) options |= action.options;
    return options;
}

// Its usage, the options it takes, and usageEnd.
void PrintCommandUsage(const Command& command, std::ostream& out);

// The fields of the record with what each takes: the end of settings --help.
void PrintSettingsFields(std::ostream& out);

}  // namespace mctf
