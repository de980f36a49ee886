#include "ui/PlayersStats.h"

#include "core/Desktop.h"
#include "core/FixedText.h"
#include "core/GameFolder.h"
#include "core/SettingsStore.h"
#include "jobs/AnalyzeLogs.h"
#include "ui/PlayerStatsDialog.h"
#include "ui/TextField.h"

namespace mctf {

void PlayersStats(QWidget* owner, SettingsStore& store, StatsTables& tables, Desktop& desktop,
                  const DialogRunner& runDialog, const ReportEnvironment& report) {
    PlayerStatsDialog prompt(owner);
    prompt.SetText(ToQString(StatsFolder(store.settings)));
    const QString shown = prompt.Text();
    if (runDialog(prompt) != QDialog::Accepted) return;
    // The log folder shown for the Windows default is not stored, so that the
    // default goes on following the game path and type.
    if (prompt.Text() != shown) SetFixedText(store.settings.statsDir, ToBytes(prompt.Text()));
    SaveSettings(store);
    const StatsRunOutcome outcome = AnalyzeLogs(tables, store.settings, desktop, report);
    if (StatsRunMessage message = RunMessage(outcome); !message.text.empty())
        desktop.ShowMessage(message.text, message.caption, message.icon);
    // Skipped logs stay silent here; a clan list that was there is missed.
    if (outcome.unread.clanList.Unreadable()) {
        desktop.ShowMessage(UnreadableClanListMessage(outcome.unread.clanList), kAppTitle,
                            MessageIcon::Exclamation);
    }
}

}  // namespace mctf
