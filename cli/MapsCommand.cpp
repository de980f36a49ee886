// mctfcli maps: the names the Maps page would list for the given files,
// sorted as its Available Maps list sorts them.
#include <algorithm>
#include <cctype>
#include <iostream>
#include <ostream>

#include "cli/Commands.h"
#include "core/PakScanner.h"

namespace mctf {

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) <
                   std::tolower(static_cast<unsigned char>(y));
        });
}

}  // namespace

int RunMapsCommand(const Args& args, Desktop& desktop, std::ostream& out) {
    if (args.empty()) {
        std::cerr << "mctfcli maps: no file given\n";
        PrintUsage(std::cerr);
        return 2;
    }
    std::vector<std::string> names;
    bool failed = false;
    for (const std::string& path : args) {
        ScanStatus status = ScanMapFile(path, names, desktop);
        if (status == ScanStatus::PathTooLong)
            std::cerr << "mctfcli maps: path longer than "
                      << kNameBufferSize - 1 << " characters skipped: " << path << "\n";
        if (!ScanSucceeded(status)) failed = true;
    }
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
    for (const std::string& name : names) out << name << '\n';
    return failed ? 1 : 0;
}

}  // namespace mctf
