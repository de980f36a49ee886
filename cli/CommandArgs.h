// The options of mctfcli, one row each, and the sorting of a command's words
// into its options and its operands.
//
// Options may stand anywhere after the command (and its action), a value
// option as "--out DIR" or "--out=DIR". "--help" (or "-h"), which every
// command takes, wins over everything else, so it is never read as a file
// name. "--" ends the options. A value starting with '-' is written joined,
// as "--out=-q": written apart it is the next option, and the value is
// missing. Which options a command and each of its actions take is in its
// row of the command table; a new option is a row here, a field of
// CommandArgs and its flag in those rows.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"

namespace mctf {

// One flag per row of the option table.
enum CommandOption : unsigned {
    kHelpOption = 1u << 0,
    kVersionOption = 1u << 1,
    kUserSettingsOption = 1u << 2,  // taken out wherever it stands, before the command runs
    kConfigOption = 1u << 3,
    kYesOption = 1u << 4,
    kUserOption = 1u << 5,  // systemd's units for the user's own manager
    kEveryOption = 1u << 6,
    kWriteOption = 1u << 7,
    kLogsOption = 1u << 8,
    kOutOption = 1u << 9,
    kJsonFileOption = 1u << 10,  // --json FILE ("-": standard output)
    kNoPagesOption = 1u << 11,
    kServerOption = 1u << 12,
    kJsonOption = 1u << 13,  // --json alone: the output as JSON
    kTimeoutOption = 1u << 14,
    kQuietOption = 1u << 15,
    kSeedOption = 1u << 16,
};

// What stands first on the line besides the commands.
inline constexpr unsigned kGlobalOptions =
    kHelpOption | kVersionOption | kUserSettingsOption | kConfigOption;

struct CommandArgs;

// What an option's value is, which the bash completion offers accordingly.
enum class OptionValue {
    None,  // a flag
    Word,  // a number or a name: nothing to offer
    Folder,
    File,  // of the extensions given, or any
};

struct Option {
    unsigned flag;          // its CommandOption
    std::string_view name;  // "--out"
    OptionValue value = OptionValue::None;
    // Sets the option in CommandArgs; a flag gets an empty value.
    void (*take)(CommandArgs& parsed, std::string value) = nullptr;
    std::string_view extensions = {};  // File: those offered, "pk3|bsp"
    std::string_view alias = {};       // "-q"
    bool takesStandardOutput = false;  // "-" follows it as a value
};

// Every option, in the order the bash completion offers them.
std::span<const Option> Options();
// The row of that flag.
const Option& OptionOf(CommandOption flag);
// Whether word is that option written as a flag: its name or its alias.
bool IsOption(std::string_view word, CommandOption flag);

struct CommandArgs {
    std::optional<std::string> config;
    std::vector<std::string> logs;  // --logs may be given several times
    std::optional<std::string> out;
    std::optional<std::string> every;
    std::optional<std::string> write;
    std::optional<std::string> timeout;
    std::optional<std::string> server;
    std::optional<std::string> seed;
    bool yes = false;
    bool quiet = false;
    bool userUnits = false;
    std::optional<std::string> json;  // "-" for standard output, also for --json alone
    bool noPages = false;
    bool help = false;
    unsigned given = 0;  // the CommandOption flags of the options on the line
    Args words;
    // How many of `words` came before "--", when it was given: systemd passes
    // the words after it on to the game server.
    std::optional<std::size_t> wordsBeforeDashes;
};

// How args[i] reads as `option`.
enum class OptionWord {
    Other,    // not this option
    Taken,    // it, with its value (which may be empty: "--out=") in `value`;
              // i is on the last word it took
    NoValue,  // it, but no value follows
};
OptionWord ReadOption(const Option& option, const Args& args, std::size_t& i, std::string& value);
// "option --out needs a value"
std::string MissingValue(const Option& option);

// Fills parsed from args, allowing the options in `options`. Returns the
// problem for a usage error (an unknown option, an option without its value).
std::optional<std::string> ParseCommandArgs(const Args& args, unsigned options,
                                            CommandArgs& parsed);

// "unknown command 'stat'; did you mean stats?": the candidate the word was
// most likely meant to be, if one is close ("version" for --version).
std::string UnknownWord(std::string_view what, std::string_view word,
                        const std::vector<std::string_view>& candidates);

}  // namespace mctf
