#include "ui/sheet/SetupServer.h"

#include "ui/sheet/CProperties.h"
#include "ui/sheet/SheetSession.h"

namespace mctf {

void SetupServer(QWidget* owner, SettingsStore& store, Desktop& desktop) {
    std::unique_ptr<CProperties> sheet = OpenServerSheet(owner, store, desktop);
    const int result = sheet->exec();
    CloseServerSheet(*sheet, result == QDialog::Accepted, store, desktop);
}

}  // namespace mctf
