// MatchRecords: every match a run counted, one record each, for the JSON
// document.
//
// A MatchRecorder follows the reader line by line beside the match handlers.
// It reads the server info of each "InitGame:" line whole, past the 511
// characters the handlers see (g_timestamp often lies there), and when a
// line has counted a match it copies what the match end merged, slot by
// slot, into a record: the same figures the players' totals received, so
// that a player's records add up to the player's totals. The lines after an
// "Exit:", up to the next "ShutdownGame:" or "InitGame:", give the record
// its final scores ("score:") and team scores ("red:N  blue:M"); then it is
// finished and handed on, and the recorder keeps none: the document takes
// each as text at once, which is far smaller than thousands of records. A
// match that never ended was not counted and has no record. Only a run that
// makes the JSON document records; the pages never need it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "stats/StatsTables.h"

namespace mctf {

// A slot the match end counted.
struct MatchPlayer {
    int32_t slot = 0;
    char name[kPlayerNameSize] = {};  // cleaned: the player's key
    std::string rawName;              // as the log writes it
    int32_t team = kNoTeam;           // a SlotTeam, as the match ended
    int32_t frags = 0;
    int32_t deaths = 0;
    int32_t teamKills = 0;
    int32_t secondsPlayed = 0;
    int32_t weaponKills[kWeaponCount] = {};  // index kSuicide: suicides
    int32_t flagEvents[kFlagEventCount] = {};
    int32_t awards[kAwardCount] = {};
    std::optional<int32_t> score;  // from its "score:" line
};

struct MatchRecord {
    // Where its "InitGame:" line lies: the index of the log file among the
    // run's files and the line's number, from 1. No file when the run began
    // in the middle of the match.
    std::optional<std::size_t> file;
    std::uint64_t line = 0;
    // From the server info, as bytes; empty or none where it does not say.
    std::string timestamp;            // g_timestamp
    std::string hostname;             // sv_hostname
    std::string map;                  // mapname
    std::optional<int32_t> gameType;  // g_gametype
    std::optional<int32_t> fragLimit;
    std::optional<int32_t> timeLimit;
    std::optional<int32_t> captureLimit;
    // From the stamp of "InitGame:" (or 0:00) to that of the counted end.
    int32_t durationSeconds = 0;
    bool exited = false;     // ended by "Exit:"; else by "ShutdownGame:"
    std::string exitReason;  // the text after "Exit:"
    std::optional<int32_t> redScore;
    std::optional<int32_t> blueScore;
    bool flagEventsSeen = false;       // the match had "CTF:" lines
    bool awardsSeen = false;           // the match had "Award:" lines
    std::vector<MatchPlayer> players;  // by slot
};

// Takes each finished record, in the order the logs hold the matches.
using MatchSink = std::function<void(const MatchRecord& match)>;

class MatchRecorder {
public:
    explicit MatchRecorder(MatchSink finished) : finished_(std::move(finished)) {}

    // Before the lines of the run's `file`-th log file.
    void BeginFile(std::size_t file) { file_ = file; }

    // After the handlers have had line `number` of the file: `whole` is the
    // line read whole (up to kWholeLineLimit characters), `started` whether
    // it started a match, `counted` whether it counted one.
    void AfterLine(const StatsTables& tables, std::string_view whole, std::uint64_t number,
                   bool started, bool counted) {
        if (started || counted || open_) Record(tables, whole, number, started, counted);
    }

    // After the last line: hands on the match still taking its scores.
    void Finish();

private:
    void Record(const StatsTables& tables, std::string_view whole, std::uint64_t number,
                bool started, bool counted);
    void Start(std::string_view fields, int32_t stamp, std::uint64_t number);
    void Count(const StatsTables& tables, std::string_view keyword, std::string_view fields,
               int32_t stamp);
    void Score(std::string_view text);

    MatchSink finished_;
    std::size_t file_ = 0;
    // The running match as its "InitGame:" line described it.
    MatchRecord start_;
    bool started_ = false;
    int32_t startStamp_ = 0;
    // The last match counted, while it takes score: and red: lines.
    MatchRecord last_;
    bool open_ = false;
};

}  // namespace mctf
