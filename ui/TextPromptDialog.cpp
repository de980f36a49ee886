#include "ui/TextPromptDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>
#include <string>

#include "core/Desktop.h"
#include "core/FileSystem.h"
#include "core/SettingsFields.h"
#include "ui/TextField.h"

namespace mctf {

TextPromptDialog::TextPromptDialog(const QString& title, const QString& label,
                                   const SettingsField& field, Desktop& desktop, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(this)), label_(label), field_(field), desktop_(desktop) {
    setWindowTitle(title);
    LimitToField(*edit_, field.textLimit + 1);
    // Room for a typical Windows or Unix game path without scrolling.
    edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 48);
    // Made after the field, which keeps the first place in the Tab order
    // and the focus.
    browseButton = new QPushButton(QStringLiteral("&Browse\u2026"), this);
    browseButton->setAccessibleDescription("Chooses the folder in a folder chooser");
    browseButton->setAutoDefault(false);  // Enter stays OK
    connect(browseButton, &QPushButton::clicked, this, &TextPromptDialog::Browse);

    auto* caption = new QLabel(label, this);
    caption->setBuddy(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(edit_, 1);
    row->addWidget(browseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString TextPromptDialog::Text() const { return edit_->text(); }

void TextPromptDialog::SetText(const QString& text) { edit_->setText(text); }

void TextPromptDialog::Browse() {
    std::string start = ToBytes(edit_->text());
    if (SystemFiles().Status(start).kind != FileKind::Folder) start.clear();
    std::optional<std::string> folder = desktop_.ChooseFolder(ToBytes(label_), start);
    if (!folder) return;
    if (std::optional<std::string> refused = CheckFieldText(field_, *folder)) {
        desktop_.ShowMessage(*refused, kAppTitle, MessageIcon::Exclamation);
        return;
    }
    edit_->setText(ToQString(*folder));
}

}  // namespace mctf
