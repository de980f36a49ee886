// Any tables, message of the day and log files through StatsDocument: the
// document must be one line of strict JSON (RFC 8259: no trailing comma, no
// raw control character, no unknown escape, no lone surrogate, no key twice
// in an object, only finite numbers) in valid UTF-8, hold every key the
// schema requires at its top, and say what the tables hold: every text, count
// and rate in its place.
//
// Input, read in this order (FuzzReader: past the end everything is zero):
// the shape (a player count, a byte, 255 for a 16-bit one up to 4096, but
// no more than one for every 32 bytes left; a clan count; a log file
// count, 0..8); per clan a member count (1..16), the members, drawn among
// the players in no clan yet, and its top members; each player's 104 raw
// bytes; each clan's name, tag and home page, raw; the rank order, clan
// order, top lists and awards; motd as a text (its first 128 bytes,
// unterminated when that long); the run's time; per log file a path, a
// byte of flags (size known, outcome, opened), the size, a reason and the
// matches counted in it; each player's PlayerCounts, raw; the seed; and the
// rest of the input as a log, whose lines go through the match handlers and
// a MatchRecorder into the matches of the run (hostile lines: any bytes,
// stamps and numbers, server infos of any length). The raw bytes give every
// field any value: names and clan texts with any byte and no terminator,
// counts huge and negative.
// Where the tables promise more (an order is a permutation, rankPosition is
// a player's place in it, indices name existing records, rates are finite,
// a player is in at most one clan) the input is bent to keep the promise.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FixedText.h"
#include "core/Utf8.h"
#include "fuzz/FuzzSupport.h"
#include "report/ReportEnvironment.h"
#include "report/StatsDocument.h"
#include "stats/LogReader.h"
#include "stats/Rates.h"

namespace {

using namespace mctf;
using mctf::fuzz::FuzzReader;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz_stats_document: %s\n", what.c_str());
    __builtin_trap();
}

// A parsed JSON value; Float only in the expected document, for a rate that
// must read back as that very float.
struct Member;
struct Json {
    enum Kind { Null, False, True, Number, String, Array, Object, Float } kind = Null;
    std::string text;  // a String's decoded value, a Number as written
    float rate = 0;    // a Float
    std::vector<Json> items;
    std::vector<Member> members;  // in document order
};
struct Member {
    std::string key;
    Json value;
};

const Json* Find(const Json& object, std::string_view key) {
    for (const Member& member : object.members)
        if (member.key == key) return &member.value;
    return nullptr;
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xc0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xe0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3f));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    }
}

// RFC 8259 and nothing more. The bytes must be UTF-8 already (IsUtf8); the
// strings are decoded here, \u escapes and surrogate pairs included.
class StrictJson {
public:
    explicit StrictJson(std::string_view text) : s_(text) {}

    // The one value of the text; false with `error` set when it is not JSON.
    bool Parse(Json& out) {
        Space();
        if (!Value(out, 0)) return false;
        Space();
        return i_ == s_.size() || Error("text after the value");
    }
    std::string error;

private:
    bool Error(const std::string& what) {
        if (error.empty()) error = what + " at byte " + std::to_string(i_);
        return false;
    }
    bool At(char c) const { return i_ < s_.size() && s_[i_] == c; }
    bool Digit() const { return i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9'; }
    void Space() {
        while (At(' ') || At('\t') || At('\n') || At('\r')) ++i_;
    }
    bool Word(std::string_view word, Json::Kind kind, Json& out) {
        if (s_.substr(i_, word.size()) != word) return Error("an unknown word");
        i_ += word.size();
        out.kind = kind;
        return true;
    }

    bool Value(Json& out, int depth) {
        if (depth > 64) return Error("values nested too deep");
        if (i_ == s_.size()) return Error("a missing value");
        switch (s_[i_]) {
        case '{':
            return ObjectValue(out, depth);
        case '[':
            return ArrayValue(out, depth);
        case '"':
            out.kind = Json::String;
            return StringValue(out.text);
        case 't':
            return Word("true", Json::True, out);
        case 'f':
            return Word("false", Json::False, out);
        case 'n':
            return Word("null", Json::Null, out);
        default:
            return NumberValue(out);
        }
    }

    bool ObjectValue(Json& out, int depth) {
        out.kind = Json::Object;
        ++i_;
        Space();
        if (At('}')) return ++i_, true;
        for (;;) {
            if (!At('"')) return Error(At('}') ? "a trailing comma" : "a key that is no string");
            Member member;
            if (!StringValue(member.key)) return false;
            if (Find(out, member.key) != nullptr)
                return Error("the key \"" + member.key + "\" twice");
            Space();
            if (!At(':')) return Error("no ':' after a key");
            ++i_;
            Space();
            if (!Value(member.value, depth + 1)) return false;
            out.members.push_back(std::move(member));
            Space();
            if (At('}')) return ++i_, true;
            if (!At(',')) return Error("no ',' or '}' after a member");
            ++i_;
            Space();
        }
    }

    bool ArrayValue(Json& out, int depth) {
        out.kind = Json::Array;
        ++i_;
        Space();
        if (At(']')) return ++i_, true;
        for (;;) {
            if (At(']')) return Error("a trailing comma");
            out.items.emplace_back();
            if (!Value(out.items.back(), depth + 1)) return false;
            Space();
            if (At(']')) return ++i_, true;
            if (!At(',')) return Error("no ',' or ']' after an item");
            ++i_;
            Space();
        }
    }

    bool Hex4(uint32_t& code) {
        if (s_.size() - i_ < 4) return false;
        code = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = s_[i_++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) return false;
            code = code << 4 | static_cast<uint32_t>(digit);
        }
        return true;
    }

    bool StringValue(std::string& out) {
        ++i_;  // the opening quote
        for (;;) {
            if (i_ == s_.size()) return Error("a string left open");
            const unsigned char c = static_cast<unsigned char>(s_[i_]);
            if (c == '"') return ++i_, true;
            if (c < 0x20) return Error("a raw control character in a string");
            ++i_;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (i_ == s_.size()) return Error("a string left open");
            switch (s_[i_++]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                uint32_t code = 0, low = 0;
                if (!Hex4(code)) return Error("a \\u without four hex digits");
                if (code >= 0xdc00 && code <= 0xdfff) return Error("a lone low surrogate");
                if (code >= 0xd800 && code <= 0xdbff) {
                    if (s_.substr(i_, 2) != "\\u") return Error("a lone high surrogate");
                    i_ += 2;
                    if (!Hex4(low) || low < 0xdc00 || low > 0xdfff)
                        return Error("a high surrogate without its low one");
                    code = 0x10000 + ((code - 0xd800) << 10) + (low - 0xdc00);
                }
                AppendUtf8(out, code);
                break;
            }
            default:
                return Error("an invalid escape");
            }
        }
    }

    bool NumberValue(Json& out) {
        const size_t start = i_;
        if (At('-')) ++i_;
        if (At('0')) {
            ++i_;
        } else if (Digit()) {
            while (Digit()) ++i_;
        } else {
            return Error("no value");
        }
        if (At('.')) {
            ++i_;
            if (!Digit()) return Error("no digit after '.'");
            while (Digit()) ++i_;
        }
        if (At('e') || At('E')) {
            ++i_;
            if (At('+') || At('-')) ++i_;
            if (!Digit()) return Error("no digit in an exponent");
            while (Digit()) ++i_;
        }
        out.kind = Json::Number;
        out.text = std::string(s_.substr(start, i_ - start));
        if (!std::isfinite(std::strtod(out.text.c_str(), nullptr)))
            return Error("a number beyond every double");
        return true;
    }

    std::string_view s_;
    size_t i_ = 0;
};

// The expected document, built from the tables by what the schema says.
Json Null() { return {}; }
Json Text(std::string_view bytes) {
    Json value;
    value.kind = Json::String;
    value.text = Utf8FromBytes(bytes);
    return value;
}
template <std::size_t N>
Json Text(const char (&field)[N]) {
    return Text(FixedText(field));
}
template <std::size_t N>
Json TextOrNull(const char (&field)[N]) {
    return FixedText(field).empty() ? Null() : Text(field);
}
Json Number(std::string text) {
    Json value;
    value.kind = Json::Number;
    value.text = std::move(text);
    return value;
}
Json Int(long long number) { return Number(std::to_string(number)); }
Json Rate(float rate) {
    Json value;
    value.kind = Json::Float;
    value.rate = rate;
    return value;
}
Json Bool(bool value) {
    Json json;
    json.kind = value ? Json::True : Json::False;
    return json;
}
Json IntOrNull(const std::optional<int32_t>& number) { return number ? Int(*number) : Null(); }
Json TextOrNull(std::string_view bytes) { return bytes.empty() ? Null() : Text(bytes); }
// An object of members made with M(key, value), moved in, not copied.
Member M(const char* key, Json value) { return {key, std::move(value)}; }
template <class... Members>
Json Object(Members&&... members) {
    Json value;
    value.kind = Json::Object;
    (value.members.push_back(std::forward<Members>(members)), ...);
    return value;
}
Json Array() {
    Json value;
    value.kind = Json::Array;
    return value;
}

template <class... Members>
Json NameAndRank(const StatsTables& t, int player, Members&&... more) {
    return Object(M("name", Text(t.players[player].name)),
                  M("playerRank", Int(t.players[player].rankPosition + 1)),
                  std::forward<Members>(more)...);
}

// {"key":N,...}, or null when not seen.
template <std::size_t N>
Json Counts(bool seen, const char* const (&keys)[N], const int32_t (&counts)[N]) {
    if (!seen) return Null();
    Json object;
    object.kind = Json::Object;
    for (std::size_t k = 0; k < N; ++k) object.members.push_back(M(keys[k], Int(counts[k])));
    return object;
}
constexpr const char* kFlagKeys[] = {"taken", "captured", "returned", "carrierFragged"};
constexpr const char* kAwardKeys[] = {"gauntlet", "excellent", "impressive",
                                      "defence",  "capture",   "assist"};
Json Kills(const int32_t (&weaponKills)[kWeaponCount]) {
    constexpr const char* kKeys[] = {
        "gauntlet", "machinegun", "shotgun", "grenadeLauncher", "rocketLauncher", "lightningGun",
        "railgun",  "plasmaGun",  "bfg",     "telefrag"};
    Json object;
    object.kind = Json::Object;
    for (int w = 0; w < kTelefrag + 1; ++w)
        object.members.push_back(M(kKeys[w], Int(weaponKills[w])));
    object.members.push_back(M("unknown", Int(weaponKills[kUnknownWeapon])));
    return object;
}

Json ExpectedMatch(const MatchRecord& match, const RunFacts& run) {
    Json start;
    if (match.file && *match.file < run.logFiles.size())
        start = Object(M("logFile", Text(run.logFiles[*match.file].path)),
                       M("line", Number(std::to_string(match.line))));
    Json gameType;
    if (match.gameType)
        gameType = Object(M("number", Int(*match.gameType)),
                          M("name", TextOrNull(GameTypeName(*match.gameType))));
    Json players = Array();
    for (const MatchPlayer& p : match.players) {
        constexpr const char* kTeams[] = {"free", "red", "blue", "spectator"};
        const bool team = p.team >= kTeamFree && p.team <= kTeamSpectator;
        players.items.push_back(Object(
            M("slot", Int(p.slot)), M("name", Text(p.name)),
            M("rawName", Text(std::string_view(p.rawName).substr(0, kRawNameSize - 1))),
            M("team", team ? Text(kTeams[p.team - kTeamFree]) : Null()), M("frags", Int(p.frags)),
            M("deaths", Int(p.deaths)), M("suicides", Int(p.weaponKills[kSuicide])),
            M("teamKills", Int(p.teamKills)), M("kills", Kills(p.weaponKills)),
            M("secondsPlayed", Int(p.secondsPlayed)), M("score", IntOrNull(p.score)),
            M("flagEvents", Counts(match.flagEventsSeen, kFlagKeys, p.flagEvents)),
            M("awards", Counts(match.awardsSeen, kAwardKeys, p.awards))));
    }
    return Object(M("start", std::move(start)), M("timestamp", TextOrNull(match.timestamp)),
                  M("hostname", TextOrNull(match.hostname)), M("map", TextOrNull(match.map)),
                  M("gameType", std::move(gameType)),
                  M("limits", Object(M("fraglimit", IntOrNull(match.fragLimit)),
                                     M("timelimit", IntOrNull(match.timeLimit)),
                                     M("capturelimit", IntOrNull(match.captureLimit)))),
                  M("durationSeconds", Int(match.durationSeconds)),
                  M("endedBy", Text(match.exited ? "Exit" : "ShutdownGame")),
                  M("exitReason", match.exited ? Text(match.exitReason) : Null()),
                  M("teamScores",
                    match.redScore && match.blueScore
                        ? Object(M("red", Int(*match.redScore)), M("blue", Int(*match.blueScore)))
                        : Null()),
                  M("players", std::move(players)));
}

int ClanOf(const StatsTables& t, int player) {
    for (int c = 0; c < t.clanCount; ++c)
        for (int m = 0; m < t.clans[c].memberCount; ++m)
            if (t.clans[c].members[m] == player) return c;
    return kNoClan;
}

Json ExpectedDocument(const StatsTables& t, const ServerSettings& settings, const RunFacts& run,
                      const std::vector<MatchRecord>& records) {
    Json files = Array();
    for (const RunLogFile& file : run.logFiles) {
        const bool read = file.read.outcome == ReadOutcome::Read;
        const char* how = read ? "complete" : file.read.opened ? "cutShort" : "skipped";
        files.items.push_back(
            Object(M("path", Text(file.path)),
                   M("bytes", file.bytes ? Number(std::to_string(*file.bytes)) : Null()),
                   M("read", Text(how)), M("reason", read ? Null() : Text(file.read.reason)),
                   M("matches", Number(std::to_string(file.matches)))));
    }
    const Awards& a = t.awards;
    Json featured;
    if (t.playerCount > 0 && a.featured >= 0) {
        Json clan;
        if (a.featuredClan != kNoClan) {
            const ClanStats& c = t.clans[a.featuredClan];
            clan = Object(M("tag", Text(c.tag)), M("name", TextOrNull(c.clanName)),
                          M("homePage", TextOrNull(c.homePage)));
        }
        featured = NameAndRank(
            t, a.featured, M("fragsPerHour", Rate(t.players[a.featured].fragsPerHour)),
            M("favoriteWeapon", Text(WeaponNames[a.favoriteWeapon])), M("clan", std::move(clan)));
    }
    Json awards;
    if (t.playerCount > 0) {
        auto award = [&](const char* title, const RateLeader& leader) {
            return NameAndRank(t, leader.player, M("title", Text(title)),
                               M("perHour", Rate(leader.rate)));
        };
        awards = Object(M("topRailer", award("Hugest Cack", a.topRailer)),
                        M("mostSuicides", award("Biggest Dumbass", a.mostSuicides)),
                        M("mostBfgKills", award("Biggest Lamer", a.mostBfgKills)));
    }

    std::vector<int> clanOf(static_cast<size_t>(t.playerCount), kNoClan);
    for (int c = 0; c < t.clanCount; ++c)
        for (int m = 0; m < t.clans[c].memberCount; ++m) clanOf[t.clans[c].members[m]] = c;
    Json players = Array();
    for (int i = 0; i < t.playerCount; ++i) {
        const int p = t.rankOrder[i];
        const PlayerStats& player = t.players[p];
        auto perHour = [&](int counter) { return Rate(KillsPerHour(player, counter)); };
        const PlayerCounts& counts = t.playerCounts[p];
        players.items.push_back(Object(
            M("rank", Int(i + 1)), M("name", Text(player.name)),
            M("clanTag", clanOf[p] == kNoClan ? Null() : Text(t.clans[clanOf[p]].tag)),
            M("frags", Int(player.frags)), M("suicides", Int(player.weaponKills[kSuicide])),
            M("secondsPlayed", Int(player.secondsPlayed)),
            M("fragsPerHour", Rate(player.fragsPerHour)), M("suicidesPerHour", perHour(kSuicide)),
            M("killsPerHour",
              Object(M("gauntlet", perHour(kGauntlet)), M("machinegun", perHour(kMachinegun)),
                     M("shotgun", perHour(kShotgun)),
                     M("grenadeLauncher", perHour(kGrenadeLauncher)),
                     M("rocketLauncher", perHour(kRocketLauncher)),
                     M("lightningGun", perHour(kLightningGun)), M("railgun", perHour(kRailgun)),
                     M("plasmaGun", perHour(kPlasmaGun)), M("bfg", perHour(kBfg)),
                     M("telefrag", perHour(kTelefrag)), M("unknown", perHour(kUnknownWeapon)))),
            M("rawName", Text(counts.rawName)), M("deaths", Int(counts.deaths)),
            M("teamKills", Int(counts.teamKills)), M("matchesPlayed", Int(counts.matches)),
            M("kills", Kills(player.weaponKills)),
            M("flagEvents", Counts(counts.flagEventsSeen, kFlagKeys, counts.flagEvents)),
            M("awards", Counts(counts.awardsSeen, kAwardKeys, counts.awards))));
    }
    auto topList = [&](const uint16_t* order, int counter) {
        Json list = Array();
        for (int i = 0; i < std::min(t.playerCount, kTopListCapacity); ++i)
            list.items.push_back(
                NameAndRank(t, order[i], M("rank", Int(i + 1)),
                            M("perHour", Rate(KillsPerHour(t.players[order[i]], counter)))));
        return list;
    };
    Json clans = Array();
    for (int i = 0; i < t.clanCount; ++i) {
        const ClanStats& clan = t.clans[t.clanOrder[i]];
        Json members = Array(), top = Array(), topNames = Array();
        for (int m = 0; m < clan.memberCount; ++m) {
            const PlayerStats& player = t.players[clan.members[m]];
            members.items.push_back(NameAndRank(
                t, clan.members[m], M("fragsPerHour", Rate(player.fragsPerHour)),
                M("railgunPerHour", Rate(KillsPerHour(player, kRailgun))),
                M("rocketLauncherPerHour", Rate(KillsPerHour(player, kRocketLauncher)))));
        }
        for (int m = 0; m < std::min(clan.memberCount, kClanTopMembers); ++m) {
            top.items.push_back(Int(t.players[clan.topMembers[m]].rankPosition + 1));
            topNames.items.push_back(Text(t.players[clan.topMembers[m]].name));
        }
        clans.items.push_back(Object(
            M("rank", Int(i + 1)), M("tag", Text(clan.tag)), M("name", TextOrNull(clan.clanName)),
            M("homePage", TextOrNull(clan.homePage)), M("members", std::move(members)),
            M("topMembers", std::move(top)), M("topMemberNames", std::move(topNames))));
    }
    Json matches = Array();
    for (const MatchRecord& match : records) matches.items.push_back(ExpectedMatch(match, run));
    return Object(M("$schema", Text(kStatsSchemaId)),
                  M("run", Object(M("madeUtc", Text(FormatUtcTime(run.made))),
                                  M("madeLocal", Text(FormatReportDate(run.made))),
                                  M("logFiles", std::move(files)),
                                  M("seed", Number(std::to_string(run.seed.seed))),
                                  M("seedGiven", Bool(run.seed.given)))),
                  M("server", Object(M("messageOfTheDay", Text(settings.motd)),
                                     M("featuredPlayer", std::move(featured)),
                                     M("awards", std::move(awards)))),
                  M("players", std::move(players)),
                  M("topRailers", topList(t.topRailers, kRailgun)),
                  M("topRocketeers", topList(t.topRocketeers, kRocketLauncher)),
                  M("clans", std::move(clans)), M("matches", std::move(matches)));
}

// Where a value lies in the document, made into text only for a finding.
struct Place {
    const Place* parent;
    const char* key;  // or, when null, `index` in an array
    size_t index;

    std::string Text() const {
        const std::string here = key ? std::string(".") + key : "[" + std::to_string(index) + "]";
        return parent ? parent->Text() + here : "document";
    }
};

// Where `got` first differs from `want` ("document.players[3].name ...");
// empty when nowhere. Members are matched by key, whatever their order.
std::string Difference(const Json& got, const Json& want, const Place& at) {
    if (want.kind == Json::Float) {
        if (got.kind != Json::Number) return at.Text() + " is no number";
        if (std::strtof(got.text.c_str(), nullptr) != want.rate)
            return at.Text() + ": " + got.text + " does not read back as " +
                   std::to_string(want.rate);
        return {};
    }
    if (got.kind != want.kind) return at.Text() + " is of another type";
    if (got.text != want.text)
        return at.Text() + ": [" + got.text + "] instead of [" + want.text + "]";
    if (got.items.size() != want.items.size()) return at.Text() + " has another number of items";
    for (size_t i = 0; i < got.items.size(); ++i)
        if (std::string d = Difference(got.items[i], want.items[i], {&at, nullptr, i}); !d.empty())
            return d;
    if (got.members.size() != want.members.size()) return at.Text() + " has another number of keys";
    for (const Member& member : want.members) {
        const Json* value = Find(got, member.key);
        if (value == nullptr) return at.Text() + " has no key " + member.key;
        if (std::string d = Difference(*value, member.value, {&at, member.key.c_str(), 0});
            !d.empty())
            return d;
    }
    return {};
}

// The top-level keys the schema requires, read from the schema itself.
const std::vector<std::string>& RequiredKeys() {
    static const std::vector<std::string> keys = [] {
        const char* path = MCTF_SOURCE_DIR "/report/stats.schema.json";
        std::ifstream file(path, std::ios::binary);
        const std::string text(std::istreambuf_iterator<char>(file), {});
        Json schema;
        StrictJson parser(text);
        if (!file || !parser.Parse(schema))
            Fail(std::string("cannot read ") + path + ": " + parser.error);
        const Json* required = Find(schema, "required");
        if (required == nullptr || required->items.empty()) Fail("the schema requires no key");
        std::vector<std::string> names;
        for (const Json& name : required->items) names.push_back(name.text);
        return names;
    }();
    return keys;
}

// A random order of 0..count-1, drawn from the input.
template <class Index>
void Permutation(FuzzReader& in, Index* order, int count) {
    std::iota(order, order + count, Index{0});
    for (int i = 0; i + 1 < count; ++i)
        std::swap(order[i], order[i + in.Raw<uint16_t>() % (count - i)]);
}

float FiniteOr(float rate, float otherwise) { return std::isfinite(rate) ? rate : otherwise; }

void Fill(FuzzReader& in, StatsTables& t, ServerSettings& settings, RunFacts& run) {
    // The shape first, so that short inputs have players, clans and files.
    int count = in.Byte();
    if (count == 255) count = in.Raw<uint16_t>() % (kPlayerCapacity + 1);
    // Big tables make slow runs: one player for every 32 bytes of input at most.
    count = std::min(count, static_cast<int>(in.Left() / 32));
    t.playerCount = count;
    const int clans = in.Byte();
    run.logFiles.resize(in.Byte() % 9);

    // Clan members: a count, then each drawn among the players in no clan yet.
    std::vector<int> unclanned(static_cast<size_t>(count));
    std::iota(unclanned.begin(), unclanned.end(), 0);
    t.clanCount = 0;
    while (t.clanCount < clans && !unclanned.empty()) {
        ClanStats& clan = t.clans[t.clanCount++];
        const int members =
            std::min<int>(1 + in.Byte() % kClanMemberCapacity, static_cast<int>(unclanned.size()));
        clan.memberCount = members;
        std::fill(std::begin(clan.members), std::end(clan.members), -1);
        for (int m = 0; m < members; ++m) {
            const size_t pick = in.Byte() % unclanned.size();
            clan.members[m] = unclanned[pick];
            unclanned.erase(unclanned.begin() + static_cast<std::ptrdiff_t>(pick));
        }
        for (int k = 0; k < std::min(members, kClanTopMembers); ++k)
            clan.topMembers[k] = clan.members[in.Byte() % members];
    }

    for (int p = 0; p < count; ++p) {
        PlayerStats& player = t.players[p];
        in.Bytes(&player, sizeof player);
        player.fragsPerHour =
            FiniteOr(player.fragsPerHour, RatePerHour(player.frags, player.secondsPlayed));
    }
    for (int c = 0; c < t.clanCount; ++c) {  // the texts: any bytes, unterminated too
        ClanStats& clan = t.clans[c];
        in.Bytes(clan.clanName, sizeof clan.clanName);
        in.Bytes(clan.tag, sizeof clan.tag);
        in.Bytes(clan.homePage, sizeof clan.homePage);
    }
    Permutation(in, t.rankOrder, count);
    for (int i = 0; i < count; ++i)
        t.players[t.rankOrder[i]].rankPosition = static_cast<int16_t>(i);
    Permutation(in, t.clanOrder, t.clanCount);
    for (int i = 0; i < std::min(count, kTopListCapacity); ++i) {
        t.topRailers[i] = static_cast<uint16_t>(in.Raw<uint16_t>() % count);
        t.topRocketeers[i] = static_cast<uint16_t>(in.Raw<uint16_t>() % count);
    }
    Awards& a = t.awards;
    const int32_t featured = in.Raw<int32_t>();
    a.featured = count == 0 || featured < 0 ? -1 : featured % count;
    a.featuredClan = a.featured < 0 ? kNoClan : ClanOf(t, a.featured);
    a.favoriteWeapon = in.Byte() % kWeaponCount;
    for (RateLeader* leader : {&a.topRailer, &a.mostSuicides, &a.mostBfgKills}) {
        leader->player = count == 0 ? 0 : in.Raw<uint16_t>() % count;
        leader->rate = FiniteOr(in.Raw<float>(), 0.0f);
    }

    const std::string motd = in.Text();  // 128 bytes or more fill the field, unterminated
    std::memset(settings.motd, 0, sizeof settings.motd);
    std::memcpy(settings.motd, motd.data(), std::min(motd.size(), sizeof settings.motd));
    run.made = static_cast<std::time_t>(in.Raw<int64_t>());
    for (RunLogFile& file : run.logFiles) {
        file.path = in.Text();
        const uint8_t flags = in.Byte();
        const uint64_t bytes = in.Raw<uint64_t>();
        file.bytes = flags & 1 ? std::optional<uint64_t>(bytes) : std::nullopt;
        const int outcome = flags >> 1 & 3;
        file.read.outcome = outcome == 1   ? ReadOutcome::Absent
                            : outcome == 2 ? ReadOutcome::Unreadable
                                           : ReadOutcome::Read;
        file.read.opened = flags & 8;
        file.read.reason = in.Text();
        file.matches = in.Raw<uint64_t>();
    }
    for (int p = 0; p < count; ++p) {
        PlayerCounts& counts = t.playerCounts[p];
        in.Bytes(&counts, sizeof counts);
        // Any byte but 0 and 1 is no bool.
        counts.flagEventsSeen = reinterpret_cast<const uint8_t&>(counts.flagEventsSeen) & 1;
        counts.awardsSeen = reinterpret_cast<const uint8_t&>(counts.awardsSeen) & 1;
    }
    run.seed = {in.Raw<uint32_t>(), (in.Byte() & 1) != 0};
}

// The rest of the input as a log, line by line as the reader cuts them,
// through the handlers and a MatchRecorder.
std::vector<MatchRecord> RecordMatches(FuzzReader& in, StatsTables& tables) {
    std::string log(in.Left(), '\0');
    in.Bytes(log.data(), log.size());
    ResetLogTables(tables);
    tables.documentCounts = true;
    std::vector<MatchRecord> matches;
    MatchRecorder recorder([&](const MatchRecord& match) { matches.push_back(match); });
    recorder.BeginFile(log.size() % 3);  // a file the run may not have
    std::string_view rest = log;
    for (uint64_t number = 1;; ++number) {
        const std::size_t newline = rest.find('\n');
        if (newline == std::string_view::npos) break;
        const std::string_view line = rest.substr(0, newline);
        const uint64_t counted = tables.matchesCounted;
        const bool started = DispatchDocumentLine(tables, line.substr(0, kLogLineLimit));
        recorder.AfterLine(tables, line.substr(0, kWholeLineLimit), number, started,
                           tables.matchesCounted != counted);
        rest.remove_prefix(newline + 1);
    }
    recorder.Finish();
    return matches;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto tables = std::make_unique<StatsTables>();
    static auto logTables = std::make_unique<StatsTables>();
    FuzzReader in(data, size);
    ServerSettings settings = DefaultSettings;
    RunFacts run;
    Fill(in, *tables, settings, run);
    const std::vector<MatchRecord> records = RecordMatches(in, *logTables);
    MatchesJson matches(run.logFiles, size);
    for (const MatchRecord& match : records) matches.Append(match);
    run.matches = matches.Take();

    const std::string document = StatsDocument(*tables, settings, run);

    if (document.empty() || document.find('\n') != document.size() - 1)
        Fail("the document is not one line and a newline");
    if (!IsUtf8(document)) Fail("the document is not UTF-8");
    Json parsed;
    StrictJson parser(document);
    if (!parser.Parse(parsed)) Fail("the document is not JSON: " + parser.error);
    if (parsed.kind != Json::Object) Fail("the document is not an object");
    for (const std::string& key : RequiredKeys())
        if (Find(parsed, key) == nullptr) Fail("the document has no " + key);
    if (const std::string difference = Difference(
            parsed, ExpectedDocument(*tables, settings, run, records), {nullptr, nullptr, 0});
        !difference.empty())
        Fail(difference);
    return 0;
}
