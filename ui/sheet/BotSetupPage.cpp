#include "ui/sheet/BotSetupPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "core/SettingsFields.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf {

BotSetupPage::BotSetupPage() : SheetPage("Bot Setup") {
    difficulty = new QSlider(Qt::Horizontal);
    difficulty->setTickPosition(QSlider::TicksBothSides);
    difficulty->setTickInterval(1);
    difficulty->setSingleStep(1);
    difficulty->setPageStep(1);
    minPlayers = MakeNumberBox(FieldOf(&ServerSettings::botMinPlayers));
    minPlayers->setMaximumWidth(minPlayers->fontMetrics().horizontalAdvance('0') * 10);
    noChat = new QCheckBox("&Turn off bot talking");

    // Labels with buddies: the Alt key, and the name a screen reader reads.
    auto* difficultyLabel = new QLabel("&Difficulty");
    difficultyLabel->setBuddy(difficulty);
    auto* minPlayersLabel = new QLabel("&Minimum Players");
    minPlayersLabel->setBuddy(minPlayers);

    auto* slider = new QGridLayout;
    slider->addWidget(difficultyLabel, 0, 1, Qt::AlignHCenter);
    slider->addWidget(new QLabel("Easy"), 1, 0);
    slider->addWidget(difficulty, 1, 1);
    slider->addWidget(new QLabel("Hard"), 1, 2);
    slider->setColumnStretch(1, 1);

    auto* players = new QHBoxLayout;
    players->addWidget(minPlayersLabel);
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

    Bind(FieldOf(&ServerSettings::botSkill), difficulty);
    Bind(FieldOf(&ServerSettings::botMinPlayers), minPlayers);
    Bind(FieldOf(&ServerSettings::botNoChat), noChat);
}

}  // namespace mctf
