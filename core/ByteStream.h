// ByteStream: a read-only file read byte by byte through a large buffer.
//
// The pak scanner looks at every byte of up to 320000 bytes one at a time;
// reading them from a buffer keeps that to a handful of system calls.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace mctf {

class ByteStream {
public:
    static constexpr int kEnd = -1;

    ByteStream() = default;
    ~ByteStream();
    ByteStream(const ByteStream&) = delete;
    ByteStream& operator=(const ByteStream&) = delete;

    // Opens path as raw bytes; false when it cannot be opened.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // The next byte (0..255), or kEnd at the end of the file.
    int Get() {
        if (next_ == filled_ && !Refill()) return kEnd;
        return buffer_[next_++];
    }

    // Reads up to count bytes into out; returns how many were read.
    std::size_t Read(unsigned char* out, std::size_t count);

    // Moves to distance bytes before the end of the file.
    bool SeekFromEnd(long distance);

private:
    bool Refill();

    std::FILE* file_ = nullptr;
    std::vector<unsigned char> buffer_;
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
};

}  // namespace mctf
