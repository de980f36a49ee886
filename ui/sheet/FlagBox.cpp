#include "ui/sheet/FlagBox.h"

namespace mctf {

FlagBox::FlagBox(const QString& label, int32_t bit, int32_t& field,
                 std::function<void()> afterToggle)
    : QCheckBox(label), bit_(bit) {
    // The state, not the click: a screen reader's toggle action or code
    // ticks the box without a click, and the record must follow all the same.
    connect(this, &QCheckBox::toggled, this, [bit, &field, afterToggle](bool ticked) {
        if (ticked) {
            field |= bit;  // the other bits are never touched
        } else {
            field &= ~bit;
        }
        if (afterToggle) afterToggle();
    });
}

}  // namespace mctf
