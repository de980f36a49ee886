#include "ui/GamePathDialog.h"

#include "core/ServerSettings.h"
#include "core/SettingsFields.h"

namespace mctf {

GamePathDialog::GamePathDialog(Desktop& desktop, QWidget* parent)
    : TextPromptDialog("Morvane Setup", "Quake 3 Directory Path",
                       FieldOf(&ServerSettings::quakePath), desktop, parent) {}

}  // namespace mctf
