// OpenRegularFile: opens a file the program only reads, as raw bytes, when
// all the caller needs to know is whether it could. Anything but a regular
// file (or a link to one) counts as missing: a folder has no bytes, and a
// named pipe would block the program until a writer came.
#pragma once

#include <cstdio>
#include <string>

#include "core/FileSystem.h"

namespace mctf {

inline std::FILE* OpenRegularFile(const std::string& path) {
    ReadResult result;
    return OpenForReading(SystemFiles(), path, result);
}

}  // namespace mctf
