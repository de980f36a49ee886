// DeathMatchPage: the "Death Match" page. Three check boxes flip bits 8, 16 and 32
// of the record's dmFlags at each click; a read-only box shows the field.
#pragma once

#include <cstdint>

#include "ui/sheet/SheetPage.h"

class QLineEdit;

namespace mctf {

class FlagBox;
struct ServerSettings;

class DeathMatchPage : public SheetPage {
public:
    static constexpr int32_t kNoFallingDamage = 8;
    static constexpr int32_t kFixedFov = 16;
    static constexpr int32_t kNoFootsteps = 32;

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
