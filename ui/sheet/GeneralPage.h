// GeneralPage: the "General" page of the server settings sheet: host name,
// passwords, limits, the log file, the message of the day, the port, the
// server type and six switches.
#pragma once

#include <cstdint>
#include <string>

#include "ui/sheet/SheetPage.h"

class QCheckBox;
class QLineEdit;

namespace mctf {

class MemoBox;
class NumberBox;
class TextBox;

class GeneralPage : public SheetPage {
public:
    // Character limits: each text fits its record array with the terminator.
    static constexpr int kHostnameChars = 255;
    static constexpr int kLogFileChars = 24;
    static constexpr int kMotdChars = 127;
    static constexpr int kPasswordChars = 15;

    struct Values {
        std::string hostname;
        std::string logFileName;
        std::string motd;
        std::string rconPassword;
        std::string serverPassword;
        int32_t maxClients = 0;
        int32_t timeLimit = 0;
        int32_t maxRate = 0;
        int32_t fragLimit = 0;
        int32_t quadFactor = 1;
        int32_t weaponRespawn = 0;
        int32_t forceRespawn = 0;
        int32_t inactivity = 0;
        int32_t privateServer = 0;
        int32_t allowVote = 0;
        int32_t pureServer = 0;
        int32_t friendlyFire = 0;
        int32_t netPort = 0;
        int32_t cheats = 0;
        int32_t serverType = 0;
        int32_t captureLimit = 0;
    };

    GeneralPage();

    void Fill() override;
    std::optional<PageFailure> Read() override;

    Values values;

    // The controls, for the sheet's tests.
    TextBox* hostname;
    NumberBox* maxClients;
    MemoBox* motd;
    TextBox* rconPassword;
    TextBox* serverPassword;
    NumberBox* timeLimit;
    TextBox* logFileName;
    NumberBox* maxRate;
    NumberBox* fragLimit;
    NumberBox* quadFactor;
    NumberBox* weaponRespawn;
    QCheckBox* forceRespawn;
    NumberBox* inactivity;
    QCheckBox* privateServer;
    QCheckBox* allowVote;
    QCheckBox* pureServer;
    QCheckBox* friendlyFire;
    NumberBox* netPort;
    QCheckBox* cheats;
    NumberBox* serverType;
    NumberBox* captureLimit;

private:
    QWidget* BuildLeftHalf();
    QWidget* BuildRightHalf();
};

}  // namespace mctf
