#include "ui/TextField.h"

#include <QLineEdit>

namespace mctf {

QString ToQString(std::string_view bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

int StoredLength(const QString& text) { return static_cast<int>(text.toLocal8Bit().size()); }

ByteLimitValidator::ByteLimitValidator(int maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State ByteLimitValidator::validate(QString& input, int&) const {
    return StoredLength(input) <= maxBytes_ ? Acceptable : Invalid;
}

void LimitToField(QLineEdit& edit, std::size_t fieldSize) {
    int limit = static_cast<int>(fieldSize) - 1;
    edit.setMaxLength(limit);
    edit.setValidator(new ByteLimitValidator(limit, &edit));
}

}  // namespace mctf
