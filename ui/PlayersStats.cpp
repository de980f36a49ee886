#include "ui/PlayersStats.h"

#include <string>

#include "core/Desktop.h"
#include "core/FixedText.h"
#include "core/GameFolder.h"
#include "core/Paths.h"
#include "core/SettingsStore.h"
#include "jobs/AnalyzeLogs.h"
#include "ui/PlayerStatsDialog.h"
#include "ui/TextField.h"

namespace mctf {

void PlayersStats(QWidget* owner, SettingsStore& store, StatsTables& tables, Desktop& desktop,
                  const DialogRunner& runDialog, const ReportEnvironment& report) {
    PlayerStatsDialog prompt(desktop, owner);
    prompt.SetText(ToQString(StatsFolder(store.settings)));
    const QString shown = prompt.Text();
    if (runDialog(prompt) != QDialog::Accepted) return;
    // The log folder shown for the Windows default is not stored, so that the
    // default goes on following the game path and type.
    if (prompt.Text() != shown) SetFixedText(store.settings.statsDir, ToBytes(prompt.Text()));
    SaveSettings(store);
    const StatsRunOutcome outcome = AnalyzeLogs(tables, store.settings, desktop, report);
    const StatsRunMessage message = RunMessage(outcome);
    if (outcome.Written()) {
        // Where the pages went, and the front page one click away.
        const std::string folder = StatsFolder(store.settings);
        const std::string text = std::string(message.text) + "\nThe pages are in " + folder;
        if (desktop.ShowMessageOffering(text, "Open", "Shows pstats.htm in the web browser",
                                        message.caption, message.icon)) {
            const std::string frontPage = JoinPath(folder, "pstats.htm");
            if (!desktop.OpenInBrowser(frontPage))
                desktop.ShowMessage("No web browser could show " + frontPage, kAppTitle,
                                    MessageIcon::Exclamation);
        }
    } else if (!message.text.empty()) {
        desktop.ShowMessage(message.text, message.caption, message.icon);
    }
    // Skipped logs stay silent here; a clan list that was there is missed.
    if (outcome.unread.clanList.Unreadable()) {
        desktop.ShowMessage(UnreadableClanListMessage(outcome.unread.clanList), kAppTitle,
                            MessageIcon::Exclamation);
    }
}

}  // namespace mctf
