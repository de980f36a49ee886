#include "ui/sheet/MapsPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/Desktop.h"
#include "core/FixedText.h"
#include "core/GameFolder.h"
#include "core/PakScanner.h"
#include "core/Paths.h"
#include "core/ScriptSafety.h"
#include "core/SettingsStore.h"
#include "ui/TextField.h"

namespace mctf {

namespace {

QListWidget* MapListBox() {
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

}  // namespace

std::vector<int> SelectedRows(const QListWidget& list, int limit) {
    std::vector<int> rows;
    for (int row = 0; row < list.count() && static_cast<int>(rows.size()) < limit; ++row) {
        if (list.item(row)->isSelected()) rows.push_back(row);
    }
    return rows;
}

MapsPage::MapsPage(SettingsStore& store, Desktop& desktop)
    : SheetPage("Maps"), store_(store), desktop_(desktop) {
    available = MapListBox();
    addButton = new QPushButton("&Add  --->");
    current = MapListBox();
    selectButton = new QPushButton("&Select Maps");
    deleteButton = new QPushButton("&Delete");
    // A list takes no name from a buddy label: it gets its own.
    available->setAccessibleName("Available Maps");
    current->setAccessibleName("Current Map List");
    auto* availableLabel = new QLabel("A&vailable Maps");
    availableLabel->setBuddy(available);
    auto* currentLabel = new QLabel("&Current Map List");
    currentLabel->setBuddy(current);
    connect(addButton, &QPushButton::clicked, this, [this] { AddSelected(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    connect(selectButton, &QPushButton::clicked, this, [this] { SelectMaps(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(currentLabel, 0, 2);
    grid->addWidget(available, 1, 0);
    grid->addWidget(addButton, 1, 1, Qt::AlignVCenter);
    grid->addWidget(current, 1, 2);
    grid->addWidget(selectButton, 2, 0, Qt::AlignHCenter);
    grid->addWidget(deleteButton, 2, 2, Qt::AlignHCenter);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    // Reading order: the left list and its button, Add, the right list and
    // its button.
    setTabOrder(available, selectButton);
    setTabOrder(selectButton, addButton);
    setTabOrder(addButton, current);
    setTabOrder(current, deleteButton);
}

void MapsPage::FirstOpen() {
    const int count = std::clamp(store_.settings.mapCount, 0, kMapListCapacity);
    for (int slot = 0; slot < count; ++slot) {
        current->addItem(ToQString(FixedText(store_.mapList.maps[slot])));
    }
}

void MapsPage::AddSelected() {
    std::string refused;
    for (int row : SelectedRows(*available, kMaxActedOn)) {
        const QString name = available->item(row)->text();
        if (std::optional<std::string> why = UnsafeMapReason(name)) {
            refused += "\n" + ToBytes(name) + ": " + *why;
            continue;
        }
        current->addItem(name);
    }
    available->clearSelection();
    RebuildMapList();
    if (!refused.empty())
        desktop_.ShowMessage("Cannot add these maps to the map list:" + refused, kAppTitle,
                             MessageIcon::Exclamation);
}

void MapsPage::DeleteSelected() {
    std::vector<int> rows = SelectedRows(*current, kMaxActedOn);
    // From the highest row down, so the lower rows stay where they are.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) delete current->takeItem(*row);
    RebuildMapList();
}

void MapsPage::SelectMaps() {
    // The paks and maps of the game are in baseq3: start there when it exists.
    std::string_view game = FixedText(store_.settings.quakePath);
    std::string gameMaps = game.empty() ? std::string() : JoinPath(game, kBaseGameFolder);
    std::error_code error;
    if (!gameMaps.empty() && !std::filesystem::is_directory(gameMaps, error)) gameMaps.clear();
    std::optional<std::string> path = desktop_.ChooseFile(kMapFilters, gameMaps);
    if (!path) return;
    std::vector<std::string> names;
    if (const char* message = ScanMessage(ScanMapFile(*path, names, desktop_)))
        desktop_.ShowMessage(message);
    for (const std::string& name : names) InsertAvailable(ToQString(name));
}

std::optional<std::string> UnsafeMapReason(const QString& name) {
    ScriptHazard hazard = FindMapNameHazard(ToBytes(name));
    if (hazard == ScriptHazard::None) return std::nullopt;
    return "the name holds " + std::string(HazardName(hazard)) +
           std::string(MapHazardEffect(hazard));
}

void MapsPage::InsertAvailable(const QString& name) {
    // Sorted without regard to case; an equal name goes after the ones there.
    int low = 0;
    int high = available->count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (QString::compare(available->item(middle)->text(), name, Qt::CaseInsensitive) <= 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    available->insertItem(low, name);
    // A hostile pak stays visible, but what it smuggles in is marked.
    if (std::optional<std::string> why = UnsafeMapReason(name)) {
        QListWidgetItem* item = available->item(low);
        const QString reason = "Cannot be added: " + ToQString(*why);
        item->setToolTip(reason);
        item->setData(Qt::AccessibleDescriptionRole, reason);
        item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        QFont font = item->font();
        font.setStrikeOut(true);
        item->setFont(font);
    }
}

void MapsPage::RebuildMapList() {
    const int count = std::min(current->count(), kMapListCapacity);
    for (int slot = 0; slot < count; ++slot) {
        const QByteArray name = current->item(slot)->text().toLocal8Bit();
        SetFixedText(store_.mapList.maps[slot],
                     std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
    }
    store_.settings.mapCount = count;
}

}  // namespace mctf
