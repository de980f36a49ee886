// LogFields: the hand-written field scanners shared by the log reader and
// the event handlers. They behave like the scan patterns of the log format:
// "%d" skips white space and reads an optionally signed decimal, "%s" skips
// white space and reads a run of non-white-space, and a space in a pattern
// matches any amount of white space, none included. White space is space,
// tab, newline, vertical tab, form feed and carriage return. A number that
// does not fit in 32 signed bits does not scan. A NUL byte ends the text.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace mctf {

// Character classes by byte value: bit 1 white space, bit 2 NUL. One table
// load per character keeps the hot keyword scan short.
inline constexpr unsigned char kLogSpaceClass = 1;
inline constexpr unsigned char kLogNulClass = 2;
inline constexpr auto kLogCharClass = [] {
    std::array<unsigned char, 256> classes{};
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'}) classes[c] = kLogSpaceClass;
    classes[0] = kLogNulClass;
    return classes;
}();

inline bool IsLogSpace(char c) {
    return kLogCharClass[static_cast<unsigned char>(c)] & kLogSpaceClass;
}

// White space or NUL: where a word of the log's text ends.
inline bool EndsLogWord(char c) { return kLogCharClass[static_cast<unsigned char>(c)] != 0; }

// A read position inside one line.
struct FieldCursor {
    const char* pos;
    const char* end;

    explicit FieldCursor(std::string_view text)
        : pos(text.data()), end(text.data() + text.size()) {}

    void SkipSpace() {
        while (pos != end && IsLogSpace(*pos)) ++pos;
    }

    // "%d"
    bool ReadInt(int32_t& value) {
        SkipSpace();
        if (ReadShortInt(value)) return true;
        const char* p = pos;
        bool negative = false;
        if (p != end && (*p == '+' || *p == '-')) {
            negative = *p == '-';
            ++p;
        }
        if (p == end || *p < '0' || *p > '9') return false;
        // Accumulate the magnitude; anything past 2^31 cannot fit either sign.
        int64_t magnitude = 0;
        while (p != end && *p >= '0' && *p <= '9') {
            magnitude = magnitude * 10 + (*p - '0');
            if (magnitude > (int64_t{1} << 31)) return false;
            ++p;
        }
        int64_t signedValue = negative ? -magnitude : magnitude;
        if (signedValue > INT32_MAX) return false;
        value = static_cast<int32_t>(signedValue);
        pos = p;
        return true;
    }

    // Slot numbers, means of death and stamp fields are one or two digits
    // without a sign; this reads those with no branch on the digit count,
    // which would be mispredicted for every other number. False (nothing
    // read) for anything else.
    bool ReadShortInt(int32_t& value) {
        if (end - pos < 3) return false;
        unsigned first = static_cast<unsigned char>(pos[0]) - unsigned{'0'};
        unsigned second = static_cast<unsigned char>(pos[1]) - unsigned{'0'};
        unsigned third = static_cast<unsigned char>(pos[2]) - unsigned{'0'};
        if (first >= 10 || (second < 10 && third < 10)) return false;
        bool twoDigits = second < 10;
        value = static_cast<int32_t>(twoDigits ? first * 10 + second : first);
        pos += twoDigits ? 2 : 1;
        return true;
    }

    // "%s". A NUL ends the text, so it ends the word and nothing after it
    // can be read: every later read fails on it.
    bool ReadWord(std::string_view& word) {
        SkipSpace();
        const char* start = pos;
        while (pos != end && !EndsLogWord(*pos)) ++pos;
        word = std::string_view(start, static_cast<std::size_t>(pos - start));
        return pos != start;
    }

    // Any other pattern character must match itself.
    bool Expect(char c) {
        if (pos == end || *pos != c) return false;
        ++pos;
        return true;
    }
};

// The time stamp "%d:%d" as match seconds. False when a number or the
// time does not fit in 32 signed bits.
inline bool ReadStamp(FieldCursor& cursor, int32_t& matchSeconds) {
    int32_t minutes = 0;
    int32_t seconds = 0;
    if (!cursor.ReadInt(minutes) || !cursor.Expect(':') || !cursor.ReadInt(seconds)) {
        return false;
    }
    int64_t total = int64_t{minutes} * 60 + seconds;
    if (total < INT32_MIN || total > INT32_MAX) return false;
    matchSeconds = static_cast<int32_t>(total);
    return true;
}

// Calls visit(key, value) for each pair of an info string of
// backslash-separated keys and values ("\mapname\q3dm17\g_gametype\0")
// that starts at the backslash before its first key, until visit returns
// false. The last value runs to the end of the text; a NUL ends the text.
template <class Visit>
void VisitInfo(std::string_view info, Visit visit) {
    info = info.substr(0, info.find('\0'));
    std::size_t at = 0;  // a backslash, before a key or a value
    auto field = [&] {
        const std::size_t start = at + 1;
        at = std::min(info.find('\\', start), info.size());
        return info.substr(start, at - start);
    };
    while (at < info.size() && info[at] == '\\') {
        const std::string_view key = field();
        if (at == info.size()) return;
        if (!visit(key, field())) return;
    }
}

}  // namespace mctf
