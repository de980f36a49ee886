#include "stats/LogFileBlocks.h"

namespace mctf {

LogFileBlocks::LogFileBlocks(std::FILE* file) : file_(file), buffer_(new char[kLogReadBlockSize]) {
    // The blocks are large already; a second layer of buffering only copies.
    std::setvbuf(file_, nullptr, _IONBF, 0);
}

std::string_view LogFileBlocks::Next() {
    std::size_t got = std::fread(buffer_.get(), 1, kLogReadBlockSize, file_);
    return std::string_view(buffer_.get(), got);
}

}  // namespace mctf
