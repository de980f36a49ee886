#include "ui/sheet/SetupServer.h"

#include "ui/sheet/ServerSettingsSheet.h"
#include "ui/sheet/SheetSession.h"

namespace mctf {

void SetupServer(QWidget* owner, SettingsStore& store, Desktop& desktop) {
    std::unique_ptr<ServerSettingsSheet> sheet = OpenServerSheet(owner, store, desktop);
    const int result = sheet->exec();
    CloseServerSheet(*sheet, result == QDialog::Accepted, store, desktop);
}

}  // namespace mctf
