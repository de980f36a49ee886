// What operators without a mouse or with a screen reader rely on: every way
// of changing a control changes the record, every input has a name and an
// Alt key and is reached by the keyboard in reading order, and questions and
// choosers start from the safe place.
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSlider>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/FixedText.h"
#include "core/Paths.h"
#include "core/ServerSettings.h"
#include "core/SettingsStore.h"
#include "tests/support/TestDefaults.h"
#include "tests/ui/AppHarness.h"
#include "tests/ui/SheetFixture.h"
#include "ui/QtDesktop.h"
#include "ui/sheet/FlagBox.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf::testing {
namespace {

using OperatorAccess = SheetTest;

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

void Toggle(QAbstractButton* button) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    const QString toggle = QAccessibleActionInterface::toggleAction();
    ASSERT_TRUE(accessible->actionInterface()->actionNames().contains(toggle));
    accessible->actionInterface()->doAction(toggle);
}

// Makes `window` the active one, so that keys and focus behave as on screen.
void Activate(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

QString FocusedName() { return AccessibleName(QApplication::focusWidget()); }

TEST_F(OperatorAccess, AccessibleToggleChangesTheRecord) {
    stored.dmFlags = 1;
    stored.modFlags = 0;
    Open();
    struct Row {
        Tab tab;
        QAbstractButton* box;
        const int32_t* field;
        int32_t ticked;  // the field with the box ticked
    };
    const Row rows[] = {
        {kDeathMatch, sheet->deathMatchPage.fixedFov, &game.store.settings.dmFlags, 17},
        {kMod, sheet->morvanePage.randomMaps, &game.store.settings.modFlags, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.box->text().toStdString());
        ASSERT_TRUE(sheet->SelectPage(row.tab));
        const int32_t before = *row.field;
        Toggle(row.box);
        EXPECT_TRUE(row.box->isChecked());
        EXPECT_EQ(*row.field, row.ticked);
        Toggle(row.box);
        EXPECT_FALSE(row.box->isChecked());
        EXPECT_EQ(*row.field, before);
        Toggle(row.box);
        // Showing the page again neither flips the box nor writes the bit.
        ASSERT_TRUE(sheet->SelectPage(kGeneral));
        ASSERT_TRUE(sheet->SelectPage(row.tab));
        EXPECT_TRUE(row.box->isChecked());
        EXPECT_EQ(*row.field, row.ticked);
    }
    EXPECT_EQ(sheet->deathMatchPage.display->text().toStdString(), "17");
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(SavedRecord().dmFlags, 17);
    EXPECT_EQ(SavedRecord().modFlags, 2);

    AppHarness h;
    h.Start();
    for (int type : {kQuake3CTF, kMorvaneSoccer}) {
        std::string_view label = kGameTypes[type].label;
        QAbstractButton& button = h.Button(QString::fromLatin1(label.data(), label.size()));
        Toggle(&button);
        EXPECT_TRUE(button.isChecked()) << label;
        EXPECT_EQ(h.app->Store().settings.gameType, type) << label;
    }
}

TEST_F(OperatorAccess, EveryInputOfEveryPageHasTheNameOfItsLabel) {
    Open();
    const std::map<QWidget*, QString> named = {
        {sheet->generalPage.serverType, "Server Type"},
        {sheet->generalPage.timeLimit, "Time Limit"},
        {sheet->generalPage.captureLimit, "Cap Limit"},
        {sheet->generalPage.hostname, "Hostname"},
        {sheet->generalPage.motd, "Message of the Day"},
        {sheet->morvanePage.instaGib, "Instagib"},
        {sheet->morvanePage.goalLimit, "Goal Limit"},
        {sheet->botSetupPage.minPlayers, "Minimum Players"},
        {sheet->botSetupPage.difficulty, "Difficulty"},
        {sheet->mapsPage.available, "Available Maps"},
        {sheet->mapsPage.current, "Current Map List"},
    };
    int inputs = 0;
    for (int tab = 0; tab < sheet->PageCount(); ++tab) {
        ASSERT_TRUE(sheet->SelectPage(tab));
        SheetPage& page = sheet->Page(tab);
        for (QWidget* widget : page.findChildren<QWidget*>()) {
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&page)) continue;
            ++inputs;
            SCOPED_TRACE(page.Title().toStdString() + ": " + widget->metaObject()->className());
            EXPECT_FALSE(AccessibleName(widget).trimmed().isEmpty());
            if (named.count(widget)) {
                EXPECT_EQ(AccessibleName(widget).toStdString(), named.at(widget).toStdString());
            }
        }
    }
    EXPECT_GE(inputs, 36);  // 21 + 5 + 3 + 4 + 3 controls
}

// Each entry: the caption with its '&', and what it must read without it
// (empty: not checked).
using Captions = std::vector<std::pair<QString, QString>>;

TEST_F(OperatorAccess, AltKeysAreUniqueWithinTheirWindowOrMenu) {
    AppHarness h;
    MainWindow& window = h.Start();
    std::map<std::string, Captions> groups;
    Captions& main = groups["main window"];
    const QStringList mainCaptions = {"Setup Server", "Players Stats",      "Exit",
                                      "Quake 3 DM",   "Quake 3 Tournament", "Quake 3 Team DM",
                                      "Quake 3 CTF",  "Morvane CTF",        "Morvane Soccer",
                                      "Morvane DM",   "Morvane Team DM"};
    for (const QString& caption : mainCaptions)
        main.emplace_back(h.Button(caption).text(), caption);
    QMenuBar* bar = window.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    const std::map<QString, QStringList> menus = {{"Setup", {"Game Path", "Reset Settings"}},
                                                  {"Help", {"About"}}};
    ASSERT_EQ(bar->actions().size(), qsizetype(menus.size()));
    for (QAction* title : bar->actions()) {
        main.emplace_back(title->text(), Plain(title->text()));
        ASSERT_TRUE(menus.count(Plain(title->text()))) << title->text().toStdString();
        Captions& items = groups[Plain(title->text()).toStdString() + " menu"];
        QStringList plain;
        for (QAction* item : title->menu()->actions()) {
            EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
            items.emplace_back(item->text(), Plain(item->text()));
            plain << Plain(item->text());
        }
        EXPECT_EQ(plain.join(", ").toStdString(),
                  menus.at(Plain(title->text())).join(", ").toStdString());
    }

    // Each page with the sheet's own buttons: only the current page is shown,
    // so only its keys are live.
    Open();
    for (int tab = 0; tab < sheet->PageCount(); ++tab) {
        Captions& page = groups[sheet->Page(tab).Title().toStdString() + " page"];
        for (auto* button : sheet->findChildren<QAbstractButton*>()) {
            bool onSomePage = false;
            for (int other = 0; other < sheet->PageCount(); ++other) {
                onSomePage = onSomePage || sheet->Page(other).isAncestorOf(button);
            }
            bool sheetKey = !onSomePage && button->text().contains('&');
            if (sheetKey || sheet->Page(tab).isAncestorOf(button)) {
                page.emplace_back(button->text(), QString());
            }
        }
        for (auto* label : sheet->Page(tab).findChildren<QLabel*>()) {
            if (label->buddy()) page.emplace_back(label->text(), QString());
        }
        for (auto* group : sheet->Page(tab).findChildren<QGroupBox*>()) {
            if (group->title().contains('&')) page.emplace_back(group->title(), QString());
        }
    }

    for (const auto& [group, captions] : groups) {
        std::map<QChar, QString> keys;
        for (const auto& [caption, expected] : captions) {
            SCOPED_TRACE(group + ": " + caption.toStdString());
            if (!expected.isEmpty()) {
                EXPECT_EQ(Plain(caption).toStdString(), expected.toStdString());
            }
            qsizetype mark = caption.indexOf('&');
            ASSERT_GE(mark, 0);
            ASSERT_EQ(caption.indexOf('&', mark + 1), -1);
            ASSERT_LT(mark + 1, caption.size());
            QChar key = caption[mark + 1].toLower();
            EXPECT_TRUE(key.isLetterOrNumber());
            EXPECT_FALSE(keys.count(key)) << "also on " << keys[key].toStdString();
            keys[key] = caption;
        }
    }
    EXPECT_EQ(groups["General page"].size(), 21u);  // every one of its inputs
}

TEST_F(OperatorAccess, TabAndArrowKeysFollowTheReadingOrder) {
    AppHarness h;
    MainWindow& window = h.Start();
    Open();
    ASSERT_TRUE(sheet->SelectPage(kMaps));

    struct Step {
        QWidget* window;
        QWidget* start;  // null: where the last step left the focus
        Qt::Key key;
        QString focused;  // the name of where the focus lands
        int gameType;     // the record afterwards (main window), or -1
    };
    // The record changed under the main window, as after a cancelled sheet.
    h.app->Store().settings.gameType = kQuake3CTF;
    window.RefreshGameTypeButtons();
    const Step steps[] = {
        // The game types are one stop, on the selected one; arrows select.
        {&window, &h.Button("Exit"), Qt::Key_Tab, "Quake 3 CTF", kQuake3CTF},
        {&window, nullptr, Qt::Key_Up, "Quake 3 Team DM", kQuake3TeamDM},
        {&window, nullptr, Qt::Key_Right, "Morvane DM", kMorvaneDM},
        {&window, nullptr, Qt::Key_Tab, "Setup Server", kMorvaneDM},
        {&window, nullptr, Qt::Key_Backtab, "Morvane DM", kMorvaneDM},
        // The Maps page reads left to right, each list before its button.
        {sheet.get(), sheet->mapsPage.available, Qt::Key_Tab, "Select Maps", -1},
        {sheet.get(), nullptr, Qt::Key_Tab, "Add  --->", -1},
        {sheet.get(), nullptr, Qt::Key_Tab, "Current Map List", -1},
        {sheet.get(), nullptr, Qt::Key_Tab, "Move Up", -1},
        {sheet.get(), nullptr, Qt::Key_Tab, "Move Down", -1},
        {sheet.get(), nullptr, Qt::Key_Tab, "Delete", -1},
    };
    QWidget* active = nullptr;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.focused.toStdString());
        if (step.window != active) {
            active = step.window;
            Activate(*active);
        }
        if (step.start) step.start->setFocus();
        QTest::keyClick(QApplication::focusWidget(), step.key);
        EXPECT_EQ(Plain(FocusedName()).toStdString(), step.focused.toStdString());
        if (step.gameType >= 0) {
            EXPECT_EQ(h.app->Store().settings.gameType, step.gameType);
        }
    }
    EXPECT_TRUE(h.Button("Morvane DM").isChecked());
    sheet->hide();
    window.hide();
}

// Presses `key` in every message box that comes up while it lives, and keeps
// the default button of the first.
class BoxAnswerer {
public:
    explicit BoxAnswerer(Qt::Key key) {
        QObject::connect(&timer_, &QTimer::timeout, [this, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            if (boxes++ == 0 && box->defaultButton())
                firstDefault = Plain(box->defaultButton()->text());
            QTest::keyClick(box, key);
        });
        timer_.start(10);
    }
    int boxes = 0;
    QString firstDefault;

private:
    QTimer timer_;
};

TEST_F(OperatorAccess, SafeStartsForTheQuestionAndTheChooser) {
    // Reset answered from the keyboard keeps every setting.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        TempDir dir;
        const ServerSettings defaults = DefaultsIn(dir.path());
        SettingsStore store;
        store.defaults = &defaults;
        store.startupDir = dir.str();
        store.settings = defaults;
        SetFixedText(store.settings.quakePath, "/srv/quake3");
        QtDesktop qtDesktop;
        BoxAnswerer answerer(key);

        ResetSettings(store, qtDesktop);

        EXPECT_EQ(answerer.boxes, 1) << key;
        EXPECT_EQ(answerer.firstDefault.toStdString(), "Cancel");
        EXPECT_EQ(std::string(FixedText(store.settings.quakePath)), "/srv/quake3") << key;
        EXPECT_FALSE(std::filesystem::exists(dir / "config.dmc")) << key;
    }

    // Select Maps opens in the game's baseq3 when there is one.
    Open();
    ASSERT_TRUE(sheet->SelectPage(kMaps));
    sheet->mapsPage.selectButton->click();
    std::filesystem::remove(game.dir / "baseq3");
    sheet->mapsPage.selectButton->click();
    ASSERT_EQ(desktop.fileStartFolders.size(), 2u);
    EXPECT_EQ(desktop.fileStartFolders[0], JoinPath(game.dir.str(), "baseq3"));
    EXPECT_EQ(desktop.fileStartFolders[1], "");
}

}  // namespace
}  // namespace mctf::testing
