// FlagBox: a check box that keeps one bit of a live flag field (dmFlags,
// modFlags) in step with its tick. The field changes at once, not on OK;
// closing the sheet without OK reloads the settings and so takes it back.
//
// The bit is the field table's: the box is given the row and the bit's
// place among the row's bits, lowest first, and its caption starts with the
// bit's value ("16 - Fi&xed FOV").
#pragma once

#include <QCheckBox>

#include <cstddef>
#include <cstdint>
#include <functional>

namespace mctf {

struct ServerSettings;
struct SettingsField;

class FlagBox : public QCheckBox {
public:
    // afterToggle runs after each change of the bit (the Death Match page
    // shows the field). A fill sets the tick with the box's signals blocked.
    FlagBox(const QString& caption, ServerSettings& settings, const SettingsField& field,
            std::size_t position, std::function<void()> afterToggle = {});

    int32_t Bit() const { return bit_; }

private:
    int32_t bit_;
};

}  // namespace mctf
