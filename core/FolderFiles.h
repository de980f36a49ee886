// FolderFiles: the files of one folder whose names end in a given extension,
// as the map lists look for *.pk3 and *.bsp, or that a test of the name picks,
// as the statistics pick their logs.
//
// The game and its tools treat extensions without regard to case ("PAK0.PK3",
// "Server.LOG"), in ASCII only: the same holds here whatever the locale.
// Whole names are another matter: Windows takes "Games.log" and "games.log"
// for one file, Linux for two (kFileNamesIgnoreCase).
//
// A file may be listed under several names (a link beside it, a hard link, a
// path spelt another way): FileIdentity tells whether two names are one file.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
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

// The same for the names (UTF-8, without the folder) that `wanted` accepts.
std::vector<std::string> FindFilesNamed(const std::string& folder,
                                        const std::function<bool(std::string_view)>& wanted,
                                        std::error_code& error);

// Whether the file system takes names that differ only in the case of ASCII
// letters for one file.
#ifdef _WIN32
inline constexpr bool kFileNamesIgnoreCase = true;
#else
inline constexpr bool kFileNamesIgnoreCase = false;
#endif

// What one file is, whatever name reaches it: its device and inode, on
// Windows its volume serial number and file index.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// The identity of the file at path, links followed; none when the file is not
// there or cannot be looked at.
std::optional<FileIdentity> IdentifyFile(const std::string& path);

}  // namespace mctf
