// mctfcli maplist: the map rotation of the current game type, changed as
// Add and Delete on the Maps page change it, then saved as OK on the
// settings sheet saves (server files, config.dmc with the new mapCount, the
// list file). check looks for each map of the list in the game's paks.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "cli/CommandArgs.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "cli/PakReport.h"
#include "core/FixedText.h"
#include "core/FolderFiles.h"
#include "core/GameFolder.h"
#include "core/MapList.h"
#include "core/PakScanner.h"
#include "core/Paths.h"
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

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The maps the server can load from the game folder, in lower case (it finds
// a pak's files without regard to case): those of every .pk3 in baseq3, and
// in morvane when the game type runs the mod, and the .bsp files in their
// maps folders. False after saying on err what could not be read.
bool GameMaps(const ServerSettings& settings, std::set<std::string>& maps,
              CommandContext& context) {
    bool complete = true;
    std::vector<std::string> names;
    for (const std::string& folder : PakFolders(settings)) {
        std::error_code error;
        for (const std::string& pak : FindFilesEndingIn(folder, ".pk3", error)) {
            // The server loads any map of a pak, however deep in its directory.
            const ScanStatus status = ScanMapFile(pak, names, context.desktop, *context.files,
                                                  ScanReach::CentralDirectory);
            if (!ReportScan(pak, status, context)) complete = false;
        }
        if (error) {
            context.err << "mctfcli: " << folder << ": cannot read the folder: " << error.message()
                        << '\n';
            complete = false;
        }
        // Loose maps are rare: a missing maps folder is no fault.
        const std::string loose = JoinPath(folder, "maps");
        for (const std::string& bsp : FindFilesEndingIn(loose, ".bsp", error))
            names.push_back(Utf8FromPath(PathFromUtf8(bsp).stem()));
        if (error && error != std::errc::no_such_file_or_directory) {
            context.err << "mctfcli: " << loose << ": cannot read the folder: " << error.message()
                        << '\n';
            complete = false;
        }
    }
    for (const std::string& name : names) maps.insert(Lower(name));
    return complete;
}

// Names on err each map of the list that the server would not find or not
// load as named; 1 when any, or when a pak or folder could not be read.
int Check(const SettingsStore& store, const std::string& file, CommandContext& context) {
    const std::vector<std::string> list = ListNames(store);
    if (list.empty()) return 0;
    const std::string quakePath(FixedText(store.settings.quakePath));
    std::set<std::string> found;
    bool failed = !GameMaps(store.settings, found, context);
    std::set<std::string> named;
    for (const std::string& name : list) {
        if (!named.insert(name).second) continue;
        if (ScriptHazard hazard = FindMapNameHazard(name); hazard != ScriptHazard::None) {
            context.err << "mctfcli: " << file << ": map '" << name << "' holds "
                        << HazardName(hazard) << MapHazardEffect(hazard) << '\n';
            failed = true;
            continue;
        }
        if (found.contains(Lower(name))) continue;
        context.err << "mctfcli: " << file << ": no pak under " << quakePath << " holds map '"
                    << name << "'; the rotation would stop there\n";
        failed = true;
    }
    return failed ? 1 : 0;
}

// The list's new names, checked each, added at its end; false after saying
// on err why not.
bool AddNames(std::vector<std::string>& list, const Args& names, const std::string& file,
              CommandContext& context) {
    bool refused = false;
    for (const std::string& name : names) {
        if (!IsMapName(name)) {
            context.err << "mctfcli: " << file << ": '" << name
                        << "' is not a map name (one word of 1 to " << kMapNameSize - 1
                        << " characters)\n";
            refused = true;
        } else if (ScriptHazard hazard = FindMapNameHazard(name); hazard != ScriptHazard::None) {
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
    return !refused;
}

// Takes out the first occurrence of each name; false after naming on err
// those not in the list.
bool RemoveNames(std::vector<std::string>& list, const Args& names, const std::string& file,
                 CommandContext& context) {
    bool refused = false;
    for (const std::string& name : names) {
        auto found = std::find(list.begin(), list.end(), name);
        if (found == list.end()) {
            context.err << "mctfcli: " << file << ": '" << name << "' is not in the list\n";
            refused = true;
            continue;
        }
        list.erase(found);
    }
    return !refused;
}

bool ClearNames(std::vector<std::string>& list, const Args&, const std::string&, CommandContext&) {
    list.clear();
    return true;
}

// Loads the list, lets `change` have the names after the action, then saves
// as OK on the settings sheet does. Every name is checked before the list
// changes: a refused call changes nothing.
int ChangeList(const CommandArgs& parsed, CommandContext& context,
               bool (*change)(std::vector<std::string>& list, const Args& names,
                              const std::string& file, CommandContext& context)) {
    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Change, context)) return 1;
    std::vector<std::string> list = ListNames(store);
    const Args names(parsed.words.begin() + 1, parsed.words.end());
    if (!change(list, names, ListFile(store, parsed.config), context)) return 1;
    for (std::size_t i = 0; i < list.size(); ++i) SetFixedText(store.mapList.maps[i], list[i]);
    store.settings.mapCount = static_cast<int32_t>(list.size());
    return ApplyForCommand(store, parsed.config, context);
}

}  // namespace

int RunMapListShow(const CommandArgs& parsed, CommandContext& context) {
    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Read, context)) return 1;
    for (const std::string& name : ListNames(store)) context.out << name << '\n';
    return 0;
}

int RunMapListAdd(const CommandArgs& parsed, CommandContext& context) {
    if (parsed.words.size() < 2) return UsageError(context, kCommand, "add needs a map NAME");
    return ChangeList(parsed, context, AddNames);
}

int RunMapListRemove(const CommandArgs& parsed, CommandContext& context) {
    if (parsed.words.size() < 2) return UsageError(context, kCommand, "remove needs a map NAME");
    return ChangeList(parsed, context, RemoveNames);
}

int RunMapListClear(const CommandArgs& parsed, CommandContext& context) {
    return ChangeList(parsed, context, ClearNames);
}

int RunMapListCheck(const CommandArgs& parsed, CommandContext& context) {
    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Read, context)) return 1;
    return Check(store, ListFile(store, parsed.config), context);
}

}  // namespace mctf
