// mctf_window_analyze FOLDER: the main window's "Players Stats" over FOLDER,
// off screen unless QT_QPA_PLATFORM says otherwise. The folder prompt is
// answered with FOLDER, the "Reading Data" window is shown and painted as for
// the operator, the closing message is kept instead of waiting for OK. Prints
// the seconds from the button press to the end of the command; run.sh sets
// them against `mctfcli stats` over the same folder.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "ui/MainWindow.h"
#include "ui/ProgramContext.h"
#include "ui/QtDesktop.h"
#include "ui/TextPromptDialog.h"

namespace {

// The window's own desktop, but messages are kept: no one is there to press OK.
class UnattendedDesktop : public mctf::QtDesktop {
public:
    void ShowMessage(std::string_view text, std::string_view, mctf::MessageIcon) override {
        messages.emplace_back(text);
    }
    std::vector<std::string> messages;
};

QAbstractButton* FindButton(QWidget& window, const QString& caption) {
    for (auto* button : window.findChildren<QAbstractButton*>()) {
        if (QString(button->text()).remove('&') == caption) return button;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mctf_window_analyze FOLDER\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);

    // config.dmc of this run goes to a scratch folder, not the corpus.
    std::error_code error;
    const std::filesystem::path scratch = std::filesystem::temp_directory_path(error) /
                                          ("mctf-window-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch, error);

    UnattendedDesktop desktop;
    mctf::AppSeams seams;
    seams.desktop = &desktop;
    seams.startupDir = scratch.string();
    seams.runDialog = [&folder](QDialog& dialog) {
        auto* prompt = qobject_cast<mctf::TextPromptDialog*>(&dialog);
        if (!prompt) return int(QDialog::Rejected);
        prompt->SetText(folder);
        return int(QDialog::Accepted);
    };
    int status = 0;
    {
        mctf::ProgramContext app(std::move(seams));
        std::unique_ptr<mctf::MainWindow> window = app.CreateMainWindow();
        desktop.SetOwner(window.get());
        window->show();
        QApplication::processEvents();
        QAbstractButton* playersStats = FindButton(*window, "Players Stats");
        if (!playersStats) {
            std::fprintf(stderr, "mctf_window_analyze: no Players Stats button\n");
            return 1;
        }

        QElapsedTimer took;
        took.start();
        playersStats->click();
        double seconds = static_cast<double>(took.nsecsElapsed()) / 1e9;
        std::printf("seconds=%.3f\n", seconds);
        desktop.SetOwner(nullptr);
        for (const std::string& message : desktop.messages) {
            if (message.rfind("ERROR", 0) == 0) {
                std::fprintf(stderr, "%s\n", message.c_str());
                status = 1;
            }
        }
        if (desktop.messages.empty()) status = 1;
    }
    std::filesystem::remove_all(scratch, error);
    return status;
}
