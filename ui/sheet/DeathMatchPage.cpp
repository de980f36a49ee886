#include "ui/sheet/DeathMatchPage.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/SettingsFields.h"
#include "ui/sheet/FlagBox.h"

namespace mctf {

DeathMatchPage::DeathMatchPage(ServerSettings& settings)
    : SheetPage("Death Match"), settings_(settings) {
    auto refresh = [this] { ShowFlags(); };
    display = new QLineEdit;
    display->setReadOnly(true);
    display->setFrame(false);
    display->setAlignment(Qt::AlignCenter);
    display->setFocusPolicy(Qt::NoFocus);
    // The row's bits, lowest first.
    const SettingsField& flags = FieldOf(&ServerSettings::dmFlags);
    noFallingDamage = new FlagBox("No &Falling Damage", settings_, flags, 0, refresh);
    fixedFov = new FlagBox("Fi&xed FOV", settings_, flags, 1, refresh);
    noFootsteps = new FlagBox("&No Footsteps", settings_, flags, 2, refresh);

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

    Bind(flags, fixedFov);
    Bind(flags, noFallingDamage);
    Bind(flags, noFootsteps);
}

void DeathMatchPage::ShowFlags() { display->setText(QString::number(settings_.dmFlags)); }

void DeathMatchPage::Fill() {
    ShowFlags();
    SheetPage::Fill();
}

std::optional<PageFailure> DeathMatchPage::Read() {
    ShowFlags();
    return SheetPage::Read();
}

}  // namespace mctf
