// CPlayerStatsDlg: the "Player Stats" prompt for the folder whose log files
// are analysed (statsDir, at most 127 characters).
#pragma once

#include "ui/TextPromptDlg.h"

namespace mctf {

class CPlayerStatsDlg : public CTextPromptDlg {
    Q_OBJECT
public:
    explicit CPlayerStatsDlg(QWidget* parent);
};

}  // namespace mctf
