#include "core/NumberBoxText.h"

#include <limits>

namespace mctf {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int32_t> ReadNumberBoxText(std::string_view text) {
    text = text.substr(0, kNumberBoxChars);
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    // A zero result is trusted only when the text itself starts with "0".
    const bool startsWithZero = at < text.size() && text[at] == '0';

    bool negative = false;
    std::size_t signAt = at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const std::size_t digitsAt = at;
    // Accumulate as a negative magnitude so INT32_MIN needs no special case.
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;  // stays within [kMin - 1, 0]
    while (at < text.size() && IsDigit(text[at])) {
        if (magnitude >= kMin) magnitude = magnitude * 10 - (text[at] - '0');
        if (magnitude < kMin) magnitude = kMin - 1;  // saturated
        ++at;
    }
    int64_t value = 0;
    if (at == digitsAt) {
        at = signAt;  // a sign without digits converts nothing
    } else if (negative) {
        value = magnitude < kMin ? kMin : magnitude;
    } else {
        value = -magnitude > kMax ? kMax : -magnitude;
    }
    if (value == 0 && !startsWithZero) return std::nullopt;

    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at != text.size()) return std::nullopt;
    return static_cast<int32_t>(value);
}

NumberBoxCheck CheckNumberBoxText(std::string_view text, int32_t low, int32_t high) {
    NumberBoxCheck check;
    std::optional<int32_t> number = ReadNumberBoxText(text);
    if (!number) {
        check.status = NumberBoxStatus::NotInteger;
        check.message = std::string(kNotIntegerMessage);
    } else if (*number < low || *number > high) {
        check.status = NumberBoxStatus::OutOfRange;
        check.value = *number;
        check.message = RangeMessage(low, high);
    } else {
        check.status = NumberBoxStatus::Ok;
        check.value = *number;
    }
    return check;
}

std::string RangeMessage(int32_t low, int32_t high) {
    return "Please enter an integer between " + std::to_string(low) + " and " +
           std::to_string(high) + ".";
}

std::string TooLongMessage(std::size_t limit) {
    return "Please enter no more than " + std::to_string(limit) + " characters.";
}

}  // namespace mctf
