#include "stats/Clans.h"

#include <cstring>

#include "core/FixedText.h"

namespace mctf {

namespace {

// Delimiters from first to last may span at most this many characters.
constexpr std::size_t kLongestTagSpan = 7;

bool IsTagDelimiter(char c) { return c == '[' || c == ']' || c == '{' || c == '}' || c == '|'; }

// The tag a name carries; empty when it carries none.
std::string_view TagOfName(std::string_view name) {
    std::size_t first = std::string_view::npos;
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (!IsTagDelimiter(name[i])) continue;
        if (first == std::string_view::npos) first = i;
        last = i;
    }
    if (last == std::string_view::npos) return {};
    if (last - first + 1 > kLongestTagSpan) return {};
    if (first < last) return name.substr(first + 1, last - first - 1);
    std::string_view before = name.substr(0, first);
    std::string_view after = name.substr(first + 1);
    std::string_view tag = before.size() <= after.size() ? before : after;
    // One long word on the shorter side is no tag the clan table can hold.
    if (tag.size() > kClanTagSize - 1) return {};
    return tag;
}

}  // namespace

bool JoinClan(StatsTables& tables, int player, std::string_view tag) {
    for (int i = 0; i < tables.clanCount; ++i) {
        ClanStats& clan = tables.clans[i];
        if (FixedText(clan.tag) != tag) continue;
        if (clan.memberCount >= kClanMemberCapacity) return true;
        clan.members[clan.memberCount] = player;
        ++clan.memberCount;
        if (clan.memberCount < kClanMemberCapacity) clan.members[clan.memberCount] = -1;
        return true;
    }
    return false;
}

void AssignClan(StatsTables& tables, int player, std::string_view name) {
    std::string_view tag = TagOfName(name);
    if (tag.empty()) return;
    if (JoinClan(tables, player, tag)) return;
    if (tables.clanCount >= kClanCapacity) return;
    ClanStats& clan = tables.clans[tables.clanCount];
    std::memset(static_cast<void*>(&clan), 0, sizeof clan);
    SetFixedText(clan.tag, tag);
    clan.members[0] = player;
    clan.members[1] = -1;
    clan.memberCount = 1;
    ++tables.clanCount;
}

}  // namespace mctf
