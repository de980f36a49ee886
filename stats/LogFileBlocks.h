// LogFileBlocks: hands out the bytes of an open log file as successive
// blocks for the line reader.
//
// Where the system has mmap, a regular file is read through windows mapped
// straight from the page cache, which saves copying every byte into a
// buffer. Each window is unmapped before the next is mapped, so memory stays
// flat however large the file. Whatever mmap refuses, and whatever the file
// has grown by since it was opened, is read with fread into one buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

namespace mctf {

inline constexpr std::size_t kLogReadBlockSize = 128 * 1024;
// A multiple of every page size in use; large enough that mapping costs
// little per byte, small enough to keep the resident set small.
inline constexpr std::size_t kLogMapWindowSize = 2 * 1024 * 1024;

class LogFileBlocks {
public:
    // `file` stays owned by the caller and must outlive this object.
    explicit LogFileBlocks(std::FILE* file);
    ~LogFileBlocks();
    LogFileBlocks(const LogFileBlocks&) = delete;
    LogFileBlocks& operator=(const LogFileBlocks&) = delete;

    // The next block of the file, empty at its end; valid until the next call.
    std::string_view Next();

private:
    bool MapNextWindow(std::string_view& block);
    void Unmap();
    std::string_view ReadNextBlock();

    std::FILE* file_;
    std::unique_ptr<char[]> buffer_;  // for fread; allocated on first use
    bool mapping_ = false;            // windows are still being mapped
    std::uint64_t mappedSize_ = 0;    // the file's size when it was opened
    std::uint64_t offset_ = 0;        // file offset of the next window
    void* window_ = nullptr;
    std::size_t windowSize_ = 0;
};

}  // namespace mctf
