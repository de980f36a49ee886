// The main window's commands: game-type choice, Game Path, Reset Settings,
// About and Exit.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/FixedText.h"
#include "core/ServerSettings.h"
#include "tests/ui/AppHarness.h"
#include "ui/GamePathDialog.h"
#include "ui/PlayerStatsDialog.h"

namespace mctf::testing {
namespace {

// Types `count` copies of `c` into `edit`, one key press each.
void Type(QLineEdit& edit, QChar c, int count) {
    for (int i = 0; i < count; ++i) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&edit, &press);
    }
}

std::string QuakePathOf(const AppHarness& h) {
    return std::string(FixedText(h.app->Store().settings.quakePath));
}

TEST(MainWindow, ChoosingAGameTypeStoresItButSavesNothing) {
    AppHarness h;
    h.Start();
    std::string before = h.ConfigBytes();

    h.Button("Quake 3 CTF").click();
    EXPECT_EQ(h.app->Store().settings.gameType, kQuake3CTF);
    int checked = 0;
    for (int type = 0; type < kGameTypeCount; ++type) {
        std::string_view label = kGameTypes[type].label;
        checked += h.Button(QString::fromLatin1(label.data(), label.size())).isChecked();
    }
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(h.Button("Quake 3 CTF").isChecked());

    h.Button("Morvane Team DM").click();
    EXPECT_EQ(h.app->Store().settings.gameType, kMorvaneTeamDM);

    h.Button("Exit").click();
    EXPECT_FALSE(h.window->isVisible());
    EXPECT_EQ(h.ConfigBytes(), before);
}

TEST(MainWindow, GamePathOkReadsTheNewFoldersListAndSavesWithTheChosenGameType) {
    AppHarness h;
    h.Start();
    h.Button("Quake 3 CTF").click();
    const std::string game = (h.dir / "game").string();
    const std::filesystem::path list = h.dir / "game" / "morvane" / "q3ctf.map";
    std::filesystem::create_directories(list.parent_path());
    WriteFileBytes(list, "n1\nn2\n");  // its own list: read, not written over
    QString shown;
    h.OnNextDialog([&](QDialog& dialog) {
        shown = EditOf(dialog).text();
        EditOf(dialog).setText(QString::fromStdString(game));
        return int(QDialog::Accepted);
    });

    h.MenuItem("&Game Path").trigger();

    EXPECT_EQ(h.dialogTitles, std::vector<QString>{"Morvane Setup"});
    EXPECT_EQ(shown.toStdString(), h.defaults.quakePath);
    EXPECT_EQ(QuakePathOf(h), game);
    std::string bytes = h.ConfigBytes();
    ServerSettings saved;
    ASSERT_EQ(bytes.size(), sizeof saved);
    std::memcpy(&saved, bytes.data(), sizeof saved);
    EXPECT_EQ(std::string(FixedText(saved.quakePath)), game);
    EXPECT_EQ(saved.gameType, kQuake3CTF);
    EXPECT_EQ(ReadTextFile(list), "n1\nn2\n");
    ASSERT_EQ(h.desktop.messages.size(), 1u);
    EXPECT_EQ(h.desktop.messages[0].text, list.string() + ": map list read (2 maps)");
}

TEST(MainWindow, GamePathThatWouldEndItsQuotesIsAskedForAgain) {
    AppHarness h;
    h.Start();
    h.AnswerPrompt("C:\\q3\" & del x & \"", true);
    h.AnswerPrompt("/opt/quake3", true);

    h.MenuItem("&Game Path").trigger();

    ASSERT_EQ(h.desktop.messages.size(), 1u);
    EXPECT_EQ(h.desktop.messages[0].text, "Please enter no double quotes.");
    EXPECT_EQ(QuakePathOf(h), "/opt/quake3");
}

TEST(MainWindow, GamePathCancelChangesNothing) {
    AppHarness h;
    h.Start();
    std::string before = h.ConfigBytes();
    h.AnswerPrompt("/somewhere/else", false);

    h.MenuItem("&Game Path").trigger();

    EXPECT_EQ(QuakePathOf(h), h.defaults.quakePath);
    EXPECT_EQ(h.ConfigBytes(), before);
}

TEST(MainWindow, GamePathFieldStopsWhereTheRecordFieldEnds) {
    AppHarness h;
    h.Start();
    QString plain, wide;
    h.OnNextDialog([&](QDialog& dialog) {
        QLineEdit& edit = EditOf(dialog);
        edit.clear();
        Type(edit, 'a', 140);
        plain = edit.text();
        edit.clear();
        // Two bytes each in UTF-8: only 63 fit 127 bytes. One byte each in
        // a Windows ANSI code page, where all 70 fit.
        Type(edit, QChar(0x00FC), 70);
        wide = edit.text();
        return int(QDialog::Accepted);
    });

    h.MenuItem("&Game Path").trigger();

    const int bytesEach = int(QString(QChar(0x00FC)).toLocal8Bit().size());
    const int fit = std::min(70, 127 / bytesEach);
    EXPECT_EQ(plain.size(), 127);
    EXPECT_EQ(wide.size(), fit);
    EXPECT_EQ(FixedText(h.app->Store().settings.quakePath).size(), std::size_t(fit * bytesEach));
}

// Browse starts in the folder typed if it is there; what the record cannot hold is refused.
TEST(MainWindow, BrowseFillsEitherFolderPromptFromTheChooser) {
    TempDir dir;
    RecordingDesktop desktop;
    GamePathDialog gamePath(desktop, nullptr);
    PlayerStatsDialog playerStats(desktop, nullptr);
    const std::string chosen = (dir / "chosen").string(), tooLong = "/" + std::string(130, 'x');
    for (TextPromptDialog* prompt :
         std::initializer_list<TextPromptDialog*>{&gamePath, &playerStats}) {
        EXPECT_FALSE(prompt->browseButton->accessibleDescription().isEmpty());
        desktop = RecordingDesktop();
        desktop.fileAnswers = {{chosen}, {tooLong}};
        prompt->SetText(QString::fromStdString(dir.str()));
        prompt->browseButton->click();
        EXPECT_EQ(prompt->Text().toStdString(), chosen);
        prompt->browseButton->click();  // "chosen" is no folder: the chooser's own start
        EXPECT_EQ(prompt->Text().toStdString(), chosen);
        EXPECT_EQ(desktop.fileStartFolders, std::vector<std::string>({dir.str(), ""}));
        EXPECT_EQ(desktop.messages.at(0).text, "Please enter no more than 127 characters.");
    }
}

TEST(MainWindow, ResetSettingsCancelledChangesNothing) {
    AppHarness h;
    h.Start();
    h.Button("Quake 3 CTF").click();
    std::string before = h.ConfigBytes();
    h.desktop.confirmAnswers = {false};

    h.MenuItem("Reset Settings").trigger();

    EXPECT_EQ(h.desktop.confirmations.size(), 1u);
    EXPECT_EQ(h.app->Store().settings.gameType, kQuake3CTF);
    EXPECT_TRUE(h.Button("Quake 3 CTF").isChecked());
    EXPECT_EQ(h.ConfigBytes(), before);
}

TEST(MainWindow, ResetSettingsConfirmedRestoresDefaultsAndTheButtons) {
    AppHarness h;
    h.Start();
    h.AnswerPrompt("/opt/quake3", true);
    h.MenuItem("&Game Path").trigger();
    h.Button("Quake 3 CTF").click();
    h.desktop.confirmAnswers = {true};

    h.MenuItem("Reset Settings").trigger();

    EXPECT_EQ(QuakePathOf(h), h.defaults.quakePath);
    EXPECT_EQ(h.app->Store().settings.gameType, kMorvaneCTF);
    EXPECT_TRUE(h.Button("Morvane CTF").isChecked());
    EXPECT_FALSE(h.Button("Quake 3 CTF").isChecked());
    std::string bytes = h.ConfigBytes();
    EXPECT_EQ(0, std::memcmp(bytes.data(), &h.defaults, sizeof(ServerSettings)));
}

TEST(MainWindow, AboutShowsNameVersionAndBothPictures) {
    AppHarness h;
    h.Start();
    QString text;
    int pictures = 0;
    h.OnNextDialog([&](QDialog& dialog) {
        for (auto* label : dialog.findChildren<QLabel*>()) {
            text += label->text() + "\n";
            if (!label->pixmap().isNull()) ++pictures;
        }
        return int(QDialog::Accepted);
    });

    h.MenuItem("&About").trigger();

    EXPECT_EQ(h.dialogTitles, std::vector<QString>{"About mctfutil"});
    for (const char* line : {"Morvane Quake", "MCTF Utility", "Version 2.00"}) {
        EXPECT_TRUE(text.contains(line)) << line;
    }
    EXPECT_EQ(pictures, 2);
}

}  // namespace
}  // namespace mctf::testing
