// Sorting a command's words into its options and its operands.
//
// Options may stand anywhere after the command (and its action): "--config
// FILE" or "--config=FILE", "--logs PATH" (again and again), "--out DIR",
// "--every MINUTES", "--write DIR", "--server PATH", "--yes", "--user",
// "--quiet" (or "-q"), "--json FILE" with "--no-pages" or "--json" alone,
// "--timeout SECONDS", "--seed N", and "--help" (or "-h"), which every
// command takes and which wins over everything else, so it is never read as
// a file name. "--" ends the options. A value starting with '-' is written
// joined, as "--out=-q". Which of them a command takes is in its row of the
// command table.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"

namespace mctf {

enum CommandOption : unsigned {
    kConfigOption = 1,
    kLogsOption = 2,
    kYesOption = 4,
    kOutOption = 8,     // --out DIR
    kQuietOption = 16,  // --quiet, -q
    // systemd: --user (units for the user's own manager, unlike the global
    // --user-settings), --every MINUTES, --write DIR and --server PATH
    kSystemdOptions = 32,
    kJsonFileOption = 64,  // --json FILE ("-": standard output), with --no-pages
    kJsonOption = 128,     // --json alone: the output as JSON
    kTimeoutOption = 256,  // --timeout SECONDS
    kSeedOption = 512,     // --seed N
};

struct CommandArgs {
    std::optional<std::string> config;
    std::vector<std::string> logs;  // --logs may be given several times
    std::optional<std::string> out;
    std::optional<std::string> every;
    std::optional<std::string> write;
    std::optional<std::string> timeout;
    std::optional<std::string> server;
    bool yes = false;
    bool quiet = false;
    bool userUnits = false;
    std::optional<std::string> json;  // "-" for standard output, also for --json alone
    bool noPages = false;
    std::optional<std::string> seed;
    bool help = false;
    Args words;
    // How many of `words` came before "--", when it was given: systemd passes
    // the words after it on to the game server.
    std::optional<std::size_t> wordsBeforeDashes;
};

// Whether the word after an option that takes a value can be that value:
// a word starting with '-' is an option ("--out -q" lacks its value; a folder
// "-q" is "--out=-q"), except "-" alone where standard output is meant.
bool IsOptionValue(std::string_view word, bool takesStandardOutput = false);

// Fills parsed from args, allowing the options in `options`. Returns the
// problem for a usage error (an unknown option, an option without its value).
std::optional<std::string> ParseCommandArgs(const Args& args, unsigned options,
                                            CommandArgs& parsed);

}  // namespace mctf
