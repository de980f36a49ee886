// AnalyzeLogs: one statistics run, from a folder of server logs to the
// finished pages.
//
// Empties the tables, reads every *.log file of the statistics folder
// (StatsFolder) in name order, each after its rotated copies (LogNames.h),
// with the "Reading Data" progress window open,
// aggregates and writes the report into the same folder (StatsRunPlaces
// picks other logs and another folder, leaves the pages out, asks for the
// JSON document as well, or fixes the featured player's draw). The caller
// owns the tables (keep them on the heap: they are large) and may read them
// afterwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Desktop.h"
#include "core/FileSystem.h"
#include "core/ServerSettings.h"
#include "report/ReportEnvironment.h"
#include "report/StatsDocument.h"
#include "stats/ReadProgress.h"
#include "stats/StatsTables.h"

namespace mctf {

// Files a run found but could not read. The pages are written all the same:
// from the logs that could be read, without the clan list's names.
struct UnreadFiles {
    // Not opened (skipped: gone, not a regular file, or refused), or failed
    // part-way.
    std::vector<ReadResult> logs;
    ReadResult clanList;           // Unreadable when clanlist.txt was
};

enum class StatsRunStatus {
    Written,
    NoLogFiles,  // nothing read, nothing written
    CannotCreateFrontPage,
    CannotCreatePage,  // a list page after the front page
    CannotWritePage,   // a write failed part-way
};

struct StatsRunOutcome {
    StatsRunStatus status = StatsRunStatus::Written;
    // The page that could not be created, for the two Create statuses.
    std::string page;
    // Why it could not: the system's words ("Permission denied", "Not a
    // directory") or kNotRegularFile for a device or pipe in its place.
    std::string reason;
    // What the pages are missing: logs skipped, a clan list not read.
    UnreadFiles unread;

    // The log files of the run in reading order, with their sizes and the
    // matches counted in each.
    std::vector<RunLogFile> logFiles;
    // The JSON document of the run, when it was asked for and logs were read.
    std::string json;

    bool Written() const { return status == StatsRunStatus::Written; }
    // Whether any log held a match the statistics counted. Pages written
    // without one are empty: the logs were not the game's (another mod's
    // format, a console capture).
    bool MatchFound() const;
};

// Where a run reads the logs and writes the pages: by default both are the
// statistics folder (StatsFolder: statsDir, or the game's log folder in its
// stead), as in the window.
struct StatsRunPlaces {
    // Log files and folders, read in this order (a folder's logs in the order
    // of FindLogFiles); empty: the logs of the statistics folder.
    std::vector<std::string> logs;
    // Empty: the statistics folder.
    std::string pagesFolder;
    // False: no page is written and the pages folder is not touched.
    bool writePages = true;
    // True: the outcome carries the run's JSON document (StatsDocument.h),
    // with a record of every match counted.
    bool json = false;
    // The seed of the featured player's draw, so that a run can be
    // repeated; none: the run's time in seconds, a new draw every second.
    std::optional<std::uint32_t> seed = std::nullopt;
};

// The logs a run reads: the logs of the statistics folder (FindLogFiles), or
// for each path of `places.logs` in turn the logs of a folder, or the file
// itself (inflated when its name ends in .gz).
// A file reached twice ("--logs dir dir/a.log", a link to it, a hard link, a
// path spelt otherwise) is read once, where it first comes: twice would count
// its kills twice. Files are told apart by FileIdentity, not by name.
std::vector<std::string> LogFilesToRead(const ServerSettings& settings,
                                        const StatsRunPlaces& places);

// The desktop's "Reading Data" bar is open while the logs are read and
// moves at every match start (see ReadProgress.h); `reading`, when given, is
// also told of every match start and every block read, with the bytes read
// so far and the total. Files found but not readable are skipped and listed
// in the outcome. The desktop is asked nothing and shown no message.
StatsRunOutcome AnalyzeLogs(StatsTables& tables, const ServerSettings& settings, Desktop& desktop,
                            const ReportEnvironment& env, ReadProgress* reading = nullptr,
                            const StatsRunPlaces& places = {});

// What a run says when it ends, in the window's words: a message box's text,
// caption and icon. The text is empty where the window says nothing (a list
// page that could not be created: the front page was). Pages written without
// any match say that no match was found.
struct StatsRunMessage {
    std::string_view text;
    std::string_view caption = kAppTitle;
    MessageIcon icon = MessageIcon::None;
};
StatsRunMessage RunMessage(const StatsRunOutcome& outcome);

// The word for any page that could not be created, the list pages' too.
inline constexpr std::string_view kCannotCreatePagesMessage = "ERROR Cannot create HTML File!";

// The window's note after the pages: clanlist.txt could not be read.
std::string UnreadableClanListMessage(const ReadResult& clanList);

}  // namespace mctf
