#include "ui/QtDesktop.h"

#include <QFileDialog>
#include <QMessageBox>

#include "ui/ReadingDataWindow.h"
#include "ui/TextField.h"

namespace mctf {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtDesktop::QtDesktop() = default;
QtDesktop::~QtDesktop() = default;

void QtDesktop::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtDesktop::Confirm(std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::Question, ToQString(caption), ToQString(text),
                    QMessageBox::Ok | QMessageBox::Cancel, owner_);
    // Every question guards something that cannot be undone (Reset wipes the
    // game path too): Enter keeps things as they are.
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void QtDesktop::OpenProgress() {
    progress_ = std::make_unique<ReadingDataWindow>();
    progress_->show();
    PaintPendingWindows();
}

void QtDesktop::SetProgress(int position) {
    if (progress_) progress_->SetPosition(position);
}

void QtDesktop::CloseProgress() { progress_.reset(); }

std::optional<std::string> QtDesktop::ChooseFile(std::string_view filters,
                                                 const std::string& startFolder) {
    QString file =
        QFileDialog::getOpenFileName(owner_, QString(), ToQString(startFolder), ToQString(filters));
    if (file.isEmpty()) return std::nullopt;
    return file.toLocal8Bit().toStdString();
}

}  // namespace mctf
