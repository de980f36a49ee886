#include "ui/TextField.h"

#include <QLineEdit>

namespace mctf {

ByteLimitValidator::ByteLimitValidator(int maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State ByteLimitValidator::validate(QString& input, int&) const {
    return input.toLocal8Bit().size() <= maxBytes_ ? Acceptable : Invalid;
}

void LimitToField(QLineEdit& edit, std::size_t fieldSize) {
    int limit = static_cast<int>(fieldSize) - 1;
    edit.setMaxLength(limit);
    edit.setValidator(new ByteLimitValidator(limit, &edit));
}

}  // namespace mctf
