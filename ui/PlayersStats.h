// The "Players Stats" command of the main window: asks for the log folder,
// remembers it at once (so it survives a failing run), then analyses the logs
// there. Cancel leaves everything as it was. After pages were written the
// closing message names their folder and offers to open the front page in
// the web browser.
#pragma once

#include "ui/DialogRunner.h"

class QWidget;

namespace mctf {

class Desktop;
struct ReportEnvironment;
struct SettingsStore;
struct StatsTables;

void PlayersStats(QWidget* owner, SettingsStore& store, StatsTables& tables, Desktop& desktop,
                  const DialogRunner& runDialog, const ReportEnvironment& report);

}  // namespace mctf
