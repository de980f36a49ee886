#include "ui/TextPromptDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/TextField.h"

namespace mctf {

TextPromptDialog::TextPromptDialog(const QString& title, const QString& label,
                                   std::size_t fieldSize, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(this)) {
    setWindowTitle(title);
    LimitToField(*edit_, fieldSize);
    // Room for a typical Windows or Unix game path without scrolling.
    edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 48);

    auto* caption = new QLabel(label, this);
    caption->setBuddy(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
}

QString TextPromptDialog::Text() const { return edit_->text(); }

void TextPromptDialog::SetText(const QString& text) { edit_->setText(text); }

}  // namespace mctf
