#include "cli/PakReport.h"

#include <ostream>

namespace mctf {

bool ReportScan(const std::string& path, ScanStatus status, CommandContext& context) {
    if (const char* message = ScanMessage(status))
        context.err << "mctfcli: " << path << ": " << message << '\n';
    if (status == ScanStatus::PathTooLong)
        context.err << "mctfcli: " << path << ": path longer than " << kNameBufferSize - 1
                    << " characters, skipped\n";
    return ScanSucceeded(status);
}

}  // namespace mctf
