#include <iomanip>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/CommandTable.h"
#include "core/ScriptSafety.h"
#include "core/SettingsFields.h"

namespace mctf {

namespace {

constexpr const char* kCommonOptions =
    "\n"
    "  --config FILE  the settings file (default: config.dmc in the current folder;\n"
    "                 without it, commands that only read work from the defaults).\n"
    "                 A FILE given must be a settings file; only settings reset\n"
    "                 creates a missing one.\n"
#ifdef _WIN32
    "  --user-settings  without --config: config.dmc in %APPDATA%\\mctfutil,\n"
    "                 the folder created on first use\n"
#else
    "  --user-settings  without --config: config.dmc in $XDG_CONFIG_HOME/mctfutil\n"
    "                 (~/.config/mctfutil), the folder created on first use\n"
#endif
    "  --help         this text\n";

// What a field takes, from its row of the field table.
std::string Limits(const SettingsField& field) {
    switch (field.kind) {
    case FieldKind::Version:
        return "the format of the file; cannot be set";
    case FieldKind::MapCount:
        return "the number of maps in the list; changed by 'mctfcli maplist'";
    case FieldKind::GameType: {
        std::string text = std::to_string(field.low) + " to " + std::to_string(field.high) +
                           ", or the name (any case):";
        for (int type = 0; type < kGameTypeCount; ++type) {
            text += type % 4 == 0 ? "\n                    " : ", ";
            text += std::to_string(type) + " " + std::string(kGameTypes[type].label);
        }
        return text;
    }
    case FieldKind::Text: {
        std::string text = "text of at most " + std::to_string(field.textLimit) + " characters" +
                           (field.quoted ? ", no double quote or control character" : "");
        // On a line of its own, below the first, where the lines are long.
        if (std::string_view rule = TextUseRule(field.use); !rule.empty())
            text += ",\n" + std::string(18, ' ') + std::string(rule);
        return text;
    }
    case FieldKind::Number:
    case FieldKind::Port:
    case FieldKind::Slider:
        return std::to_string(field.low) + " to " + std::to_string(field.high);
    case FieldKind::Check:
        return "0 or 1";
    case FieldKind::Flags:
        return "0 or a sum of " + FlagBitsText(field);
    }
    return "";
}

// A command that reads no settings takes --help only.
std::string_view OptionsText(const Command& command) {
    return command.options & kConfigOption ? kCommonOptions : "\n  --help         this text\n";
}

}  // namespace

void PrintSettingsFields(std::ostream& out) {
    out << "\nFields, in the order of the record:\n";
    for (const SettingsField& field : SettingsFields()) {
        out << "  " << std::left << std::setw(15) << field.name << ' ' << Limits(field) << '\n';
    }
}

void PrintUsage(std::ostream& out) {
    out << "Usage: mctfcli COMMAND [ARGUMENTS] [--config FILE]\n"
           "       mctfcli --config FILE COMMAND [ARGUMENTS]\n"
           "\n"
           "The jobs of mctfutil without a window.\n"
           "\n"
           "Commands:\n";
    for (const Command& command : Commands()) {
        out << "  " << command.name << (command.synopsis.empty() ? "" : " ") << command.synopsis;
        for (const Action& action : command.actions) {
            out << (&action == command.actions.data() ? " " : "|") << action.name
                << (action.synopsis.empty() ? "" : " ") << action.synopsis;
        }
        out << '\n';
        std::string_view rest = command.summary;
        for (std::size_t end; (end = rest.find('\n')) != rest.npos; rest.remove_prefix(end + 1))
            out << "      " << rest.substr(0, end) << '\n';
        out << "      " << rest << '\n';
    }
    out << "  help [COMMAND]\n"
           "      This text, or the usage of one command.\n"
           "\n"
           "Options:"
        << kCommonOptions
        << "  --version      print the version\n"
           "\n"
           "Exit status: 0 on success, 1 when the work failed, 2 on bad usage.\n";
}

void PrintCommandUsage(const Command& command, std::ostream& out) {
    out << command.usage << OptionsText(command);
    if (command.usageEnd) command.usageEnd(out);
}

int UsageError(CommandContext& context, std::string_view command, std::string_view problem) {
    context.err << "mctfcli: " << command << ": " << problem << "\n"
                << "Try 'mctfcli " << command << " --help'.\n";
    return 2;
}

}  // namespace mctf
