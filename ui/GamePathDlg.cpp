#include "ui/GamePathDlg.h"

#include "core/ServerSettings.h"

namespace mctf {

CGamePathDlg::CGamePathDlg(QWidget* parent)
    : CTextPromptDlg("Morvane Setup", "Quake 3 Directory Path",
                     sizeof(ServerSettings::quakePath), parent) {}

}  // namespace mctf
