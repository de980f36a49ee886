// AppHarness: a ProgramContext started the way the tests need it: messages go to
// a RecordingDesktop, the app's own dialogs are answered by queued handlers,
// config.dmc lives in a temporary folder, and so does the defaults' game
// folder (on Windows the real one may hold a game).
#pragma once

#include <QDialog>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/RecordingDesktop.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDefaults.h"
#include "ui/MainWindow.h"
#include "ui/ProgramContext.h"

class QAbstractButton;
class QAction;
class QLineEdit;

namespace mctf::testing {

class AppHarness {
public:
    // `startupDir` empty: the temporary folder itself.
    explicit AppHarness(std::string startupDir = {});

    // Starts the app and returns its main window (start-up done).
    MainWindow& Start();

    // Handlers for the next dialogs the app shows, in order. A dialog with no
    // handler left fails the test and is cancelled.
    void OnNextDialog(std::function<int(QDialog&)> handler);
    // Fills the dialog's one edit field, then OK or Cancel.
    void AnswerPrompt(const QString& text, bool ok);

    QAbstractButton& Button(const QString& text);
    QAction& MenuItem(const QString& text);

    std::string ConfigPath() const;
    std::string ConfigBytes() const;

    TempDir dir;
    ServerSettings defaults = DefaultsIn(dir.path());
    RecordingDesktop desktop;
    FileSystem* files = &SystemFiles();  // set before Start to make calls fail
    std::vector<QString> dialogTitles;   // every dialog the app ran
    std::unique_ptr<ProgramContext> app;
    std::unique_ptr<MainWindow> window;

private:
    std::string startupDir_;
    std::deque<std::function<int(QDialog&)>> handlers_;
};

// The single QLineEdit of a dialog.
QLineEdit& EditOf(QDialog& dialog);

// A caption as read, without its Alt-key marks.
QString Plain(QString text);

}  // namespace mctf::testing
