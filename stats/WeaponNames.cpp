#include "stats/StatsTables.h"

namespace mctf {

const char* const WeaponNames[kWeaponCount] = {
    "Gauntlet", "Machinegun", "Shotgun", "Grenade Launcher", "Rocket Launcher", "Lightning Gun",
    "Railgun",  "Plasma Gun", "Bfg 10k", "Telefrag",         "Suicide",         "Unknown",
};

}  // namespace mctf
