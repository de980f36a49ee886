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

    struct Values {
        int32_t goalLimit = 0;
        int32_t instaGib = 0;
        int32_t randomMaps = 0;
        int32_t weaponsStay = 0;
    };

    explicit MorvanePage(ServerSettings& settings);

    void Fill() override;
    std::optional<PageFailure> Read() override;

    Values values;

    NumberBox* goalLimit;
    NumberBox* instaGib;
    FlagBox* weaponsStay;
    FlagBox* randomMaps;
};

}  // namespace mctf
