// The command line of mctfcli: global options, help and the commands.
#include <ostream>

#include "cli/CommandTable.h"
#include "core/UserSettings.h"
#include "core/Version.h"

namespace mctf {

namespace {

int Help(const Args& args, CommandContext& context) {
    if (args.size() < 2) {
        PrintUsage(context.out);
        return 0;
    }
    if (const Command* command = FindCommand(args[1])) {
        PrintCommandUsage(*command, context.out);
        return 0;
    }
    context.err << "mctfcli: help: unknown command '" << args[1] << "'\n";
    PrintUsage(context.err);
    return 2;
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

}  // namespace

int RunMctfcli(const Args& commandLine, CommandContext& context) {
    Args args = commandLine;
    const bool userSettings = TakeUserSettingsOption(args);
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
    if (first == "--commands") {
        // Not in the help: the bash completion asks it for the command names.
        for (const Command& command : Commands()) context.out << command.name << '\n';
        context.out << "help\n";
        return 0;
    }
    const Command* command = FindCommand(first);
    if (!command) {
        context.err << "mctfcli: "
                    << (first.starts_with("-") ? "unknown option '" : "unknown command '") << first
                    << "'\n";
        PrintUsage(context.err);
        return 2;
    }
    if (userSettings) {
        std::string error;
        context.settingsFolder = PrepareUserSettingsFolder(CurrentConfigEnvironment(), error);
        if (!context.settingsFolder) {
            context.err << "mctfcli: " << error << '\n';
            return 1;
        }
    }
    return RunCommand(*command, Args(args.begin() + 1, args.end()), context);
}

}  // namespace mctf
