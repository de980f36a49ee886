#include "ui/sheet/SheetBoxes.h"

#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

#include "ui/TextField.h"

namespace mctf {

namespace {

bool IsTypedCharacter(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace

TextBox::TextBox(int limit, QWidget* parent) : QLineEdit(parent), limit_(limit) {
    setMaxLength(limit);
    validator_ = new ByteLimitValidator(limit, this);
    setValidator(validator_);
    connect(this, &QLineEdit::textChanged, this, [this] { Settle(); });
}

void TextBox::ShowText(const QString& text) {
    // Widen first: setText cuts to maxLength.
    setMaxLength(std::max(limit_, static_cast<int>(text.size())));
    validator_->SetLimit(std::max(limit_, StoredLength(text)));
    setText(text);
    Settle();
}

void TextBox::Settle() {
    // Narrow down to what is there now, so an over-long text only shrinks.
    validator_->SetLimit(std::max(limit_, StoredLength(text())));
    setMaxLength(std::max(limit_, static_cast<int>(text().size())));
}

MemoBox::MemoBox(int limit, QWidget* parent)
    : QPlainTextEdit(parent), limit_(limit), allowance_(limit) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(this, &QPlainTextEdit::textChanged, this,
            [this] { allowance_ = std::max(limit_, StoredLength(toPlainText())); });
}

void MemoBox::ShowText(const QString& text) {
    allowance_ = std::max(limit_, StoredLength(text));
    setPlainText(text);
}

int MemoBox::Room() const {
    const QString selected = textCursor().selectedText();
    return allowance_ - StoredLength(toPlainText()) + StoredLength(selected);
}

void MemoBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();  // on to the dialog's default button
        return;
    }
    if (IsTypedCharacter(*event) && StoredLength(event->text()) > Room()) {
        event->accept();  // swallowed: the box is full
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MemoBox::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText()) return;
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    const int room = Room();
    while (!text.isEmpty() && StoredLength(text) > room) text.chop(1);
    if (!text.isEmpty()) insertPlainText(text);
}

NumberBox::NumberBox(bool digitsOnly, QWidget* parent)
    : QLineEdit(parent), digitsOnly_(digitsOnly) {
    setAlignment(Qt::AlignCenter);
    // Room for six digits whatever the font, so a squeezed row stays legible.
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1String("0000000")) + 8);
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
    if (digitsOnly_ && IsTypedCharacter(*event)) {
        const QChar typed = event->text().at(0);
        if (typed < QLatin1Char('0') || typed > QLatin1Char('9')) {
            event->accept();  // refused, as a numbers-only box does
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace mctf
