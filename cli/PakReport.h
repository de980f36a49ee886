// What mctfcli says of a pak it scanned: the window's message for a file
// that could not be read, and the path it is about, on one line.
#pragma once

#include <string>

#include "cli/Commands.h"
#include "core/PakScanner.h"

namespace mctf {

// "mctfcli: PATH: ERROR Cannot open file" and the like on context.err; true
// when the scan succeeded.
bool ReportScan(const std::string& path, ScanStatus status, CommandContext& context);

}  // namespace mctf
