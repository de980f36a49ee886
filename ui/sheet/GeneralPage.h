// GeneralPage: the "General" page of the server settings sheet: host name,
// passwords, limits, the log file, the message of the day, the port, the
// server type and six switches.
#pragma once

#include "ui/sheet/SheetPage.h"

class QCheckBox;
class QLineEdit;

namespace mctf {

class MemoBox;
class NumberBox;
class TextBox;

class GeneralPage : public SheetPage {
public:
    GeneralPage();

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
