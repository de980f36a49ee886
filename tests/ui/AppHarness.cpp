#include "tests/ui/AppHarness.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/SettingsStore.h"

namespace mctf::testing {

QString Plain(QString text) { return text.remove('&'); }

AppHarness::AppHarness(std::string startupDir)
    : startupDir_(startupDir.empty() ? dir.str() : std::move(startupDir)) {}

MainWindow& AppHarness::Start() {
    AppSeams seams;
    seams.desktop = &desktop;
    seams.startupDir = startupDir_;
    seams.report.files = files;
    seams.runDialog = [this](QDialog& dialog) {
        dialogTitles.push_back(dialog.windowTitle());
        if (handlers_.empty()) {
            ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
            return int(QDialog::Rejected);
        }
        auto handler = std::move(handlers_.front());
        handlers_.pop_front();
        return handler(dialog);
    };
    app = std::make_unique<ProgramContext>(std::move(seams));
    app->Store().defaults = &defaults;
    window = app->CreateMainWindow();
    return *window;
}

void AppHarness::OnNextDialog(std::function<int(QDialog&)> handler) {
    handlers_.push_back(std::move(handler));
}

void AppHarness::AnswerPrompt(const QString& text, bool ok) {
    OnNextDialog([text, ok](QDialog& dialog) {
        EditOf(dialog).setText(text);
        return int(ok ? QDialog::Accepted : QDialog::Rejected);
    });
}

QAbstractButton& AppHarness::Button(const QString& text) {
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        if (Plain(button->text()) == Plain(text)) return *button;
    }
    throw std::runtime_error("no button " + text.toStdString());
}

QAction& AppHarness::MenuItem(const QString& text) {
    for (auto* action : window->findChildren<QAction*>()) {
        if (Plain(action->text()) == Plain(text)) return *action;
    }
    throw std::runtime_error("no menu item " + text.toStdString());
}

std::string AppHarness::ConfigPath() const { return mctf::ConfigPath(app->Store()); }

std::string AppHarness::ConfigBytes() const { return ReadFileBytes(ConfigPath()); }

QLineEdit& EditOf(QDialog& dialog) {
    auto edits = dialog.findChildren<QLineEdit*>();
    if (edits.size() != 1) throw std::runtime_error("expected one edit field");
    return *edits.front();
}

}  // namespace mctf::testing
