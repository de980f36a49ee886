#include "stats/LogFileBlocks.h"

#if defined(__unix__) || defined(__APPLE__)
#define MCTF_HAVE_MMAP 1
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>

namespace mctf {

LogFileBlocks::LogFileBlocks(std::FILE* file) : file_(file) {
    // The blocks are large already; a second layer of buffering only copies.
    std::setvbuf(file_, nullptr, _IONBF, 0);
#ifdef MCTF_HAVE_MMAP
    struct stat status {};
    if (fstat(fileno(file_), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        mapping_ = true;
        mappedSize_ = static_cast<std::uint64_t>(status.st_size);
    }
#endif
}

LogFileBlocks::~LogFileBlocks() { Unmap(); }

std::string_view LogFileBlocks::Next() {
    Unmap();
    if (mapping_) {
        std::string_view block;
        if (offset_ < mappedSize_ && MapNextWindow(block)) return block;
        // Mapped to the end, or mmap refused: read on from the same place.
        mapping_ = false;
#ifdef MCTF_HAVE_MMAP
        if (offset_ != 0 && fseeko(file_, static_cast<off_t>(offset_), SEEK_SET) != 0) return {};
#endif
    }
    return ReadNextBlock();
}

std::string_view LogFileBlocks::ReadNextBlock() {
    if (!buffer_) buffer_.reset(new char[kLogReadBlockSize]);
    std::size_t got = std::fread(buffer_.get(), 1, kLogReadBlockSize, file_);
    return std::string_view(buffer_.get(), got);
}

bool LogFileBlocks::MapNextWindow([[maybe_unused]] std::string_view& block) {
#ifdef MCTF_HAVE_MMAP
    std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(kLogMapWindowSize, mappedSize_ - offset_));
    // Touching a mapped page past the end of a file that was cut short kills
    // the process, so a file shorter than the window is read instead.
    struct stat status {};
    int fd = fileno(file_);
    if (fstat(fd, &status) != 0 || static_cast<std::uint64_t>(status.st_size) < offset_ + length) {
        return false;
    }
    int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
    flags |= MAP_POPULATE;  // one call fills the page tables instead of a fault per page
#endif
    void* window = mmap(nullptr, length, PROT_READ, flags, fd, static_cast<off_t>(offset_));
    if (window == MAP_FAILED) return false;
    window_ = window;
    windowSize_ = length;
    offset_ += length;
    block = std::string_view(static_cast<const char*>(window), length);
    return true;
#else
    return false;
#endif
}

void LogFileBlocks::Unmap() {
#ifdef MCTF_HAVE_MMAP
    if (window_ != nullptr) munmap(window_, windowSize_);
#endif
    window_ = nullptr;
    windowSize_ = 0;
}

}  // namespace mctf
