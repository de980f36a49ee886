// Ways to make file calls fail on every platform and for root (the tests run
// as root, so permission bits stop nothing): FaultyFiles (tests/core) cuts
// any file after any byte count or fails one chosen call; a folder in the
// way of a file; and, where the system has one, a link to /dev/full.
#pragma once

#include <filesystem>
#include <initializer_list>

#include "tests/core/FaultyFiles.h"
#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {

// 0 when nothing was shown, 1 + the index of `text` in `expected` when exactly
// that one message was shown, 90 for anything else.
inline int MessageCode(const RecordingDesktop& desktop,
                       std::initializer_list<const char*> expected) {
    if (desktop.messages.empty()) return 0;
    if (desktop.messages.size() != 1) return 90;
    int code = 1;
    for (const char* text : expected) {
        if (desktop.messages[0].text == text) return code;
        ++code;
    }
    return 90;
}

// Files of `folder` whose names end in ".tmp": left-overs of a failed save.
inline int TemporaryFiles(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.path().extension() == ".tmp") ++count;
    return count;
}

}  // namespace mctf::testing
