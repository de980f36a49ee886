#include <gtest/gtest.h>

#include "tests/core/GameFolder.h"

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

}  // namespace
}  // namespace mctf::testing
