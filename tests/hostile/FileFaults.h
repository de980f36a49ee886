// Ways to make file calls fail on every platform and for root (the tests run
// as root, so permission bits stop nothing): FaultyFiles (tests/core) cuts
// any file after any byte count or fails one chosen call; a folder in the
// way of a file; and, where the system has one, a link to /dev/full.
#pragma once

#include <filesystem>

#include "tests/core/FaultyFiles.h"
#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {

// Files of `folder` whose names end in ".tmp": left-overs of a failed save.
inline int TemporaryFiles(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.path().extension() == ".tmp") ++count;
    return count;
}

}  // namespace mctf::testing
