#include "ui/MainWindow.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMovie>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <optional>
#include <string>

#include "core/Desktop.h"
#include "core/FixedText.h"
#include "core/ServerSettings.h"
#include "core/SettingsFields.h"
#include "core/SettingsStore.h"
#include "ui/AboutDialog.h"
#include "ui/GamePathDialog.h"
#include "ui/PlayersStats.h"
#include "ui/ProgramContext.h"
#include "ui/Resources.h"
#include "ui/TextField.h"
#include "ui/sheet/SetupServer.h"

namespace mctf {

inline constexpr const char* kGamePathMessage =
    "Your Quake path is not set correctly or the morvane subdirectory does not exist!\n"
    "Please change under Setup/Game Path";

// The game types' captions with their Alt keys, indexed by GameType. Every key
// of the window is distinct: the menu bar holds S and H, the commands E, P, X.
const char* const kGameTypeCaptions[kGameTypeCount] = {
    "&Quake 3 DM",  "Quake 3 To&urnament", "Quake 3 Te&am DM", "Quake 3 &CTF",
    "&Morvane CTF", "Morvane S&occer",     "Morvane &DM",      "Morvane &Team DM",
};

QFont MainWindowFont() {
    QFont font;
    if (QFontDatabase::families().contains("Comic Sans MS")) font.setFamily("Comic Sans MS");
    font.setPointSize(10);
    return font;
}

MainWindow::MainWindow(ProgramContext& app)
    : QDialog(nullptr), app_(app), gameTypes_(new QButtonGroup(this)) {
    setWindowTitle("Morvane Quake");
    setFont(MainWindowFont());

    // Quake 3's own types on the left, the modification's on the right.
    auto* group = new QGroupBox("Game Type", this);
    auto* grid = new QGridLayout(group);
    for (int type = 0; type < kGameTypeCount; ++type) {
        auto* button = new QRadioButton(kGameTypeCaptions[type], group);
        gameTypes_->addButton(button, type);
        grid->addWidget(button, type % 4, type / 4);
    }
    // The state, not the click: a screen reader's toggle or an arrow key
    // selects a type too. Fills block the group's signals.
    connect(gameTypes_, &QButtonGroup::idToggled, this, [this](int type, bool checked) {
        if (checked) app_.Store().settings.gameType = type;
        MoveGameTypeTabStop();
    });

    auto* setupServer = new QPushButton("S&etup Server", this);
    auto* playersStats = new QPushButton("&Players Stats", this);
    auto* exitButton = new QPushButton("E&xit", this);
    connect(setupServer, &QPushButton::clicked, this, &MainWindow::OnSetupServer);
    connect(playersStats, &QPushButton::clicked, this, &MainWindow::OnPlayersStats);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::accept);
    // Enter must not run a command by accident.
    for (auto* button : {setupServer, playersStats, exitButton}) button->setAutoDefault(false);

    auto* commands = new QHBoxLayout;
    commands->addWidget(setupServer);
    commands->addWidget(playersStats);
    commands->addWidget(exitButton);

    auto* centre = new QVBoxLayout;
    centre->addWidget(group);
    centre->addLayout(commands);

    auto* row = new QHBoxLayout;
    row->addWidget(StartClip(kLeftClip), 0, Qt::AlignCenter);
    row->addLayout(centre, 1);
    row->addWidget(StartClip(kRightClip), 0, Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    BuildMenu();
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::BuildMenu() {
    auto* bar = new QMenuBar(this);
    QMenu* setup = bar->addMenu("&Setup");
    connect(setup->addAction("&Game Path"), &QAction::triggered, this, &MainWindow::OnGamePath);
    connect(setup->addAction("&Reset Settings"), &QAction::triggered, this,
            &MainWindow::OnResetSettings);
    QMenu* help = bar->addMenu("&Help");
    connect(help->addAction("&About"), &QAction::triggered, this, &MainWindow::OnAbout);
    layout()->setMenuBar(bar);
}

QLabel* MainWindow::StartClip(const char* resource) {
    auto* label = new QLabel(this);
    auto* movie = new QMovie(ArtForScale(resource, devicePixelRatio()), QByteArray(), label);
    label->setMovie(movie);
    // Whatever loop count the clip carries, it plays without end.
    connect(movie, &QMovie::finished, movie, &QMovie::start);
    return label;
}

void MainWindow::InitDialog() {
    {
        QSignalBlocker fill(gameTypes_);
        gameTypes_->button(kMorvaneCTF)->setChecked(true);
    }
    MoveGameTypeTabStop();
    // Qt offers no system menu to extend, so About lives in the Help menu.
    QIcon icon(kAppIcon);
    icon.addFile(kAppIconSmall);
    setWindowIcon(icon);
    for (auto* label : findChildren<QLabel*>()) {
        if (label->movie()) label->movie()->start();
    }

    SettingsStore& store = app_.Store();
    store.startupDir = app_.CaptureStartupDir();
    const ReadResult loaded = LoadSettings(store);
    store.settings.gameType = kMorvaneCTF;
    if (loaded.Unreadable() && loaded.path == ConfigPath(store)) {
        app_.GetDesktop().ShowMessage(UnreadableConfigMessage(loaded), kAppTitle,
                                      MessageIcon::Exclamation);
    }
    if (store.saveFailed)
        app_.GetDesktop().ShowMessage(kGamePathMessage, kAppTitle, MessageIcon::None);
}

void MainWindow::RefreshGameTypeButtons() {
    int type = app_.Store().settings.gameType;
    QAbstractButton* button = gameTypes_->button(type);
    if (!button) return;
    {
        QSignalBlocker fill(gameTypes_);
        button->setChecked(true);
    }
    MoveGameTypeTabStop();
}

void MainWindow::MoveGameTypeTabStop() {
    // As in any radio group, Tab stops only at the selected type; the arrow
    // keys move within the group (Qt's own handling of exclusive buttons).
    for (QAbstractButton* button : gameTypes_->buttons()) {
        button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void MainWindow::OnSetupServer() {
    SetupServer(this, app_.Store(), app_.GetDesktop());
    RefreshGameTypeButtons();
}

void MainWindow::OnPlayersStats() {
    PlayersStats(this, app_.Store(), app_.Tables(), app_.GetDesktop(), app_.RunDialog(),
                 app_.Report());
}

void MainWindow::OnGamePath() {
    GamePathDialog dialog(app_.GetDesktop(), this);
    SettingsStore& store = app_.Store();
    dialog.SetText(ToQString(FixedText(store.settings.quakePath)));
    const SettingsField& quakePath = FieldOf(&ServerSettings::quakePath);
    // The launch line quotes the path: what would end its quotes is refused,
    // and the dialog comes back with what was typed.
    for (;;) {
        if (app_.RunDialog()(dialog) != QDialog::Accepted) return;
        std::optional<std::string> refused = CheckFieldText(quakePath, ToBytes(dialog.Text()));
        if (!refused) break;
        app_.GetDesktop().ShowMessage(*refused, kAppTitle, MessageIcon::Exclamation);
    }
    // The new folder's map list is settled before the save, which then
    // writes only there.
    const GamePathChange change = ChangeGamePath(store, ToBytes(dialog.Text()));
    const SaveResult saved = SaveSettings(store);
    Desktop& desktop = app_.GetDesktop();
    if (const std::string failure = SaveFailureMessage(saved, store); !failure.empty()) {
        desktop.ShowMessage(failure, kAppTitle, MessageIcon::Exclamation);
    } else if (change.list == GamePathList::Unreadable) {
        desktop.ShowMessage(UnreadableMapListMessage(change.read), kAppTitle,
                            MessageIcon::Exclamation);
    } else if (const std::string note = GamePathListNote(change, saved); !note.empty()) {
        desktop.ShowMessage(note, kAppTitle, MessageIcon::Information);
    }
}

void MainWindow::OnResetSettings() {
    app_.OnResetSettings();
    RefreshGameTypeButtons();
}

void MainWindow::OnAbout() {
    AboutDialog about(this);
    app_.RunDialog()(about);
}

}  // namespace mctf
