// ServerSettingsSheet: the "Server Settings" sheet, a modal dialog of five tabs
// (General, Maps, Death Match, Morvane Quake Settings, Bot Setup) with OK
// and Cancel.
//
// A page is filled each time its tab is selected and read back, with its
// limits checked, when the operator leaves it or presses OK on it. A page
// that does not pass keeps the sheet on it: the message is shown under the
// failing box's label, and the box gets the focus with its text selected.
#pragma once

#include <QDialog>

#include "ui/sheet/BotSetupPage.h"
#include "ui/sheet/DeathMatchPage.h"
#include "ui/sheet/GeneralPage.h"
#include "ui/sheet/MapsPage.h"
#include "ui/sheet/MorvanePage.h"

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace mctf {

class Desktop;
struct ServerSettings;
struct SettingsStore;

class ServerSettingsSheet : public QDialog {
    Q_OBJECT
public:
    ServerSettingsSheet(QWidget* owner, SettingsStore& store, Desktop& desktop);
    ~ServerSettingsSheet() override;

    int PageCount() const;
    SheetPage& Page(int index);
    int CurrentPage() const { return current_; }

    // As a click on a tab: false when the current page did not pass.
    bool SelectPage(int index);
    // As the OK button: the sheet closes with Accepted when the current page
    // passes.
    void PressOk();

    // The sheet's two copies. Every page takes its fields from the record;
    // on OK they go back, but for the flag boxes, whose clicks have already
    // changed the record. The Maps page works on the store's map list itself.
    void PagesFromSettings(const ServerSettings& settings);
    void SettingsFromPages(ServerSettings& settings) const;

    QTabWidget& Tabs() { return *tabs_; }
    QPushButton& OkButton();
    QPushButton& CancelButton();

    // The pages, constructed in this order.
    MorvanePage morvanePage;
    DeathMatchPage deathMatchPage;
    BotSetupPage botSetupPage;
    GeneralPage generalPage;
    MapsPage mapsPage;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Start();
    void Activate(int index);
    void OnTabChanged(int index);
    bool LeaveCurrent(int returnTo);
    void ShowFailure(const PageFailure& failure);

    Desktop& desktop_;
    QTabWidget* tabs_;
    QDialogButtonBox* buttons_;
    std::vector<bool> opened_;
    int current_ = 0;
    bool started_ = false;
};

}  // namespace mctf
