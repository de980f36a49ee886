// LogReader: turns server log files into calls of the match-event handlers.
//
// A run empties the tables with ResetLogTables, lists the folder's log files
// with FindLogFiles (rotated copies included, see LogNames.h) and reads them
// with ReadLogFiles, which reports its progress (match starts and bytes read)
// to a ReadProgress and counts the matches each file ended. Files are read in
// large blocks (see LogFileBlocks.h), a .gz inflated; every newline-ended
// line (at most 511 characters kept, the rest up to the newline dropped, CR
// kept as white space) is split into time stamp and keyword and handed to
// the LogEventTable entry whose keyword equals it. A last line without a
// newline is never dispatched.
//
// A NUL byte ends a line's text. The reader leaves it in place rather than
// scan every line twice: no field can be read across it (see LogFields.h),
// and the one handler that searches the line cuts it there first.
//
// Handlers get the line together with the stamp's match time and the text
// after the keyword, which the dispatch has read already. A MatchRecorder,
// when one is given, follows the lines too, read whole (MatchRecords.h).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"
#include "stats/LogFileBlocks.h"
#include "stats/MatchEvents.h"
#include "stats/MatchRecords.h"
#include "stats/NewlineFinder.h"
#include "stats/ReadProgress.h"
#include "stats/StatsTables.h"

namespace mctf {

using LogEventHandler = void (*)(StatsTables& tables, const LogEventLine& event);

struct LogEvent {
    std::string_view keyword;  // with its trailing colon
    LogEventHandler handler;
    bool startsMatch = false;  // reported as progress by the reader
};

inline constexpr int kLogEventCount = 12;
inline constexpr std::size_t kLogLineLimit = 511;  // characters kept per line
// Characters kept of a line read whole: the server info of "InitGame:",
// whose g_timestamp often lies past kLogLineLimit, never reaches this (the
// engine's largest info string has 8192 bytes with its NUL).
inline constexpr std::size_t kWholeLineLimit = 8191;

// The 12 keywords in order, then an empty entry that marks the end; the
// dispatch never reads it, as it walks the first kLogEventCount entries by
// index. Kept constexpr so that the per-line walk compiles to a few length
// checks.
inline constexpr LogEvent LogEventTable[kLogEventCount + 1] = {
    {"InitGame:", OnInitGame, true},
    {"Exit:", OnMatchEnd},
    {"ShutdownGame:", OnMatchEnd},
    {"ClientBegin:", OnClientBegin},
    {"ClientDisconnect:", OnClientDisconnect},
    {"ClientUserinfoChanged:", OnClientUserinfoChanged},
    {"Kill:", OnKill},
    {"say:", IgnoreEvent},
    {"score:", IgnoreEvent},
    {"Item:", IgnoreEvent},
    {"Warmup:", IgnoreEvent},
    {"ClientConnect:", IgnoreEvent},
    {{}, nullptr},
};

// Keywords that only the JSON document needs, walked apart from
// LogEventTable (DispatchDocumentLine) when the tables keep its counts:
// two more entries in the walk of every line made a run of the pages alone
// a tenth slower.
inline constexpr int kDocumentEventCount = 2;
inline constexpr LogEvent DocumentEventTable[kDocumentEventCount] = {
    {"CTF:", OnFlagEvent},
    {"Award:", OnAward},
};

// Zero-fills every table, count, mark and order list of a run.
void ResetLogTables(StatsTables& tables);

// Bare names (UTF-8) of the regular files (or links to them) directly in
// `folder` that are logs or their rotated copies, in reading order
// (OrderLogNames): the logs whose names end in ".log" in any letter case in
// ascending byte order, each after its copies.
// Empty when the folder is missing or unreadable.
std::vector<std::string> FindLogFiles(const std::string& folder);

// What became of one file of ReadLogFiles.
struct LogFileRead {
    ReadResult read;
    // The matches that ended in it and were counted (matchesCounted): none
    // for a file of another format, or one in which no match ended.
    std::uint64_t matches = 0;
};

// Reads the files at `paths` in turn with ReadLogFile, skipping one that
// cannot be opened, and tells `progress` how far it has got. Returns what
// became of each file, in the order of `paths`. `matches`, when given,
// records every match counted, its file named by its index in `paths`
// (and finishes the last after the last file), and the tables keep
// documentCounts.
std::vector<LogFileRead> ReadLogFiles(StatsTables& tables, const std::vector<std::string>& paths,
                                      ReadProgress& progress, FileSystem& files = SystemFiles(),
                                      MatchRecorder* matches = nullptr);

// Reads the file at `path` line by line and dispatches each line, telling
// `tracker` of every block read and every match start. Absent when the file
// has gone; Unreadable when it is there but cannot be opened (nothing
// counted) or a read fails part-way (opened: the lines before the failure
// are counted, the rest of the file is not). A .gz is checked to its end
// before its first line: a broken one (not gzip, cut short, failing its
// check) is Unreadable with gzip's words for it, and nothing of it counts.
ReadResult ReadLogFile(StatsTables& tables, const std::string& path, ReadTracker& tracker,
                       FileSystem& files = SystemFiles(), MatchRecorder* matches = nullptr);

// Splits one line (without its newline) into stamp and keyword and calls
// the matching handlers. Lines without a readable stamp and keyword call none.
// True when the line started a match.
bool DispatchLogLine(StatsTables& tables, std::string_view line);
// The same with the keywords of DocumentEventTable too, for tables that
// keep documentCounts.
bool DispatchDocumentLine(StatsTables& tables, std::string_view line);

// Reads newline-ended lines from an open file, block by block.
class LogLineReader {
public:
    // `tracker`, when given, is told of every block read, by the bytes taken
    // from the file (for gzip data fewer than the lines hold).
    explicit LogLineReader(std::FILE* file, ReadTracker* tracker = nullptr,
                           LogFormat format = LogFormat::Plain);
    ~LogLineReader();
    LogLineReader(const LogLineReader&) = delete;
    LogLineReader& operator=(const LogLineReader&) = delete;

    // 1 with the next line in `line` (valid until the next call; its first
    // 511 characters, NUL bytes included), or -1 at the end of the file; an
    // unterminated last line is dropped.
    int ReadLogLine(std::string_view& line);
    // The line ReadLogLine read last, up to kWholeLineLimit characters;
    // valid as long as that line is.
    std::string_view WholeLine() const {
        return std::string_view(wholeStart_, std::min(wholeSize_, kWholeLineLimit));
    }

    // Reads the whole file without handing out a line, telling nobody, and
    // starts again at its beginning. Why the data are broken (Fault(), or the
    // system's words for a failed read); empty when they are whole.
    std::string CheckToEnd();

    // Why the data ended before the file did (LogFileBlocks::Fault).
    const std::string& Fault() const { return blocks_.Fault(); }

private:
    bool Refill();

    std::FILE* file_;
    LogFileBlocks blocks_;
    ReadTracker* tracker_;
    std::uint64_t reported_ = 0;  // file bytes told to the tracker
    const char* block_ = nullptr;
    NewlineFinder newlines_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    const char* wholeStart_ = nullptr;
    std::size_t wholeSize_ = 0;       // up to the newline, however long
    char line_[kWholeLineLimit + 1];  // a line that straddles two blocks
};

}  // namespace mctf
