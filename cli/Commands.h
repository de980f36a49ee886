// The commands of mctfcli. Each takes the words after its name, works through
// the given Desktop and returns the process exit status: 0 on success, 1 when
// a message reported a failure, 2 for a usage error.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mctf {

class Desktop;

using Args = std::vector<std::string>;

// mctfcli server-files [--config FILE]
int RunServerFilesCommand(const Args& args, Desktop& desktop, std::ostream& out);
// mctfcli maps FILE...
int RunMapsCommand(const Args& args, Desktop& desktop, std::ostream& out);
// mctfcli stats [--config FILE] [--logs DIR]
int RunStatsCommand(const Args& args, Desktop& desktop, std::ostream& out);

// The help text of mctfcli.
void PrintUsage(std::ostream& out);

}  // namespace mctf
