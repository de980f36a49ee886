#include "report/TopLists.h"

#include <algorithm>
#include <string>

#include "core/FixedText.h"
#include "report/PageFrame.h"
#include "stats/Rates.h"

namespace mctf {
namespace {

void WriteMemberRow(PageWriter& page, const PlayerStats& member) {
    const std::string name(FixedText(member.name));
    page.Write("<tr>");
    page.Write("<td width=\"25%%\" align=\"center\">%s</td>", name.c_str());
    page.Write("<td width=\"13%%\" align=\"center\">%d</td>", member.rankPosition + 1);
    page.Write("<td width=\"12%%\" align=\"center\">%.3f</td>", member.fragsPerHour);
    // "%3f" is a field width, not a precision, so these cells show six
    // decimals where the FPH cell shows three: meant, not a slip.
    page.Write("<td width=\"25%%\" align=\"center\">%3f</td>", KillsPerHour(member, kRailgun));
    page.Write("<td width=\"25%%\" align=\"center\">%3f</td>",
               KillsPerHour(member, kRocketLauncher));
    page.Write("</tr>");
}

void WriteClanMembers(PageWriter& page, const StatsTables& tables, const ClanStats& clan,
                      bool allMembers) {
    page.Write("<td width=\"53%%\" align=\"center\">");
    page.Write("<table border=\"0\" width=\"100%%\">");
    page.Write("<tr>");
    page.Write("<td width=\"25%%\" align=\"center\"><u>Name</u></td>");
    page.Write("<td width=\"13%%\" align=\"center\"><u>Rank</u></td>");
    page.Write("<td width=\"12%%\" align=\"center\"><u>FPH</u></td>");
    page.Write("<td width=\"25%%\" align=\"center\"><u>Railgun</u></td>");
    page.Write("<td width=\"25%%\" align=\"center\"><u>Rocket Launcher</u></td>");
    page.Write("</tr>");

    int limit = allMembers ? kClanMemberCapacity : kClanTopMembers;
    const int32_t* list = allMembers ? clan.members : clan.topMembers;
    int shown = std::min(clan.memberCount, limit);
    for (int m = 0; m < shown; ++m) WriteMemberRow(page, tables.players[list[m]]);
    page.Write("</table>");
    page.Write("</td>");
    page.Write("</tr>");
}

void WriteClanRow(PageWriter& page, const StatsTables& tables, int place, const ClanStats& clan,
                  bool allMembers) {
    const std::string tag(FixedText(clan.tag));
    const std::string clanName(FixedText(clan.clanName));
    const std::string homePage(FixedText(clan.homePage));
    page.Write("<tr>");
    page.Write("<td width=\"18%%\" align=\"center\">%d</td>", place);
    if (clanName.empty()) {
        page.Write("<td width=\"29%%\" align=\"center\">%s</a></td>", tag.c_str());
    } else if (homePage.empty()) {
        page.Write("<td width=\"29%%\" align=\"center\">%s</a></td>", clanName.c_str());
    } else {
        page.Write("<td width=\"29%%\" align=\"center\"><a href=\"%s\">%s</a></td>",
                   homePage.c_str(), clanName.c_str());
    }
    WriteClanMembers(page, tables, clan, allMembers);
}

struct TopList {
    const uint16_t* order;
    int counter;
    const char* caption;  // format with the count
    const char* rateHeading;
};

void WriteTopList(PageWriter& page, const StatsTables& tables, const TopList& list, int count) {
    count = std::min({count, tables.playerCount, kTopListCapacity});

    BeginCaptionBox(page);
    page.Write(list.caption, count);
    EndCaptionBox(page);

    BeginListTable(page);
    page.Write("<tr>");
    page.Write("<td width=\"9%%\" align=\"center\" bgcolor=\"#800000\">");
    page.Write("<h3>Rank</h3>");
    page.Write("</td>");
    page.Write("<td width=\"29%%\" align=\"center\" bgcolor=\"#800000\">");
    page.Write("%s", list.rateHeading);
    page.Write("</td>");
    page.Write("<td width=\"62%%\" align=\"center\" bgcolor=\"#800000\">");
    page.Write("<h3>Name</h3>");
    page.Write("</td>");
    page.Write("</tr>");

    for (int i = 0; i < count; ++i) {
        const PlayerStats& player = tables.players[list.order[i]];
        const std::string name(FixedText(player.name));
        page.Write("<tr>");
        page.Write("<td width=\"9%%\" align=\"center\">%d</td>", i + 1);
        page.Write("<td width=\"29%%\" align=\"center\">%.4f</td>",
                   KillsPerHour(player, list.counter));
        page.Write("<td width=\"62%%\" align=\"center\">%s</td>", name.c_str());
        page.Write("</tr>");
    }
    page.Write("</table>");
}

}  // namespace

void WriteClanTable(PageWriter& page, const StatsTables& tables, int count, bool allMembers) {
    if (count <= 0) return;
    count = std::min(count, tables.clanCount);

    BeginCaptionBox(page);
    page.Write("<h3><font color=\"#FFFF00\">Top %d Clans</font></h3>", count);
    EndCaptionBox(page);

    BeginListTable(page);
    page.Write("<tr>");
    page.Write("<td width=\"18%%\" bgcolor=\"#800000\" align=\"center\">");
    page.Write("<h3>Rank</h3>");
    page.Write("</td>");
    page.Write("<td width=\"29%%\" bgcolor=\"#800000\" align=\"center\">");
    page.Write("<h3>Name</h3>");
    page.Write("</td>");
    page.Write("<td width=\"53%%\" bgcolor=\"#800000\" align=\"center\">");
    page.Write(allMembers ? "<h3>Members</h3>" : "<h3>Top Members</h3>");
    page.Write("</td>");
    page.Write("</tr>");

    for (int i = 0; i < count; ++i) {
        WriteClanRow(page, tables, i + 1, tables.clans[tables.clanOrder[i]], allMembers);
    }
    page.Write("</table>");
}

void WriteTopRailers(PageWriter& page, const StatsTables& tables, int count) {
    WriteTopList(
        page, tables,
        {tables.topRailers, kRailgun, "<h3><font color=\"#FFFF00\">Top %d Railers</font></h3>",
         "<h3>Rails Per Hour</h3>"},
        count);
}

void WriteTopRocketeers(PageWriter& page, const StatsTables& tables, int count) {
    WriteTopList(page, tables,
                 {tables.topRocketeers, kRocketLauncher,
                  "<h3><font color=\"#FFFF00\">Top %d Rocket Jockeys</font></h3>",
                  "<h3>Rocket Kills Per Hour</h3>"},
                 count);
}

}  // namespace mctf
