#include "cli/CommandTable.h"

#include <algorithm>
#include <iterator>

namespace mctf {

namespace {

constexpr std::string_view kSettingsUsage =
    "Usage: mctfcli settings show [--json] [--config FILE]\n"
    "       mctfcli settings get NAME... [--config FILE]\n"
    "       mctfcli settings set NAME=VALUE... [--config FILE]\n"
    "       mctfcli settings reset [--yes] [--config FILE]\n"
    "\n"
    "show prints every field as NAME=VALUE (with --json as one JSON object, texts\n"
    "as strings, numbers as numbers), get the values of the fields named.\n"
    "set checks every value as the settings sheet does (nothing changes when one\n"
    "is refused; a relative quakePath or statsDir is stored absolute), then does\n"
    "what OK on the sheet does: writes the server files (morvane.bat, morvane.sh\n"
    "beside it on Linux, morvane.cfg), saves config.dmc and the map list of the\n"
    "game type. A new quakePath reads the list its folder holds; only a folder\n"
    "without one receives the list in use. reset restores the defaults as\n"
    "Setup > Reset Settings does; it asks on a terminal, elsewhere it needs --yes.\n";

constexpr std::string_view kMapListUsage =
    "Usage: mctfcli maplist show [--config FILE]\n"
    "       mctfcli maplist add NAME... [--config FILE]\n"
    "       mctfcli maplist remove NAME... [--config FILE]\n"
    "       mctfcli maplist clear [--config FILE]\n"
    "       mctfcli maplist check [--config FILE]\n"
    "\n"
    "The map rotation of the stored game type, one name a line. add appends maps\n"
    "(one word of 1 to 31 characters each, at most 64 in the list), remove takes\n"
    "out the first occurrence of each name, clear empties the list. A change then\n"
    "does what OK on the settings sheet does. check looks for each map of the list\n"
    "in the .pk3 files of the game's baseq3 folder, and morvane's for the mod's game\n"
    "types (and the .bsp files of their maps folders), without regard to case; it\n"
    "names every map not found\n"
    "on standard error and exits 1, and prints nothing when all are there.\n"
    "Example:\n"
    "  mctfcli maplist add $(mctfcli maps /srv/quake3/baseq3 | grep ctf)\n";

constexpr std::string_view kServerFilesUsage =
    "Usage: mctfcli server-files [--config FILE]\n"
    "\n"
    "Writes morvane.bat and morvane.cfg from the stored settings and the map list\n"
    "of the stored game type, and on Linux the server's start script morvane.sh\n"
    "beside morvane.bat. config.dmc and the map lists are not written.\n";

constexpr std::string_view kMapsUsage =
    "Usage: mctfcli maps PATH...\n"
    "\n"
    "Lists the maps inside .pk3 archives (or names .bsp files); a folder stands for\n"
    "every .pk3 file in it (not in its subfolders). The names of all PATHs are\n"
    "sorted without regard to case, each once, one a line.\n";

constexpr std::string_view kStatsUsage =
    "Usage: mctfcli stats [--logs PATH]... [PATH...] [--out DIR] [--json FILE [--no-pages]]\n"
    "                     [--seed N] [--quiet] [--config FILE]\n"
    "\n"
    "Analyses every *.log file of the statistics folder (statsDir) and writes\n"
    "the statistics pages there. config.dmc is not written. The copies logrotate\n"
    "keeps of a log (NAME.log.1, NAME.log-20261206, either as .gz too) are read\n"
    "before it, oldest first; a broken .gz is named and skipped.\n"
    "\n"
    "  --logs PATH    read this log file, or the *.log files of this folder,\n"
    "                 instead; several are read in the order given (PATHs\n"
    "                 after the options too). A single folder also takes the\n"
    "                 pages, as statsDir does.\n"
    "  --out DIR      write the pages into DIR (a web root, say), made when it\n"
    "                 is not there; the links between them stay bare names\n"
    "  --json FILE    also write every figure of the run as one JSON document\n"
    "                 into FILE (- for standard output, the other messages then\n"
    "                 go to standard error), as share/mctfcli/stats.schema.json\n"
    "                 describes it\n"
    "  --no-pages     with --json: write no pages, touch no pages folder\n"
    "  --seed N       draw the featured player with seed N (0 to 4294967295),\n"
    "                 so that another run over the same logs features the\n"
    "                 same player; without it every second draws anew\n"
    "  -q, --quiet    print nothing when the pages were written; errors and\n"
    "                 warnings still go to standard error, and the exit\n"
    "                 status tells\n";

constexpr std::string_view kSystemdUsage =
    "Usage: mctfcli systemd [--user] [--every MINUTES] [--out DIR] [--write DIR]\n"
    "                       [--server PATH] [--config FILE] [-- SERVER ARGUMENTS...]\n"
    "\n"
    "Prints the systemd units of a Linux server set up with mctfcli:\n"
    "morvane-server.service runs morvane.sh of the game folder (quakePath) and\n"
    "restarts it when it fails (at most 5 starts in 10 minutes, none when\n"
    "morvane.sh finds no server: exit status 78); morvane-stats.service runs\n"
    "this mctfcli's 'stats --quiet' on the settings file, started by\n"
    "morvane-stats.timer 30 minutes after boot and 30 minutes after each start.\n"
    "System units run both as the owner of the game folder, each shut off from\n"
    "the system but for the folders it writes. Whatever would stop that account\n"
    "at the first start is named with the command that mends it (exit status 1).\n"
    "\n"
    "  --user         units for the user's own manager (systemctl --user): no\n"
    "                 User=, started with the user's session (default.target)\n"
    "  --every MINUTES  the statistics every 1 to 1440 minutes\n"
    "  --out DIR      the statistics run writes its pages into DIR (stats --out)\n"
    "  --write DIR    writes the units into DIR (each file replaced whole) and\n"
    "                 prints the files written, instead of printing the units;\n"
    "                 makes the pages folder for the account when it is missing\n"
    "  --server PATH  the dedicated server morvane.sh starts (MCTF_SERVER);\n"
    "                 without it, the one morvane.sh finds is named\n"
    "  -- SERVER ARGUMENTS...  passed on to the server by morvane.sh\n"
    "                 (+set com_basegame baseoa)\n";

constexpr std::string_view kStatusUsage =
    "Usage: mctfcli status [HOST[:PORT]] [--json] [--timeout SECONDS] [--quiet] [--config FILE]\n"
    "\n"
    "Asks the running server for its status, as the game's server browsers do,\n"
    "and prints its host name, map, game type and players with their score and\n"
    "ping. HOST is a name or an address (an IPv6 address with a port as\n"
    "[ADDRESS]:PORT), by default 127.0.0.1; without PORT, the netPort of the\n"
    "settings. A query left unanswered is sent once more after a second. Exit\n"
    "status 0 when the server answered, 1 when it did not.\n"
    "\n"
    "  --json         print the status as one JSON object: address, hostName, map,\n"
    "                 gameType, gameTypeName, maxClients, players (name, score,\n"
    "                 ping of each)\n"
    "  --timeout SECONDS  wait at most this long (0.1 to 60, default 2)\n"
    "  -q, --quiet    print nothing: only the exit status tells\n";

constexpr Action kSettingsActions[] = {
    {"show", RunSettingsShow, kJsonOption, Operands::None, ""},
    {"get", RunSettingsGet, 0, Operands::Fields, "NAME..."},
    {"set", RunSettingsSet, 0, Operands::SettableFields, "NAME=VALUE..."},
    {"reset", RunSettingsReset, kYesOption, Operands::None, "[--yes]"},
};

constexpr Action kMapListActions[] = {
    {"show", RunMapListShow, 0, Operands::None, ""},
    {"add", RunMapListAdd, 0, Operands::Typed, "NAME..."},
    {"remove", RunMapListRemove, 0, Operands::ListedMaps, "NAME..."},
    {"clear", RunMapListClear, 0, Operands::None, ""},
    {"check", RunMapListCheck, 0, Operands::None, ""},
};

// In the order of mctfcli --help.
constexpr Command kCommands[] = {
    {"settings", nullptr, kConfigOption, Operands::None, "",
     "Show or change the server settings, as the settings sheet does.", kSettingsUsage,
     PrintSettingsFields, kSettingsActions},
    {"maplist", nullptr, kConfigOption, Operands::None, "",
     "Show, change or check the map rotation of the stored game type.", kMapListUsage, nullptr,
     kMapListActions},
    {"server-files", RunServerFilesCommand, kConfigOption, Operands::None, "",
     "Write morvane.bat, morvane.sh and morvane.cfg from the stored settings.", kServerFilesUsage},
    {"maps", RunMapsCommand, 0, Operands::MapFiles, "PATH...",
     "List the maps inside .pk3 archives and folders of them (or name\n"
     ".bsp files), sorted.",
     kMapsUsage},
    {"stats", RunStatsCommand,
     kConfigOption | kLogsOption | kOutOption | kQuietOption | kJsonFileOption | kNoPagesOption |
         kSeedOption,
     Operands::Typed, "[--logs PATH]... [--out DIR] [--json FILE [--no-pages]] [--seed N] [-q]",
     "Analyse the *.log files of the statistics folder (or PATHs) and\n"
     "write the statistics pages there (or into DIR).",
     kStatsUsage},
    {"systemd", RunSystemdCommand,
     kConfigOption | kUserOption | kEveryOption | kOutOption | kWriteOption | kServerOption,
     Operands::Typed, "[--user] [--every MINUTES] [--out DIR] [--write DIR] [--server PATH]",
     "Print (or write into DIR) systemd units running the server and\n"
     "the statistics pages.",
     kSystemdUsage},
    {"status", RunStatusCommand, kConfigOption | kJsonOption | kQuietOption | kTimeoutOption,
     Operands::Typed, "[HOST[:PORT]] [--json] [--timeout SECONDS] [-q]",
     "Ask the running server for its host name, map, game type and\n"
     "players.",
     kStatusUsage},
};

// The options are the option table's own; --help and the ones taken before
// the command are no row's. A command of actions has their synopses, not one.
constexpr bool IsComplete(const Command& command) {
    constexpr std::string_view start = "Usage: mctfcli ";
    constexpr unsigned notOfRows = kHelpOption | kVersionOption | kUserSettingsOption;
    return !command.name.empty() && !command.summary.empty() && command.usage.starts_with(start) &&
           command.usage.substr(start.size()).starts_with(command.name) &&
           command.usage.ends_with('\n') && !(AllOptions(command) & notOfRows) &&
           (command.actions.empty() || command.synopsis.empty());
}

// "help" is answered before the table is looked at: no row may take it.
// Action names differ within their command.
constexpr bool NamesDistinct() {
    for (auto row = std::begin(kCommands); row != std::end(kCommands); ++row) {
        if (row->name == "help") return false;
        for (auto other = std::begin(kCommands); other != row; ++other)
            if (other->name == row->name) return false;
        for (const Action& action : row->actions)
            if (std::ranges::count(row->actions, action.name, &Action::name) != 1) return false;
    }
    return true;
}

static_assert(std::ranges::all_of(kCommands, IsComplete),
              "every command needs a name, a summary, a usage text starting "
              "\"Usage: mctfcli NAME\" and options of the rows after it");
static_assert(NamesDistinct(), "command names must differ from each other and from help");

}  // namespace

std::span<const Command> Commands() { return kCommands; }

const Command* FindCommand(std::string_view name) {
    for (const Command& command : kCommands) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

const Action* FindAction(const Command& command, std::string_view name) {
    for (const Action& action : command.actions) {
        if (action.name == name) return &action;
    }
    return nullptr;
}

}  // namespace mctf
