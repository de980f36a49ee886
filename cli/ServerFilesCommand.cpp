// mctfcli server-files: writes morvane.bat and morvane.cfg from the stored
// settings without touching config.dmc or the map lists.
#include <iostream>
#include <ostream>

#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "core/ServerFiles.h"

namespace mctf {

int RunServerFilesCommand(const Args& args, Desktop& desktop, std::ostream&) {
    std::string configFile = kDefaultConfigFile;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--config" && i + 1 < args.size()) {
            configFile = args[++i];
            continue;
        }
        std::cerr << "mctfcli server-files: unexpected argument '" << args[i] << "'\n";
        PrintUsage(std::cerr);
        return 2;
    }
    SettingsStore store;
    LoadSettingsForCommand(store, configFile);
    return WriteServerFiles(store, desktop) ? 0 : 1;
}

}  // namespace mctf
