// FixedText: reading and writing the NUL-terminated text of fixed-size
// character fields without ever running past the field.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace mctf {

// The text up to the first NUL, or the whole field when there is none.
template <std::size_t N>
std::string_view FixedText(const char (&field)[N]) {
    const void* nul = std::memchr(field, '\0', N);
    std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : N;
    return std::string_view(field, length);
}

// Stores text cut to N - 1 characters, NUL-terminated.
template <std::size_t N>
void CopyFixedText(char (&field)[N], std::string_view text) {
    std::size_t length = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace mctf
