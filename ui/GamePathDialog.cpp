#include "ui/GamePathDialog.h"

#include "core/ServerSettings.h"

namespace mctf {

GamePathDialog::GamePathDialog(QWidget* parent)
    : TextPromptDialog("Morvane Setup", "Quake 3 Directory Path", sizeof(ServerSettings::quakePath),
                       parent) {}

}  // namespace mctf
