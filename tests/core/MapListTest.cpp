#include <gtest/gtest.h>

#include "core/ServerFiles.h"
#include "tests/core/FaultyFiles.h"
#include "tests/core/GameFolder.h"
#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {
namespace {

TEST(MapList, WordsAreNamesAndOversizedListsAreCut) {
    GameFolder game;
    WriteFileBytes(game.Morvane("mctf.map"), "q3dm1  q3dm7\n\n   q3dm17\r\nmy map\t");
    LoadMapList(game.store);
    EXPECT_EQ(game.store.settings.mapCount, 5);
    SaveMapList(game.store);
    EXPECT_EQ(ReadTextFile(game.Morvane("mctf.map")), "q3dm1\nq3dm7\nq3dm17\nmy\nmap\n");

    std::string text = std::string(40, 'L');
    for (int i = 0; i < 70; ++i) text += " m" + std::to_string(i);
    WriteFileBytes(game.Morvane("mctf.map"), text);
    LoadMapList(game.store);
    EXPECT_EQ(game.store.settings.mapCount, 64);
    EXPECT_EQ(std::string(game.store.mapList.maps[0]), std::string(31, 'L'));
    EXPECT_STREQ(game.store.mapList.maps[1], "m0");  // the cut part is no name
    EXPECT_STREQ(game.store.mapList.maps[63], "m62");
}

TEST(MapList, NulBytesEndANameAndEmptyNamesAreSkipped) {
    GameFolder game;
    using namespace std::string_literals;
    WriteFileBytes(game.Morvane("mctf.map"), "\0\n q3dm1\0junk \0\0 q3dm2\n"s);
    LoadMapList(game.store);
    ASSERT_EQ(game.store.settings.mapCount, 2);
    EXPECT_STREQ(game.store.mapList.maps[0], "q3dm1");
    EXPECT_STREQ(game.store.mapList.maps[1], "q3dm2");
}

TEST(MapList, EachGameTypeHasItsFileAndSavesGoToTheLoadedOne) {
    GameFolder game;
    WriteFileBytes(game.Morvane("ms.map"), "ms01 ms02");
    game.store.settings.gameType = kMorvaneSoccer;
    LoadMapList(game.store);
    game.store.settings.gameType = kQuake3DM;  // changed without a reload
    SaveMapList(game.store);
    EXPECT_EQ(ReadTextFile(game.Morvane("ms.map")), "ms01\nms02\n");
    EXPECT_FALSE(std::filesystem::exists(game.Morvane("q3dm.map")));

    LoadMapList(game.store);  // missing file: empty, and saved empty
    EXPECT_EQ(game.store.settings.mapCount, 0);
    SaveMapList(game.store);
    EXPECT_EQ(ReadTextFile(game.Morvane("q3dm.map")), "");
}

TEST(MapList, IsReadAsBytesOnEveryPlatform) {
    GameFolder game;
    // A Ctrl-Z is no end of file, and CR LF ends a name like LF does.
    WriteFileBytes(game.Morvane("mctf.map"), "q3ctf1\r\n\x1aq3ctf2\r\nq3ctf4\r\n");
    LoadMapList(game.store);
    ASSERT_EQ(game.store.settings.mapCount, 3);
    EXPECT_STREQ(game.store.mapList.maps[0], "q3ctf1");
    EXPECT_STREQ(game.store.mapList.maps[1], "\x1aq3ctf2");
    EXPECT_STREQ(game.store.mapList.maps[2], "q3ctf4");
}

TEST(MapList, AnUnreadableFileIsNoEmptyListAndIsNeverSavedOver) {
    struct Case {
        const char* what;
        void (*arrange)(FaultyFiles& disk);
        bool opened;
    };
    const Case cases[] = {
        {"open refused",
         [](FaultyFiles& disk) { disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, "mctf.map"); },
         false},
        {"read failing part-way", [](FaultyFiles& disk) { disk.LimitReads(9, "mctf.map"); }, true},
    };
    for (const Case& c : cases) {
        GameFolder game;
        const std::string list = "q3ctf1\nq3ctf2\nq3ctf4\n";
        WriteFileBytes(game.Morvane("mctf.map"), list);
        FaultyFiles disk;
        c.arrange(disk);
        game.store.files = &disk;
        const ReadResult result = LoadMapList(game.store);
        EXPECT_TRUE(result.Unreadable()) << c.what;
        EXPECT_EQ(result.path, game.Morvane("mctf.map").string()) << c.what;
        EXPECT_EQ(result.reason, c.opened ? SystemReason(EIO) : SystemReason(EACCES)) << c.what;
        EXPECT_EQ(result.opened, c.opened) << c.what;
        EXPECT_EQ(game.store.settings.mapCount, 0) << c.what;

        // Neither a save of the settings nor of the list, nor the server
        // files, may put the half-known list in place of the file.
        game.store.files = &SystemFiles();
        EXPECT_FALSE(SaveMapList(game.store)) << c.what;
        EXPECT_EQ(SaveSettings(game.store), SaveResult::MapListNotSaved) << c.what;
        EXPECT_FALSE(WriteServerFiles(game.store).Written()) << c.what;
        EXPECT_EQ(ReadFileBytes(game.Morvane("mctf.map")), list) << c.what;
        EXPECT_FALSE(std::filesystem::exists(game.Morvane("morvane.cfg"))) << c.what;

        // Once it reads again, all is as before.
        EXPECT_EQ(LoadMapList(game.store).outcome, ReadOutcome::Read) << c.what;
        EXPECT_EQ(game.store.settings.mapCount, 3) << c.what;
    }
}

}  // namespace
}  // namespace mctf::testing
