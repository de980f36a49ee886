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
#include <QVBoxLayout>

#include "core/Desktop.h"
#include "core/FixedText.h"
#include "core/ServerSettings.h"
#include "core/SettingsStore.h"
#include "ui/AboutDialog.h"
#include "ui/GamePathDialog.h"
#include "ui/PlayersStats.h"
#include "ui/Resources.h"
#include "ui/TextField.h"
#include "ui/ProgramContext.h"
#include "ui/sheet/SetupServer.h"

namespace mctf {

inline constexpr const char* kGamePathMessage =
    "Your Quake path is not set correctly or the morvane subdirectory does not exist!\n"
    "Please change under Setup/Game Path";

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
        std::string_view label = kGameTypes[type].label;
        auto* button = new QRadioButton(
            QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())), group);
        gameTypes_->addButton(button, type);
        grid->addWidget(button, type % 4, type / 4);
    }
    connect(gameTypes_, &QButtonGroup::idClicked, this,
            [this](int type) { app_.Store().settings.gameType = type; });

    auto* setupServer = new QPushButton("Setup Server", this);
    auto* playersStats = new QPushButton("Players Stats", this);
    auto* exitButton = new QPushButton("Exit", this);
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
    connect(setup->addAction("Reset Settings"), &QAction::triggered, this,
            &MainWindow::OnResetSettings);
    QMenu* help = bar->addMenu("&Help");
    connect(help->addAction("&About"), &QAction::triggered, this, &MainWindow::OnAbout);
    layout()->setMenuBar(bar);
}

QLabel* MainWindow::StartClip(const char* resource) {
    auto* label = new QLabel(this);
    auto* movie = new QMovie(resource, QByteArray(), label);
    label->setMovie(movie);
    // Whatever loop count the clip carries, it plays without end.
    connect(movie, &QMovie::finished, movie, &QMovie::start);
    return label;
}

void MainWindow::InitDialog() {
    gameTypes_->button(kMorvaneCTF)->setChecked(true);
    // Qt offers no system menu to extend, so About lives in the Help menu.
    QIcon icon(kAppIcon);
    icon.addFile(kAppIconSmall);
    setWindowIcon(icon);
    for (auto* label : findChildren<QLabel*>()) {
        if (label->movie()) label->movie()->start();
    }

    SettingsStore& store = app_.Store();
    store.startupDir = app_.CaptureStartupDir();
    LoadSettings(store);
    store.settings.gameType = kMorvaneCTF;
    if (store.saveFailed) app_.GetDesktop().ShowMessage(kGamePathMessage, kAppTitle, MessageIcon::None);
}

void MainWindow::RefreshGameTypeButtons() {
    int type = app_.Store().settings.gameType;
    if (QAbstractButton* button = gameTypes_->button(type)) button->setChecked(true);
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
    GamePathDialog dialog(this);
    SettingsStore& store = app_.Store();
    dialog.setText(ToQString(FixedText(store.settings.quakePath)));
    if (app_.RunDialog()(dialog) != QDialog::Accepted) return;
    SetFixedText(store.settings.quakePath, ToBytes(dialog.text()));
    SaveSettings(store);
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
