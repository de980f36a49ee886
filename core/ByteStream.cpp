#include "core/ByteStream.h"

#include <cerrno>
#include <cstring>

namespace mctf {

ByteStream::~ByteStream() { Close(); }

bool ByteStream::Open(const std::string& path) {
    Close();
    file_ = OpenForReading(files_, path, result_);
    if (!file_) return false;
    // The stream does its own buffering.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    buffer_.resize(bufferSize_);
    return true;
}

void ByteStream::Close() {
    if (file_) files_.Close(file_);
    file_ = nullptr;
    next_ = filled_ = 0;
}

bool ByteStream::Refill() {
    // After a failed read the rest of the file is not trusted.
    if (!file_ || result_.Unreadable()) return false;
    next_ = 0;
    if (!files_.Read(file_, buffer_.data(), buffer_.size(), filled_))
        SetReadFailure(result_, errno);
    return filled_ > 0;
}

std::size_t ByteStream::Read(unsigned char* out, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        if (next_ == filled_ && !Refill()) break;
        std::size_t chunk = filled_ - next_;
        if (chunk > count - done) chunk = count - done;
        std::memcpy(out + done, buffer_.data() + next_, chunk);
        next_ += chunk;
        done += chunk;
    }
    return done;
}

long ByteStream::Length() {
    if (!file_) return -1;
    // The buffer holds the bytes up to the file's position: coming back to
    // it keeps them valid.
    const long position = files_.Tell(file_);
    if (position < 0 || !files_.Seek(file_, 0, SEEK_END)) return -1;
    const long length = files_.Tell(file_);
    if (!files_.Seek(file_, position, SEEK_SET)) {
        next_ = filled_ = 0;
        return -1;
    }
    return length;
}

bool ByteStream::SeekFromEnd(long distance) {
    if (!file_) return false;
    next_ = filled_ = 0;
    return files_.Seek(file_, -distance, SEEK_END);
}

}  // namespace mctf
