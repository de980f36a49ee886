// The number reading of the settings pages, checked against a plain
// reference reading of the same rules.
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/NumberBoxText.h"

namespace {

std::optional<int32_t> Reference(std::string_view text) {
    text = text.substr(0, mctf::kNumberBoxChars);
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const bool startsWithZero = i < text.size() && text[i] == '0';
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i++] - '0');
        if (value > (int64_t{1} << 32)) value = int64_t{1} << 32;  // keep clamping exact
        ++digits;
    }
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i != text.size() || digits == 0) return std::nullopt;
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    if (value == 0 && !startsWithZero) return std::nullopt;
    return static_cast<int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (mctf::ReadNumberBoxText(text) != Reference(text)) __builtin_trap();
    return 0;
}
