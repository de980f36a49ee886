// FieldText: the text of a fixed character field as a std::string, stopping
// at the terminator or at the end of the field, whichever comes first, so a
// record without a terminator never leads a page writer past its field.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace mctf {

template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

}  // namespace mctf
