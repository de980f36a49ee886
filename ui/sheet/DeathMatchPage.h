// DeathMatchPage: the "Death Match" page. Three check boxes flip the bits of
// the record's dmFlags (the field table's, see FlagBox) at each click; a
// read-only box shows the field.
#pragma once

#include "ui/sheet/SheetPage.h"

class QLineEdit;

namespace mctf {

class FlagBox;
struct ServerSettings;

class DeathMatchPage : public SheetPage {
public:
    explicit DeathMatchPage(ServerSettings& settings);

    void Fill() override;
    std::optional<PageFailure> Read() override;

    QLineEdit* display;
    FlagBox* fixedFov;
    FlagBox* noFallingDamage;
    FlagBox* noFootsteps;

private:
    void ShowFlags();

    ServerSettings& settings_;
};

}  // namespace mctf
