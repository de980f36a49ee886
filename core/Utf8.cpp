#include "core/Utf8.h"

#include <cstddef>

namespace mctf {

namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0: no overlong
// forms, no surrogates, nothing past U+10FFFF.
std::size_t SequenceLength(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xbf;  // the range of the second byte
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0) low = 0xa0;
        if (lead == 0xed) high = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0) low = 0x90;
        if (lead == 0xf4) high = 0x8f;
    } else {
        return 0;
    }
    if (bytes.size() - at < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xbf) return 0;
    return length;
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
        } else if (const std::size_t length = SequenceLength(bytes, at)) {
            at += length;
        } else {
            return false;
        }
    }
    return true;
}

std::string Utf8FromBytes(std::string_view bytes) {
    std::string text;
    AssignUtf8FromBytes(text, bytes);
    return text;
}

void AssignUtf8FromBytes(std::string& text, std::string_view bytes) {
    text.clear();
    for (std::size_t at = 0; at < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            // ASCII, as most texts are throughout: copied a run at a time.
            std::size_t end = at + 1;
            while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80) ++end;
            text.append(bytes.substr(at, end - at));
            at = end;
        } else if (const std::size_t length = SequenceLength(bytes, at)) {
            text.append(bytes.substr(at, length));
            at += length;
        } else {
            text += static_cast<char>(0xc0 | lead >> 6);
            text += static_cast<char>(0x80 | (lead & 0x3f));
            ++at;
        }
    }
}

}  // namespace mctf
