// Moving text between the settings record's fixed character arrays and Qt's
// edit fields.
//
// The arrays hold single-byte strings in the local 8-bit encoding (UTF-8 on
// Linux), so an edit field limits the encoded bytes, not only the characters:
// 127 characters of "ü" would need 254 bytes and could not fit.
#pragma once

#include <QString>
#include <QValidator>

#include <cstddef>

#include "core/FixedText.h"

class QLineEdit;

namespace mctf {

// Rejects any text whose local 8-bit form is longer than `maxBytes`.
class ByteLimitValidator : public QValidator {
public:
    ByteLimitValidator(int maxBytes, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    int maxBytes_;
};

// Limits `edit` so its text fits an array of `fieldSize` bytes with its
// terminator.
void LimitToField(QLineEdit& edit, std::size_t fieldSize);

template <std::size_t N>
QString FieldToQString(const char (&field)[N]) {
    std::string_view text = FixedText(field);
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

template <std::size_t N>
void QStringToField(char (&field)[N], const QString& text) {
    QByteArray bytes = text.toLocal8Bit();
    SetFixedText(field, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace mctf
