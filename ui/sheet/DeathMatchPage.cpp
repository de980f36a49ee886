#include "ui/sheet/DeathMatchPage.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/ServerSettings.h"
#include "ui/sheet/FlagBox.h"
#include "ui/sheet/PageReader.h"

namespace mctf {

DeathMatchPage::DeathMatchPage(ServerSettings& settings) : SheetPage("Death Match"), settings_(settings) {
    auto refresh = [this] { ShowFlags(); };
    display = new QLineEdit;
    display->setReadOnly(true);
    display->setFrame(false);
    display->setAlignment(Qt::AlignCenter);
    display->setFocusPolicy(Qt::NoFocus);
    noFallingDamage = new FlagBox("  8 - No Falling Damage", kNoFallingDamage,
                                  settings_.dmFlags, refresh);
    fixedFov = new FlagBox("16 - Fixed FOV", kFixedFov, settings_.dmFlags, refresh);
    noFootsteps = new FlagBox("32 - No Footsteps", kNoFootsteps, settings_.dmFlags, refresh);

    auto* group = new QGroupBox("DM Flags");
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(display);

    auto* column = new QVBoxLayout(this);
    column->addWidget(group);
    column->addSpacing(8);
    column->addWidget(noFallingDamage);
    column->addWidget(fixedFov);
    column->addWidget(noFootsteps);
    column->addStretch(1);
}

void DeathMatchPage::ShowFlags() { display->setText(QString::number(settings_.dmFlags)); }

void DeathMatchPage::Fill() {
    ShowFlags();
    FillCheck(*fixedFov, values.fixedFov);
    FillCheck(*noFallingDamage, values.noFallingDamage);
    FillCheck(*noFootsteps, values.noFootsteps);
}

std::optional<PageFailure> DeathMatchPage::Read() {
    ShowFlags();
    PageReader read;
    read.Check(*fixedFov, values.fixedFov);
    read.Check(*noFallingDamage, values.noFallingDamage);
    read.Check(*noFootsteps, values.noFootsteps);
    return read.Result();
}

}  // namespace mctf
