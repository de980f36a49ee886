// MorvanePage: the "Morvane Quake Settings" page: the soccer goal limit, the
// instagib mode, and two check boxes that flip bits 1 and 2 of the record's
// modFlags at each click.
#pragma once

#include <cstdint>

#include "ui/sheet/SheetPage.h"

namespace mctf {

class FlagBox;
class NumberBox;
struct ServerSettings;

class MorvanePage : public SheetPage {
public:
    static constexpr int32_t kWeaponsStay = 1;
    static constexpr int32_t kRandomMaps = 2;

    explicit MorvanePage(ServerSettings& settings);

    NumberBox* goalLimit;
    NumberBox* instaGib;
    FlagBox* weaponsStay;
    FlagBox* randomMaps;
};

}  // namespace mctf
