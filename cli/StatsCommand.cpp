// mctfcli stats: analyses the log folder and writes the statistics pages
// there. --logs picks another folder for this run only; config.dmc is not
// saved. The success report goes to standard output, errors to the desktop
// (standard error).
#include <iostream>
#include <memory>
#include <ostream>
#include <string>

#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "core/Desktop.h"
#include "core/FixedText.h"
#include "jobs/AnalyzeLogs.h"

namespace mctf {
namespace {

constexpr std::string_view kReportCaption = "Player Stats";

// Sends the report's success message to `out` and everything else on to the
// terminal desktop, remembering whether an error was shown.
class StatsCommandDesktop : public Desktop {
public:
    StatsCommandDesktop(Desktop& inner, std::ostream& out) : inner_(inner), out_(out) {}

    void ShowMessage(std::string_view text, std::string_view caption,
                     MessageIcon icon) override {
        if (caption == kReportCaption) {
            out_ << text << '\n' << std::flush;
            return;
        }
        errorShown_ = true;
        inner_.ShowMessage(text, caption, icon);
    }
    bool Confirm(std::string_view text, std::string_view caption) override {
        return inner_.Confirm(text, caption);
    }
    void OpenProgress() override { inner_.OpenProgress(); }
    void SetProgress(int position) override { inner_.SetProgress(position); }
    void CloseProgress() override { inner_.CloseProgress(); }
    std::optional<std::string> ChooseFile(std::string_view filters) override {
        return inner_.ChooseFile(filters);
    }

    bool errorShown() const { return errorShown_; }

private:
    Desktop& inner_;
    std::ostream& out_;
    bool errorShown_ = false;
};

int UsageError(const std::string& problem) {
    std::cerr << "mctfcli stats: " << problem << '\n';
    PrintUsage(std::cerr);
    return 2;
}

}  // namespace

int RunStatsCommand(const Args& args, Desktop& desktop, std::ostream& out) {
    std::string configFile = kDefaultConfigFile;
    std::optional<std::string> logsDir;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--config" && i + 1 < args.size()) {
            configFile = args[++i];
        } else if (args[i] == "--logs" && i + 1 < args.size()) {
            logsDir = args[++i];
        } else {
            return UsageError("unexpected argument '" + args[i] + "'");
        }
    }

    SettingsStore store;
    LoadSettingsForCommand(store, configFile);
    ServerSettings settings = store.settings;  // a copy: --logs is never saved
    if (logsDir) {
        if (logsDir->empty() || logsDir->size() >= sizeof settings.statsDir) {
            return UsageError("the log folder must have 1 to " +
                              std::to_string(sizeof settings.statsDir - 1) + " characters");
        }
        SetFixedText(settings.statsDir, *logsDir);
    }

    auto tables = std::make_unique<StatsTables>();
    StatsCommandDesktop commandDesktop(desktop, out);
    if (AnalyzeLogs(*tables, settings, commandDesktop, ReportEnvironment{})) return 0;
    if (!commandDesktop.errorShown()) {
        // A list page that could not be created ends the run without a box.
        desktop.ShowMessage("ERROR Cannot create HTML File!", kAppTitle, MessageIcon::Exclamation);
    }
    return 1;
}

}  // namespace mctf
