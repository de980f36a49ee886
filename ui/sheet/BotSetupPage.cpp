#include "ui/sheet/BotSetupPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "core/ServerSettings.h"
#include "ui/sheet/PageReader.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf {

BotSetupPage::BotSetupPage(const ServerSettings& settings)
    : SheetPage("Bot Setup"), settings_(settings) {
    values.difficulty = settings.botSkill;

    difficulty = new QSlider(Qt::Horizontal);
    difficulty->setTickPosition(QSlider::TicksBothSides);
    difficulty->setTickInterval(1);
    difficulty->setSingleStep(1);
    difficulty->setPageStep(1);
    minPlayers = new NumberBox;
    minPlayers->setMaximumWidth(minPlayers->fontMetrics().horizontalAdvance('0') * 10);
    noChat = new QCheckBox("Turn off bot talking");
    // Mouse and keyboard alike move the value; the set-up below does not.
    connect(difficulty, &QSlider::valueChanged, this,
            [this](int position) { values.difficulty = position; });

    auto* slider = new QGridLayout;
    slider->addWidget(new QLabel("Difficulty"), 0, 1, Qt::AlignHCenter);
    slider->addWidget(new QLabel("Easy"), 1, 0);
    slider->addWidget(difficulty, 1, 1);
    slider->addWidget(new QLabel("Hard"), 1, 2);
    slider->setColumnStretch(1, 1);

    auto* players = new QHBoxLayout;
    players->addWidget(new QLabel("Minimum Players"));
    players->addWidget(minPlayers);
    players->addSpacing(12);
    auto* note = new QLabel(
        "Note: This is the minimum number of players on the server.\n"
        "If players join, bots will leave to reflect this number");
    players->addWidget(note, 1);

    auto* column = new QVBoxLayout(this);
    column->addLayout(slider);
    column->addSpacing(16);
    column->addLayout(players);
    column->addSpacing(8);
    column->addWidget(noChat);
    column->addStretch(1);
}

void BotSetupPage::FirstOpen() {
    const QSignalBlocker quiet(difficulty);
    difficulty->setRange(kEasiest, kHardest);
    difficulty->setValue(settings_.botSkill);
}

void BotSetupPage::Fill() {
    FillNumber(*minPlayers, values.minPlayers);
    FillCheck(*noChat, values.noChat);
}

std::optional<PageFailure> BotSetupPage::Read() {
    PageReader read;
    read.Number(*minPlayers, values.minPlayers, 0, 128);
    read.Check(*noChat, values.noChat);
    return read.Result();
}

}  // namespace mctf
