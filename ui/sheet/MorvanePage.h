// MorvanePage: the "Morvane Quake Settings" page: the soccer goal limit, the
// instagib mode, and two check boxes that flip the bits of the record's
// modFlags (the field table's, see FlagBox) at each click.
#pragma once

#include "ui/sheet/SheetPage.h"

namespace mctf {

class FlagBox;
class NumberBox;
struct ServerSettings;

class MorvanePage : public SheetPage {
public:
    explicit MorvanePage(ServerSettings& settings);

    NumberBox* goalLimit;
    NumberBox* instaGib;
    FlagBox* weaponsStay;
    FlagBox* randomMaps;
};

}  // namespace mctf
