// mctfcli maps: the names the Maps page would list for the given files,
// sorted as its Available Maps list sorts them.
#include <algorithm>
#include <cctype>
#include <ostream>

#include "cli/CommandArgs.h"
#include "cli/Commands.h"
#include "cli/NamingDesktop.h"
#include "core/PakScanner.h"
#include "core/ScriptSafety.h"

namespace mctf {

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

int RunMapsCommand(const CommandArgs& parsed, CommandContext& context) {
    constexpr std::string_view kCommand = "maps";
    if (parsed.words.empty()) return UsageError(context, kCommand, "no file given");
    std::vector<std::string> names;
    bool failed = false;
    NamingDesktop desktop(context.desktop);
    for (const std::string& path : parsed.words) {
        desktop.Name(path);
        const std::size_t before = names.size();
        ScanStatus status = ScanMapFile(path, names, desktop);
        // Listed all the same, so that a hostile pak shows what it holds.
        for (std::size_t i = before; i < names.size(); ++i) {
            ScriptHazard hazard = FindMapNameHazard(names[i]);
            if (hazard != ScriptHazard::None)
                context.err << "mctfcli: " << path << ": '" << names[i]
                            << "' cannot be added to a map list: it holds " << HazardName(hazard)
                            << '\n';
        }
        if (status == ScanStatus::PathTooLong)
            context.err << "mctfcli: " << path << ": path longer than " << kNameBufferSize - 1
                        << " characters, skipped\n";
        if (!ScanSucceeded(status)) failed = true;
    }
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
    for (const std::string& name : names) context.out << name << '\n';
    return failed ? 1 : 0;
}

}  // namespace mctf
