// PlayerStatsDialog: the "Player Stats" prompt for the folder whose log files
// are analysed (statsDir, at most 127 characters).
#pragma once

#include "ui/TextPromptDialog.h"

namespace mctf {

class Desktop;

class PlayerStatsDialog : public TextPromptDialog {
    Q_OBJECT
public:
    PlayerStatsDialog(Desktop& desktop, QWidget* parent);
};

}  // namespace mctf
