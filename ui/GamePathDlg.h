// CGamePathDlg: the "Morvane Setup" dialog of Setup/Game Path, asking for the
// Quake 3 folder (quakePath, at most 127 characters).
#pragma once

#include "ui/TextPromptDlg.h"

namespace mctf {

class CGamePathDlg : public CTextPromptDlg {
    Q_OBJECT
public:
    explicit CGamePathDlg(QWidget* parent);
};

}  // namespace mctf
