#include "ui/sheet/FlagBox.h"

namespace mctf {

FlagBox::FlagBox(const QString& label, int32_t bit, int32_t& field,
                 std::function<void()> afterToggle)
    : QCheckBox(label), bit_(bit) {
    // clicked comes only from the operator, never from setChecked in a fill.
    connect(this, &QCheckBox::clicked, this, [bit, &field, afterToggle] {
        field ^= bit;  // the other bits are never touched
        if (afterToggle) afterToggle();
    });
}

}  // namespace mctf
