// LogFileBlocks: hands out the bytes of an open log file as successive
// blocks for the line reader.
//
// Plain reads into one buffer. Mapping the file would save a copy, but a
// server that truncates its log (log rotation) while the file is mapped
// would kill the run; a read just sees the shorter file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

namespace mctf {

inline constexpr std::size_t kLogReadBlockSize = 256 * 1024;

class LogFileBlocks {
public:
    // `file` stays owned by the caller and must outlive this object.
    explicit LogFileBlocks(std::FILE* file);
    LogFileBlocks(const LogFileBlocks&) = delete;
    LogFileBlocks& operator=(const LogFileBlocks&) = delete;

    // The next block of the file, empty at its end; valid until the next call.
    std::string_view Next();

private:
    std::FILE* file_;
    std::unique_ptr<char[]> buffer_;
};

}  // namespace mctf
