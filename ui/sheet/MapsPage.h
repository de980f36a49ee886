// MapsPage: the "Maps" page. Available Maps collects the maps of the paks
// and .bsp files the operator picks; Current Map List is the rotation of the
// current game type. Every Add and Delete rewrites the store's map list at
// once (its first 64 names); OK saves it and closing without OK reloads it.
#pragma once

#include <vector>

#include "ui/sheet/SheetPage.h"

class QListWidget;
class QPushButton;

namespace mctf {

class Desktop;
struct SettingsStore;

class MapsPage : public SheetPage {
public:
    // One Add or Delete acts on no more selected items than this.
    static constexpr int kMaxActedOn = 128;
    static constexpr const char* kMapFilters = "Quake 3 Paks (*.pk3);;Maps (*.bsp)";

    MapsPage(SettingsStore& store, Desktop& desktop);

    // Lists the store's map list in Current Map List.
    void FirstOpen() override;

    void AddSelected();
    void DeleteSelected();
    void SelectMaps();

    QListWidget* available;
    QListWidget* current;
    QPushButton* addButton;
    QPushButton* deleteButton;
    QPushButton* selectButton;

private:
    void InsertAvailable(const QString& name);
    void RebuildMapList();

    SettingsStore& store_;
    Desktop& desktop_;
};

// Rows of the selected items in ascending order, at most `limit` of them.
std::vector<int> SelectedRows(const QListWidget& list, int limit);

}  // namespace mctf
