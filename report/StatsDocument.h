// StatsDocument: the whole of a statistics run as one JSON document, for
// programs (a web site, a bot, a spreadsheet) rather than people.
//
// It carries every number and name the pages show, taken from the same
// tables the pages print (never read back from them): the run, the server
// box, every player in rank order, both top lists and every clan; and what
// the pages do not show: whole counts beside the rates (deaths, team kills,
// kills per weapon, flag events, awards), each player's name with its
// colours, the seed of the featured player's draw, and every match counted
// with its players (MatchRecords.h). Players are known by their name
// throughout; ranks are figures, not references. Rates are
// the tables' single-precision figures in the fewest digits that read back
// to the same float, so a reader that rounds them as the pages do gets the
// pages' text. Absent values are null. Texts are valid UTF-8 (Utf8FromBytes).
//
// report/stats.schema.json describes every key; its $id, which the document
// names in "$schema", carries the format version. Removing or renaming a key
// is a new format version: a new $id.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"
#include "core/ServerSettings.h"
#include "stats/MatchRecords.h"
#include "stats/StatsTables.h"

namespace mctf {

inline constexpr std::string_view kStatsSchemaId =
    "https://mctfutil.github.io/schema/stats/2/stats.schema.json";

// A log file of the run, in reading order.
struct RunLogFile {
    std::string path;
    std::optional<std::uint64_t> bytes;  // its size as the run began; none when not measurable
    ReadResult read;  // not Read: skipped, or cut short when opened
    // The matches that ended in it and were counted.
    std::uint64_t matches = 0;
};

// The seed the featured player was drawn with.
struct DrawSeed {
    std::uint32_t seed = 0;
    bool given = false;  // by whoever started the run (stats --seed); else the run's time
};

// What the document says of the run beside the tables.
struct RunFacts {
    std::time_t made = 0;  // the time the pages show
    std::vector<RunLogFile> logFiles;
    DrawSeed seed;
    // Every match counted, in the order the logs hold them, as the text of
    // the document's "matches" in pieces (MatchesJson).
    std::vector<std::string> matches;
};

// The document's matches, written one by one as the reader finishes them
// (a MatchRecorder's sink): a run holds its matches as this text, a fifth
// of what their records took, never as records. The text grows in pieces of
// a megabyte, which the document takes over one by one, so that the
// matches are never held twice.
class MatchesJson {
public:
    // The run's log files, which the matches name by their index; they
    // must outlive this object.
    explicit MatchesJson(const std::vector<RunLogFile>& logFiles) : logFiles_(logFiles) {}

    void Append(const MatchRecord& match);
    // The items so far, separated by commas, for RunFacts::matches.
    std::vector<std::string> Take();

private:
    const std::vector<RunLogFile>& logFiles_;
    std::vector<std::string> pieces_;  // the last zeroed ahead of what is written
    std::size_t used_ = 0;             // of the last piece
    bool any_ = false;
};

// The document as one line of compact JSON and a newline. The tables are
// only read; they must be aggregated (orderings and awards made). The
// pieces of the matches' text are freed as they go into the document, so
// the run is taken by value.
std::string StatsDocument(const StatsTables& tables, const ServerSettings& settings, RunFacts run);

}  // namespace mctf
