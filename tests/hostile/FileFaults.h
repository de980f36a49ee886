// Ways to make file writes fail without special privileges (the tests run as
// root, so permission bits stop nothing): a folder in the way of a file, a
// link to /dev/full for a full disk, and a file-size limit for a write that
// fails after a given number of bytes. The limit is meant for the child of a
// death test (EXPECT_EXIT): the child writes, then ends with a code that
// says what the code under test did.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {

// From here on no file may grow beyond `bytes`: a write past it fails with
// EFBIG instead of killing the process.
inline void LimitFileSize(std::size_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(99);
}

// Ends the child with `code`, skipping destructors: the parent's temporary
// folders must outlive it.
[[noreturn]] inline void EndChild(int code) { std::_Exit(code); }

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
