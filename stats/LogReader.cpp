#include "stats/LogReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/FolderFiles.h"
#include "core/Paths.h"
#include "stats/LogFields.h"
#include "stats/LogNames.h"

namespace mctf {

void ResetLogTables(StatsTables& tables) {
    std::memset(static_cast<void*>(&tables), 0, sizeof tables);
}

std::vector<std::string> FindLogFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;  // a folder missing or unreadable has no logs
    for (const std::string& path : FindFilesNamed(folder, IsLogFileName, error)) {
        const std::filesystem::path file = PathFromUtf8(path);
        std::error_code statError;
        if (std::filesystem::is_regular_file(file, statError))  // follows links
            names.push_back(Utf8FromPath(file.filename()));
    }
    return OrderLogNames(std::move(names));
}

LogLineReader::LogLineReader(std::FILE* file, ReadTracker* tracker, LogFormat format)
    : file_(file), blocks_(file, format), tracker_(tracker) {}

LogLineReader::~LogLineReader() = default;

bool LogLineReader::Refill() {
    std::string_view block = blocks_.Next();
    block_ = block.data();
    pos_ = 0;
    end_ = block.size();
    newlines_.Reset(block_, end_);
    // The last bytes of gzip data (its trailer) may come with no text.
    const std::uint64_t taken = blocks_.FileBytes() - reported_;
    if (taken != 0 && tracker_ != nullptr) tracker_->BlockRead(taken);
    reported_ = blocks_.FileBytes();
    return end_ != 0;
}

std::string LogLineReader::CheckToEnd() {
    while (!blocks_.Next().empty()) {
    }
    std::string fault = blocks_.Fault();
    if (fault.empty() && std::ferror(file_) != 0) fault = SystemReason(errno);
    if (fault.empty() && !blocks_.Restart()) fault = SystemReason(errno);
    pos_ = end_ = 0;
    reported_ = 0;
    return fault;
}

int LogLineReader::ReadLogLine(std::string_view& line) {
    std::size_t kept = 0;    // characters gathered in line_ so far
    bool straddles = false;  // the line began in an earlier block
    for (;;) {
        if (pos_ == end_ && !Refill()) return -1;
        const char* start = block_ + pos_;
        std::size_t available = end_ - pos_;
        std::size_t newline = newlines_.Next();  // every newline before pos_ is used up
        bool found = newline != end_;
        std::size_t length = found ? newline - pos_ : available;
        if (found && !straddles) {
            // The common case: the whole line lies in this block.
            pos_ += length + 1;
            wholeStart_ = start;
            wholeSize_ = length;
            line = std::string_view(start, std::min(length, kLogLineLimit));
            return 1;
        }
        std::size_t take = std::min(length, kWholeLineLimit - kept);
        std::memcpy(line_ + kept, start, take);
        kept += take;
        straddles = true;
        if (!found) {
            pos_ = end_;
            continue;
        }
        pos_ += length + 1;
        wholeStart_ = line_;
        wholeSize_ = kept;
        line = std::string_view(line_, std::min(kept, kLogLineLimit));
        return 1;
    }
}

namespace {

// Whether the N bytes at `text` equal those at `word`, compared in words:
// memcmp of a few bytes is a library call here, and this runs on every line.
template <std::size_t N>
bool SameBytes(const char* text, const char* word) {
    std::size_t i = 0;
    for (; i + 8 <= N; i += 8) {
        std::uint64_t a, b;
        std::memcpy(&a, text + i, 8);
        std::memcpy(&b, word + i, 8);
        if (a != b) return false;
    }
    if constexpr (N % 8 >= 4) {
        std::uint32_t a, b;
        std::memcpy(&a, text + i, 4);
        std::memcpy(&b, word + i, 4);
        if (a != b) return false;
        i += 4;
    }
    for (; i < N; ++i) {
        if (text[i] != word[i]) return false;
    }
    return true;
}

// Entry I's keyword is a compile-time constant, so the comparison is a few
// inlined loads. The line's keyword equals it when the text at `start`
// begins with it and the word ends right there. True when it did.
// `startsMatch` is set when the entry is a match start.
template <const auto& Table, std::size_t I>
[[gnu::always_inline]] inline bool DispatchEntry(StatsTables& tables, LogEventLine& event,
                                                 const char* start, const char* end,
                                                 bool& startsMatch) {
    constexpr std::string_view entry = Table[I].keyword;
    // The first and the seventh letter tell the keywords apart (all "Client"
    // ones share six), so only a likely match pays for the full comparison.
    constexpr std::size_t probe = entry.size() > 6 ? 6 : entry.size() - 1;
    if (static_cast<std::size_t>(end - start) < entry.size() || start[0] != entry[0] ||
        start[probe] != entry[probe]) {
        return false;
    }
    if (!SameBytes<entry.size()>(start, entry.data())) return false;
    const char* after = start + entry.size();
    if (after != end && !EndsLogWord(*after)) return false;
    // Ignored lines need no further look.
    if (Table[I].handler != IgnoreEvent) {
        event.fields = std::string_view(after, static_cast<std::size_t>(end - after));
        Table[I].handler(tables, event);
    }
    if constexpr (Table[I].startsMatch) startsMatch = true;
    return true;
}

// The keywords are distinct, so the walk stops at the first that matches;
// true when one did.
template <const auto& Table, std::size_t... I>
[[gnu::always_inline]] inline bool DispatchAll(StatsTables& tables, LogEventLine& event,
                                               const char* start, const char* end,
                                               bool& startsMatch, std::index_sequence<I...>) {
    return (DispatchEntry<Table, I>(tables, event, start, end, startsMatch) || ...);
}

// The walk of one line, with DocumentEventTable's too when Document.
template <bool Document>
[[gnu::always_inline]] inline bool Dispatch(StatsTables& tables, std::string_view line) {
    FieldCursor cursor(line);
    LogEventLine event{line, {}, 0};
    if (!ReadStamp(cursor, event.matchSeconds)) return false;
    cursor.SkipSpace();
    if (cursor.pos == cursor.end) return false;
    bool startsMatch = false;
    const bool matched =
        DispatchAll<LogEventTable>(tables, event, cursor.pos, cursor.end, startsMatch,
                                   std::make_index_sequence<kLogEventCount>());
    if constexpr (Document) {
        if (!matched) {
            DispatchAll<DocumentEventTable>(tables, event, cursor.pos, cursor.end, startsMatch,
                                            std::make_index_sequence<kDocumentEventCount>());
        }
    } else {
        static_cast<void>(matched);
    }
    return startsMatch;
}

}  // namespace

bool DispatchLogLine(StatsTables& tables, std::string_view line) {
    return Dispatch<false>(tables, line);
}

bool DispatchDocumentLine(StatsTables& tables, std::string_view line) {
    return Dispatch<true>(tables, line);
}

ReadResult ReadLogFile(StatsTables& tables, const std::string& path, ReadTracker& tracker,
                       FileSystem& files, MatchRecorder* matches) {
    ReadResult result;
    std::FILE* file = OpenForReading(files, path, result);
    if (file == nullptr) return result;
    std::string fault;
    bool skipped = false;
    if (matches != nullptr) tables.documentCounts = true;
    {
        const bool gzip = IsGzipFileName(path);
        LogLineReader reader(file, &tracker, gzip ? LogFormat::Gzip : LogFormat::Plain);
        // A broken archive is skipped whole, not counted up to where it breaks.
        if (gzip) skipped = !(fault = reader.CheckToEnd()).empty();
        std::string_view line;
        if (!skipped && !tables.documentCounts) {
            while (reader.ReadLogLine(line) == 1) {
                if (DispatchLogLine(tables, line)) tracker.MatchStarted();
            }
        } else if (!skipped) {
            for (std::uint64_t number = 1; reader.ReadLogLine(line) == 1; ++number) {
                const std::uint64_t counted = tables.matchesCounted;
                const bool started = DispatchDocumentLine(tables, line);
                if (started) tracker.MatchStarted();
                if (matches != nullptr) {
                    matches->AfterLine(tables, reader.WholeLine(), number, started,
                                       tables.matchesCounted != counted);
                }
            }
        }
        if (!skipped) fault = reader.Fault();
    }
    if (skipped) {
        result.outcome = ReadOutcome::Unreadable;
        result.reason = fault;
    } else if (std::ferror(file) != 0) {
        // A read error ends the blocks like the end of the file would.
        SetReadFailure(result, errno);
    } else if (!fault.empty()) {  // gzip data that changed since their check
        result.outcome = ReadOutcome::Unreadable;
        result.reason = fault;
        result.opened = true;
    }
    files.Close(file);
    return result;
}

std::vector<LogFileRead> ReadLogFiles(StatsTables& tables, const std::vector<std::string>& paths,
                                      ReadProgress& progress, FileSystem& files,
                                      MatchRecorder* matches) {
    std::uint64_t totalBytes = 0;
    for (const std::string& path : paths) {
        std::error_code error;  // a file that cannot be measured counts 0
        std::uintmax_t size = std::filesystem::file_size(PathFromUtf8(path), error);
        if (!error) totalBytes += size;
    }
    ReadTracker tracker(progress, totalBytes);
    std::vector<LogFileRead> results(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::uint64_t before = tables.matchesCounted;
        if (matches != nullptr) matches->BeginFile(i);
        results[i].read = ReadLogFile(tables, paths[i], tracker, files, matches);
        results[i].matches = tables.matchesCounted - before;
    }
    if (matches != nullptr) matches->Finish();
    return results;
}

}  // namespace mctf
