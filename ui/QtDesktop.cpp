#include "ui/QtDesktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

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

std::vector<std::string> QtDesktop::ChooseFiles(std::string_view filters,
                                                const std::string& startFolder) {
    const QStringList files = QFileDialog::getOpenFileNames(
        owner_, QString(), ToQString(startFolder), ToQString(filters));
    std::vector<std::string> chosen;
    for (const QString& file : files) chosen.push_back(ToBytes(file));
    return chosen;
}

std::optional<std::string> QtDesktop::ChooseFolder(std::string_view title,
                                                   const std::string& startFolder) {
    const QString folder =
        QFileDialog::getExistingDirectory(owner_, ToQString(title), ToQString(startFolder));
    if (folder.isEmpty()) return std::nullopt;
    // As the operator would type it: backslashes on Windows, where the launch
    // file takes the path as it is.
    return ToBytes(QDir::toNativeSeparators(folder));
}

bool QtDesktop::ShowMessageOffering(std::string_view text, std::string_view action,
                                    std::string_view description, std::string_view caption,
                                    MessageIcon icon) {
    QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text), QMessageBox::Ok, owner_);
    // Its first letter is its Alt key; Enter keeps to OK.
    QPushButton* offered = box.addButton("&" + ToQString(action), QMessageBox::ActionRole);
    offered->setAccessibleName(ToQString(action));
    offered->setAccessibleDescription(ToQString(description));
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == offered;
}

bool QtDesktop::OpenInBrowser(const std::string& path) {
    // A folder given with a trailing separator, or relative, still makes a
    // plain file address.
    const QString file = QDir::cleanPath(QFileInfo(ToQString(path)).absoluteFilePath());
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

}  // namespace mctf
