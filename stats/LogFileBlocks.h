// LogFileBlocks: hands out the bytes of an open log file as successive
// blocks for the line reader.
//
// Plain reads into one buffer. Mapping the file would save a copy, but a
// server that truncates its log (log rotation) while the file is mapped
// would kill the run; a read just sees the shorter file.
//
// A rotated log compressed by logrotate (.gz) is inflated on the way, member
// after member as gzip itself reads concatenated ones; bytes after the last
// member that do not start another are ignored, as gzip ignores them. Data
// that are not gzip, cut short or fail their check end the blocks, and
// Fault() says why in gzip's words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace mctf {

inline constexpr std::size_t kLogReadBlockSize = 256 * 1024;

enum class LogFormat { Plain, Gzip };

class LogFileBlocks {
public:
    // `file` stays owned by the caller and must outlive this object.
    explicit LogFileBlocks(std::FILE* file, LogFormat format = LogFormat::Plain);
    ~LogFileBlocks();
    LogFileBlocks(const LogFileBlocks&) = delete;
    LogFileBlocks& operator=(const LogFileBlocks&) = delete;

    // The next block of the file, empty at its end; valid until the next call.
    std::string_view Next();

    // The bytes taken from the file so far: more than the blocks hold for
    // gzip data, which is how far through the file a reader is.
    std::uint64_t FileBytes() const { return fileBytes_; }

    // Why gzip data ended before their end ("unexpected end of file",
    // "incorrect data check"); empty when they did not, and for plain files.
    // A failed read is the file's error indicator (ferror), as for plain ones.
    const std::string& Fault() const { return fault_; }

    // Back to the first byte of the file; false (errno set) when the file
    // cannot go back there.
    bool Restart();

private:
    struct Inflater;

    std::string_view NextInflated();
    bool TakeInput(std::size_t needed);

    std::FILE* file_;
    std::unique_ptr<char[]> buffer_;
    std::unique_ptr<Inflater> inflater_;  // gzip only
    std::uint64_t fileBytes_ = 0;
    std::string fault_;
};

}  // namespace mctf
