// What operators without a mouse or with a screen reader rely on: every way
// of changing a control changes the record once, every control has an Alt
// key and is reached by the keyboard, and questions default to the safe
// answer.
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "core/FixedText.h"
#include "core/ServerSettings.h"
#include "core/SettingsStore.h"
#include "tests/ui/AppHarness.h"
#include "ui/QtDesktop.h"

namespace mctf::testing {
namespace {

QString Plain(QString text) { return text.remove('&'); }

void DoAccessibleAction(QWidget& widget, const QString& action) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    ASSERT_TRUE(accessible->actionInterface()->actionNames().contains(action));
    accessible->actionInterface()->doAction(action);
}

TEST(OperatorAccess, AccessibleToggleChangesTheRecord) {
    struct Row {
        QString control;
        std::function<int(const ServerSettings&)> field;
        int expected;
    };
    const Row rows[] = {
        {"Quake 3 CTF", [](const ServerSettings& s) { return int(s.gameType); }, kQuake3CTF},
        {"Morvane Soccer", [](const ServerSettings& s) { return int(s.gameType); }, kMorvaneSoccer},
    };
    for (const Row& row : rows) {
        AppHarness h;
        h.Start();
        DoAccessibleAction(h.Button(row.control), QAccessibleActionInterface::toggleAction());
        EXPECT_TRUE(h.Button(row.control).isChecked()) << row.control.toStdString();
        EXPECT_EQ(row.field(h.app->Store().settings), row.expected) << row.control.toStdString();
    }
}

// Each entry: the caption with its '&', and what it must read without it.
using Captions = std::vector<std::pair<QString, QString>>;

TEST(OperatorAccess, AltKeysAreUniqueWithinTheirWindowOrMenu) {
    AppHarness h;
    MainWindow& window = h.Start();
    std::map<std::string, Captions> groups;
    Captions& main = groups["main window"];
    const QStringList mainCaptions = {"Setup Server", "Players Stats", "Exit", "Quake 3 DM",
                                      "Quake 3 Tournament", "Quake 3 Team DM", "Quake 3 CTF",
                                      "Morvane CTF", "Morvane Soccer", "Morvane DM",
                                      "Morvane Team DM"};
    for (const QString& caption : mainCaptions) main.emplace_back(h.Button(caption).text(), caption);
    QMenuBar* bar = window.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    const std::map<QString, QStringList> menus = {{"Setup", {"Game Path", "Reset Settings"}},
                                                  {"Help", {"About"}}};
    ASSERT_EQ(bar->actions().size(), qsizetype(menus.size()));
    for (QAction* title : bar->actions()) {
        main.emplace_back(title->text(), Plain(title->text()));
        ASSERT_TRUE(menus.count(Plain(title->text()))) << title->text().toStdString();
        Captions& items = groups[Plain(title->text()).toStdString() + " menu"];
        for (QAction* item : title->menu()->actions()) {
            EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
            items.emplace_back(item->text(), Plain(item->text()));
        }
        QStringList plain;
        for (const auto& item : items) plain << item.second;
        EXPECT_EQ(plain.join(", ").toStdString(), menus.at(Plain(title->text())).join(", ").toStdString());
    }

    for (const auto& [group, captions] : groups) {
        std::map<QChar, QString> keys;
        for (const auto& [caption, expected] : captions) {
            SCOPED_TRACE(group + ": " + caption.toStdString());
            EXPECT_EQ(Plain(caption).toStdString(), expected.toStdString());
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
}

TEST(OperatorAccess, GameTypesAreOneTabStopWalkedWithTheArrowKeys) {
    AppHarness h;
    MainWindow& window = h.Start();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // The record changed under the window, as after a cancelled sheet.
    h.app->Store().settings.gameType = kQuake3CTF;
    window.RefreshGameTypeButtons();

    struct Step {
        Qt::Key key;
        QString focused;  // where the focus lands
        int gameType;     // the record afterwards
    };
    const Step steps[] = {
        {Qt::Key_Tab, "Quake 3 CTF", kQuake3CTF},
        {Qt::Key_Up, "Quake 3 Team DM", kQuake3TeamDM},
        {Qt::Key_Right, "Morvane DM", kMorvaneDM},
        {Qt::Key_Tab, "Setup Server", kMorvaneDM},
        {Qt::Key_Backtab, "Morvane DM", kMorvaneDM},
    };
    h.Button("Exit").setFocus();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.focused.toStdString());
        QTest::keyClick(QApplication::focusWidget(), step.key);
        auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(Plain(focused->text()).toStdString(), step.focused.toStdString());
        EXPECT_EQ(h.app->Store().settings.gameType, step.gameType);
    }
    EXPECT_TRUE(h.Button("Morvane DM").isChecked());
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
            if (boxes++ == 0 && box->defaultButton()) firstDefault = Plain(box->defaultButton()->text());
            QTest::keyClick(box, key);
        });
        timer_.start(10);
    }
    int boxes = 0;
    QString firstDefault;

private:
    QTimer timer_;
};

TEST(OperatorAccess, ResetAnsweredFromTheKeyboardKeepsTheSettings) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        TempDir dir;
        SettingsStore store;
        store.startupDir = dir.str();
        store.settings = DefaultSettings;
        SetFixedText(store.settings.quakePath, "/srv/quake3");
        QtDesktop desktop;
        BoxAnswerer answerer(key);

        ResetSettings(store, desktop);

        EXPECT_EQ(answerer.boxes, 1) << key;
        EXPECT_EQ(answerer.firstDefault.toStdString(), "Cancel");
        EXPECT_EQ(std::string(FixedText(store.settings.quakePath)), "/srv/quake3") << key;
        EXPECT_FALSE(std::filesystem::exists(dir / "config.dmc")) << key;
    }
}

}  // namespace
}  // namespace mctf::testing
