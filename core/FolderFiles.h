// FolderFiles: the files of one folder whose names end in a given extension,
// as the statistics look for *.log, the map lists for *.pk3 and *.bsp.
//
// The game and its tools treat extensions without regard to case ("PAK0.PK3",
// "Server.LOG"), in ASCII only: the same holds here whatever the locale.
#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace mctf {

// Whether name ends in `ending`, ASCII letters compared without case.
bool EndsWithIgnoringCase(std::string_view name, std::string_view ending);

// The files directly in folder (not its subfolders) whose names end in
// extension (".pk3") in any case, as paths below folder in byte order; a
// folder so named is left out. Sets error when folder cannot be listed (what
// was listed before a failure is returned).
std::vector<std::string> FindFilesEndingIn(const std::string& folder, std::string_view extension,
                                           std::error_code& error);

}  // namespace mctf
