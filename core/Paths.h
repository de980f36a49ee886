// Path helpers. The program's own file operations join with the platform's
// separator; text written into the server files keeps its backslashes.
#pragma once

#include <string>
#include <string_view>

namespace mctf {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// folder + separator + name; the separator is added even when folder already
// ends in one (the files land in the same folder all the same).
inline std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    path.push_back(kPathSeparator);
    path.append(name);
    return path;
}

}  // namespace mctf
