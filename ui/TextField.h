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
#include <string>
#include <string_view>

class QLineEdit;

namespace mctf {

// Bytes of the record (or of a message) as a QString, and back.
QString ToQString(std::string_view bytes);
std::string ToBytes(const QString& text);

// Length of text once stored in a record's character array.
int StoredLength(const QString& text);

// Rejects any text whose stored form is longer than the limit.
class ByteLimitValidator : public QValidator {
public:
    ByteLimitValidator(int maxBytes, QObject* parent);
    void SetLimit(int maxBytes) { maxBytes_ = maxBytes; }
    State validate(QString& input, int& pos) const override;

private:
    int maxBytes_;
};

// Limits `edit` so its text fits an array of `fieldSize` bytes with its
// terminator.
void LimitToField(QLineEdit& edit, std::size_t fieldSize);

}  // namespace mctf
