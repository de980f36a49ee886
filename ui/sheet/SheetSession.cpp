#include "ui/sheet/SheetSession.h"

#include "core/Desktop.h"
#include "core/MapList.h"
#include "core/ServerFiles.h"
#include "core/SettingsStore.h"
#include "ui/sheet/ServerSettingsSheet.h"

namespace mctf {

std::unique_ptr<ServerSettingsSheet> OpenServerSheet(QWidget* owner, SettingsStore& store,
                                                     Desktop& desktop) {
    auto sheet = std::make_unique<ServerSettingsSheet>(owner, store, desktop);
    sheet->PagesFromSettings(store.settings);
    LoadMapList(store);
    return sheet;
}

void CloseServerSheet(ServerSettingsSheet& sheet, bool accepted, SettingsStore& store,
                      Desktop& desktop) {
    if (!accepted) {
        LoadSettings(store);
        return;
    }
    sheet.SettingsFromPages(store.settings);
    ApplyResult result = ApplySettings(store);
    const std::string message = ServerFilesMessage(result.serverFiles);
    if (!message.empty()) desktop.ShowMessage(message);
    const std::string failure = SaveFailureMessage(result.saved, store);
    if (!failure.empty()) desktop.ShowMessage(failure, kAppTitle, MessageIcon::Exclamation);
}

}  // namespace mctf
