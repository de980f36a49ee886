// FieldText: the text of a fixed character field as a NUL-terminated
// std::string for the page fragments' "%s", never reading past the field.
#pragma once

#include <cstddef>
#include <string>

#include "core/FixedText.h"

namespace mctf {

template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    return std::string(FixedText(field));
}

}  // namespace mctf
