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

namespace {

// The label of `box`: its caption and Alt key, and the name a screen reader
// reads for the box.
QLabel* LabelFor(const char* caption, QWidget* box) {
    auto* label = new QLabel(caption);
    label->setBuddy(box);
    return label;
}

}  // namespace

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
    // Every Alt key of the page is its own.
    forceRespawn = new QCheckBox("F&orce Respawn");
    privateServer = new QCheckBox("Pri&vate Server");
    cheats = new QCheckBox("Ch&eats");
    pureServer = new QCheckBox("P&ure Server");
    allowVote = new QCheckBox("&Allow Vote");
    friendlyFire = new QCheckBox("Frien&dly Fire");

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
    auto* typeHint =
        new QLabel("0 - Non Dedicated Listen\n1 - Dedicated LAN\n2 - Dedicated Internet");
    typeRow->addWidget(typeHint, 1);
    form->addRow(LabelFor("Server &Type", serverType), typeRow);
    form->addRow(LabelFor("&Hostname", hostname), hostname);

    auto* limits = new QHBoxLayout;
    limits->addWidget(timeLimit);
    limits->addSpacing(8);
    limits->addWidget(LabelFor("&Cap Limit", captureLimit));
    limits->addWidget(captureLimit);
    form->addRow(LabelFor("T&ime Limit", timeLimit), limits);
    form->addRow(LabelFor("&Frag Limit", fragLimit), fragLimit);
    form->addRow(LabelFor("&Server Password", serverPassword), serverPassword);
    form->addRow(LabelFor("&RCON Password", rconPassword), rconPassword);
    form->addRow(LabelFor("&Logfile Name", logFileName), logFileName);
    column->addLayout(form);

    // The group's title names the box inside and its Alt key focuses it.
    auto* motdGroup = new QGroupBox("&Message of the Day");
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
    form->addRow(LabelFor("&Port", netPort), netPort);
    form->addRow(LabelFor("&Weapon Respawn Time", weaponRespawn), weaponRespawn);
    form->addRow(LabelFor("Max Clie&nt Rate", maxRate), maxRate);
    form->addRow(LabelFor("Ma&x Clients", maxClients), maxClients);
    form->addRow(LabelFor("&Quad Factor", quadFactor), quadFactor);
    form->addRow(LabelFor("Player &Kick Inactive Time", inactivity), inactivity);
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
