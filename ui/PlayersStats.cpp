#include "ui/PlayersStats.h"

#include "core/Desktop.h"
#include "core/FixedText.h"
#include "core/SettingsStore.h"
#include "jobs/AnalyzeLogs.h"
#include "ui/PlayerStatsDialog.h"
#include "ui/TextField.h"

namespace mctf {

void PlayersStats(QWidget* owner, SettingsStore& store, StatsTables& tables, Desktop& desktop,
                  const DialogRunner& runDialog, const ReportEnvironment& report) {
    PlayerStatsDialog prompt(owner);
    prompt.SetText(ToQString(FixedText(store.settings.statsDir)));
    if (runDialog(prompt) != QDialog::Accepted) return;
    SetFixedText(store.settings.statsDir, ToBytes(prompt.Text()));
    SaveSettings(store);
    UnreadFiles unread;
    AnalyzeLogs(tables, store.settings, desktop, report, nullptr, &unread);
    // Skipped logs stay silent here; a clan list that was there is missed.
    if (unread.clanList.Unreadable()) {
        desktop.ShowMessage(UnreadableClanListMessage(unread.clanList), kAppTitle,
                            MessageIcon::Exclamation);
    }
}

}  // namespace mctf
