#include "jobs/AnalyzeLogs.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "core/FolderFiles.h"
#include "core/GameFolder.h"
#include "core/Paths.h"
#include "report/Report.h"
#include "stats/Aggregate.h"
#include "stats/LogReader.h"

namespace mctf {

namespace {

// Moves the desktop's "Reading Data" bar at every match start and passes
// every step on to `also`, when there is one.
class DesktopReadProgress : public ReadProgress {
public:
    DesktopReadProgress(Desktop& desktop, ReadProgress* also) : desktop_(desktop), also_(also) {}

    void MatchStarted(const ReadStatus& status) override {
        desktop_.SetProgress(status.barPosition);
        if (also_ != nullptr) also_->MatchStarted(status);
    }
    void BlockRead(const ReadStatus& status) override {
        if (also_ != nullptr) also_->BlockRead(status);
    }

private:
    Desktop& desktop_;
    ReadProgress* also_;
};

}  // namespace

std::vector<std::string> LogFilesToRead(const ServerSettings& settings,
                                        const StatsRunPlaces& places) {
    std::vector<std::string> files;
    std::set<FileIdentity> seen;
    // A file gone already has no identity: its name has to do.
    std::set<std::filesystem::path> seenNames;
    auto add = [&](std::string path) {
        const std::optional<FileIdentity> identity = IdentifyFile(path);
        if (identity ? seen.insert(*identity).second
                     : seenNames.insert(PathFromUtf8(path).lexically_normal()).second)
            files.push_back(std::move(path));
    };
    auto addFolder = [&](const std::string& folder) {
        for (const std::string& name : FindLogFiles(folder)) add(JoinPath(folder, name));
    };
    if (places.logs.empty()) addFolder(StatsFolder(settings));
    for (const std::string& path : places.logs) {
        std::error_code error;
        if (std::filesystem::is_directory(PathFromUtf8(path), error)) {
            addFolder(path);
        } else {
            add(path);  // named on purpose: read whatever its name
        }
    }
    return files;
}

StatsRunOutcome AnalyzeLogs(StatsTables& tables, const ServerSettings& settings, Desktop& desktop,
                            const ReportEnvironment& env, ReadProgress* reading,
                            const StatsRunPlaces& places) {
    StatsRunOutcome outcome;
    ResetLogTables(tables);
    const std::vector<std::string> logFiles = LogFilesToRead(settings, places);
    if (logFiles.empty()) {
        outcome.status = StatsRunStatus::NoLogFiles;
        return outcome;
    }

    // The files in reading order with their sizes as the run begins; a file
    // gone already has none (and the reader skips it).
    for (const std::string& path : logFiles) {
        RunLogFile& log = outcome.logFiles.emplace_back();
        log.path = path;
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(PathFromUtf8(path), error);
        if (!error) log.bytes = size;
    }

    desktop.OpenProgress();
    // An unreadable file is skipped; the run goes on with the next one.
    DesktopReadProgress progress(desktop, reading);
    // Only the document needs the matches one by one; each goes into it as
    // text once finished.
    std::optional<MatchesJson> matchesJson;
    std::optional<MatchRecorder> matches;
    if (places.json) {
        std::uint64_t logBytes = 0;
        for (const RunLogFile& log : outcome.logFiles) logBytes += log.bytes.value_or(0);
        matchesJson.emplace(outcome.logFiles, logBytes);
        matches.emplace([&](const MatchRecord& match) { matchesJson->Append(match); });
    }
    std::vector<LogFileRead> read =
        ReadLogFiles(tables, logFiles, progress, *env.files, matches ? &*matches : nullptr);
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (read[i].read.outcome != ReadOutcome::Read) outcome.unread.logs.push_back(read[i].read);
        outcome.logFiles[i].read = std::move(read[i].read);
        outcome.logFiles[i].matches = read[i].matches;
    }
    // Seeded anew for every run, so that every report draws afresh, unless
    // the run is to repeat an earlier one.
    const std::uint32_t seed = places.seed ? *places.seed : static_cast<std::uint32_t>(env.now());
    IndexDraw draw = env.startDraw ? env.startDraw() : SeededDraw(seed);
    ReadResult clanList = AggregateStats(tables, settings, draw, *env.files);
    if (clanList.Unreadable()) outcome.unread.clanList = std::move(clanList);
    desktop.SetProgress(100);
    // One moment for the pages and the document.
    ReportEnvironment made = env;
    made.now = [when = env.now()] { return when; };
    ReportOutcome report;
    if (places.writePages) {
        const std::string pages =
            places.pagesFolder.empty() ? StatsFolder(settings) : places.pagesFolder;
        report = WriteReport(tables, settings, pages, made);
    }
    if (places.json) {
        outcome.json = StatsDocument(
            tables, settings,
            {made.now(), outcome.logFiles, {seed, places.seed.has_value()}, matchesJson->Take()});
    }
    desktop.CloseProgress();
    switch (report.status) {
    case ReportStatus::Written:
        break;
    case ReportStatus::CannotCreateFrontPage:
        outcome.status = StatsRunStatus::CannotCreateFrontPage;
        break;
    case ReportStatus::CannotCreatePage:
        outcome.status = StatsRunStatus::CannotCreatePage;
        break;
    case ReportStatus::CannotWrite:
        outcome.status = StatsRunStatus::CannotWritePage;
        break;
    }
    outcome.page = std::move(report.page);
    outcome.reason = std::move(report.reason);
    return outcome;
}

bool StatsRunOutcome::MatchFound() const {
    return std::ranges::any_of(logFiles, [](const RunLogFile& log) { return log.matches > 0; });
}

StatsRunMessage RunMessage(const StatsRunOutcome& outcome) {
    switch (outcome.status) {
    case StatsRunStatus::Written:
        if (!outcome.MatchFound()) return {"ERROR No match found in any log file!"};
        return {"pstats.htm written", "Player Stats", MessageIcon::None};
    case StatsRunStatus::NoLogFiles:
        return {"ERROR Cannot find any log files!"};
    case StatsRunStatus::CannotCreateFrontPage:
        return {kCannotCreatePagesMessage, kAppTitle, MessageIcon::Exclamation};
    case StatsRunStatus::CannotWritePage:
        return {"ERROR Cannot write HTML File!", kAppTitle, MessageIcon::Exclamation};
    case StatsRunStatus::CannotCreatePage:
        break;
    }
    return {""};
}

std::string UnreadableClanListMessage(const ReadResult& clanList) {
    return "Cannot read the clan list " + clanList.path + ":\n" + clanList.reason +
           "\n\nThe pages were written without its clan names.";
}

}  // namespace mctf
