#include "ui/sheet/MorvanePage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/ServerSettings.h"
#include "ui/sheet/FlagBox.h"
#include "ui/sheet/PageReader.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf {

MorvanePage::MorvanePage(ServerSettings& settings) : SheetPage("Morvane Quake Settings") {
    goalLimit = new NumberBox;
    instaGib = new NumberBox;
    weaponsStay = new FlagBox("1 - Weapons Stay", kWeaponsStay, settings.modFlags);
    randomMaps = new FlagBox("2 - Random Maps", kRandomMaps, settings.modFlags);
    goalLimit->setMaximumWidth(goalLimit->fontMetrics().horizontalAdvance('0') * 10);
    instaGib->setMaximumWidth(goalLimit->maximumWidth());

    auto* soccer = new QGroupBox("Morvane Soccer Only");
    auto* soccerForm = new QFormLayout(soccer);
    soccerForm->addRow("Goal Limit", goalLimit);

    auto* instaRow = new QHBoxLayout;
    instaRow->addWidget(new QLabel("Instagib"));
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
}

void MorvanePage::Fill() {
    FillNumber(*goalLimit, values.goalLimit);
    FillNumber(*instaGib, values.instaGib);
    FillCheck(*randomMaps, values.randomMaps);
    FillCheck(*weaponsStay, values.weaponsStay);
}

std::optional<PageFailure> MorvanePage::Read() {
    PageReader read;
    read.Number(*goalLimit, values.goalLimit, 0, 99);
    read.Number(*instaGib, values.instaGib, 0, 3);
    read.Check(*randomMaps, values.randomMaps);
    read.Check(*weaponsStay, values.weaponsStay);
    return read.Result();
}

}  // namespace mctf
