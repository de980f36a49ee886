#include "report/PlayerList.h"

#include <algorithm>
#include <string>

#include "core/FixedText.h"
#include "core/Paths.h"
#include "report/PageFrame.h"
#include "stats/Rates.h"

namespace mctf {
namespace {

// The counters of the 8%-wide rate columns after Rocket Launcher, in page
// order; BFG and Unknown have no column.
constexpr int kNarrowRateCounters[] = {kPlasmaGun,  kLightningGun, kGrenadeLauncher, kShotgun,
                                       kMachinegun, kGauntlet,     kTelefrag,        kSuicide};

void WriteHomeLink(PageWriter& page) {
    page.Write("<p align=\"left\"><a href=\"pstats.htm\">Home</a></p>");
}
void WriteBackLink(PageWriter& page, int first) {
    page.Write("<p align=\"left\"><a href=\"players_%d.htm\">Back</a></p>", first);
}
void WriteNextLink(PageWriter& page, int first) {
    page.Write("<p align=\"left\"><a href=\"players_%d.htm\">Next</a></p>", first);
}

void WriteTableHeader(PageWriter& page) {
    BeginListTable(page);
    page.Write("<tr>");
    page.Write("<td width=\"5%%\" align=\"center\" bgcolor=\"#800000\">Rank</td>");
    page.Write("<td width=\"9%%\" align=\"center\" bgcolor=\"#800000\">Name</td>");
    page.Write("<td width=\"7%%\" align=\"center\" bgcolor=\"#800000\">Time</td>");
    page.Write("<td width=\"7%%\" align=\"center\" bgcolor=\"#800000\">FPH</td>");
    page.Write("<td width=\"7%%\" align=\"center\" bgcolor=\"#800000\">Railgun</td>");
    page.Write("<td width=\"8%%\" align=\"center\" bgcolor=\"#800000\">Rocket Launcher</td>");
    page.Write("<td width=\"8%%\" align=\"center\" bgcolor=\"#800000\">Plasma gun</td>");
    page.Write("<td width=\"8%%\" align=\"center\" bgcolor=\"#800000\">Lightning gun</td>");
    page.Write("<td width=\"8%%\" align=\"center\" bgcolor=\"#800000\">Grenade Launcher</td>");
    page.Write("<td width=\"8%%\" align=\"center\" bgcolor=\"#800000\">Shotgun</td>");
    page.Write("<td width=\"8%%\" align=\"center\" bgcolor=\"#800000\">Machine gun</td>");
    page.Write("<td width=\"8%%\" align=\"center\" bgcolor=\"#800000\">Gauntlet</td>");
    page.Write("<td width=\"8%%\" align=\"center\" bgcolor=\"#800000\">Telefrag</td>");
    page.Write("<td width=\"8%%\" align=\"center\" bgcolor=\"#800000\">Suicide</td>");
    page.Write("</tr>");
}

void WritePlayerRow(PageWriter& page, int place, const PlayerStats& player) {
    long seconds = player.secondsPlayed;
    const std::string name(FixedText(player.name));
    page.Write("<tr>");
    page.Write("<td width=\"5%%\" align=\"center\">%d</td>", place);
    page.Write("<td width=\"9%%\" align=\"center\">%s</td>", name.c_str());
    page.Write("<td width=\"7%%\" align=\"center\">%ld:%02ld:%02ld</td>", seconds / 3600,
               seconds / 60 % 60, seconds % 60);
    page.Write("<td width=\"7%%\" align=\"center\">%.2f</td>", player.fragsPerHour);
    page.Write("<td width=\"7%%\" align=\"center\">%.2f</td>", KillsPerHour(player, kRailgun));
    page.Write("<td width=\"8%%\" align=\"center\">%.2f</td>",
               KillsPerHour(player, kRocketLauncher));
    for (int counter : kNarrowRateCounters) {
        page.Write("<td width=\"8%%\" align=\"center\">%.2f</td>", KillsPerHour(player, counter));
    }
    page.Write("</tr>");
}

}  // namespace

bool WritePlayerList(PageWriter& page, const StatsTables& tables, const std::string& statsDir,
                     int count) {
    int n = std::min(count, tables.playerCount);

    BeginCaptionBox(page);
    page.Write("<h3><font color=\"#FFFF00\">%d Players</font></h3>", n);
    if (n > kPlayerPageRows) {
        page.Write("<h3><font color=\"#FFFF00\">Top %d Players</font></h3>", kPlayerPageRows);
    }
    EndCaptionBox(page);
    if (n > kPlayerPageRows) {
        WriteHomeLink(page);
        WriteNextLink(page, kPlayerPageRows);
    }
    WriteSpacer(page);
    WriteTableHeader(page);

    for (int i = 0; i < n; ++i) {
        if (i > 0 && i % kPlayerPageRows == 0) {
            page.Write("</table>");
            WriteHomeLink(page);
            if (i > 2 * kPlayerPageRows) WriteBackLink(page, i - 2 * kPlayerPageRows);
            WriteNextLink(page, i);
            WriteSpacer(page);
            WritePageFoot(page);
            page.Close();
            if (!OpenPlayerPage(page, statsDir, i, n > i + kPlayerPageRows)) return false;
        }
        WritePlayerRow(page, i + 1, tables.players[tables.rankOrder[i]]);
    }
    page.Write("</table>");
    return true;
}

bool OpenPlayerPage(PageWriter& page, const std::string& statsDir, int first, bool hasNext) {
    if (!page.Open(JoinPath(statsDir, "players_" + std::to_string(first) + ".htm"))) return false;
    WritePageHead(page, "Top Players");
    BeginCaptionBox(page);
    page.Write("<h3><font color=\"#FFFF00\">Players %d to %d</font></h3>", first,
               first + kPlayerPageRows);
    EndCaptionBox(page);
    WriteHomeLink(page);
    if (first > kPlayerPageRows) WriteBackLink(page, first - kPlayerPageRows);
    if (hasNext) WriteNextLink(page, first + kPlayerPageRows);
    WriteSpacer(page);
    WriteTableHeader(page);
    return true;
}

}  // namespace mctf
