// MapsPage: the "Maps" page. Available Maps collects the maps of the paks
// and .bsp files the operator picks; Current Map List is the rotation of the
// current game type. A listed name the server script could not carry safely
// is shown struck out and refused by Add. Every Add and Delete rewrites the store's map list at
// once (its first 64 names); OK saves it and closing without OK reloads it.
#pragma once

#include <QString>

#include <optional>
#include <string>
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

// Why a name listed from a pak cannot go into a map list, or nullopt.
std::optional<std::string> UnsafeMapReason(const QString& name);

// Rows of the selected items in ascending order, at most `limit` of them.
std::vector<int> SelectedRows(const QListWidget& list, int limit);

}  // namespace mctf
