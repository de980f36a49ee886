// ZipBuilder: just enough of a ZIP archive to exercise the pak scanner: the
// local-header signature at the start, filler bytes, and central headers
// (signature, 42 bytes with the name length at byte 24, the name).
#pragma once

#include <string>
#include <string_view>

namespace mctf::testing {

class ZipBuilder {
public:
    ZipBuilder() { bytes_ = std::string("PK\x03\x04", 4) + std::string(26, '\0'); }

    ZipBuilder& Filler(std::size_t count) {
        bytes_.append(count, '\0');
        return *this;
    }
    ZipBuilder& Entry(std::string_view name) {
        std::string rest(42, '\0');
        rest[24] = static_cast<char>(name.size() & 0xFF);
        rest[25] = static_cast<char>(name.size() >> 8);
        bytes_ += std::string("PK\x01\x02", 4) + rest + std::string(name);
        return *this;
    }
    ZipBuilder& Raw(std::string_view raw) {
        bytes_ += raw;
        return *this;
    }
    // Filler up to the given total size.
    ZipBuilder& PadTo(std::size_t size) { return Filler(size - bytes_.size()); }

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace mctf::testing
