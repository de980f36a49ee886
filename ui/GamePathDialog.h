// GamePathDialog: the "Morvane Setup" dialog of Setup/Game Path, asking for the
// Quake 3 folder (quakePath, at most 127 characters).
#pragma once

#include "ui/TextPromptDialog.h"

namespace mctf {

class Desktop;

class GamePathDialog : public TextPromptDialog {
    Q_OBJECT
public:
    GamePathDialog(Desktop& desktop, QWidget* parent);
};

}  // namespace mctf
