#include "ui/sheet/MorvanePage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/SettingsFields.h"
#include "ui/sheet/FlagBox.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf {

MorvanePage::MorvanePage(ServerSettings& settings) : SheetPage("Morvane Quake Settings") {
    goalLimit = MakeNumberBox(FieldOf(&ServerSettings::goalLimit));
    instaGib = MakeNumberBox(FieldOf(&ServerSettings::instaGib));
    // The row's bits, lowest first.
    const SettingsField& modFlags = FieldOf(&ServerSettings::modFlags);
    weaponsStay = new FlagBox("&Weapons Stay", settings, modFlags, 0);
    randomMaps = new FlagBox("&Random Maps", settings, modFlags, 1);
    goalLimit->setMaximumWidth(goalLimit->fontMetrics().horizontalAdvance('0') * 10);
    instaGib->setMaximumWidth(goalLimit->maximumWidth());

    auto* soccer = new QGroupBox("Morvane Soccer Only");
    auto* soccerForm = new QFormLayout(soccer);
    // Labels with buddies: the Alt key, and the name a screen reader reads.
    soccerForm->addRow("&Goal Limit", goalLimit);

    auto* instaLabel = new QLabel("&Instagib");
    instaLabel->setBuddy(instaGib);
    auto* instaRow = new QHBoxLayout;
    instaRow->addWidget(instaLabel);
    instaRow->addWidget(instaGib);
    instaRow->addWidget(new QLabel("0 - None, 1 - Rail, 2 - Gauntlet, 3 - All Weaps"), 1);

    auto* flags = new QGroupBox("Morvane Flags");
    auto* flagColumn = new QVBoxLayout(flags);
    flagColumn->addWidget(weaponsStay);
    flagColumn->addWidget(randomMaps);

    auto* column = new QVBoxLayout(this);
    column->addWidget(soccer);
    column->addSpacing(8);
    column->addLayout(instaRow);
    column->addSpacing(8);
    column->addWidget(flags);
    column->addStretch(1);

    Bind(FieldOf(&ServerSettings::goalLimit), goalLimit);
    Bind(FieldOf(&ServerSettings::instaGib), instaGib);
    Bind(modFlags, randomMaps);
    Bind(modFlags, weaponsStay);
}

}  // namespace mctf
