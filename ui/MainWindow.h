// MainWindow: the "Morvane Quake" main window: the eight game-type buttons, the
// Setup Server / Players Stats / Exit commands, the Setup and Help menus and
// two looping animations. Closing it in any way ends the program unsaved.
#pragma once

#include <QDialog>

class QButtonGroup;
class QLabel;
class QMovie;

namespace mctf {

class ProgramContext;

class MainWindow : public QDialog {
    Q_OBJECT
public:
    explicit MainWindow(ProgramContext& app);

    // The start-up: icons, animations, settings loaded, game type forced to
    // Morvane CTF, and the game-path message when config.dmc could not be
    // written.
    void InitDialog();

    // Selects the button of the record's gameType; the record can change
    // under the window (Reset Settings, a cancelled settings sheet).
    void RefreshGameTypeButtons();

private:
    void BuildMenu();
    void MoveGameTypeTabStop();
    QLabel* StartClip(const char* resource);

    void OnSetupServer();
    void OnPlayersStats();
    void OnGamePath();
    void OnResetSettings();
    void OnAbout();

    ProgramContext& app_;
    QButtonGroup* gameTypes_;
};

// The window's font: Comic Sans MS 10 pt, or the default family at 10 pt
// where that font is not installed.
QFont MainWindowFont();

}  // namespace mctf
