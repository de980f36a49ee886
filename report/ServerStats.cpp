#include "report/ServerStats.h"

#include <algorithm>
#include <string>

#include "core/FixedText.h"
#include "report/PageFrame.h"
#include "stats/Rates.h"

namespace mctf {
namespace {

// A real generator hits one of k eligible players in 4096/k draws on
// average; this bound is only reached by a broken draw function.
constexpr long kMaxDraws = 1L << 22;

int PlayerCount(const StatsTables& tables) {
    return std::clamp<int>(tables.playerCount, 0, kPlayerCapacity);
}

void WriteFeaturedPlayer(PageWriter& page, const StatsTables& tables, int featured) {
    const PlayerStats& player = tables.players[featured];
    page.Write("<h3 align=center>Featured Player: <font color=#ffff00>%s</font><br>",
               std::string(FixedText(player.name)).c_str());
    int clan = FindPlayerClan(tables, featured);
    if (clan != kNoClan && tables.clans[clan].homePage[0] != '\0') {
        page.Write("Clan Home - <a href=\"%s\">%s</a><br>",
                   std::string(FixedText(tables.clans[clan].homePage)).c_str(),
                   std::string(FixedText(tables.clans[clan].clanName)).c_str());
    }
    page.Write("Favorite Weapon - %s<br>", WeaponNames[FavoriteWeapon(player)]);
    page.Write("Rank - %d<br>", player.rankPosition + 1);
    page.Write("FPH - %.3f</h3>", player.fragsPerHour);
}

void WriteAwards(PageWriter& page, const StatsTables& tables) {
    const PlayerStats& railer = tables.players[tables.topRailers[0]];
    page.Write("<h3 align=center>Hugest Cack: <font color=#ffff00>%s %.3f rails</font></h3>",
               std::string(FixedText(railer.name)).c_str(),
               RatePerHour(railer.weaponKills[kRailgun], railer.secondsPlayed));

    RateLeader suicides = LeaderByRate(tables, kSuicide);
    page.Write("<h3 align=center>Biggest Dumbass: <font color=#ffff00>%s %.3f suicides</font></h3>",
               std::string(FixedText(tables.players[suicides.player].name)).c_str(),
               suicides.rate);

    RateLeader bfg = LeaderByRate(tables, kBfg);
    page.Write("<h3 align=center>Biggest Lamer: <font color=#ffff00>%s %.3f BFGs</font></h3>",
               std::string(FixedText(tables.players[bfg.player].name)).c_str(), bfg.rate);
}

}  // namespace

void WriteServerStats(PageWriter& page, const StatsTables& tables,
                      const ServerSettings& settings, const ReportEnvironment& env) {
    WritePageHead(page, "Server Stats");
    page.Write("<table border=1 width=\"100%%\" bgcolor=#000080>");
    page.Write("<tr>");
    page.Write("<td width=\"100%%\">");

    std::string heading =
        std::string(FixedText(settings.motd)) + " - " + FormatReportDate(env.now()) + "\n";
    page.Write("<h2 align=center>%s</h2>", heading.c_str());

    if (std::optional<int> featured = PickFeaturedPlayer(tables, env)) {
        WriteFeaturedPlayer(page, tables, *featured);
    }
    if (PlayerCount(tables) > 0) WriteAwards(page, tables);

    page.Write("<p align=center><font color=#ff0000>All Stats based on Frags Per Hour</font>");
    page.Write("<h6 align=center>Statistics by MCTF Util</h6>");
    page.Write("</td>");
    page.Write("</tr>");
    page.Write("</table><br>");
    WriteSpacer(page);
}

std::optional<int> PickFeaturedPlayer(const StatsTables& tables, const ReportEnvironment& env) {
    int count = PlayerCount(tables);
    int firstEligible = -1;
    for (int p = 0; p < count && firstEligible < 0; ++p) {
        if (tables.players[p].fragsPerHour > 0.0f) firstEligible = p;
    }
    if (firstEligible < 0) return std::nullopt;  // the draw could never end

    std::function<int(int)> draw = StartDraw(env);
    for (long attempt = 0; attempt < kMaxDraws; ++attempt) {
        int index = draw(kPlayerCapacity);
        if (index >= 0 && index < count && tables.players[index].fragsPerHour > 0.0f) {
            return index;
        }
    }
    return firstEligible;
}

int FavoriteWeapon(const PlayerStats& player) {
    int best = -1;
    int favorite = kUnknownWeapon;
    for (int weapon = 0; weapon < kWeaponCount; ++weapon) {
        if (player.weaponKills[weapon] >= best) {
            best = player.weaponKills[weapon];
            favorite = weapon;
        }
    }
    return favorite;
}

int FindPlayerClan(const StatsTables& tables, int player) {
    int clanCount = std::clamp<int>(tables.clanCount, 0, kClanCapacity);
    for (int c = 0; c < clanCount; ++c) {
        const ClanStats& clan = tables.clans[c];
        int members = std::clamp<int>(clan.memberCount, 0, kClanMemberCapacity);
        if (std::find(clan.members, clan.members + members, player) != clan.members + members) {
            return c;
        }
    }
    return kNoClan;
}

RateLeader LeaderByRate(const StatsTables& tables, int counter) {
    RateLeader leader{-1, -100.0f};
    int count = PlayerCount(tables);
    for (int p = 0; p < count; ++p) {
        const PlayerStats& player = tables.players[p];
        float rate = RatePerHour(player.weaponKills[counter], player.secondsPlayed);
        if (rate > leader.rate) leader = {p, rate};
    }
    return leader;
}

}  // namespace mctf
