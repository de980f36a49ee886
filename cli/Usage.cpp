#include <iomanip>
#include <ostream>
#include <string>

#include "cli/Commands.h"
#include "core/SettingsFields.h"

namespace mctf {

namespace {

constexpr const char* kSettingsUsage =
    "Usage: mctfcli settings show [--config FILE]\n"
    "       mctfcli settings get NAME... [--config FILE]\n"
    "       mctfcli settings set NAME=VALUE... [--config FILE]\n"
    "       mctfcli settings reset [--yes] [--config FILE]\n"
    "\n"
    "show prints every field as NAME=VALUE, get the values of the fields named.\n"
    "set checks every value as the settings sheet does (nothing changes when one\n"
    "is refused), then does what OK on the sheet does: writes morvane.bat and\n"
    "morvane.cfg, saves config.dmc and the map list of the game type. reset\n"
    "restores the defaults as Setup > Reset Settings does; it asks on a terminal,\n"
    "elsewhere it needs --yes.\n";

constexpr const char* kMapListUsage =
    "Usage: mctfcli maplist show [--config FILE]\n"
    "       mctfcli maplist add NAME... [--config FILE]\n"
    "       mctfcli maplist remove NAME... [--config FILE]\n"
    "       mctfcli maplist clear [--config FILE]\n"
    "\n"
    "The map rotation of the stored game type, one name a line. add appends maps\n"
    "(one word of 1 to 31 characters each, at most 64 in the list), remove takes\n"
    "out the first occurrence of each name, clear empties the list. A change then\n"
    "does what OK on the settings sheet does. Example:\n"
    "  mctfcli maplist add $(mctfcli maps baseq3/pak0.pk3)\n";

constexpr const char* kServerFilesUsage =
    "Usage: mctfcli server-files [--config FILE]\n"
    "\n"
    "Writes morvane.bat and morvane.cfg from the stored settings and the map list\n"
    "of the stored game type. config.dmc and the map lists are not written.\n";

constexpr const char* kMapsUsage =
    "Usage: mctfcli maps FILE...\n"
    "\n"
    "Lists the maps inside .pk3 archives (or names .bsp files), sorted without\n"
    "regard to case, one a line.\n";

constexpr const char* kStatsUsage =
    "Usage: mctfcli stats [--logs DIR] [--config FILE]\n"
    "\n"
    "Analyses every *.log file of the statistics folder (statsDir, or DIR for\n"
    "this run only) and writes the statistics pages there. config.dmc is not\n"
    "written.\n";

constexpr const char* kCommonOptions =
    "\n"
    "  --config FILE  the settings file (default: config.dmc in the current folder;\n"
    "                 without it, commands that only read work from the defaults).\n"
    "                 A FILE given must be a settings file; only settings reset\n"
    "                 creates a missing one.\n"
    "  --user-settings  without --config: config.dmc in $XDG_CONFIG_HOME/mctfutil\n"
    "                 (~/.config/mctfutil), the folder created on first use\n"
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
    case FieldKind::Text:
        return "text of at most " + std::to_string(field.textLimit) + " characters" +
               (field.quoted ? ", no double quote or line break" : "");
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

void PrintFields(std::ostream& out) {
    out << "\nFields, in the order of the record:\n";
    for (const SettingsField& field : SettingsFields()) {
        out << "  " << std::left << std::setw(15) << field.name << ' ' << Limits(field) << '\n';
    }
}

}  // namespace

void PrintUsage(std::ostream& out) {
    out << "Usage: mctfcli COMMAND [ARGUMENTS] [--config FILE]\n"
           "\n"
           "The jobs of mctfutil without a window.\n"
           "\n"
           "Commands:\n"
           "  settings show|get NAME...|set NAME=VALUE...|reset [--yes]\n"
           "      Show or change the server settings, as the settings sheet does.\n"
           "  maplist show|add NAME...|remove NAME...|clear\n"
           "      Show or change the map rotation of the stored game type.\n"
           "  server-files\n"
           "      Write morvane.bat and morvane.cfg from the stored settings.\n"
           "  maps FILE...\n"
           "      List the maps inside .pk3 archives (or name .bsp files), sorted.\n"
           "  stats [--logs DIR]\n"
           "      Analyse the *.log files of the statistics folder (or DIR) and\n"
           "      write the statistics pages there.\n"
           "  help [COMMAND]\n"
           "      This text, or the usage of one command.\n"
           "\n"
           "Options:"
        << kCommonOptions
        << "  --version      print the version\n"
           "\n"
           "Exit status: 0 on success, 1 when the work failed, 2 on bad usage.\n";
}

bool PrintCommandUsage(std::string_view command, std::ostream& out) {
    if (command == "settings") {
        out << kSettingsUsage << kCommonOptions;
        PrintFields(out);
        return true;
    }
    const char* usage = command == "maplist"        ? kMapListUsage
                        : command == "server-files" ? kServerFilesUsage
                        : command == "maps"         ? kMapsUsage
                        : command == "stats"        ? kStatsUsage
                                                    : nullptr;
    if (!usage) return false;
    out << usage;
    if (command == "maps")
        out << "\n  --help         this text\n";
    else
        out << kCommonOptions;
    return true;
}

int UsageError(CommandContext& context, std::string_view command, std::string_view problem) {
    context.err << "mctfcli: " << command << ": " << problem << "\n"
                << "Try 'mctfcli " << command << " --help'.\n";
    return 2;
}

}  // namespace mctf
