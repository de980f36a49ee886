// ByteStream: a read-only file read byte by byte through a large buffer.
//
// The pak scanner looks at every byte of up to 320000 bytes one at a time,
// and the map list and clan list readers take their words a byte at a time;
// reading them from a buffer keeps that to a handful of system calls. A read
// that fails ends the bytes like the end of the file would, but is kept in
// Result(), so a reader can tell a cut file from a complete one.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "core/FileSystem.h"

namespace mctf {

class ByteStream {
public:
    static constexpr int kEnd = -1;

    static constexpr std::size_t kBufferSize = 64 * 1024;

    // A file read whole in one go (config.dmc) takes a buffer of its size, so
    // that no byte past the ones wanted is read.
    explicit ByteStream(FileSystem& files = SystemFiles(), std::size_t bufferSize = kBufferSize)
        : files_(files), bufferSize_(bufferSize) {}
    ~ByteStream();
    ByteStream(const ByteStream&) = delete;
    ByteStream& operator=(const ByteStream&) = delete;

    // Opens path as raw bytes; false when it cannot be opened (Result() says
    // whether it is absent or unreadable).
    bool Open(const std::string& path);
    void Close();

    // The next byte (0..255), or kEnd at the end of the file or a failed read.
    int Get() {
        if (next_ == filled_ && !Refill()) return kEnd;
        return buffer_[next_++];
    }

    // Reads up to count bytes into out; returns how many were read.
    std::size_t Read(unsigned char* out, std::size_t count);

    // The length of the open file in bytes, or -1 when it cannot be told;
    // the bytes still to come stay as they were.
    long Length();

    // Moves to distance bytes before the end of the file.
    bool SeekFromEnd(long distance);

    // How opening and reading went so far: Read, or Absent/Unreadable.
    const ReadResult& Result() const { return result_; }

private:
    bool Refill();

    FileSystem& files_;
    std::size_t bufferSize_;
    std::FILE* file_ = nullptr;
    std::vector<unsigned char> buffer_;
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
    ReadResult result_;
};

}  // namespace mctf
