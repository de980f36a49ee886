#include "ui/sheet/GeneralPage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/SettingsFields.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf {

GeneralPage::GeneralPage() : SheetPage("General") {
    // Created in the order the Tab key should visit them: left half first.
    serverType = MakeNumberBox(FieldOf(&ServerSettings::serverType));
    hostname = MakeTextBox(FieldOf(&ServerSettings::hostname));
    hostname->setAlignment(Qt::AlignCenter);
    timeLimit = MakeNumberBox(FieldOf(&ServerSettings::timeLimit));
    captureLimit = MakeNumberBox(FieldOf(&ServerSettings::captureLimit));
    fragLimit = MakeNumberBox(FieldOf(&ServerSettings::fragLimit));
    serverPassword = MakeTextBox(FieldOf(&ServerSettings::serverPassword));
    serverPassword->setEchoMode(QLineEdit::Password);
    rconPassword = MakeTextBox(FieldOf(&ServerSettings::rconPassword));
    rconPassword->setEchoMode(QLineEdit::Password);
    logFileName = MakeTextBox(FieldOf(&ServerSettings::logFileName));
    logFileName->setAlignment(Qt::AlignCenter);
    motd = MakeMemoBox(FieldOf(&ServerSettings::motd));
    netPort = MakeNumberBox(FieldOf(&ServerSettings::netPort));
    weaponRespawn = MakeNumberBox(FieldOf(&ServerSettings::weaponRespawn));
    maxRate = MakeNumberBox(FieldOf(&ServerSettings::maxRate));
    maxClients = MakeNumberBox(FieldOf(&ServerSettings::maxClients));
    quadFactor = MakeNumberBox(FieldOf(&ServerSettings::quadFactor));
    inactivity = MakeNumberBox(FieldOf(&ServerSettings::inactivity));
    forceRespawn = new QCheckBox("Force Respawn");
    privateServer = new QCheckBox("Private Server");
    cheats = new QCheckBox("Cheats");
    pureServer = new QCheckBox("Pure Server");
    allowVote = new QCheckBox("Allow Vote");
    friendlyFire = new QCheckBox("Friendly Fire");

    // The order the page fills and checks its values.
    Bind(FieldOf(&ServerSettings::hostname), hostname);
    Bind(FieldOf(&ServerSettings::maxClients), maxClients);
    Bind(FieldOf(&ServerSettings::motd), motd);
    Bind(FieldOf(&ServerSettings::rconPassword), rconPassword);
    Bind(FieldOf(&ServerSettings::serverPassword), serverPassword);
    Bind(FieldOf(&ServerSettings::timeLimit), timeLimit);
    Bind(FieldOf(&ServerSettings::logFileName), logFileName);
    Bind(FieldOf(&ServerSettings::maxRate), maxRate);
    Bind(FieldOf(&ServerSettings::fragLimit), fragLimit);
    Bind(FieldOf(&ServerSettings::quadFactor), quadFactor);
    Bind(FieldOf(&ServerSettings::weaponRespawn), weaponRespawn);
    Bind(FieldOf(&ServerSettings::forceRespawn), forceRespawn);
    Bind(FieldOf(&ServerSettings::inactivity), inactivity);
    Bind(FieldOf(&ServerSettings::privateServer), privateServer);
    Bind(FieldOf(&ServerSettings::allowVote), allowVote);
    Bind(FieldOf(&ServerSettings::pureServer), pureServer);
    Bind(FieldOf(&ServerSettings::friendlyFire), friendlyFire);
    Bind(FieldOf(&ServerSettings::netPort), netPort);
    Bind(FieldOf(&ServerSettings::cheats), cheats);
    Bind(FieldOf(&ServerSettings::serverType), serverType);
    Bind(FieldOf(&ServerSettings::captureLimit), captureLimit);

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

}  // namespace mctf
