// MapsPage: the "Maps" page. Available Maps starts with the maps of the game
// folder (GameMaps) and collects those of the paks and .bsp files the
// operator picks; Current Map List is the rotation of the current game type,
// in the order it is played. A listed name the server script could not carry
// safely is shown struck out and refused by Add. Every Add, Delete and move
// rewrites the store's map list at once (its first 64 names); OK saves it and
// closing without OK reloads it.
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

    // Lists the store's map list in Current Map List and the game folder's
    // maps in Available Maps.
    void FirstOpen() override;

    void AddSelected();
    void DeleteSelected();
    void SelectMaps();
    // Moves each selected map of Current Map List one place earlier (-1) or
    // later (+1) in the rotation, past the next map that is not selected;
    // the moved maps stay selected.
    void MoveSelected(int step);

    QListWidget* available;
    QListWidget* current;
    QPushButton* addButton;
    QPushButton* deleteButton;
    QPushButton* selectButton;
    QPushButton* moveUpButton;
    QPushButton* moveDownButton;

private:
    void ListGameMaps();
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
