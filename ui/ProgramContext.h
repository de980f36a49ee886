// ProgramContext: everything that lives as long as the program (the settings
// store, the statistics tables, the Desktop the logic talks through). It
// opens the main window and ends when the window closes; the QApplication
// itself is main()'s.
//
// Tests build one with AppSeams: a recording Desktop, a dialog runner that
// answers the app's own dialogs, and a start-up folder of their own.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/SettingsStore.h"
#include "report/ReportEnvironment.h"
#include "ui/DialogRunner.h"

namespace mctf {

class MainWindow;
class Desktop;
class QtDesktop;
struct StatsTables;

struct AppSeams {
    Desktop* desktop = nullptr;             // null: Qt message boxes
    DialogRunner runDialog;                 // empty: QDialog::exec()
    std::optional<std::string> startupDir;  // unset: the working folder
    ReportEnvironment report;               // the real clock and files by default
};

class ProgramContext {
public:
    explicit ProgramContext(AppSeams seams = {});
    ~ProgramContext();
    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    // Shows the main window until it is closed; the program's exit status.
    int Run();

    // The main window after its start-up (settings loaded), not yet shown.
    std::unique_ptr<MainWindow> CreateMainWindow();

    // The one command the main window passes on to the application.
    void OnResetSettings();

    // The folder config.dmc lives in, asked once by the main window's start-up.
    std::string CaptureStartupDir() const;

    SettingsStore& Store() { return store_; }
    StatsTables& Tables() { return *tables_; }
    Desktop& GetDesktop() { return *desktop_; }
    const DialogRunner& RunDialog() const { return runDialog_; }
    const ReportEnvironment& Report() const { return report_; }

private:
    SettingsStore store_;
    std::unique_ptr<StatsTables> tables_;  // about 1.6 MB: kept off the stack
    std::unique_ptr<QtDesktop> qtDesktop_;
    Desktop* desktop_;
    DialogRunner runDialog_;
    std::optional<std::string> startupDir_;
    ReportEnvironment report_;
};

}  // namespace mctf
