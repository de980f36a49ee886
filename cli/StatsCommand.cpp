// mctfcli stats: analyses the log folder and writes the statistics pages
// there. --logs picks other logs and --out another pages folder for this
// run only; --json FILE writes the run as JSON too, --no-pages only that;
// --seed N fixes the featured player's draw; config.dmc is not saved. The
// success report goes to standard output, errors (naming the folder) to
// standard error. A log without a match is warned of; a run in which no log
// held one fails, though its pages are written.
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/ByteProgress.h"
#include "cli/CommandArgs.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "core/FileReplacement.h"
#include "core/GameFolder.h"
#include "core/SilentDesktop.h"
#include "jobs/AnalyzeLogs.h"
#include "stats/LogNames.h"

namespace mctf {
namespace {

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

// A --logs path that is not there: said before any search, naming it.
bool AllLogPathsExist(const std::vector<std::string>& paths, CommandContext& context) {
    for (const std::string& path : paths) {
        std::error_code error;
        if (std::filesystem::exists(PathFromUtf8(path), error)) continue;
        const bool file = IsLogFileName(path);
        context.err << "mctfcli: " << path << ": no such " << (file ? "file" : "folder") << '\n';
        return false;
    }
    return true;
}

// "--seed N": a whole number that fits the draw's 32 bits.
std::optional<std::uint32_t> ParseSeed(const std::string& text) {
    std::uint32_t seed = 0;
    const char* end = text.data() + text.size();
    const auto read = std::from_chars(text.data(), end, seed);
    if (read.ec != std::errc() || read.ptr != end) return std::nullopt;
    return seed;
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(PathFromUtf8(path), error);
}

// The run's JSON document into `path`, or onto standard output for "-". A
// file is replaced whole, so a program reading it never sees half of one; a
// device or pipe (/dev/stdout, a pipe to jq) is written through and kept.
bool WriteJson(const std::string& document, const std::string& path, CommandContext& context) {
    if (path == "-") {
        context.out << document << std::flush;
        return true;
    }
    const OutputFileOutcome written = WriteOutputFile(*context.files, path, document);
    if (written.written) return true;
    context.err << "mctfcli: " << path << ": cannot be written"
                << (written.throughNode ? ": " + written.reason : "; the file is as it was")
                << '\n';
    return false;
}

// What the pages are missing, for the operator of a script.
void WarnUnread(const UnreadFiles& unread, CommandContext& context) {
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
}

// Logs read without a match the statistics counted: not the game's log (a
// skipped file has its warning already).
void WarnMatchless(const std::vector<RunLogFile>& logs, CommandContext& context) {
    for (const RunLogFile& log : logs) {
        const bool opened = log.read.outcome == ReadOutcome::Read || log.read.opened;
        if (opened && log.matches == 0)
            context.err << "mctfcli: warning: no match found in " << log.path << '\n';
    }
}

}  // namespace

int RunStatsCommand(const CommandArgs& parsed, CommandContext& context) {
    StatsRunPlaces places;
    places.logs = parsed.logs;
    // Paths after the options are logs too: "--logs *.log" works.
    places.logs.insert(places.logs.end(), parsed.words.begin(), parsed.words.end());
    if (parsed.noPages && !parsed.json)
        return UsageError(context, "stats", "--no-pages needs --json FILE");
    places.writePages = !parsed.noPages;
    places.json = parsed.json.has_value();
    if (parsed.seed) {
        places.seed = ParseSeed(*parsed.seed);
        if (!places.seed)
            return UsageError(context, "stats", "--seed needs a whole number from 0 to 4294967295");
    }
    if (!AllLogPathsExist(places.logs, context)) return 1;

    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Stats, context)) return 1;
    const ServerSettings& settings = store.settings;
    const std::string statsDir = StatsFolder(settings);
    // Not there at all: said as for a --logs folder, not as a folder without logs.
    std::error_code statError;
    const auto statsDirType = std::filesystem::status(PathFromUtf8(statsDir), statError).type();
    if (places.logs.empty() && statsDirType == std::filesystem::file_type::not_found) {
        context.err << "mctfcli: " << statsDir << ": no such folder\n";
        return 1;
    }
    // A single folder stands in for statsDir, pages and all, as it always did.
    const bool oneFolder = places.logs.size() == 1 && IsFolder(places.logs[0]);
    places.pagesFolder = parsed.out ? *parsed.out : oneFolder ? places.logs[0] : statsDir;
    // A web root's subfolder may not be there yet; one that cannot be made
    // is reported when the first page cannot be created in it.
    if (parsed.out && places.writePages) {
        std::error_code error;
        std::filesystem::create_directories(PathFromUtf8(*parsed.out), error);
    }
    std::string logsName = places.logs.empty() ? statsDir : places.logs[0];
    for (std::size_t i = 1; i < places.logs.size(); ++i) logsName += ", " + places.logs[i];

    auto tables = std::make_unique<StatsTables>();
    // With a byte count on the terminal, the window's bar (which moves at
    // match starts and tells no share) is left out; --quiet shows neither.
    SilentDesktop noBar;
    ByteProgress* bytes = parsed.quiet ? nullptr : context.progress;
    std::optional<BytesOnTerminal> reading;
    if (bytes) reading.emplace(*bytes);
    ReportEnvironment env;
    env.files = context.files;
    env.waiting = [&](const std::string& folder) {
        if (bytes) bytes->Clear();
        context.err << "mctfcli: waiting for another statistics run writing " << folder << '\n'
                    << std::flush;
    };
    const StatsRunOutcome outcome =
        AnalyzeLogs(*tables, settings, bytes || parsed.quiet ? noBar : context.desktop, env,
                    reading ? &*reading : nullptr, places);
    if (bytes) bytes->Clear();
    // Written whatever became of the pages: it does not depend on them.
    const bool jsonWritten = !places.json || outcome.status == StatsRunStatus::NoLogFiles ||
                             WriteJson(outcome.json, *parsed.json, context);
    // Standard output holds the document alone when it goes there.
    const bool jsonOnOutput = parsed.json == "-";
    std::ostream& said = jsonOnOutput ? context.err : context.out;
    const bool matchFound = outcome.MatchFound();
    if (outcome.Written() && !matchFound) {
        // Empty pages are no success.
        context.err << "mctfcli: no match found in any log file"
                    << (places.writePages ? "; the pages were written without players" : "")
                    << '\n';
    } else if (outcome.Written()) {
        if (!parsed.quiet && places.writePages) said << RunMessage(outcome).text << '\n';
        if (!parsed.quiet && places.json && !jsonOnOutput && jsonWritten)
            said << *parsed.json << " written\n";
        said << std::flush;
    } else {
        // A list page that could not be created is an error here too.
        std::string_view text = RunMessage(outcome).text;
        if (text.empty()) text = kCannotCreatePagesMessage;
        const bool aboutLogs = outcome.status == StatsRunStatus::NoLogFiles;
        const std::string& pages = outcome.page.empty() ? places.pagesFolder : outcome.page;
        context.err << "mctfcli: " << (aboutLogs ? logsName : pages) << ": " << text << '\n';
        if (!outcome.reason.empty())
            context.err << "mctfcli: " << pages << ": " << outcome.reason << '\n';
    }
    WarnUnread(outcome.unread, context);
    WarnMatchless(outcome.logFiles, context);
    return outcome.Written() && matchFound && jsonWritten ? 0 : 1;
}

}  // namespace mctf
