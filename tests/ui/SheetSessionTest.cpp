// The sheet as a whole: its tabs, OK and Cancel, and what they leave in the
// record and the files.
#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include <set>
#include <string_view>

#include "core/SettingsFields.h"
#include "tests/ui/SheetFixture.h"
#include "ui/sheet/FlagBox.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf::testing {
namespace {

TEST_F(SheetTest, TabsComeInTheSameOrderForEveryGameType) {
    for (int32_t type = 0; type < kGameTypeCount; ++type) {
        stored.gameType = type;
        Open();
        std::vector<std::string> titles;
        for (int i = 0; i < sheet->Tabs().count(); ++i) {
            titles.push_back(sheet->Tabs().tabText(i).toStdString());
        }
        EXPECT_EQ(titles, Strings({"General", "Maps", "Death Match", "Morvane Quake Settings",
                                   "Bot Setup"}))
            << "game type " << type;
        EXPECT_EQ(sheet->windowTitle().toStdString(), "Server Settings");
        EXPECT_EQ(sheet->CurrentPage(), kGeneral);
        ASSERT_TRUE(Close(false));
    }
}

TEST_F(SheetTest, EveryFieldOfThePagesTravelsThroughItsPageUnchanged) {
    // The sheet edits every field but these, and each on one page only.
    const std::set<std::string_view> elsewhere = {"gameType", "quakePath", "statsDir"};
    auto onSheet = [&](const SettingsField& field) {
        return field.IsEditable() && elsewhere.count(field.name) == 0;
    };
    // A value off the default in every field of the sheet, at the top of its
    // range where it has one, so a field left out or crossed shows up.
    for (const SettingsField& field : SettingsFields()) {
        if (!onSheet(field)) continue;
        if (field.kind == FieldKind::Text) {
            std::string text(field.textLimit, field.name[0]);
            if (field.use == TextUse::LogFileName) text.replace(text.size() - 4, 4, ".log");
            SetText(stored, field, text);
        } else if (field.kind == FieldKind::Flags) {
            SetNumber(stored, field, field.flagBits);
        } else if (field.kind != FieldKind::Port) {
            SetNumber(stored, field, field.high);
        } else {
            SetNumber(stored, field, -27960);
        }
    }
    Open();
    for (const SettingsField& field : SettingsFields()) {
        int pages = 0;
        for (int tab = 0; tab < sheet->PageCount(); ++tab) pages += sheet->Page(tab).Binds(field);
        EXPECT_EQ(pages, onSheet(field) ? 1 : 0) << field.name;
    }
    for (int tab : {kGeneral, kDeathMatch, kMod, kBots}) ASSERT_TRUE(sheet->SelectPage(tab));
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(RecordBytes(SavedRecord()), RecordBytes(stored));
}

TEST_F(SheetTest, CancelTakesBackTheFlagClick) {
    stored.dmFlags = 1;
    Open();
    ASSERT_TRUE(sheet->SelectPage(kDeathMatch));
    sheet->deathMatchPage.fixedFov->click();
    EXPECT_EQ(game.store.settings.dmFlags, 17) << "the click acts on the record at once";
    EXPECT_EQ(sheet->deathMatchPage.display->text().toStdString(), "17");
    ASSERT_TRUE(Close(false));
    EXPECT_EQ(game.store.settings.dmFlags, 1);
    EXPECT_EQ(SavedRecord().dmFlags, 1);
}

TEST_F(SheetTest, OkStoresTheFlagClickAndWritesItToTheScript) {
    Open();
    ASSERT_TRUE(sheet->SelectPage(kDeathMatch));
    sheet->deathMatchPage.fixedFov->click();
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(SavedRecord().dmFlags, 16);
    EXPECT_TRUE(HasLine(Script(), "set dmflags \"16\""));
}

TEST_F(SheetTest, OkAtOnceRewritesTheFilesWithUnchangedValues) {
    maps = {"q3dm7", "q3dm17"};
    stored.mapCount = 2;  // as the list file says, so the record reads back equal
    Open();
    const std::string before = ReadFileBytes(game.Config());
    std::filesystem::remove(game.Config());
    std::filesystem::remove(game.Morvane("mctf.map"));
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(ReadFileBytes(game.Config()), before);
    EXPECT_EQ(MapFile(), "q3dm7\nq3dm17\n");
    EXPECT_TRUE(HasLine(Script(), "set fraglimit 20"));
    EXPECT_TRUE(HasLine(Script(), "set d2 \"map q3dm17 ; set nextmap vstr d1\""));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(SheetTest, HandEditedFragLimitKeepsOkOnTheGeneralPage) {
    stored.fragLimit = 10001;
    Open();
    EXPECT_FALSE(Close(true));
    EXPECT_EQ(MessageTexts(),
              Strings({"Frag Limit\nPlease enter an integer between 0 and 10000."}));
    EXPECT_EQ(sheet->CurrentPage(), kGeneral);
    EXPECT_EQ(sheet->focusWidget(), sheet->generalPage.fragLimit);
    EXPECT_EQ(sheet->generalPage.fragLimit->selectedText().toStdString(), "10001");
    // Nor can the operator leave the page for another.
    EXPECT_FALSE(sheet->SelectPage(kBots));
    EXPECT_EQ(sheet->Tabs().currentIndex(), kGeneral);

    sheet->generalPage.fragLimit->setText("10000");
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(SavedRecord().fragLimit, 10000);
}

TEST_F(SheetTest, CheckBoxHoldingAnOddValueIsStoredAsZero) {
    stored.cheats = 7;
    stored.pureServer = 1;
    Open();
    EXPECT_FALSE(sheet->generalPage.cheats->isChecked());
    EXPECT_TRUE(sheet->generalPage.pureServer->isChecked());
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(SavedRecord().cheats, 0);
    EXPECT_EQ(SavedRecord().pureServer, 1);
}

TEST_F(SheetTest, FlagFieldKeepsTheBitsThePageDoesNotShow) {
    stored.dmFlags = 9;
    Open();
    ASSERT_TRUE(sheet->SelectPage(kDeathMatch));
    DeathMatchPage& page = sheet->deathMatchPage;
    EXPECT_EQ(page.display->text().toStdString(), "9");
    EXPECT_TRUE(page.noFallingDamage->isChecked());
    EXPECT_FALSE(page.fixedFov->isChecked());
    EXPECT_FALSE(page.noFootsteps->isChecked());

    page.fixedFov->click();
    page.noFootsteps->click();
    EXPECT_EQ(page.display->text().toStdString(), "57");
    page.noFallingDamage->click();
    page.fixedFov->click();
    EXPECT_EQ(page.display->text().toStdString(), "33");
    // Leaving and coming back shows the boxes as they were left.
    ASSERT_TRUE(sheet->SelectPage(kGeneral));
    ASSERT_TRUE(sheet->SelectPage(kDeathMatch));
    EXPECT_FALSE(page.noFallingDamage->isChecked());
    EXPECT_TRUE(page.noFootsteps->isChecked());
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(SavedRecord().dmFlags, 33);
}

TEST_F(SheetTest, ModFlagBoxesFollowTheirBits) {
    stored.modFlags = 3;
    Open();
    ASSERT_TRUE(sheet->SelectPage(kMod));
    EXPECT_TRUE(sheet->morvanePage.weaponsStay->isChecked());
    EXPECT_TRUE(sheet->morvanePage.randomMaps->isChecked());
    sheet->morvanePage.weaponsStay->click();
    EXPECT_EQ(game.store.settings.modFlags, 2);
    ASSERT_TRUE(Close(true));
    EXPECT_TRUE(HasLine(Script(), "set Morvane_Flags 2"));
}

TEST_F(SheetTest, FlagBoxCaptionsStartWithTheBitsOfTheFieldTable) {
    Open();
    std::vector<std::string> captions;
    for (FlagBox* box : {sheet->deathMatchPage.noFallingDamage, sheet->deathMatchPage.fixedFov,
                         sheet->deathMatchPage.noFootsteps, sheet->morvanePage.weaponsStay,
                         sheet->morvanePage.randomMaps})
        captions.push_back(std::to_string(box->Bit()) + ": " + box->text().toStdString());
    EXPECT_EQ(captions,
              Strings({"8:   8 - No &Falling Damage", "16: 16 - Fi&xed FOV",
                       "32: 32 - &No Footsteps", "1: 1 - &Weapons Stay", "2: 2 - &Random Maps"}));
}

TEST_F(SheetTest, SliderAtTheRightEndStoresTheHardestSkill) {
    Open();
    ASSERT_TRUE(sheet->SelectPage(kBots));
    QSlider& slider = *sheet->botSetupPage.difficulty;
    EXPECT_EQ(slider.value(), 2);
    QTest::keyClick(&slider, Qt::Key_End);
    EXPECT_EQ(slider.value(), 4);
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(SavedRecord().botSkill, 4);
    EXPECT_TRUE(HasLine(Script(), "set g_spSkill \"5\""));
}

TEST_F(SheetTest, PagesNeverOpenedPassTheirValuesThrough) {
    // Out of range, but nobody opened the page to be told.
    stored.goalLimit = 500;
    stored.botSkill = 7;
    Open();
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(SavedRecord().goalLimit, 500);
    EXPECT_EQ(SavedRecord().botSkill, 7);
}

TEST_F(SheetTest, OkAndResetSayThatTheSettingsCannotBeWritten) {
    Open();
    game.store.configPath = (game.dir / "morvane").string();  // a folder: no file replaces it
    ASSERT_TRUE(Close(true));
    desktop.confirmAnswers = {true};
    ResetSettings(game.store, desktop);
    const std::string said = "Cannot write the settings file " + game.store.configPath +
                             "\nThe settings were not saved; the file is as it was.";
    EXPECT_EQ(MessageTexts(), (Strings{said, said}));
}

}  // namespace
}  // namespace mctf::testing
