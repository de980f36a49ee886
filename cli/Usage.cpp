#include <ostream>

#include "cli/Commands.h"

namespace mctf {

void PrintUsage(std::ostream& out) {
    out << "Usage: mctfcli COMMAND [OPTIONS]\n"
           "\n"
           "The jobs of mctfutil without a window.\n"
           "\n"
           "Commands:\n"
           "  server-files [--config FILE]\n"
           "      Write morvane.bat and morvane.cfg from the stored settings and the\n"
           "      map list of the stored game type.\n"
           "  maps FILE...\n"
           "      List the maps inside .pk3 archives (or name .bsp files), sorted.\n"
           "  stats [--config FILE] [--logs DIR]\n"
           "      Analyse every *.log file of the statistics folder (or DIR) and\n"
           "      write the statistics pages there.\n"
           "\n"
           "Options:\n"
           "  --config FILE   the settings file (default: config.dmc in the current\n"
           "                  folder); a missing file is created with the defaults\n"
           "  --logs DIR      the log folder for this run; the stored one is kept\n"
           "  --version       print \"mctfutil <version>\"\n"
           "  --help          this text\n"
           "\n"
           "Exit status: 0 on success, 1 when an error was reported, 2 on bad usage.\n";
}

}  // namespace mctf
