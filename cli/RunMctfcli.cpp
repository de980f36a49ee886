// The command line of mctfcli: global options, help and the commands.
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

#include "cli/CommandTable.h"
#include "core/SettingsFields.h"
#include "core/UserSettings.h"
#include "core/Version.h"

namespace mctf {

namespace {

// What may stand first on the line besides the commands.
constexpr std::string_view kGlobalWords[] = {"help", "--help", "--version", "--config",
                                             "--user-settings"};

// Changes (insert, delete, replace, swap of neighbours) that turn a into b.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// The command or global option a mistyped first word was most likely meant
// to be ("version" for --version, "stat" for stats); empty when none is close.
std::string_view Nearest(std::string_view word) {
    const auto bare = [](std::string_view text) {
        return text.substr(std::min(text.find_first_not_of('-'), text.size()));
    };
    std::vector<std::string_view> candidates(std::begin(kGlobalWords), std::end(kGlobalWords));
    for (const Command& command : Commands()) candidates.push_back(command.name);
    const std::size_t limit = bare(word).size() <= 4 ? 1 : 2;
    std::string_view nearest;
    std::size_t best = SIZE_MAX;
    for (std::string_view candidate : candidates) {
        const std::size_t distance = EditDistance(bare(word), bare(candidate));
        // Of two as close, the one with dashes if the word has them.
        const std::size_t score =
            2 * distance + (word.starts_with('-') != candidate.starts_with('-') ? 1 : 0);
        if (distance <= limit && score < best) {
            nearest = candidate;
            best = score;
        }
    }
    return nearest;
}

// "mctfcli: problem" and where the help is, on err; returns 2.
int TopLevelError(CommandContext& context, std::string_view problem) {
    context.err << "mctfcli: " << problem << "\nTry 'mctfcli --help'.\n";
    return 2;
}

int Unknown(CommandContext& context, std::string_view what, const std::string& word) {
    std::string problem = "unknown " + std::string(what) + " '" + word + "'";
    if (std::string_view nearest = Nearest(word); !nearest.empty())
        problem += "; did you mean " + std::string(nearest) + "?";
    return TopLevelError(context, problem);
}

int Help(const Args& args, CommandContext& context) {
    if (args.size() < 2) {
        PrintUsage(context.out);
        return 0;
    }
    if (const Command* command = FindCommand(args[1])) {
        PrintCommandUsage(*command, context.out);
        return 0;
    }
    return TopLevelError(context, "help: unknown command '" + args[1] + "'");
}

// Sorts the command's words by its row's options, answers --help and a bad
// option itself, and runs the command with the rest.
int RunCommand(const Command& command, const Args& words, CommandContext& context) {
    CommandArgs parsed;
    if (std::optional<std::string> problem = ParseCommandArgs(words, command.options, parsed))
        return UsageError(context, command.name, *problem);
    if (parsed.help) {
        PrintCommandUsage(command, context.out);
        return 0;
    }
    return command.run(parsed, context);
}

// Takes --user-settings out of the words before "--", wherever it stands.
bool TakeUserSettingsOption(Args& args) {
    bool found = false;
    for (auto word = args.begin(); word != args.end() && *word != "--";) {
        if (*word == "--user-settings") {
            word = args.erase(word);
            found = true;
        } else {
            ++word;
        }
    }
    return found;
}

// Moves "--config FILE" or "--config=FILE" before the command into config,
// to be handed to the command as if written after it; a command that takes
// no --config then refuses it as it would there. The problem when FILE is
// missing.
std::optional<std::string> TakeLeadingConfig(Args& args, Args& config) {
    while (!args.empty() && (args[0] == "--config" || args[0].starts_with("--config="))) {
        const std::size_t words = args[0] == "--config" ? 2 : 1;
        // As after the command: a following option is no value.
        if (args.size() < words || (words == 2 && !IsOptionValue(args[1])))
            return "option --config needs a value";
        config.insert(config.end(), args.begin(), args.begin() + words);
        args.erase(args.begin(), args.begin() + words);
    }
    return std::nullopt;
}

}  // namespace

int RunMctfcli(const Args& commandLine, CommandContext& context) {
    Args args = commandLine;
    const bool userSettings = TakeUserSettingsOption(args);
    Args config;
    if (std::optional<std::string> problem = TakeLeadingConfig(args, config))
        return TopLevelError(context, *problem);
    if (args.empty()) {
        PrintUsage(context.err);
        return 2;
    }
    const std::string& first = args[0];
    if (first == "--help" || first == "-h") {
        PrintUsage(context.out);
        return 0;
    }
    if (first == "--version") {
        context.out << kVersionLine << '\n';
        return 0;
    }
    if (first == "help") return Help(args, context);
    // Neither is in the help: the bash completion asks them for the command
    // names and for the fields settings set takes.
    if (first == "--commands") {
        for (const Command& command : Commands()) context.out << command.name << '\n';
        context.out << "help\n";
        return 0;
    }
    if (first == "--settable-fields") {
        for (const SettingsField& field : SettingsFields())
            if (field.IsEditable()) context.out << field.name << '\n';
        return 0;
    }
    const Command* command = FindCommand(first);
    if (!command) return Unknown(context, first.starts_with("-") ? "option" : "command", first);
    if (userSettings) {
        std::string error;
        context.settingsFolder = PrepareUserSettingsFolder(CurrentConfigEnvironment(), error);
        if (!context.settingsFolder) {
            context.err << "mctfcli: " << error << '\n';
            return 1;
        }
    }
    config.insert(config.end(), args.begin() + 1, args.end());
    return RunCommand(*command, config, context);
}

}  // namespace mctf
