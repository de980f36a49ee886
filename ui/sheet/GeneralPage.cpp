#include "ui/sheet/GeneralPage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/sheet/PageReader.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf {

namespace {

TextBox* CentredText(int limit) {
    auto* box = new TextBox(limit);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

TextBox* Password() {
    auto* box = new TextBox(GeneralPage::kPasswordChars);
    box->setEchoMode(QLineEdit::Password);
    return box;
}

}  // namespace

GeneralPage::GeneralPage() : SheetPage("General") {
    // Created in the order the Tab key should visit them: left half first.
    serverType = new NumberBox;
    hostname = CentredText(kHostnameChars);
    timeLimit = new NumberBox;
    captureLimit = new NumberBox;
    fragLimit = new NumberBox;
    serverPassword = Password();
    rconPassword = Password();
    logFileName = CentredText(kLogFileChars);
    motd = new MemoBox(kMotdChars);
    netPort = new NumberBox(false);
    weaponRespawn = new NumberBox;
    maxRate = new NumberBox;
    maxClients = new NumberBox;
    quadFactor = new NumberBox;
    inactivity = new NumberBox;
    forceRespawn = new QCheckBox("Force Respawn");
    privateServer = new QCheckBox("Private Server");
    cheats = new QCheckBox("Cheats");
    pureServer = new QCheckBox("Pure Server");
    allowVote = new QCheckBox("Allow Vote");
    friendlyFire = new QCheckBox("Friendly Fire");

    auto* halves = new QHBoxLayout(this);
    halves->addWidget(BuildLeftHalf(), 1);
    halves->addSpacing(12);
    halves->addWidget(BuildRightHalf(), 1);
}

QWidget* GeneralPage::BuildLeftHalf() {
    auto* half = new QWidget;
    auto* column = new QVBoxLayout(half);
    column->setContentsMargins(0, 0, 0, 0);

    auto* form = new QFormLayout;
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(serverType);
    auto* typeHint = new QLabel("0 - Non Dedicated Listen\n1 - Dedicated LAN\n2 - Dedicated Internet");
    typeRow->addWidget(typeHint, 1);
    form->addRow("Server Type", typeRow);
    form->addRow("Hostname", hostname);

    auto* limits = new QHBoxLayout;
    limits->addWidget(timeLimit);
    limits->addSpacing(8);
    limits->addWidget(new QLabel("Cap Limit"));
    limits->addWidget(captureLimit);
    form->addRow("Time Limit", limits);
    form->addRow("Frag Limit", fragLimit);
    form->addRow("Server Password", serverPassword);
    form->addRow("RCON Password", rconPassword);
    form->addRow("Logfile Name", logFileName);
    column->addLayout(form);

    auto* motdGroup = new QGroupBox("Message of the Day");
    auto* motdLayout = new QVBoxLayout(motdGroup);
    motd->setMinimumHeight(motd->fontMetrics().lineSpacing() * 3);
    motdLayout->addWidget(motd);
    column->addWidget(motdGroup, 1);
    return half;
}

QWidget* GeneralPage::BuildRightHalf() {
    auto* half = new QWidget;
    auto* column = new QVBoxLayout(half);
    column->setContentsMargins(0, 0, 0, 0);

    auto* form = new QFormLayout;
    form->addRow("Port", netPort);
    form->addRow("Weapon Respawn Time", weaponRespawn);
    form->addRow("Max Client Rate", maxRate);
    form->addRow("Max Clients", maxClients);
    form->addRow("Quad Factor", quadFactor);
    form->addRow("Player Kick Inactive Time", inactivity);
    column->addLayout(form);
    column->addSpacing(8);

    auto* switches = new QGridLayout;
    switches->addWidget(forceRespawn, 0, 0);
    switches->addWidget(privateServer, 1, 0);
    switches->addWidget(cheats, 2, 0);
    switches->addWidget(pureServer, 0, 1);
    switches->addWidget(allowVote, 1, 1);
    switches->addWidget(friendlyFire, 2, 1);
    column->addLayout(switches);
    column->addStretch(1);
    return half;
}

void GeneralPage::Fill() {
    FillText(*hostname, values.hostname);
    FillNumber(*maxClients, values.maxClients);
    FillText(*motd, values.motd);
    FillText(*rconPassword, values.rconPassword);
    FillText(*serverPassword, values.serverPassword);
    FillNumber(*timeLimit, values.timeLimit);
    FillText(*logFileName, values.logFileName);
    FillNumber(*maxRate, values.maxRate);
    FillNumber(*fragLimit, values.fragLimit);
    FillNumber(*quadFactor, values.quadFactor);
    FillNumber(*weaponRespawn, values.weaponRespawn);
    FillCheck(*forceRespawn, values.forceRespawn);
    FillNumber(*inactivity, values.inactivity);
    FillCheck(*privateServer, values.privateServer);
    FillCheck(*allowVote, values.allowVote);
    FillCheck(*pureServer, values.pureServer);
    FillCheck(*friendlyFire, values.friendlyFire);
    FillNumber(*netPort, values.netPort);
    FillCheck(*cheats, values.cheats);
    FillNumber(*serverType, values.serverType);
    FillNumber(*captureLimit, values.captureLimit);
}

std::optional<PageFailure> GeneralPage::Read() {
    PageReader read;
    read.Text(*hostname, values.hostname);
    read.Number(*maxClients, values.maxClients, 0, 999);
    read.Text(*motd, values.motd);
    read.Text(*rconPassword, values.rconPassword);
    read.Text(*serverPassword, values.serverPassword);
    read.Number(*timeLimit, values.timeLimit, 0, 999);
    read.Text(*logFileName, values.logFileName);
    read.Number(*maxRate, values.maxRate, 0, 100000);
    read.Number(*fragLimit, values.fragLimit, 0, 10000);
    read.Number(*quadFactor, values.quadFactor, 1, 99);
    read.Number(*weaponRespawn, values.weaponRespawn, 0, 999);
    read.Check(*forceRespawn, values.forceRespawn);
    read.Number(*inactivity, values.inactivity, 0, 99);
    read.Check(*privateServer, values.privateServer);
    read.Check(*allowVote, values.allowVote);
    read.Check(*pureServer, values.pureServer);
    read.Check(*friendlyFire, values.friendlyFire);
    read.AnyNumber(*netPort, values.netPort);
    read.Check(*cheats, values.cheats);
    read.Number(*serverType, values.serverType, 0, 2);
    read.Number(*captureLimit, values.captureLimit, 0, 99);
    return read.Result();
}

}  // namespace mctf
