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
    static constexpr int kEasiest = 0;
    static constexpr int kHardest = 4;

    struct Values {
        int32_t difficulty = 0;
        int32_t minPlayers = 0;
        int32_t noChat = 0;
    };

    // The difficulty starts from botSkill as the page is built.
    explicit BotSetupPage(const ServerSettings& settings);

    void FirstOpen() override;
    void Fill() override;
    std::optional<PageFailure> Read() override;

    Values values;

    QSlider* difficulty;
    NumberBox* minPlayers;
    QCheckBox* noChat;

private:
    const ServerSettings& settings_;
};

}  // namespace mctf
