// mctfcli stats: analyses the log folder and writes the statistics pages
// there. --logs picks another folder for this run only; config.dmc is not
// saved. The success report goes to standard output, errors (naming the
// folder) to the desktop, that is standard error.
#include <memory>
#include <ostream>
#include <string>

#include "cli/ByteProgress.h"
#include "cli/CommandArgs.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "cli/ForwardingDesktop.h"
#include "cli/NamingDesktop.h"
#include "core/Desktop.h"
#include "core/FixedText.h"
#include "jobs/AnalyzeLogs.h"

namespace mctf {
namespace {

constexpr std::string_view kCommand = "stats";
constexpr std::string_view kReportCaption = "Player Stats";

// Sends the report's success message to `out` and everything else on to the
// inner desktop, remembering whether an error was shown. With a byte count on
// the terminal, the window's bar (which moves at match starts and tells no
// share) is left out, and the count's line is erased before any message.
class StatsCommandDesktop : public ForwardingDesktop {
public:
    StatsCommandDesktop(Desktop& inner, std::ostream& out, ByteProgress* bytes)
        : ForwardingDesktop(inner), out_(out), bytes_(bytes) {}

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        if (bytes_) bytes_->Clear();
        if (caption == kReportCaption) {
            out_ << text << '\n' << std::flush;
            return;
        }
        errorShown_ = true;
        inner_.ShowMessage(text, caption, icon);
    }
    void OpenProgress() override {
        if (!bytes_) inner_.OpenProgress();
    }
    void SetProgress(int position) override {
        if (!bytes_) inner_.SetProgress(position);
    }
    void CloseProgress() override {
        if (!bytes_) inner_.CloseProgress();
    }
    bool ErrorShown() const { return errorShown_; }

private:
    std::ostream& out_;
    ByteProgress* bytes_;
    bool errorShown_ = false;
};

// The reader's count of log bytes, on to the terminal's line.
class BytesOnTerminal : public ReadProgress {
public:
    explicit BytesOnTerminal(ByteProgress& bytes) : bytes_(bytes) {}
    void MatchStarted(const ReadStatus&) override {}
    void BlockRead(const ReadStatus& status) override {
        bytes_.Update(status.bytesRead, status.totalBytes);
    }

private:
    ByteProgress& bytes_;
};

}  // namespace

int RunStatsCommand(const CommandArgs& parsed, CommandContext& context) {
    if (!parsed.words.empty())
        return UsageError(context, kCommand, "unexpected argument '" + parsed.words[0] + "'");

    ServerSettings settings{};
    if (parsed.logs && parsed.logs->size() >= sizeof settings.statsDir) {
        return UsageError(context, kCommand,
                          "the log folder must have 1 to " +
                              std::to_string(sizeof settings.statsDir - 1) + " characters");
    }
    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Stats, context)) return 1;
    settings = store.settings;  // a copy: --logs is never saved
    if (parsed.logs) SetFixedText(settings.statsDir, *parsed.logs);

    auto tables = std::make_unique<StatsTables>();
    NamingDesktop naming(context.desktop);
    naming.Name(std::string(FixedText(settings.statsDir)));
    StatsCommandDesktop commandDesktop(naming, context.out, context.progress);
    std::optional<BytesOnTerminal> reading;
    if (context.progress) reading.emplace(*context.progress);
    ReportEnvironment env;
    env.files = context.files;
    UnreadFiles unread;
    const bool written =
        AnalyzeLogs(*tables, settings, commandDesktop, env, reading ? &*reading : nullptr, &unread);
    if (context.progress) context.progress->Clear();
    // What the pages are missing, for the operator of a script.
    for (const ReadResult& log : unread.logs) {
        context.err << "mctfcli: warning: "
                    << (log.opened ? "cannot read " + log.path + " to its end, the rest skipped"
                                   : "cannot open " + log.path + ", skipped")
                    << " (" << log.reason << ")\n";
    }
    if (unread.clanList.Unreadable()) {
        context.err << "mctfcli: warning: cannot read " << unread.clanList.path
                    << ", the pages name no clans from it (" << unread.clanList.reason << ")\n";
    }
    if (written) return 0;
    if (!commandDesktop.ErrorShown()) {
        // A list page that could not be created ends the run without a box.
        naming.ShowMessage("ERROR Cannot create HTML File!", kAppTitle, MessageIcon::Exclamation);
    }
    return 1;
}

}  // namespace mctf
