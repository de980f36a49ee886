#include "ui/PlayerStatsDialog.h"

#include "core/ServerSettings.h"

namespace mctf {

PlayerStatsDialog::PlayerStatsDialog(QWidget* parent)
    : TextPromptDialog("Player Stats", "Analyze all log file in the following directory",
                       sizeof(ServerSettings::statsDir), parent) {}

}  // namespace mctf
