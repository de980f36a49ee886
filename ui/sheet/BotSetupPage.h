// BotSetupPage: the "Bot Setup" page: the difficulty slider (0 "Easy" to 4
// "Hard"), the minimum number of players and the bot-talk switch.
#pragma once

#include <cstdint>

#include "ui/sheet/SheetPage.h"

class QCheckBox;
class QSlider;

namespace mctf {

class NumberBox;
struct ServerSettings;

class BotSetupPage : public SheetPage {
public:
    BotSetupPage();

    QSlider* difficulty;
    NumberBox* minPlayers;
    QCheckBox* noChat;
};

}  // namespace mctf
