// mctfcli maps: the names the Maps page would list for the given files,
// sorted as its Available Maps list sorts them; a folder stands for the paks
// in it.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <set>
#include <system_error>

#include "cli/CommandArgs.h"
#include "cli/Commands.h"
#include "cli/PakReport.h"
#include "core/FolderFiles.h"
#include "core/PakScanner.h"
#include "core/ScriptSafety.h"

namespace mctf {

namespace {

constexpr std::string_view kCommand = "maps";

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The paths to scan for one operand: the .pk3 files of a folder, else the
// operand itself. Empty after saying on err why a folder gives none.
std::vector<std::string> FilesOf(const std::string& path, CommandContext& context) {
    std::error_code error;
    if (!std::filesystem::is_directory(PathFromUtf8(path), error)) return {path};
    std::vector<std::string> paks = FindFilesEndingIn(path, ".pk3", error);
    if (error)
        context.err << "mctfcli: " << path << ": cannot read the folder: " << error.message()
                    << '\n';
    else if (paks.empty())
        context.err << "mctfcli: " << path << ": no .pk3 file in this folder\n";
    return error ? std::vector<std::string>{} : paks;
}

// Appends the maps of one file to names, saying on err which of them no
// rotation may hold; false when the file could not be read.
bool ScanFile(const std::string& path, std::vector<std::string>& names, CommandContext& context) {
    const std::size_t before = names.size();
    ScanStatus status = ScanMapFile(path, names, context.desktop, *context.files);
    // Listed all the same, so that a hostile pak shows what it holds.
    for (std::size_t i = before; i < names.size(); ++i) {
        ScriptHazard hazard = FindMapNameHazard(names[i]);
        if (hazard != ScriptHazard::None)
            context.err << "mctfcli: " << path << ": '" << names[i]
                        << "' cannot be added to a map list: it holds " << HazardName(hazard)
                        << '\n';
    }
    return ReportScan(path, status, context);
}

}  // namespace

int RunMapsCommand(const CommandArgs& parsed, CommandContext& context) {
    if (parsed.words.empty()) return UsageError(context, kCommand, "no file or folder given");
    std::vector<std::string> names;
    bool failed = false;
    for (const std::string& operand : parsed.words) {
        const std::vector<std::string> files = FilesOf(operand, context);
        if (files.empty()) failed = true;
        for (const std::string& path : files)
            if (!ScanFile(path, names, context)) failed = true;
    }
    // Each name once, so the output can go to "maplist add" as it is; names
    // that differ in case only are different names and both stay.
    std::vector<std::string> unique;
    std::set<std::string> seen;
    for (std::string& name : names)
        if (seen.insert(name).second) unique.push_back(std::move(name));
    std::stable_sort(unique.begin(), unique.end(), LessIgnoringCase);
    for (const std::string& name : unique) context.out << name << '\n';
    return failed ? 1 : 0;
}

}  // namespace mctf
