#include "ui/ProgramContext.h"

#include <filesystem>
#include <system_error>

#include "stats/StatsTables.h"
#include "ui/MainWindow.h"
#include "ui/QtDesktop.h"

namespace mctf {

ProgramContext::ProgramContext(AppSeams seams)
    : tables_(std::make_unique<StatsTables>()),
      desktop_(seams.desktop),
      runDialog_(seams.runDialog ? std::move(seams.runDialog) : DialogRunner(ExecDialog)),
      startupDir_(std::move(seams.startupDir)),
      report_(std::move(seams.report)) {
    // Settings and statistics go through the same files.
    store_.files = report_.files;
    if (!desktop_) {
        qtDesktop_ = std::make_unique<QtDesktop>();
        desktop_ = qtDesktop_.get();
    }
}

ProgramContext::~ProgramContext() = default;

std::unique_ptr<MainWindow> ProgramContext::CreateMainWindow() {
    auto window = std::make_unique<MainWindow>(*this);
    if (qtDesktop_) qtDesktop_->SetOwner(window.get());
    window->InitDialog();
    return window;
}

int ProgramContext::Run() {
    auto window = CreateMainWindow();
    window->exec();
    // Whatever closed the window, the program ends here without saving.
    if (qtDesktop_) qtDesktop_->SetOwner(nullptr);
    return 0;
}

void ProgramContext::OnResetSettings() { ResetSettings(store_, *desktop_); }

std::string ProgramContext::CaptureStartupDir() const {
    if (startupDir_) return *startupDir_;
    std::error_code error;
    std::filesystem::path here = std::filesystem::current_path(error);
    // A working folder that was removed still must not send config.dmc to
    // the root folder: "." fails to open, and the start-up message says so.
    return error ? std::string(".") : here.string();
}

}  // namespace mctf
