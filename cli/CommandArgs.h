// Sorting a command's words into its options and its operands.
//
// Options may stand anywhere after the command (and its action): "--config
// FILE" or "--config=FILE", "--logs DIR", "--every MINUTES", "--write DIR",
// "--yes", "--user", and "--help" (or "-h"),
// which every command takes and which wins over everything else, so it is
// never read as a file name. "--" ends the options. Which of them a command
// takes is in its row of the command table.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/Commands.h"

namespace mctf {

enum CommandOption : unsigned {
    kConfigOption = 1,
    kLogsOption = 2,
    kYesOption = 4,
    // systemd: --user (units for the user's own manager, unlike the global
    // --user-settings), --every MINUTES and --write DIR
    kSystemdOptions = 8,
};

struct CommandArgs {
    std::optional<std::string> config;
    std::optional<std::string> logs;
    std::optional<std::string> every;
    std::optional<std::string> write;
    bool yes = false;
    bool userUnits = false;
    bool help = false;
    Args words;
};

// Fills parsed from args, allowing the options in `options`. Returns the
// problem for a usage error (an unknown option, an option without its value).
std::optional<std::string> ParseCommandArgs(const Args& args, unsigned options,
                                            CommandArgs& parsed);

}  // namespace mctf
