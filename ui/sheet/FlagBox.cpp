#include "ui/sheet/FlagBox.h"

#include "core/SettingsFields.h"

namespace mctf {

namespace {

// "<bit> - <caption>". A bit with fewer digits than the row's highest gets
// two spaces for each digit it lacks (a space is about half a digit wide),
// so that the captions of one group line up.
QString FlagCaption(const QString& caption, int32_t bit, int32_t highest) {
    const QString number = QString::number(bit);
    const qsizetype missing = QString::number(highest).size() - number.size();
    return QString(2 * missing, ' ') + number + " - " + caption;
}

}  // namespace

FlagBox::FlagBox(const QString& caption, ServerSettings& settings, const SettingsField& field,
                 std::size_t position, std::function<void()> afterToggle)
    : bit_(FlagBitsOf(field).at(position)) {
    setText(FlagCaption(caption, bit_, FlagBitsOf(field).back()));
    int32_t& flags = settings.*field.number;
    // The state, not the click: a screen reader's toggle action or code
    // ticks the box without a click, and the record must follow all the same.
    connect(this, &QCheckBox::toggled, this, [bit = bit_, &flags, afterToggle](bool ticked) {
        if (ticked) {
            flags |= bit;  // the other bits are never touched
        } else {
            flags &= ~bit;
        }
        if (afterToggle) afterToggle();
    });
}

}  // namespace mctf
