#include "ui/sheet/SetupServer.h"

#include "core/Desktop.h"

namespace mctf {

// Until the settings sheet exists the command only says so.
void SetupServer(QWidget*, SettingsStore&, Desktop& desktop) {
    desktop.ShowMessage("The server settings sheet is not available yet.");
}

}  // namespace mctf
