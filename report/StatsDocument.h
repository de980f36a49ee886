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
#include <memory>
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
    // Every match counted, in the order the logs hold them, as the items of
    // the document's "matches" (MatchesJson).
    std::string matches;
};

// The document's matches, written one by one as the reader finishes them
// (a MatchRecorder's sink): a run holds its matches as this text, a fifth
// of what their records took, never as records; the document is then made
// in it.
class MatchesJson {
public:
    // `logFiles`: the run's files, which the matches name by their index;
    // they must outlive this object. `logBytes`: their size, by which room
    // is kept for the document (only what is written takes memory), so
    // that it seldom has to move.
    MatchesJson(const std::vector<RunLogFile>& logFiles, std::uint64_t logBytes);

    void Append(const MatchRecord& match);
    // The items so far, separated by commas, for RunFacts::matches.
    std::string Take();

private:
    const std::vector<RunLogFile>& logFiles_;
    std::string text_;
    // Where each match is written first: it stays in the processor's cache,
    // and text_ is written once, not zeroed first.
    std::unique_ptr<char[]> scratch_;
    std::size_t scratchSize_ = 0;
};

// The document as one line of compact JSON and a newline. The tables are
// only read; they must be aggregated (orderings and awards made). The
// document is made in the matches' text, so the run is taken by value.
std::string StatsDocument(const StatsTables& tables, const ServerSettings& settings, RunFacts run);

}  // namespace mctf
