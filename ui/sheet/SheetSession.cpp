#include "ui/sheet/SheetSession.h"

#include "core/MapList.h"
#include "core/ServerFiles.h"
#include "core/SettingsStore.h"
#include "ui/sheet/CProperties.h"
#include "ui/sheet/SheetTransfer.h"

namespace mctf {

std::unique_ptr<CProperties> OpenServerSheet(QWidget* owner, SettingsStore& store,
                                             Desktop& desktop) {
    auto sheet = std::make_unique<CProperties>(owner, store, desktop);
    PagesFromSettings(*sheet, store.settings);
    LoadMapList(store);
    return sheet;
}

void CloseServerSheet(CProperties& sheet, bool accepted, SettingsStore& store,
                      Desktop& desktop) {
    if (!accepted) {
        LoadSettings(store);
        return;
    }
    SettingsFromPages(sheet, store.settings);
    ApplySettings(store, desktop);
}

}  // namespace mctf
