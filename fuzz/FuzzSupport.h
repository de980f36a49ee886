// Shared pieces of the fuzz targets: a scratch folder, made once per process,
// for targets that read or write files (their Desktop is core/SilentDesktop.h),
// and a reader that takes typed values off the front of an input.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace mctf::fuzz {

inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const char* tmp = getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/mctf-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) abort();
        return pattern;
    }();
    return folder;
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) abort();
    std::fclose(f);
}

// Values taken off the front of a fuzz input, in the order asked for; past
// its end every byte reads as zero, so any input gives every value.
class FuzzReader {
public:
    FuzzReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // n bytes into `out`, zeros for those past the end.
    void Bytes(void* out, size_t n) {
        const size_t have = n < size_ ? n : size_;
        if (have > 0) std::memcpy(out, data_, have);
        std::memset(static_cast<uint8_t*>(out) + have, 0, n - have);
        data_ += have;
        size_ -= have;
    }
    template <class T>
    T Raw() {
        T value;
        Bytes(&value, sizeof value);
        return value;
    }
    uint8_t Byte() { return Raw<uint8_t>(); }
    // A length byte (255: a 16-bit length follows) and that many bytes.
    std::string Text() {
        size_t length = Byte();
        if (length == 255) length = Raw<uint16_t>();
        std::string text(length < size_ ? length : size_, '\0');
        Bytes(text.data(), text.size());
        return text;
    }
    size_t Left() const { return size_; }

private:
    const uint8_t* data_;
    size_t size_;
};

}  // namespace mctf::fuzz
