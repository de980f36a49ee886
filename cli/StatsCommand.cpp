// mctfcli stats: analyses the log folder and writes the statistics pages
// there. --logs picks another folder for this run only; config.dmc is not
// saved. The success report goes to standard output, errors (naming the
// folder) to standard error.
#include <memory>
#include <ostream>
#include <string>

#include "cli/ByteProgress.h"
#include "cli/CommandArgs.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "core/FixedText.h"
#include "core/SilentDesktop.h"
#include "jobs/AnalyzeLogs.h"

namespace mctf {
namespace {

constexpr std::string_view kCommand = "stats";
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
    // With a byte count on the terminal, the window's bar (which moves at
    // match starts and tells no share) is left out.
    SilentDesktop noBar;
    std::optional<BytesOnTerminal> reading;
    if (context.progress) reading.emplace(*context.progress);
    ReportEnvironment env;
    env.files = context.files;
    const StatsRunOutcome outcome =
        AnalyzeLogs(*tables, settings, context.progress ? noBar : context.desktop, env,
                    reading ? &*reading : nullptr);
    if (context.progress) context.progress->Clear();
    if (outcome.Written()) {
        context.out << RunMessage(outcome).text << '\n' << std::flush;
    } else {
        // A list page that could not be created is an error here too.
        std::string_view text = RunMessage(outcome).text;
        if (text.empty()) text = kCannotCreatePagesMessage;
        context.err << "mctfcli: " << FixedText(settings.statsDir) << ": " << text << '\n';
    }
    const UnreadFiles& unread = outcome.unread;
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
    return outcome.Written() ? 0 : 1;
}

}  // namespace mctf
