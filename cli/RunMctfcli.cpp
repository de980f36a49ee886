// The command line of mctfcli: global options, help, the commands and their
// actions, and the listings the bash completion asks for.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandTable.h"
#include "core/SettingsFields.h"
#include "core/UserSettings.h"
#include "core/Version.h"

namespace mctf {

namespace {

// "mctfcli: problem" and where the help is, on err; returns 2.
int TopLevelError(CommandContext& context, std::string_view problem) {
    context.err << "mctfcli: " << problem << "\nTry 'mctfcli --help'.\n";
    return 2;
}

// A first word that is neither a command nor a global option.
int Unknown(CommandContext& context, const std::string& word) {
    std::vector<std::string_view> candidates = {"help"};
    for (const Option& option : Options())
        if (option.flag & kGlobalOptions) candidates.push_back(option.name);
    for (const Command& command : Commands()) candidates.push_back(command.name);
    return TopLevelError(
        context, UnknownWord(word.starts_with("-") ? "option" : "command", word, candidates));
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

// "show, get, set or reset" with "or"; with an option, those taking it.
std::string ActionNames(const Command& command, std::string_view conjunction, unsigned option = 0) {
    std::vector<std::string_view> names;
    for (const Action& action : command.actions)
        if (!option || (action.options & option)) names.push_back(action.name);
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 < names.size() ? ", " : " " + std::string(conjunction) + " ";
        text += names[i];
    }
    return text;
}

// The action the first word names, run once it is known to take every
// option given and, when it takes no operand, that none follows.
int RunAction(const Command& command, const CommandArgs& parsed, CommandContext& context) {
    if (parsed.words.empty())
        return UsageError(context, command.name,
                          "which action: " + ActionNames(command, "or") + "?");
    const std::string& word = parsed.words[0];
    const Action* action = FindAction(command, word);
    const unsigned taken = command.options | (action ? action->options : 0);
    for (const Option& option : Options()) {
        if ((parsed.given & option.flag) && !(taken & option.flag))
            return UsageError(context, command.name,
                              std::string(option.name) + " belongs to " +
                                  ActionNames(command, "and", option.flag) + " only");
    }
    if (!action) {
        std::vector<std::string_view> names;
        for (const Action& known : command.actions) names.push_back(known.name);
        return UsageError(context, command.name, UnknownWord("action", word, names));
    }
    if (action->operands == Operands::None && parsed.words.size() > 1)
        return UsageError(context, command.name, word + " takes no NAME");
    return action->run(parsed, context);
}

// Sorts the command's words by its row's options, answers --help and a bad
// option itself, and runs the command (or its action) with the rest.
int RunCommand(const Command& command, const Args& words, CommandContext& context) {
    CommandArgs parsed;
    if (std::optional<std::string> problem = ParseCommandArgs(words, AllOptions(command), parsed))
        return UsageError(context, command.name, *problem);
    if (parsed.help) {
        PrintCommandUsage(command, context.out);
        return 0;
    }
    return command.actions.empty() ? command.run(parsed, context)
                                   : RunAction(command, parsed, context);
}

// Takes --user-settings out of the words before "--", wherever it stands.
bool TakeUserSettingsOption(Args& args) {
    bool found = false;
    for (auto word = args.begin(); word != args.end() && *word != "--";) {
        if (IsOption(*word, kUserSettingsOption)) {
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
    const Option& option = OptionOf(kConfigOption);
    std::size_t next = 0;
    for (std::string value; next < args.size(); ++next) {
        const OptionWord read = ReadOption(option, args, next, value);
        if (read == OptionWord::Other) break;
        if (read == OptionWord::NoValue) return MissingValue(option);
    }
    config.insert(config.end(), args.begin(), args.begin() + static_cast<std::ptrdiff_t>(next));
    args.erase(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(next));
    return std::nullopt;
}

// --user-settings: config.dmc in the user's folder, made on first use.
bool UseUserSettings(CommandContext& context) {
    std::string error;
    context.settingsFolder = PrepareUserSettingsFolder(CurrentConfigEnvironment(), error);
    if (!context.settingsFolder) context.err << "mctfcli: " << error << '\n';
    return context.settingsFolder.has_value();
}

// The options in `options`, in the order of the option table, one a line: a
// value option with what its value is (word, folder, file or
// file:EXTENSION|...).
void ListOptions(unsigned options, std::ostream& out) {
    for (const Option& option : Options()) {
        if (!(options & option.flag)) continue;
        out << option.name;
        switch (option.value) {
        case OptionValue::None:
            break;
        case OptionValue::Word:
            out << " word";
            break;
        case OptionValue::Folder:
            out << " folder";
            break;
        case OptionValue::File:
            out << " file" << (option.extensions.empty() ? "" : ":") << option.extensions;
            break;
        }
        out << '\n';
    }
}

// --options [NAME [ACTION]]: those the bash completion offers after the
// words; before the action of a command of actions, --help alone. A
// command that reads the settings takes --user-settings too; the settings
// ones come first, as in the help.
int ListCommandOptions(const Args& words, CommandContext& context) {
    if (words.empty()) {
        ListOptions(kGlobalOptions, context.out);
        return 0;
    }
    const Command* command = FindCommand(words[0]);
    if (!command) return words[0] == "help" ? 0 : Unknown(context, words[0]);
    unsigned options = kHelpOption;
    if (command->actions.empty() || words.size() > 1) {
        const Action* action = words.size() > 1 ? FindAction(*command, words[1]) : nullptr;
        options |= command->options | (action ? action->options : 0);
    }
    if (options & kConfigOption) {
        ListOptions(kConfigOption, context.out);
        ListOptions(kUserSettingsOption, context.out);
    }
    ListOptions(kHelpOption, context.out);
    ListOptions(options & ~(kConfigOption | kHelpOption), context.out);
    return 0;
}

// --operands LINE...: what the next operand after the command line LINE may
// be, on the first line: "words" and the words one a line, "file:EXTENSION|..."
// for files, or nothing when nothing is offered.
int ListOperands(Args line, Args config, CommandContext& context) {
    if (TakeLeadingConfig(line, config) || line.empty()) return 2;
    const Command* command = FindCommand(line[0]);
    if (!command) return 0;
    CommandArgs parsed;
    config.insert(config.end(), line.begin() + 1, line.end());
    if (ParseCommandArgs(config, AllOptions(*command), parsed)) return 2;
    const Action* action = parsed.words.empty() ? nullptr : FindAction(*command, parsed.words[0]);
    const Operands operands = command->actions.empty() ? command->operands
                              : action                 ? action->operands
                                                       : Operands::None;
    switch (operands) {
    case Operands::None:
    case Operands::Typed:
        return 0;
    case Operands::Fields:
    case Operands::SettableFields: {
        const bool settable = operands == Operands::SettableFields;
        context.out << "words\n";
        for (const SettingsField& field : SettingsFields())
            if (!settable || field.IsEditable())
                context.out << field.name << (settable ? "=\n" : "\n");
        return 0;
    }
    case Operands::ListedMaps:
        context.out << "words\n";
        return RunMapListShow(parsed, context);
    case Operands::MapFiles:
        context.out << "file:pk3|bsp\n";
        return 0;
    }
    return 0;
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
    if (IsOption(first, kHelpOption)) {
        PrintUsage(context.out);
        return 0;
    }
    if (IsOption(first, kVersionOption)) {
        context.out << kVersionLine << '\n';
        return 0;
    }
    if (first == "help") return Help(args, context);
    // None of these is in the help: the bash completion asks them for what
    // it offers.
    const Args rest(args.begin() + 1, args.end());
    if (first == "--commands" || (first == "--actions" && rest == Args{"help"})) {
        for (const Command& command : Commands()) context.out << command.name << '\n';
        context.out << "help\n";
        return 0;
    }
    if (first == "--actions") {
        const std::string name = rest.empty() ? "" : rest[0];
        const Command* command = FindCommand(name);
        if (!command) return Unknown(context, name);
        for (const Action& action : command->actions) context.out << action.name << '\n';
        return 0;
    }
    if (first == "--options") return ListCommandOptions(rest, context);
    if (first == "--operands") {
        if (userSettings && !UseUserSettings(context)) return 1;
        return ListOperands(rest, config, context);
    }
    const Command* command = FindCommand(first);
    if (!command) return Unknown(context, first);
    if (userSettings && !UseUserSettings(context)) return 1;
    config.insert(config.end(), args.begin() + 1, args.end());
    return RunCommand(*command, config, context);
}

}  // namespace mctf
