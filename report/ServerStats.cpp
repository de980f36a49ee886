#include "report/ServerStats.h"

#include <string>

#include "core/FixedText.h"
#include "report/PageFrame.h"

namespace mctf {
namespace {

void WriteFeaturedPlayer(PageWriter& page, const StatsTables& tables, const Awards& awards) {
    const PlayerStats& player = tables.players[awards.featured];
    page.Write("<h3 align=center>Featured Player: <font color=#ffff00>%s</font><br>",
               std::string(FixedText(player.name)).c_str());
    if (awards.featuredClan != kNoClan) {
        const ClanStats& clan = tables.clans[awards.featuredClan];
        const std::string homePage(FixedText(clan.homePage));
        if (!homePage.empty()) {
            page.Write("Clan Home - <a href=\"%s\">%s</a><br>", homePage.c_str(),
                       std::string(FixedText(clan.clanName)).c_str());
        }
    }
    page.Write("Favorite Weapon - %s<br>", WeaponNames[awards.favoriteWeapon]);
    page.Write("Rank - %d<br>", player.rankPosition + 1);
    page.Write("FPH - %.3f</h3>", player.fragsPerHour);
}

// One award line: `format` takes the leader's name and rate.
void WriteAward(PageWriter& page, const char* format, const StatsTables& tables,
                const RateLeader& leader) {
    page.Write(format, std::string(FixedText(tables.players[leader.player].name)).c_str(),
               leader.rate);
}

}  // namespace

void WriteServerStats(PageWriter& page, const StatsTables& tables, const ServerSettings& settings,
                      const ReportEnvironment& env) {
    WritePageHead(page, "Server Stats");
    page.Write("<table border=1 width=\"100%%\" bgcolor=#000080>");
    page.Write("<tr>");
    page.Write("<td width=\"100%%\">");

    std::string heading =
        std::string(FixedText(settings.motd)) + " - " + FormatReportDate(env.now()) + "\n";
    page.Write("<h2 align=center>%s</h2>", heading.c_str());

    const Awards& awards = tables.awards;
    if (tables.playerCount > 0) {
        if (awards.featured >= 0) WriteFeaturedPlayer(page, tables, awards);
        WriteAward(page,
                   "<h3 align=center>Hugest Cack: <font color=#ffff00>%s %.3f rails</font></h3>",
                   tables, awards.topRailer);
        WriteAward(page,
                   "<h3 align=center>Biggest Dumbass: <font color=#ffff00>%s %.3f suicides"
                   "</font></h3>",
                   tables, awards.mostSuicides);
        WriteAward(page,
                   "<h3 align=center>Biggest Lamer: <font color=#ffff00>%s %.3f BFGs</font></h3>",
                   tables, awards.mostBfgKills);
    }

    page.Write("<p align=center><font color=#ff0000>All Stats based on Frags Per Hour</font>");
    page.Write("<h6 align=center>Statistics by MCTF Util</h6>");
    page.Write("</td>");
    page.Write("</tr>");
    page.Write("</table><br>");
    WriteSpacer(page);
}

}  // namespace mctf
