#include "ui/PlayerStatsDlg.h"

#include "core/ServerSettings.h"

namespace mctf {

CPlayerStatsDlg::CPlayerStatsDlg(QWidget* parent)
    : CTextPromptDlg("Player Stats", "Analyze all log file in the following directory",
                     sizeof(ServerSettings::statsDir), parent) {}

}  // namespace mctf
