// RatePerHour: the one way every per-hour figure is computed, so that the
// ranking, the awards and the printed pages agree to the last bit: the count
// times 3600 divided by the seconds, in double, rounded once to float.
#pragma once

#include <cstdint>

#include "stats/StatsTables.h"

namespace mctf {

inline float RatePerHour(int32_t count, int32_t secondsPlayed) {
    if (secondsPlayed == 0) return 0.0f;  // never stored, but never divide by 0
    return static_cast<float>(static_cast<double>(count) * 3600.0 /
                              static_cast<double>(secondsPlayed));
}

// A player's kills (or suicides, telefrags) of one weaponKills counter per hour.
inline float KillsPerHour(const PlayerStats& player, int counter) {
    return RatePerHour(player.weaponKills[counter], player.secondsPlayed);
}

}  // namespace mctf
