// mctfcli maplist: the map rotation of the current game type, changed as
// Add and Delete on the Maps page change it, then saved as OK on the
// settings sheet saves (server files, config.dmc with the new mapCount, the
// list file).
#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandArgs.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "core/FixedText.h"
#include "core/MapList.h"
#include "core/ScriptSafety.h"

namespace mctf {

namespace {

constexpr std::string_view kCommand = "maplist";

// One word of 1 to 31 characters: what a list file can hold and read back.
bool IsMapName(std::string_view name) {
    if (name.empty() || name.size() > kMapNameSize - 1) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '\0' || std::isspace(static_cast<unsigned char>(c));
    });
}

std::vector<std::string> ListNames(const SettingsStore& store) {
    std::vector<std::string> names;
    for (int i = 0; i < ValidMapCount(store); ++i)
        names.emplace_back(FixedText(store.mapList.maps[i]));
    return names;
}

// The file messages name; the settings file when the game type names none.
std::string ListFile(const SettingsStore& store, const std::optional<std::string>& config) {
    return CurrentMapListPath(store).value_or(ConfigName(config));
}

}  // namespace

int RunMapListCommand(const CommandArgs& parsed, CommandContext& context) {
    if (parsed.words.empty())
        return UsageError(context, kCommand, "which action: show, add, remove or clear?");
    const std::string action = parsed.words[0];
    const std::vector<std::string> names(parsed.words.begin() + 1, parsed.words.end());
    if (action != "show" && action != "add" && action != "remove" && action != "clear")
        return UsageError(context, kCommand, "unknown action '" + action + "'");
    if ((action == "show" || action == "clear") && !names.empty())
        return UsageError(context, kCommand, action + " takes no NAME");
    if ((action == "add" || action == "remove") && names.empty())
        return UsageError(context, kCommand, action + " needs a map NAME");

    SettingsStore store;
    const ConfigUse use = action == "show" ? ConfigUse::Read : ConfigUse::Change;
    if (!LoadSettingsForCommand(store, parsed.config, use, context)) return 1;
    std::vector<std::string> list = ListNames(store);
    if (action == "show") {
        for (const std::string& name : list) context.out << name << '\n';
        return 0;
    }

    // Every name is checked before the list changes: a refused call changes
    // nothing.
    const std::string file = ListFile(store, parsed.config);
    bool refused = false;
    if (action == "add") {
        for (const std::string& name : names) {
            if (!IsMapName(name)) {
                context.err << "mctfcli: " << file << ": '" << name
                            << "' is not a map name (one word of 1 to " << kMapNameSize - 1
                            << " characters)\n";
                refused = true;
            } else if (ScriptHazard hazard = FindMapNameHazard(name);
                       hazard != ScriptHazard::None) {
                context.err << "mctfcli: " << file << ": '" << name
                            << "' cannot be added to a map list: it holds " << HazardName(hazard)
                            << '\n';
                refused = true;
            }
        }
        if (!refused && list.size() + names.size() > kMapListCapacity) {
            context.err << "mctfcli: " << file << ": the list holds at most " << kMapListCapacity
                        << " maps; it has " << list.size() << " and " << names.size()
                        << " more would make " << list.size() + names.size() << "\n";
            refused = true;
        }
        list.insert(list.end(), names.begin(), names.end());
    } else if (action == "remove") {
        for (const std::string& name : names) {
            auto found = std::find(list.begin(), list.end(), name);
            if (found == list.end()) {
                context.err << "mctfcli: " << file << ": '" << name << "' is not in the list\n";
                refused = true;
                continue;
            }
            list.erase(found);
        }
    } else {
        list.clear();
    }
    if (refused) return 1;

    for (std::size_t i = 0; i < list.size(); ++i) SetFixedText(store.mapList.maps[i], list[i]);
    store.settings.mapCount = static_cast<int32_t>(list.size());
    return ApplyForCommand(store, parsed.config, context);
}

}  // namespace mctf
