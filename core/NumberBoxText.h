// NumberBoxText: reading what the operator typed into a number box of the
// server settings sheet, and the messages shown when it does not pass.
//
// The reading is deliberately narrow: only the first 31 characters count,
// spaces and tabs around the number are ignored, a sign and decimal digits
// are converted with clamping to the 32-bit range, and a zero is only a zero
// when it is written as a digit (an empty box or a lone sign is no number).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mctf {

// Characters of a number box that are looked at; the rest is ignored.
inline constexpr std::size_t kNumberBoxChars = 31;

inline constexpr std::string_view kNotIntegerMessage = "Please enter an integer.";

// The number in text, or nullopt when the text is no whole number.
std::optional<int32_t> ReadNumberBoxText(std::string_view text);

enum class NumberBoxStatus { Ok, NotInteger, OutOfRange };

struct NumberBoxCheck {
    NumberBoxStatus status = NumberBoxStatus::NotInteger;
    int32_t value = 0;    // valid when status is Ok
    std::string message;  // what to show when status is not Ok
};

// Reads text and tests it against the inclusive range low..high.
NumberBoxCheck CheckNumberBoxText(std::string_view text, int32_t low, int32_t high);

// "Please enter an integer between <low> and <high>."
std::string RangeMessage(int32_t low, int32_t high);

// "Please enter no more than <limit> characters."
std::string TooLongMessage(std::size_t limit);

}  // namespace mctf
