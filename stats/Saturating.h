// Saturating counter arithmetic: crafted logs (huge time stamps, endless
// kill lines) must not overflow the 32-bit counters; they stop at the limit.
#pragma once

#include <cstdint>

namespace mctf {

inline int32_t SaturateToInt32(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

inline void SaturatingAdd(int32_t& counter, int64_t amount) {
    counter = SaturateToInt32(int64_t{counter} + amount);
}

// The same for a count that only ever grows by one, at every kill.
inline void SaturatingIncrement(int32_t& counter) {
    if (counter != INT32_MAX) ++counter;
}

}  // namespace mctf
