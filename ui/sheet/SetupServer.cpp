#include "ui/sheet/SetupServer.h"

#include "core/Desktop.h"
#include "core/MapList.h"
#include "ui/sheet/ServerSettingsSheet.h"
#include "ui/sheet/SheetSession.h"

namespace mctf {

void SetupServer(QWidget* owner, SettingsStore& store, Desktop& desktop) {
    // A list that is there but unreadable would be saved empty over itself.
    if (ReadResult list = LoadMapList(store); list.Unreadable()) {
        desktop.ShowMessage(UnreadableMapListMessage(list), kAppTitle, MessageIcon::Exclamation);
        return;
    }
    std::unique_ptr<ServerSettingsSheet> sheet = OpenServerSheet(owner, store, desktop);
    const int result = sheet->exec();
    CloseServerSheet(*sheet, result == QDialog::Accepted, store, desktop);
}

}  // namespace mctf
