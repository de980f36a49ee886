#include "report/StatsDocument.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <vector>

#include "core/FixedText.h"
#include "core/ServerSettings.h"
#include "core/Utf8.h"
#include "report/ReportEnvironment.h"
#include "stats/Rates.h"

namespace mctf {
namespace {

// Keys in the order written; numbers of the float type, so that a rate is
// written in the fewest digits that give back the tables' float.
using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool,
                                  std::int64_t, std::uint64_t, float>;

// The keys of killsPerHour, by weaponKills counter; suicides have keys of
// their own beside frags.
struct WeaponKey {
    int counter;
    std::string_view key;
};
constexpr WeaponKey kWeaponKeys[] = {
    {kGauntlet, "gauntlet"},
    {kMachinegun, "machinegun"},
    {kShotgun, "shotgun"},
    {kGrenadeLauncher, "grenadeLauncher"},
    {kRocketLauncher, "rocketLauncher"},
    {kLightningGun, "lightningGun"},
    {kRailgun, "railgun"},
    {kPlasmaGun, "plasmaGun"},
    {kBfg, "bfg"},
    {kTelefrag, "telefrag"},
    {kUnknownWeapon, "unknown"},
};

// The keys of flagEvents and awards, by the numbers of CTF: and Award: lines.
constexpr std::string_view kFlagEventKeys[kFlagEventCount] = {"taken", "captured", "returned",
                                                              "carrierFragged"};
constexpr std::string_view kAwardKeys[kAwardCount] = {"gauntlet", "excellent", "impressive",
                                                      "defence",  "capture",   "assist"};

// The names of SlotTeam, from kTeamFree on.
constexpr std::string_view kTeamNames[] = {"free", "red", "blue", "spectator"};

template <std::size_t N>
Json Text(const char (&field)[N]) {
    return Utf8FromBytes(FixedText(field));
}

// An empty field is a text the clan list did not give.
template <std::size_t N>
Json TextOrNull(const char (&field)[N]) {
    return FixedText(field).empty() ? Json() : Text(field);
}

int PlayerRank(const PlayerStats& player) { return player.rankPosition + 1; }

// An object of these keys, every value null: a row whose values are then
// set anew for every row, through references to their slots.
Json RowOf(std::initializer_list<const char*> keys) {
    Json row = Json::object();
    for (const char* key : keys) row[key] = nullptr;
    return row;
}

// Sets a slot to a text of the tables, reusing the string it holds.
template <std::size_t N>
void SetText(Json& slot, const char (&field)[N]) {
    if (!slot.is_string()) slot = std::string();
    AssignUtf8FromBytes(slot.get_ref<std::string&>(), FixedText(field));
}

// A text the clan list may not have given: null when empty.
template <std::size_t N>
void SetTextOrNull(Json& slot, const char (&field)[N]) {
    if (FixedText(field).empty()) {
        slot = nullptr;
    } else {
        SetText(slot, field);
    }
}

// A player named in a list: name and rank, to find the player's row by.
void SetPlayer(Json& row, const PlayerStats& player) {
    row["name"] = Text(player.name);
    row["playerRank"] = PlayerRank(player);
}

// Writes JSON text through a pointer into a buffer made large enough
// beforehand (TextBound, kIntBound): the matches can run to tens of
// megabytes, where an append (or a library value) per figure cost several
// times what the writing does.
class JsonCursor {
public:
    explicit JsonCursor(char* at) : p_(at) {}
    char* End() const { return p_; }

    // The most characters Text writes for `bytes`: \u00XX for a byte.
    static std::size_t TextBound(std::string_view bytes) { return 6 * bytes.size() + 2; }
    // The most characters any figure takes, sign included.
    static constexpr std::size_t kIntBound = 20;

    template <std::size_t N>
    void Put(const char (&text)[N]) {
        std::memcpy(p_, text, N - 1);
        p_ += N - 1;
    }
    void Put(std::string_view text) {
        std::memcpy(p_, text.data(), text.size());
        p_ += text.size();
    }
    void Int(std::int64_t number) { p_ = std::to_chars(p_, p_ + kIntBound, number).ptr; }
    void IntOrNull(const std::optional<std::int32_t>& number) {
        if (number) {
            Int(*number);
        } else {
            Put("null");
        }
    }
    // Bytes as a JSON string, by the rule of Utf8FromBytes.
    void Text(std::string_view bytes) {
        *p_++ = '"';
        const bool plain = std::all_of(bytes.begin(), bytes.end(), [](char c) {
            return c >= 0x20 && c < 0x7f && c != '"' && c != '\\';
        });
        if (plain) {
            Put(bytes);
        } else {
            for (char c : Utf8FromBytes(bytes)) Escaped(c);
        }
        *p_++ = '"';
    }
    void TextOrNull(std::string_view bytes) {
        if (bytes.empty()) {
            Put("null");
        } else {
            Text(bytes);
        }
    }
    // {"key":N,...} of counters in the order of `keys`.
    template <std::size_t N>
    void Counts(const std::string_view (&keys)[N], const std::int32_t (&counts)[N]) {
        for (std::size_t k = 0; k < N; ++k) {
            Put(k == 0 ? std::string_view("{\"") : std::string_view(",\""));
            Put(keys[k]);
            Put("\":");
            Int(counts[k]);
        }
        *p_++ = '}';
    }
    // The same, or null when the log did not say.
    template <std::size_t N>
    void CountsOrNull(bool seen, const std::string_view (&keys)[N],
                      const std::int32_t (&counts)[N]) {
        if (seen) {
            Counts(keys, counts);
        } else {
            Put("null");
        }
    }
    // {"gauntlet":N,...}: kills by weapon.
    void Kills(const std::int32_t (&weaponKills)[kWeaponCount]) {
        std::string_view separator = "{\"";
        for (const WeaponKey& weapon : kWeaponKeys) {
            Put(separator);
            Put(weapon.key);
            Put("\":");
            Int(weaponKills[weapon.counter]);
            separator = ",\"";
        }
        *p_++ = '}';
    }

private:
    void Escaped(char c) {
        static constexpr char kHex[] = "0123456789abcdef";
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            *p_++ = '\\';
            *p_++ = c;
        } else if (byte < 0x20) {
            Put("\\u00");
            *p_++ = kHex[byte >> 4];
            *p_++ = kHex[byte & 0xf];
        } else {
            *p_++ = c;
        }
    }

    char* p_;
};

// The document goes out as it is made. The library serialises every row
// (each key, text and number); the rows of the long lists are joined here,
// one at a time, and each list reuses one row object. A tree of the whole
// document (some 200,000 values for full tables) cost more to build and
// free than to write: with it, --json made a run a sixth slower.
class DocumentWriter {
public:
    explicit DocumentWriter(std::size_t expectedBytes) { out_.reserve(expectedBytes); }

    // The next key of the top-level object; the value follows.
    void Key(const char* key) {
        out_ += out_.empty() ? '{' : ',';
        out_ += Json(key).dump();
        out_ += ':';
    }
    void Value(const Json& value) { out_ += value.dump(); }
    void BeginList() { out_ += '['; }
    void ListRow(const Json& row) {
        if (out_.back() != '[') out_ += ',';
        out_ += row.dump();
    }
    void EndList() { out_ += ']'; }
    std::string Take() { return std::move(out_); }

    // Takes back the closing brace of the object just written, for more
    // keys to follow.
    void ReopenObject() { out_.pop_back(); }
    void Append(std::string_view text) { out_ += text; }

private:
    std::string out_;
};

// The longest the keys of WritePlayerCounts can be.
constexpr std::size_t kPlayerCountsBound = 512 + 32 * JsonCursor::kIntBound + 6 * kRawNameSize;

// The keys of a player's row that version 1 had not, and the row's end.
void WritePlayerCounts(JsonCursor& out, const PlayerStats& player, const PlayerCounts& counts) {
    out.Put(",\"rawName\":");
    out.Text(FixedText(counts.rawName));
    out.Put(",\"deaths\":");
    out.Int(counts.deaths);
    out.Put(",\"teamKills\":");
    out.Int(counts.teamKills);
    out.Put(",\"matchesPlayed\":");
    out.Int(counts.matches);
    out.Put(",\"kills\":");
    out.Kills(player.weaponKills);
    out.Put(",\"flagEvents\":");
    out.CountsOrNull(counts.flagEventsSeen, kFlagEventKeys, counts.flagEvents);
    out.Put(",\"awards\":");
    out.CountsOrNull(counts.awardsSeen, kAwardKeys, counts.awards);
    out.Put("}");
}

void WritePlayers(DocumentWriter& out, const StatsTables& tables) {
    // Each player's clan, found once rather than by a search per player.
    std::vector<const ClanStats*> clanOf(static_cast<std::size_t>(tables.playerCount), nullptr);
    for (int c = 0; c < tables.clanCount; ++c) {
        const ClanStats& clan = tables.clans[c];
        for (int m = 0; m < clan.memberCount; ++m) clanOf[clan.members[m]] = &clan;
    }
    Json row = RowOf({"rank", "name", "clanTag", "frags", "suicides", "secondsPlayed",
                      "fragsPerHour", "suicidesPerHour", "killsPerHour"});
    Json& perHour = row["killsPerHour"] = Json::object();
    for (const WeaponKey& weapon : kWeaponKeys) perHour[std::string(weapon.key)] = nullptr;
    Json &rank = row["rank"], &name = row["name"], &clanTag = row["clanTag"];
    Json &frags = row["frags"], &suicides = row["suicides"], &seconds = row["secondsPlayed"];
    Json &fragsPerHour = row["fragsPerHour"], &suicidesPerHour = row["suicidesPerHour"];
    out.BeginList();
    for (int i = 0; i < tables.playerCount; ++i) {
        const PlayerStats& player = tables.players[tables.rankOrder[i]];
        const ClanStats* clan = clanOf[tables.rankOrder[i]];
        rank = PlayerRank(player);
        SetText(name, player.name);
        if (clan) {
            SetText(clanTag, clan->tag);
        } else {
            clanTag = nullptr;
        }
        frags = player.frags;
        suicides = player.weaponKills[kSuicide];
        seconds = player.secondsPlayed;
        fragsPerHour = player.fragsPerHour;
        suicidesPerHour = KillsPerHour(player, kSuicide);
        auto slot = perHour.begin();  // in the order of kWeaponKeys
        for (const WeaponKey& weapon : kWeaponKeys) *slot++ = KillsPerHour(player, weapon.counter);
        out.ListRow(row);
        // The whole counts beside the rates, written as the matches are.
        out.ReopenObject();
        char counts[kPlayerCountsBound];
        JsonCursor more(counts);
        WritePlayerCounts(more, player, tables.playerCounts[tables.rankOrder[i]]);
        out.Append(std::string_view(counts, static_cast<std::size_t>(more.End() - counts)));
    }
    out.EndList();
}

void WriteTopList(DocumentWriter& out, const StatsTables& tables, const uint16_t* order,
                  int counter) {
    Json row = Json::object();
    out.BeginList();
    for (int i = 0; i < std::min(tables.playerCount, kTopListCapacity); ++i) {
        const PlayerStats& player = tables.players[order[i]];
        row["rank"] = i + 1;
        SetPlayer(row, player);
        row["perHour"] = KillsPerHour(player, counter);
        out.ListRow(row);
    }
    out.EndList();
}

void WriteClans(DocumentWriter& out, const StatsTables& tables) {
    Json row =
        RowOf({"rank", "tag", "name", "homePage", "members", "topMembers", "topMemberNames"});
    Json &rank = row["rank"], &tag = row["tag"], &name = row["name"], &home = row["homePage"];
    Json& members = row["members"] = Json::array();
    Json& topMembers = row["topMembers"] = Json::array();
    Json& topNames = row["topMemberNames"] = Json::array();
    out.BeginList();
    for (int i = 0; i < tables.clanCount; ++i) {
        const ClanStats& clan = tables.clans[tables.clanOrder[i]];
        rank = i + 1;
        SetText(tag, clan.tag);
        SetTextOrNull(name, clan.clanName);
        SetTextOrNull(home, clan.homePage);
        // The member rows of the clan before are filled in anew, not made again.
        const auto count = static_cast<std::size_t>(clan.memberCount);
        while (members.size() > count) members.erase(members.size() - 1);
        while (members.size() < count)
            members.push_back(RowOf(
                {"name", "playerRank", "fragsPerHour", "railgunPerHour", "rocketLauncherPerHour"}));
        for (std::size_t m = 0; m < count; ++m) {
            const PlayerStats& player = tables.players[clan.members[m]];
            auto slot = members[m].begin();  // in the order of RowOf
            SetText(*slot++, player.name);
            *slot++ = PlayerRank(player);
            *slot++ = player.fragsPerHour;
            *slot++ = KillsPerHour(player, kRailgun);
            *slot++ = KillsPerHour(player, kRocketLauncher);
        }
        topMembers.clear();
        topNames.clear();
        for (int m = 0; m < std::min(clan.memberCount, kClanTopMembers); ++m) {
            topMembers.push_back(PlayerRank(tables.players[clan.topMembers[m]]));
            topNames.push_back(Text(tables.players[clan.topMembers[m]].name));
        }
        out.ListRow(row);
    }
    out.EndList();
}

Json FeaturedPlayer(const StatsTables& tables) {
    const Awards& awards = tables.awards;
    if (tables.playerCount <= 0 || awards.featured < 0) return Json();
    const PlayerStats& player = tables.players[awards.featured];
    Json featured = Json::object();
    SetPlayer(featured, player);
    featured["fragsPerHour"] = player.fragsPerHour;
    featured["favoriteWeapon"] = WeaponNames[awards.favoriteWeapon];
    Json clan;
    if (awards.featuredClan != kNoClan) {
        const ClanStats& stats = tables.clans[awards.featuredClan];
        clan = Json::object();
        clan["tag"] = Text(stats.tag);
        clan["name"] = TextOrNull(stats.clanName);
        clan["homePage"] = TextOrNull(stats.homePage);
    }
    featured["clan"] = std::move(clan);
    return featured;
}

Json Award(const StatsTables& tables, const char* title, const RateLeader& leader) {
    Json award = Json::object();
    award["title"] = title;
    SetPlayer(award, tables.players[leader.player]);
    award["perHour"] = leader.rate;
    return award;
}

Json Server(const StatsTables& tables, const ServerSettings& settings) {
    Json awards;
    if (tables.playerCount > 0) {
        awards = Json::object();
        awards["topRailer"] = Award(tables, "Hugest Cack", tables.awards.topRailer);
        awards["mostSuicides"] = Award(tables, "Biggest Dumbass", tables.awards.mostSuicides);
        awards["mostBfgKills"] = Award(tables, "Biggest Lamer", tables.awards.mostBfgKills);
    }
    Json server = Json::object();
    server["messageOfTheDay"] = Text(settings.motd);
    server["featuredPlayer"] = FeaturedPlayer(tables);
    server["awards"] = std::move(awards);
    return server;
}

Json Run(const RunFacts& run) {
    Json files = Json::array();
    for (const RunLogFile& log : run.logFiles) {
        Json file = Json::object();
        file["path"] = Utf8FromBytes(log.path);
        file["bytes"] = log.bytes ? Json(*log.bytes) : Json();
        const bool unread = log.read.outcome != ReadOutcome::Read;
        file["read"] = !unread ? "complete" : log.read.opened ? "cutShort" : "skipped";
        file["reason"] = unread ? Json(Utf8FromBytes(log.read.reason)) : Json();
        file["matches"] = log.matches;
        files.push_back(std::move(file));
    }
    Json facts = Json::object();
    facts["madeUtc"] = FormatUtcTime(run.made);
    facts["madeLocal"] = FormatReportDate(run.made);
    facts["logFiles"] = std::move(files);
    facts["seed"] = run.seed.seed;
    facts["seedGiven"] = run.seed.given;
    return facts;
}

// The longest a match player's object can be, with its names of at most 31
// and 63 bytes.
constexpr std::size_t kMatchPlayerBound =
    512 + 32 * JsonCursor::kIntBound + 6 * (kPlayerNameSize + kRawNameSize);

void WriteMatchPlayer(JsonCursor& out, const MatchRecord& match, const MatchPlayer& player,
                      std::string_view rawName) {
    out.Put("{\"slot\":");
    out.Int(player.slot);
    out.Put(",\"name\":");
    out.Text(FixedText(player.name));
    out.Put(",\"rawName\":");
    out.Text(rawName);
    out.Put(",\"team\":");
    if (player.team >= kTeamFree && player.team <= kTeamSpectator) {
        out.Text(kTeamNames[player.team - kTeamFree]);
    } else {
        out.Put("null");
    }
    out.Put(",\"frags\":");
    out.Int(player.frags);
    out.Put(",\"deaths\":");
    out.Int(player.deaths);
    out.Put(",\"suicides\":");
    out.Int(player.weaponKills[kSuicide]);
    out.Put(",\"teamKills\":");
    out.Int(player.teamKills);
    out.Put(",\"kills\":");
    out.Kills(player.weaponKills);
    out.Put(",\"secondsPlayed\":");
    out.Int(player.secondsPlayed);
    out.Put(",\"score\":");
    out.IntOrNull(player.score);
    out.Put(",\"flagEvents\":");
    out.CountsOrNull(match.flagEventsSeen, kFlagEventKeys, player.flagEvents);
    out.Put(",\"awards\":");
    out.CountsOrNull(match.awardsSeen, kAwardKeys, player.awards);
    out.Put("}");
}

// `logFile`: the file of the match's start; null when it is not known.
void WriteMatch(JsonCursor& out, const MatchRecord& match, const std::string* logFile) {
    out.Put("{\"start\":");
    if (logFile != nullptr) {
        out.Put("{\"logFile\":");
        out.Text(*logFile);
        out.Put(",\"line\":");
        out.Int(static_cast<std::int64_t>(std::min<std::uint64_t>(match.line, INT64_MAX)));
        out.Put("}");
    } else {
        out.Put("null");
    }
    out.Put(",\"timestamp\":");
    out.TextOrNull(match.timestamp);
    out.Put(",\"hostname\":");
    out.TextOrNull(match.hostname);
    out.Put(",\"map\":");
    out.TextOrNull(match.map);
    out.Put(",\"gameType\":");
    if (match.gameType) {
        out.Put("{\"number\":");
        out.Int(*match.gameType);
        out.Put(",\"name\":");
        out.TextOrNull(GameTypeName(*match.gameType));
        out.Put("}");
    } else {
        out.Put("null");
    }
    out.Put(",\"limits\":{\"fraglimit\":");
    out.IntOrNull(match.fragLimit);
    out.Put(",\"timelimit\":");
    out.IntOrNull(match.timeLimit);
    out.Put(",\"capturelimit\":");
    out.IntOrNull(match.captureLimit);
    out.Put("},\"durationSeconds\":");
    out.Int(match.durationSeconds);
    if (match.exited) {
        out.Put(",\"endedBy\":\"Exit\",\"exitReason\":");
        out.Text(match.exitReason);
    } else {
        out.Put(",\"endedBy\":\"ShutdownGame\",\"exitReason\":null");
    }
    out.Put(",\"teamScores\":");
    if (match.redScore && match.blueScore) {
        out.Put("{\"red\":");
        out.Int(*match.redScore);
        out.Put(",\"blue\":");
        out.Int(*match.blueScore);
        out.Put("}");
    } else {
        out.Put("null");
    }
    out.Put(",\"players\":[");
    for (std::size_t p = 0; p < match.players.size(); ++p) {
        if (p != 0) out.Put(",");
        const MatchPlayer& player = match.players[p];
        WriteMatchPlayer(out, match, player,
                         std::string_view(player.rawName).substr(0, kRawNameSize - 1));
    }
    out.Put("]}");
}

}  // namespace

MatchesJson::MatchesJson(const std::vector<RunLogFile>& logFiles, std::uint64_t logBytes)
    : logFiles_(logFiles) {
    // The matches take a fifth to a quarter of a log's size, the rest of
    // the document a few MB at most; room past 512 MB is made as needed.
    constexpr std::uint64_t kMostAtOnce = 512ull << 20;
    text_.reserve(static_cast<std::size_t>(std::min(logBytes / 3, kMostAtOnce)));
}

void MatchesJson::Append(const MatchRecord& match) {
    const std::string* logFile =
        match.file && *match.file < logFiles_.size() ? &logFiles_[*match.file].path : nullptr;
    // Room for the longest this match can be.
    std::size_t bound = 1024 + (logFile ? JsonCursor::TextBound(*logFile) : 0);
    for (std::string_view text :
         {std::string_view(match.timestamp), std::string_view(match.hostname),
          std::string_view(match.map), std::string_view(match.exitReason)})
        bound += JsonCursor::TextBound(text);
    bound += match.players.size() * kMatchPlayerBound;
    if (scratchSize_ < bound) {
        scratchSize_ = std::max(bound, 2 * scratchSize_);
        scratch_.reset(new char[scratchSize_]);
    }
    JsonCursor cursor(scratch_.get());
    if (!text_.empty()) cursor.Put(",");
    WriteMatch(cursor, match, logFile);
    text_.append(scratch_.get(), static_cast<std::size_t>(cursor.End() - scratch_.get()));
}

std::string MatchesJson::Take() { return std::move(text_); }

std::string StatsDocument(const StatsTables& tables, const ServerSettings& settings, RunFacts run) {
    DocumentWriter out(4096 +
                       640 * static_cast<std::size_t>(tables.playerCount + tables.clanCount));
    out.Key("$schema");
    out.Value(Json(kStatsSchemaId));
    out.Key("run");
    out.Value(Run(run));
    out.Key("server");
    out.Value(Server(tables, settings));
    out.Key("players");
    WritePlayers(out, tables);
    out.Key("topRailers");
    WriteTopList(out, tables, tables.topRailers, kRailgun);
    out.Key("topRocketeers");
    WriteTopList(out, tables, tables.topRocketeers, kRocketLauncher);
    out.Key("clans");
    WriteClans(out, tables);
    out.Key("matches");
    // The matches are most of a large document: it is made in their text,
    // whose room takes the rest.
    out.BeginList();
    std::string document = std::move(run.matches);
    document.insert(0, out.Take());
    document += "]}\n";
    return document;
}

}  // namespace mctf
