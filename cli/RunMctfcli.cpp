// The command line of mctfcli: global options, help and the commands.
#include <ostream>

#include "cli/Commands.h"
#include "core/UserSettings.h"
#include "core/Version.h"

namespace mctf {

namespace {

using CommandFunction = int (*)(const Args&, CommandContext&);

struct Command {
    std::string_view name;
    CommandFunction run;
};

constexpr Command kCommands[] = {
    {"settings", RunSettingsCommand},
    {"maplist", RunMapListCommand},
    {"server-files", RunServerFilesCommand},
    {"maps", RunMapsCommand},
    {"stats", RunStatsCommand},
};

const Command* FindCommand(std::string_view name) {
    for (const Command& command : kCommands) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

int Help(const Args& args, CommandContext& context) {
    if (args.size() < 2) {
        PrintUsage(context.out);
        return 0;
    }
    if (PrintCommandUsage(args[1], context.out)) return 0;
    context.err << "mctfcli: help: unknown command '" << args[1] << "'\n";
    PrintUsage(context.err);
    return 2;
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
    return command->run(Args(args.begin() + 1, args.end()), context);
}

}  // namespace mctf
