#include "ui/sheet/MapsPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "core/Desktop.h"
#include "core/FixedText.h"
#include "core/GameFolder.h"
#include "core/GameMaps.h"
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
    moveUpButton = new QPushButton("Move &Up");
    moveDownButton = new QPushButton("Move D&own");
    for (auto [button, description] :
         {std::pair{moveUpButton,
                    "Moves the selected maps one place earlier in the rotation "
                    "(Ctrl+Up in the list)"},
          std::pair{moveDownButton,
                    "Moves the selected maps one place later in the rotation "
                    "(Ctrl+Down in the list)"}}) {
        button->setAccessibleDescription(description);
        button->setToolTip(description);
    }
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
    connect(moveUpButton, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(moveDownButton, &QPushButton::clicked, this, [this] { MoveSelected(1); });
    // The list keeps the focus, so the keys can move a map several places.
    auto* up = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), current);
    auto* down = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), current);
    for (QShortcut* key : {up, down}) key->setContext(Qt::WidgetShortcut);
    connect(up, &QShortcut::activated, this, [this] { MoveSelected(-1); });
    connect(down, &QShortcut::activated, this, [this] { MoveSelected(1); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(currentLabel, 0, 2);
    grid->addWidget(available, 1, 0);
    grid->addWidget(addButton, 1, 1, Qt::AlignVCenter);
    grid->addWidget(current, 1, 2);
    grid->addWidget(selectButton, 2, 0, Qt::AlignHCenter);
    auto* currentButtons = new QHBoxLayout;
    currentButtons->addStretch(1);
    for (QPushButton* button : {moveUpButton, moveDownButton, deleteButton})
        currentButtons->addWidget(button);
    currentButtons->addStretch(1);
    grid->addLayout(currentButtons, 2, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    // Reading order: the left list and its button, Add, the right list and
    // its buttons.
    setTabOrder(available, selectButton);
    setTabOrder(selectButton, addButton);
    setTabOrder(addButton, current);
    setTabOrder(current, moveUpButton);
    setTabOrder(moveUpButton, moveDownButton);
    setTabOrder(moveDownButton, deleteButton);
}

void MapsPage::FirstOpen() {
    const int count = std::clamp(store_.settings.mapCount, 0, kMapListCapacity);
    for (int slot = 0; slot < count; ++slot) {
        current->addItem(ToQString(FixedText(store_.mapList.maps[slot])));
    }
    ListGameMaps();
}

void MapsPage::ListGameMaps() {
    const GameMaps found = FindGameMaps(store_.settings, desktop_, *store_.files);
    for (const std::string& name : found.names) InsertAvailable(ToQString(name));
    if (found.problems.empty()) return;
    std::string text = "Some maps of the game folder are not listed:";
    for (const GameMapsProblem& problem : found.problems) text += "\n" + DescribeProblem(problem);
    desktop_.ShowMessage(text, kAppTitle, MessageIcon::Exclamation);
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

void MapsPage::MoveSelected(int step) {
    std::vector<int> rows = SelectedRows(*current, current->count());
    if (rows.empty()) return;
    // Down: the last map first, so that each one moves past a map that stays.
    if (step > 0) std::reverse(rows.begin(), rows.end());
    int edge = step < 0 ? -1 : current->count();  // where the last moved map went
    QListWidgetItem* moved = nullptr;
    for (int row : rows) {
        const int target = row + step;
        // A map against the end, or behind one that could not move, stays.
        if (target == edge) {
            edge = row;
            continue;
        }
        moved = current->takeItem(row);
        current->insertItem(target, moved);
        moved->setSelected(true);
    }
    if (!moved) return;
    // The keyboard's place follows the map, without touching the selection.
    current->setCurrentItem(moved, QItemSelectionModel::NoUpdate);
    current->scrollToItem(moved);
    RebuildMapList();
}

void MapsPage::SelectMaps() {
    // The paks and maps of the game are in baseq3: start there when it exists.
    std::string_view game = FixedText(store_.settings.quakePath);
    std::string gameMaps = game.empty() ? std::string() : JoinPath(game, kBaseGameFolder);
    std::error_code error;
    if (!gameMaps.empty() && !std::filesystem::is_directory(gameMaps, error)) gameMaps.clear();
    std::vector<std::string> names;
    for (const std::string& path : desktop_.ChooseFiles(kMapFilters, gameMaps)) {
        // Each file is scanned and answered for as if chosen alone.
        if (const char* message = ScanMessage(ScanMapFile(path, names, desktop_)))
            desktop_.ShowMessage(message);
    }
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
