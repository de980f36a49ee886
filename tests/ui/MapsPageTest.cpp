// The Maps page: filling Available Maps from paks and map files, Add and
// Delete, and what reaches the map list and its file.
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>

#include "core/PakScanner.h"
#include "tests/core/ZipBuilder.h"
#include "tests/ui/SheetFixture.h"

namespace mctf::testing {
namespace {

class MapsPageTest : public SheetTest {
protected:
    MapsPage& page() { return sheet->mapsPage; }

    // Opens the sheet on the Maps page.
    void OpenMaps() {
        Open();
        ASSERT_TRUE(sheet->SelectPage(kMaps));
    }
    // Picks the paths at once with Select Maps.
    void Choose(std::initializer_list<std::string> paths) {
        desktop.fileAnswers.push_back(paths);
        page().selectButton->click();
    }
    std::string WritePak(const std::string& name, const ZipBuilder& zip) {
        auto path = game.dir / name;
        WriteFileBytes(path, zip.bytes());
        return path.string();
    }
    static std::vector<std::string> Texts(const QListWidget& list) {
        std::vector<std::string> texts;
        for (int row = 0; row < list.count(); ++row)
            texts.push_back(list.item(row)->text().toStdString());
        return texts;
    }
    std::vector<std::string> MapListNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < game.store.settings.mapCount; ++i)
            names.emplace_back(game.store.mapList.maps[i]);
        return names;
    }
    void SelectRows(QListWidget& list, std::initializer_list<int> rows) {
        for (int row : rows) list.item(row)->setSelected(true);
    }
};

TEST_F(MapsPageTest, ScanningAPakListsItsMapsSorted) {
    OpenMaps();
    std::string pak = WritePak(
        "maps.pk3",
        ZipBuilder().Entry("maps/q3dm2.bsp").Entry("textures/wall.tga").Entry("maps/q3dm1.bsp"));
    Choose({pak});
    EXPECT_EQ(Texts(*page().available), Strings({"q3dm1", "q3dm2"}));
    EXPECT_EQ(desktop.fileFilters, Strings({"Quake 3 Paks (*.pk3);;Maps (*.bsp)"}));
    EXPECT_EQ(desktop.progressOpened, 1);
    EXPECT_FALSE(desktop.progressOpen);
    EXPECT_TRUE(Texts(*page().current).empty()) << "scanning adds nothing to the rotation";
}

TEST_F(MapsPageTest, AvailableMapsIgnoreCaseAndKeepDuplicates) {
    OpenMaps();
    Choose({"/nowhere/maps/Zeta.bsp", "/nowhere/alpha.bsp", "C:\\q3\\maps\\Beta.bsp",
            "/nowhere/alpha.bsp"});
    EXPECT_EQ(Texts(*page().available), Strings({"alpha", "alpha", "Beta", "Zeta"}));
    auto text = game.dir / "notes.pk3";
    WriteFileBytes(text, "just some text");
    Choose({text.string(), (game.dir / "missing.pk3").string()});
    EXPECT_EQ(MessageTexts(), Strings({"ERROR Invalid pk3 file", "ERROR Cannot open file"}));
    EXPECT_EQ(page().available->count(), 4);
}

TEST_F(MapsPageTest, AHostilePakIsListedMarkedAndCannotReachTheRotation) {
    OpenMaps();
    Choose({WritePak("hostile.pk3", ZipBuilder()
                                        .Entry("maps/q3dm17;quit.bsp")
                                        .Entry("maps/q3dm17.bsp")
                                        .Entry("maps/z\\1.bsp"))});
    ASSERT_EQ(Texts(*page().available), Strings({"q3dm17", "q3dm17;quit", "z\\1"}));
    EXPECT_TRUE(page().available->item(2)->toolTip().endsWith("leave it out of its info"));
    EXPECT_TRUE(page().available->item(0)->toolTip().isEmpty());
    EXPECT_TRUE(page().available->item(1)->font().strikeOut());
    EXPECT_TRUE(page().available->item(1)->toolTip().contains("semicolon"));
    SelectRows(*page().available, {0, 1});
    page().addButton->click();
    EXPECT_EQ(MapListNames(), Strings({"q3dm17"}));
    EXPECT_EQ(MessageTexts(), Strings({"Cannot add these maps to the map list:\nq3dm17;quit: the "
                                       "name holds a semicolon, which the server would read as "
                                       "a command of its own"}));
}

TEST_F(MapsPageTest, AddAppendsInAvailableOrderAndClearsTheSelection) {
    maps = {"q3dm1"};
    OpenMaps();
    EXPECT_EQ(Texts(*page().current), Strings({"q3dm1"}));
    Choose({"/m/q3dm9.bsp", "/m/q3dm3.bsp", "/m/q3dm5.bsp"});
    page().available->item(2)->setSelected(true);
    page().available->item(0)->setSelected(true);
    page().addButton->click();
    EXPECT_EQ(Texts(*page().current), Strings({"q3dm1", "q3dm3", "q3dm9"}));
    EXPECT_TRUE(page().available->selectedItems().isEmpty());
    EXPECT_EQ(page().available->count(), 3);
    EXPECT_EQ(MapListNames(), Strings({"q3dm1", "q3dm3", "q3dm9"}));
}

TEST_F(MapsPageTest, MapListTakesTheFirst64AndDeleteBringsTheNextIn) {
    for (int i = 0; i < 60; ++i) maps.push_back("m" + std::to_string(i));
    OpenMaps();
    ZipBuilder zip;
    for (int i = 60; i < 70; ++i) zip.Entry("maps/z" + std::to_string(i) + ".bsp");
    Choose({WritePak("ten.pk3", zip)});
    page().available->selectAll();
    page().addButton->click();
    EXPECT_EQ(page().current->count(), 70);
    EXPECT_EQ(game.store.settings.mapCount, 64);
    EXPECT_STREQ(game.store.mapList.maps[63], "z63");

    page().current->item(5)->setSelected(true);
    page().deleteButton->click();
    EXPECT_EQ(page().current->count(), 69);
    EXPECT_EQ(game.store.settings.mapCount, 64);
    EXPECT_STREQ(game.store.mapList.maps[5], "m6");
    EXPECT_STREQ(game.store.mapList.maps[63], "z64");
}

TEST_F(MapsPageTest, OneAddTakesAtMost128Items) {
    OpenMaps();
    ZipBuilder zip;
    for (int i = 0; i < 130; ++i) zip.Entry("maps/n" + std::to_string(1000 + i) + ".bsp");
    Choose({WritePak("many.pk3", zip)});
    page().available->selectAll();
    page().addButton->click();
    EXPECT_EQ(page().current->count(), 128);
    EXPECT_EQ(page().current->item(127)->text().toStdString(), "n1127");
}

TEST_F(MapsPageTest, LongNamesAreCutInTheMapList) {
    OpenMaps();
    Choose({"/m/" + std::string(40, 'x') + ".bsp"});
    page().available->selectAll();
    page().addButton->click();
    EXPECT_EQ(page().current->item(0)->text().size(), 40);
    EXPECT_EQ(std::string(game.store.mapList.maps[0]), std::string(31, 'x'));
}

TEST_F(MapsPageTest, CancelLeavesTheListFileAsItWas) {
    maps = {"q3ctf1", "q3ctf2"};
    OpenMaps();
    Choose({"/m/q3ctf4.bsp"});
    page().available->selectAll();
    page().addButton->click();
    page().current->item(0)->setSelected(true);
    page().deleteButton->click();
    EXPECT_EQ(MapListNames(), Strings({"q3ctf2", "q3ctf4"}));
    ASSERT_TRUE(Close(false));
    EXPECT_EQ(MapFile(), "q3ctf1\nq3ctf2\n");
    EXPECT_EQ(MapListNames(), Strings({"q3ctf1", "q3ctf2"}));
}

TEST_F(MapsPageTest, OkSavesTheEditedRotation) {
    maps = {"q3ctf1"};
    OpenMaps();
    Choose({"/m/q3ctf4.bsp"});
    SelectRows(*page().available, {0});
    page().addButton->click();
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(MapFile(), "q3ctf1\nq3ctf4\n");
    EXPECT_TRUE(HasLine(Script(), "set d2 \"map q3ctf4 ; set nextmap vstr d1\""));
}

TEST_F(MapsPageTest, OpeningListsTheMapsOfTheGameTypesPakFolders) {
    WritePak("baseq3/pak0.pk3",
             ZipBuilder().Entry("maps/q3dm1.bsp").Entry("maps/Q3DM1.bsp").Entry("maps/x;quit.bsp"));
    WritePak("baseq3/pak1.pk3", ZipBuilder().Entry("maps/q3dm1.bsp").Entry("maps/deep/b.bsp"));
    WritePak("morvane/mctf.pk3", ZipBuilder().Entry("maps/mctf1.bsp"));
    const std::string bad = (game.dir / "baseq3" / "bad.pk3").string();
    WriteFileBytes(bad, "no zip");
    std::filesystem::create_directory(game.dir / "baseq3" / "maps");
    WriteFileBytes(game.dir / "baseq3" / "maps" / "loose.bsp", "");
    for (int type : {kQuake3CTF, kMorvaneCTF}) {
        stored.gameType = type;
        desktop = RecordingDesktop();
        OpenMaps();
        Strings listed = {"b", "loose", "Q3DM1", "q3dm1", "x;quit"};
        if (type == kMorvaneCTF) listed.insert(listed.begin() + 2, "mctf1");
        EXPECT_EQ(Texts(*page().available), listed);
        EXPECT_EQ(MessageTexts(), Strings({"Some maps of the game folder are not listed:\n" + bad +
                                           ": ERROR Invalid pk3 file"}));
        EXPECT_EQ(desktop.progressOpened, 1);
        ASSERT_TRUE(Close(false));
    }
}

TEST_F(MapsPageTest, MovesKeepTheSelectionAndMakeTheRotationsOrder) {
    maps = {"a", "b", "c", "d", "e"};
    OpenMaps();
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet.get()));
    struct Move {
        std::vector<int> select;
        int step;   // -1 up, 1 down
        bool keys;  // Ctrl+Up or Ctrl+Down in the list, else the button
        Strings order;
        std::vector<int> selected;
    };
    const Move moves[] = {
        {{2}, -1, false, {"a", "c", "b", "d", "e"}, {1}},
        {{1}, -1, true, {"c", "a", "b", "d", "e"}, {0}},
        {{0, 1}, 1, false, {"b", "c", "a", "d", "e"}, {1, 2}},
        {{2, 4}, 1, true, {"b", "c", "d", "a", "e"}, {3, 4}},  // the last stays last
    };
    for (const Move& move : moves) {
        page().current->clearSelection();
        for (int row : move.select) page().current->item(row)->setSelected(true);
        page().current->setFocus();
        const bool up = move.step < 0;
        if (move.keys)
            QTest::keyClick(page().current, up ? Qt::Key_Up : Qt::Key_Down, Qt::ControlModifier);
        else
            (up ? page().moveUpButton : page().moveDownButton)->click();
        EXPECT_EQ(Texts(*page().current), move.order);
        EXPECT_EQ(SelectedRows(*page().current, 128), move.selected);
        EXPECT_EQ(MapListNames(), move.order);
    }
    EXPECT_TRUE(page().moveUpButton->accessibleDescription().contains("earlier"));
    ASSERT_TRUE(Close(true));
    EXPECT_EQ(MapFile(), "b\nc\nd\na\ne\n");
}

}  // namespace
}  // namespace mctf::testing
