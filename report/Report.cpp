#include "report/Report.h"

#include <string>

#include "core/FixedText.h"
#include "core/FolderLock.h"
#include "core/Paths.h"
#include "report/PageFrame.h"
#include "report/PageWriter.h"
#include "report/PlayerList.h"
#include "report/ServerStats.h"
#include "report/TopLists.h"

namespace mctf {
namespace {

constexpr int kFrontPageClans = 5;
constexpr int kFrontPageTopList = 10;
constexpr int kFullTopList = 100;
constexpr int kFrontPagePlayers = 50;

void WriteBackLinkAndFoot(PageWriter& page) {
    page.Write("<p align=\"left\"><a href=\"pstats.htm\">Back</a></p>");
    WriteSpacer(page);
    WritePageFoot(page);
    page.Close();
}

void WriteFrontPage(PageWriter& page, const StatsTables& tables, const ServerSettings& settings,
                    const ReportEnvironment& env, const std::string& statsDir) {
    WriteServerStats(page, tables, settings, env);
    WriteClanTable(page, tables, kFrontPageClans, false);
    page.Write("<p align=\"left\"><a href=\"clans.htm\">All Clans</a></p>");
    WriteSpacer(page);
    WriteTopRailers(page, tables, kFrontPageTopList);
    page.Write("<p align=\"left\"><a href=\"railers.htm\">All Railers</a></p>");
    WriteSpacer(page);
    WriteTopRocketeers(page, tables, kFrontPageTopList);
    page.Write("<p align=\"left\"><a href=\"rockets.htm\">All Rocketeers</a></p>");
    WriteSpacer(page);
    // 50 rows never need a continuation page.
    WritePlayerList(page, tables, statsDir, kFrontPagePlayers);
    page.Write("<p><a href=\"players.htm\">Other Players</a></p>");
    WriteSpacer(page);
    WritePageFoot(page);
    page.Close();
}

// The four list pages after the front page; false when one of them (or a
// continuation page) could not be created.
bool WriteListPages(PageWriter& page, const StatsTables& tables, const std::string& statsDir) {
    if (!page.Open(JoinPath(statsDir, "rockets.htm"))) return false;
    WritePageHead(page, "Rocketeers");
    WriteTopRocketeers(page, tables, kFullTopList);
    WriteBackLinkAndFoot(page);

    if (!page.Open(JoinPath(statsDir, "railers.htm"))) return false;
    WritePageHead(page, "Railers");
    WriteTopRailers(page, tables, kFullTopList);
    WriteBackLinkAndFoot(page);

    if (!page.Open(JoinPath(statsDir, "players.htm"))) return false;
    WritePageHead(page, "Players");
    if (!WritePlayerList(page, tables, statsDir, kPlayerCapacity)) return false;
    WriteBackLinkAndFoot(page);  // onto the last continuation page

    if (!page.Open(JoinPath(statsDir, "clans.htm"))) return false;
    WritePageHead(page, "Players");
    WriteClanTable(page, tables, tables.clanCount, true);
    WriteBackLinkAndFoot(page);
    return true;
}

}  // namespace

ReportOutcome WriteReport(const StatsTables& tables, const ServerSettings& settings,
                          const std::string& statsDir, const ReportEnvironment& env) {
    const FolderLock lock(statsDir, [&] {
        if (env.waiting) env.waiting(statsDir);
    });
    PageWriter page(*env.files);
    const std::string frontPage = JoinPath(statsDir, "pstats.htm");
    if (!page.Open(frontPage))
        return {ReportStatus::CannotCreateFrontPage, frontPage, page.NotCreatedReason()};

    bool allPagesCreated = true;
    if (tables.playerCount <= 0) {
        // Nothing to show: the other pages of an earlier run stay as they are.
        WritePageHead(page, "Server Stats");
        WritePageFoot(page);
        page.Close();
    } else {
        WriteFrontPage(page, tables, settings, env, statsDir);
        allPagesCreated = WriteListPages(page, tables, statsDir);
        page.Close();
    }

    if (page.WriteFailed()) return {ReportStatus::CannotWrite, {}, {}};
    if (!allPagesCreated)
        return {ReportStatus::CannotCreatePage, page.NotCreated(), page.NotCreatedReason()};
    return {};
}

}  // namespace mctf
