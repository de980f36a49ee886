// Reading the fixed character arrays of the records as text.
//
// A field normally holds a NUL-terminated string, but a hand-edited or
// damaged config.dmc can fill an array to its end; the text then stops at the
// array's end instead of running into the next field.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace mctf {

template <std::size_t N>
std::string_view FixedText(const char (&field)[N]) {
    const void* nul = std::memchr(field, '\0', N);
    return std::string_view(field, nul ? static_cast<const char*>(nul) - field : N);
}

// Copies text into field, cut to N - 1 characters, and zeroes the rest, so
// no tail of an older, longer text is left behind in a saved record.
template <std::size_t N>
void SetFixedText(char (&field)[N], std::string_view text) {
    std::size_t length = text.size() < N ? text.size() : N - 1;
    std::memcpy(field, text.data(), length);
    std::memset(field + length, '\0', N - length);
}

}  // namespace mctf
