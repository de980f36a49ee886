#include "ui/PlayerStatsDialog.h"

#include "core/ServerSettings.h"
#include "core/SettingsFields.h"

namespace mctf {

PlayerStatsDialog::PlayerStatsDialog(Desktop& desktop, QWidget* parent)
    : TextPromptDialog("Player Stats", "Analyze all log file in the following directory",
                       FieldOf(&ServerSettings::statsDir), desktop, parent) {}

}  // namespace mctf
