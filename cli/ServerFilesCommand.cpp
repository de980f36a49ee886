// mctfcli server-files: writes the server files (see WriteServerFiles) from the stored
// settings without touching config.dmc or the map lists.
#include <ostream>

#include "cli/CommandArgs.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "core/ServerFiles.h"

namespace mctf {

int RunServerFilesCommand(const CommandArgs& parsed, CommandContext& context) {
    constexpr std::string_view kCommand = "server-files";
    if (!parsed.words.empty())
        return UsageError(context, kCommand, "unexpected argument '" + parsed.words[0] + "'");
    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Read, context)) return 1;
    return ReportServerFiles(WriteServerFiles(store), context) ? 1 : 0;
}

}  // namespace mctf
