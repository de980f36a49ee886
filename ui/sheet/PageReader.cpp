#include "ui/sheet/PageReader.h"

#include <QCheckBox>
#include <QLineEdit>

#include <limits>

#include "core/NumberBoxText.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf {

QString PageText(const std::string& value) {
    return QString::fromLocal8Bit(value.data(), static_cast<qsizetype>(value.size()));
}

void FillText(TextBox& box, const std::string& value) { box.ShowText(PageText(value)); }

void FillText(MemoBox& box, const std::string& value) { box.ShowText(PageText(value)); }

void FillNumber(QLineEdit& box, int32_t value) { box.setText(QString::number(value)); }

void FillCheck(QCheckBox& box, int32_t& value) {
    if (value < 0 || value > 2) value = 0;
    box.setChecked(value != 0);
}

void PageReader::Text(TextBox& box, std::string& value) {
    ReadText(box, box.text(), box.limit(), value);
}

void PageReader::Text(MemoBox& box, std::string& value) {
    ReadText(box, box.toPlainText(), box.limit(), value);
}

void PageReader::ReadText(QWidget& box, const QString& text, int limit, std::string& value) {
    if (failure_) return;
    const QByteArray bytes = text.toLocal8Bit();
    value.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (bytes.size() > limit) {
        failure_ = PageFailure{&box, TooLongMessage(static_cast<std::size_t>(limit))};
    }
}

void PageReader::Number(QLineEdit& box, int32_t& value, int32_t low, int32_t high) {
    if (failure_) return;
    const QByteArray bytes = box.text().toLocal8Bit();
    NumberBoxCheck check = CheckNumberBoxText(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), low, high);
    if (check.status == NumberBoxStatus::NotInteger) {
        failure_ = PageFailure{&box, check.message};
        return;
    }
    // A number out of range is still taken, as the check comes after reading.
    value = check.value;
    if (check.status == NumberBoxStatus::OutOfRange) failure_ = PageFailure{&box, check.message};
}

void PageReader::AnyNumber(QLineEdit& box, int32_t& value) {
    Number(box, value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

void PageReader::Check(QCheckBox& box, int32_t& value) {
    if (failure_) return;
    value = box.isChecked() ? 1 : 0;
}

}  // namespace mctf
