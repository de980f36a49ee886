#include "stats/MatchRecords.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "core/FixedText.h"
#include "stats/LogFields.h"
#include "stats/Saturating.h"

namespace mctf {
namespace {

std::string_view TrimmedEnd(std::string_view text) {
    while (!text.empty() && IsLogSpace(text.back())) text.remove_suffix(1);
    return text;
}

// A value of the server info that is a number and nothing else.
std::optional<int32_t> InfoNumber(std::string_view value) {
    FieldCursor cursor(value);
    int32_t number = 0;
    if (!cursor.ReadInt(number)) return std::nullopt;
    cursor.SkipSpace();
    if (cursor.pos != cursor.end) return std::nullopt;
    return number;
}

// `label` after optional white space ("ping:", "red:").
bool ReadLabel(FieldCursor& cursor, std::string_view label) {
    cursor.SkipSpace();
    if (static_cast<std::size_t>(cursor.end - cursor.pos) < label.size() ||
        std::string_view(cursor.pos, label.size()) != label) {
        return false;
    }
    cursor.pos += label.size();
    return true;
}

}  // namespace

void MatchRecorder::Record(const StatsTables& tables, std::string_view whole, std::uint64_t number,
                           bool started, bool counted) {
    FieldCursor cursor(whole);
    int32_t stamp = 0;
    if (!ReadStamp(cursor, stamp)) return;
    cursor.SkipSpace();
    const std::string_view text(cursor.pos, static_cast<std::size_t>(cursor.end - cursor.pos));
    std::string_view keyword;
    if (!cursor.ReadWord(keyword)) return;
    if (started || counted || keyword == "ShutdownGame:") Finish();
    if (!started && !counted) {
        if (open_) Score(text);
        return;
    }
    // A NUL ends the text, as it does for the handlers.
    std::string_view fields(cursor.pos, static_cast<std::size_t>(cursor.end - cursor.pos));
    fields = TrimmedEnd(fields.substr(0, fields.find('\0')));
    if (started) {
        Start(fields, stamp, number);
    } else {
        Count(tables, keyword, fields, stamp);
    }
}

void MatchRecorder::Finish() {
    if (!open_) return;
    open_ = false;
    finished_(last_);
}

void MatchRecorder::Start(std::string_view info, int32_t stamp, std::uint64_t number) {
    start_ = MatchRecord{};
    start_.file = file_;
    start_.line = number;
    // The server info runs to the end of the line.
    FieldCursor cursor(info);
    cursor.SkipSpace();
    info = std::string_view(cursor.pos, static_cast<std::size_t>(cursor.end - cursor.pos));
    VisitInfo(info, [this](std::string_view key, std::string_view value) {
        if (key == "g_timestamp") start_.timestamp = value;
        if (key == "sv_hostname") start_.hostname = value;
        if (key == "mapname") start_.map = value;
        if (key == "g_gametype") start_.gameType = InfoNumber(value);
        if (key == "fraglimit") start_.fragLimit = InfoNumber(value);
        if (key == "timelimit") start_.timeLimit = InfoNumber(value);
        if (key == "capturelimit") start_.captureLimit = InfoNumber(value);
        return true;
    });
    started_ = true;
    startStamp_ = stamp;
}

void MatchRecorder::Count(const StatsTables& tables, std::string_view keyword,
                          std::string_view fields, int32_t stamp) {
    MatchRecord record;
    int32_t from = 0;
    if (started_) {
        record = std::move(start_);
        from = startStamp_;
        started_ = false;
    }
    record.durationSeconds = SaturateToInt32(std::max<int64_t>(0, int64_t{stamp} - from));
    record.exited = keyword == "Exit:";
    if (record.exited) {
        FieldCursor reason(fields);
        reason.SkipSpace();
        record.exitReason.assign(reason.pos, reason.end);
    }
    record.flagEventsSeen = tables.matchFlagEvents;
    record.awardsSeen = tables.matchAwards;
    for (int slot = 0; slot < kMatchSlotCount; ++slot) {
        const PlayerCounts& counts = tables.slotCounts[slot];
        if (counts.mergedInto < 0) continue;
        const PlayerStats& stats = tables.matchSlots[slot];
        MatchPlayer& player = record.players.emplace_back();
        player.slot = slot;
        std::memcpy(player.name, tables.players[counts.mergedInto].name, sizeof player.name);
        player.rawName = FixedText(counts.rawName);
        player.team = counts.team;
        player.frags = stats.frags;
        player.deaths = counts.deaths;
        player.teamKills = counts.teamKills;
        player.secondsPlayed = SaturateToInt32(int64_t{stats.leaveTime} - stats.joinTime);
        std::memcpy(player.weaponKills, stats.weaponKills, sizeof player.weaponKills);
        std::memcpy(player.flagEvents, counts.flagEvents, sizeof player.flagEvents);
        std::memcpy(player.awards, counts.awards, sizeof player.awards);
    }
    // Its scores follow an Exit.
    if (record.exited) {
        last_ = std::move(record);
        open_ = true;
    } else {
        finished_(record);
    }
}

void MatchRecorder::Score(std::string_view text) {
    FieldCursor cursor(text);
    int32_t first = 0;
    int32_t second = 0;
    int32_t slot = 0;
    if (ReadLabel(cursor, "score:")) {
        if (!cursor.ReadInt(first) || !ReadLabel(cursor, "ping:") || !cursor.ReadInt(second) ||
            !ReadLabel(cursor, "client:") || !cursor.ReadInt(slot)) {
            return;
        }
        for (MatchPlayer& player : last_.players)
            if (player.slot == slot) player.score = first;
    } else if (ReadLabel(cursor, "red:") && cursor.ReadInt(first) && ReadLabel(cursor, "blue:") &&
               cursor.ReadInt(second)) {
        last_.redScore = first;
        last_.blueScore = second;
    }
}

}  // namespace mctf
