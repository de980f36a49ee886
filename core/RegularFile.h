// OpenRegularFile: fopen for files the program only reads. Anything but a
// regular file (or a link to one) counts as missing: a folder has no bytes,
// and a named pipe would block the program until a writer came.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace mctf {

inline std::FILE* OpenRegularFile(const std::string& path, const char* mode) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return nullptr;
    return std::fopen(path.c_str(), mode);
}

}  // namespace mctf
