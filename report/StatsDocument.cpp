#include "report/StatsDocument.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <vector>

#include "core/FixedText.h"
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
    const char* key;
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
constexpr const char* kFlagEventKeys[kFlagEventCount] = {"taken", "captured", "returned",
                                                         "carrierFragged"};
constexpr const char* kAwardKeys[kAwardCount] = {"gauntlet", "excellent", "impressive",
                                                 "defence",  "capture",   "assist"};

// The names of SlotTeam, from kTeamFree on.
constexpr const char* kTeamNames[] = {"free", "red", "blue", "spectator"};

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
    bool AtListStart() const { return out_.back() == '['; }
    void ListRow(const Json& row) {
        if (out_.back() != '[') out_ += ',';
        out_ += row.dump();
    }
    void EndList() { out_ += ']'; }
    std::string Finish() { return std::move(out_) + "}\n"; }

    // Text written as it is, without a library value: the matches can run
    // to tens of megabytes, where building a value per row cost more than
    // the writing.
    void Raw(std::string_view text) { out_ += text; }
    void Int(std::int64_t number) {
        char digits[24];
        out_.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
    }
    void IntOrNull(const std::optional<std::int32_t>& number) {
        if (number) {
            Int(*number);
        } else {
            out_ += "null";
        }
    }
    // Bytes as a JSON string, by the rule of Utf8FromBytes.
    void Text(std::string_view bytes) {
        const bool plain = std::all_of(bytes.begin(), bytes.end(), [](char c) {
            return c >= 0x20 && c < 0x7f && c != '"' && c != '\\';
        });
        if (!plain) {
            out_ += Json(Utf8FromBytes(bytes)).dump();
            return;
        }
        out_ += '"';
        out_ += bytes;
        out_ += '"';
    }
    void TextOrNull(std::string_view bytes) {
        if (bytes.empty()) {
            out_ += "null";
        } else {
            Text(bytes);
        }
    }
    // "{"key":N,...}" of counters in the order of `keys`.
    template <std::size_t N>
    void Counts(const char* const (&keys)[N], const std::int32_t (&counts)[N]) {
        for (std::size_t k = 0; k < N; ++k) {
            out_ += k == 0 ? "{\"" : ",\"";
            out_ += keys[k];
            out_ += "\":";
            Int(counts[k]);
        }
        out_ += '}';
    }

private:
    std::string out_;
};

// An object of whole counts by key, or null when the log did not say.
template <std::size_t N>
Json CountsOrNull(bool seen, const char* const (&keys)[N], const std::int32_t (&counts)[N]) {
    if (!seen) return Json();
    Json object = Json::object();
    for (std::size_t k = 0; k < N; ++k) object[keys[k]] = counts[k];
    return object;
}

void WritePlayers(DocumentWriter& out, const StatsTables& tables) {
    // Each player's clan, found once rather than by a search per player.
    std::vector<const ClanStats*> clanOf(static_cast<std::size_t>(tables.playerCount), nullptr);
    for (int c = 0; c < tables.clanCount; ++c) {
        const ClanStats& clan = tables.clans[c];
        for (int m = 0; m < clan.memberCount; ++m) clanOf[clan.members[m]] = &clan;
    }
    Json row = RowOf({"rank", "name", "clanTag", "frags", "suicides", "secondsPlayed",
                      "fragsPerHour", "suicidesPerHour", "killsPerHour", "rawName", "deaths",
                      "teamKills", "matchesPlayed", "kills", "flagEvents", "awards"});
    Json& perHour = row["killsPerHour"] = Json::object();
    Json& kills = row["kills"] = Json::object();
    for (const WeaponKey& weapon : kWeaponKeys) perHour[weapon.key] = kills[weapon.key] = nullptr;
    Json &rawName = row["rawName"], &deaths = row["deaths"], &teamKills = row["teamKills"];
    Json &matches = row["matchesPlayed"], &flags = row["flagEvents"], &awards = row["awards"];
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
        const PlayerCounts& counts = tables.playerCounts[tables.rankOrder[i]];
        SetText(rawName, counts.rawName);
        deaths = counts.deaths;
        teamKills = counts.teamKills;
        matches = counts.matches;
        slot = kills.begin();
        for (const WeaponKey& weapon : kWeaponKeys) *slot++ = player.weaponKills[weapon.counter];
        flags = CountsOrNull(counts.flagEventsSeen, kFlagEventKeys, counts.flagEvents);
        awards = CountsOrNull(counts.awardsSeen, kAwardKeys, counts.awards);
        out.ListRow(row);
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
    Json row = RowOf({"rank", "tag", "name", "homePage", "members", "topMembers", "topMemberNames"});
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

void WriteMatchPlayer(DocumentWriter& out, const MatchRecord& match, const MatchPlayer& player) {
    out.Raw("{\"slot\":");
    out.Int(player.slot);
    out.Raw(",\"name\":");
    out.Text(FixedText(player.name));
    out.Raw(",\"rawName\":");
    out.Text(player.rawName);
    out.Raw(",\"team\":");
    const bool team = player.team >= kTeamFree && player.team <= kTeamSpectator;
    if (team) {
        out.Text(kTeamNames[player.team - kTeamFree]);
    } else {
        out.Raw("null");
    }
    out.Raw(",\"frags\":");
    out.Int(player.frags);
    out.Raw(",\"deaths\":");
    out.Int(player.deaths);
    out.Raw(",\"suicides\":");
    out.Int(player.weaponKills[kSuicide]);
    out.Raw(",\"teamKills\":");
    out.Int(player.teamKills);
    const char* separator = ",\"kills\":{\"";
    for (const WeaponKey& weapon : kWeaponKeys) {
        out.Raw(separator);
        out.Raw(weapon.key);
        out.Raw("\":");
        out.Int(player.weaponKills[weapon.counter]);
        separator = ",\"";
    }
    out.Raw("},\"secondsPlayed\":");
    out.Int(player.secondsPlayed);
    out.Raw(",\"score\":");
    out.IntOrNull(player.score);
    out.Raw(",\"flagEvents\":");
    if (match.flagEventsSeen) {
        out.Counts(kFlagEventKeys, player.flagEvents);
    } else {
        out.Raw("null");
    }
    out.Raw(",\"awards\":");
    if (match.awardsSeen) {
        out.Counts(kAwardKeys, player.awards);
    } else {
        out.Raw("null");
    }
    out.Raw("}");
}

void WriteMatches(DocumentWriter& out, const RunFacts& run) {
    out.BeginList();
    for (const MatchRecord& match : run.matches) {
        out.Raw(out.AtListStart() ? "{\"start\":" : ",{\"start\":");
        if (match.file && *match.file < run.logFiles.size()) {
            out.Raw("{\"logFile\":");
            out.Text(run.logFiles[*match.file].path);
            out.Raw(",\"line\":");
            out.Int(static_cast<std::int64_t>(std::min<std::uint64_t>(match.line, INT64_MAX)));
            out.Raw("}");
        } else {
            out.Raw("null");
        }
        out.Raw(",\"timestamp\":");
        out.TextOrNull(match.timestamp);
        out.Raw(",\"hostname\":");
        out.TextOrNull(match.hostname);
        out.Raw(",\"map\":");
        out.TextOrNull(match.map);
        out.Raw(",\"gameType\":");
        if (match.gameType) {
            out.Raw("{\"number\":");
            out.Int(*match.gameType);
            out.Raw(",\"name\":");
            out.TextOrNull(GameTypeName(*match.gameType));
            out.Raw("}");
        } else {
            out.Raw("null");
        }
        out.Raw(",\"limits\":{\"fraglimit\":");
        out.IntOrNull(match.fragLimit);
        out.Raw(",\"timelimit\":");
        out.IntOrNull(match.timeLimit);
        out.Raw(",\"capturelimit\":");
        out.IntOrNull(match.captureLimit);
        out.Raw("},\"durationSeconds\":");
        out.Int(match.durationSeconds);
        out.Raw(match.exited ? ",\"endedBy\":\"Exit\",\"exitReason\":"
                             : ",\"endedBy\":\"ShutdownGame\",\"exitReason\":null");
        if (match.exited) out.Text(match.exitReason);
        out.Raw(",\"teamScores\":");
        if (match.redScore && match.blueScore) {
            out.Raw("{\"red\":");
            out.Int(*match.redScore);
            out.Raw(",\"blue\":");
            out.Int(*match.blueScore);
            out.Raw("}");
        } else {
            out.Raw("null");
        }
        out.Raw(",\"players\":[");
        for (std::size_t p = 0; p < match.players.size(); ++p) {
            if (p != 0) out.Raw(",");
            WriteMatchPlayer(out, match, match.players[p]);
        }
        out.Raw("]}");
    }
    out.EndList();
}

}  // namespace

std::string StatsDocument(const StatsTables& tables, const ServerSettings& settings,
                          const RunFacts& run) {
    std::size_t matchPlayers = 0;
    for (const MatchRecord& match : run.matches) matchPlayers += match.players.size();
    DocumentWriter out(4096 +
                       640 * static_cast<std::size_t>(tables.playerCount + tables.clanCount) +
                       512 * run.matches.size() + 512 * matchPlayers);
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
    WriteMatches(out, run);
    return out.Finish();
}

}  // namespace mctf
