#include "ui/UtilityApp.h"

#include <filesystem>
#include <system_error>

#include "stats/StatsTables.h"
#include "ui/MainDlg.h"
#include "ui/QtDesktop.h"

namespace mctf {

CUtilityApp::CUtilityApp(AppSeams seams)
    : tables_(std::make_unique<StatsTables>()),
      desktop_(seams.desktop),
      runDialog_(seams.runDialog ? std::move(seams.runDialog) : DialogRunner(ExecDialog)),
      startupDir_(std::move(seams.startupDir)),
      report_(std::move(seams.report)) {
    if (!desktop_) {
        qtDesktop_ = std::make_unique<QtDesktop>();
        desktop_ = qtDesktop_.get();
    }
}

CUtilityApp::~CUtilityApp() = default;

std::unique_ptr<CMainDlg> CUtilityApp::CreateMainWindow() {
    auto window = std::make_unique<CMainDlg>(*this);
    if (qtDesktop_) qtDesktop_->SetOwner(window.get());
    window->InitDialog();
    return window;
}

int CUtilityApp::Run() {
    auto window = CreateMainWindow();
    window->exec();
    // Whatever closed the window, the program ends here without saving.
    if (qtDesktop_) qtDesktop_->SetOwner(nullptr);
    return 0;
}

void CUtilityApp::OnResetSettings() { ResetSettings(store_, *desktop_); }

std::string CUtilityApp::CaptureStartupDir() const {
    if (startupDir_) return *startupDir_;
    std::error_code error;
    std::filesystem::path here = std::filesystem::current_path(error);
    // A working folder that was removed still must not send config.dmc to
    // the root folder: "." fails to open, and the start-up message says so.
    return error ? std::string(".") : here.string();
}

}  // namespace mctf
