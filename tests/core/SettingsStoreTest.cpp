#include <gtest/gtest.h>

#include <cstring>

#include "tests/core/GameFolder.h"
#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {
namespace {

std::string Bytes(const ServerSettings& s) {
    return std::string(reinterpret_cast<const char*>(&s), sizeof s);
}

SettingsStore LoadFrom(const GameFolder& game) {
    SettingsStore store;
    store.defaults = &game.defaults;
    store.startupDir = game.dir.str();
    LoadSettings(store);
    return store;
}

TEST(SettingsStore, MissingFileIsCreatedWithTheDefaultImage) {
    GameFolder game;
    LoadFrom(game);
    std::string image = ReadFileBytes(game.Config());
    EXPECT_EQ(image, Bytes(game.defaults));
    // The image of the programs differs in the two folders only.
    EXPECT_EQ(image.substr(260), Bytes(DefaultSettings).substr(260));
    EXPECT_STREQ(DefaultSettings.quakePath, "C:\\Program Files\\Quake III Arena");
    EXPECT_STREQ(DefaultSettings.statsDir, "C:\\Program Files\\Quake III Arena\\baseq3");
    EXPECT_EQ(image.substr(0, 4), std::string("\0\0\0\x40", 4));
    EXPECT_EQ(image.substr(264, 4), std::string("\x04\0\0\0", 4));
    EXPECT_EQ(image.substr(768, 4), std::string("\x38\x6d\0\0", 4));  // 27960
    EXPECT_EQ(image.substr(268, 14), std::string("Morvane Quake\0", 14));
}

TEST(SettingsStore, RoundTripKeepsEveryByteButTakesTheCountFromTheList) {
    GameFolder game;
    ServerSettings& s = game.store.settings;
    std::memset(s.motd, 'x', sizeof s.motd);  // kept after the terminator
    std::memcpy(s.motd, "Hi\x01\0", 4);
    s.netPort = -5;
    s.gameType = kQuake3TeamDM;
    game.SetMaps({"q3dm1", "q3dm7"});
    SaveSettings(game.store);
    EXPECT_EQ(ReadFileBytes(game.Config()), Bytes(s));
    EXPECT_EQ(Bytes(LoadFrom(game).settings), Bytes(s));

    WriteFileBytes(game.Morvane("q3tdm.map"), "a b c");
    EXPECT_EQ(LoadFrom(game).settings.mapCount, 3);
}

TEST(SettingsStore, ShortFileFillsLeadingBytesLongFileIsCut) {
    GameFolder game;
    WriteFileBytes(game.Config(), std::string("\0\0\0\x40" "C:\\q3", 9));
    SettingsStore shortStore = LoadFrom(game);
    EXPECT_STREQ(shortStore.settings.quakePath, "C:\\q3");
    EXPECT_EQ(shortStore.settings.gameType, 0);  // not covered: still zero
    EXPECT_EQ(ReadFileBytes(game.Config()).size(), 9u);  // not rewritten

    std::string longFile = Bytes(DefaultSettings) + std::string(100, 'z');
    longFile[268] = 'L';
    WriteFileBytes(game.Config(), longFile);
    EXPECT_EQ(Bytes(LoadFrom(game).settings), longFile.substr(0, 808));
}

TEST(SettingsStore, UnusableFileGivesDefaultsButKeepsTheMapList) {
    GameFolder game;
    WriteFileBytes(game.DefaultMorvane("mctf.map"), "q3ctf4\n");
    ServerSettings otherVersion = DefaultSettings;
    otherVersion.version = 1.5f;
    ServerSettings badType = game.store.settings;
    badType.gameType = 9;
    for (const ServerSettings& stored : {otherVersion, badType}) {
        WriteFileBytes(game.Config(), Bytes(stored));
        SettingsStore store = LoadFrom(game);
        EXPECT_EQ(Bytes(store.settings).substr(0, 260), Bytes(game.defaults).substr(0, 260));
        EXPECT_EQ(store.settings.mapCount, 1);
        EXPECT_EQ(ReadFileBytes(game.Config()), Bytes(game.defaults));
        EXPECT_EQ(ReadFileBytes(game.DefaultMorvane("mctf.map")), "q3ctf4\n");
    }
}

TEST(SettingsStore, UnwritableConfigSetsFlagAndWritesNothing) {
    GameFolder game;
    WriteFileBytes(game.dir / "file", "");
    game.store.configPath = (game.dir / "file" / "config.dmc").string();
    game.SetMaps({"q3dm1"});
    SaveSettings(game.store);
    EXPECT_TRUE(game.store.saveFailed);
    EXPECT_FALSE(std::filesystem::exists(game.Morvane("mctf.map")));
}

TEST(SettingsStore, ResetAsksThenEmptiesTheDefaultList) {
    GameFolder game;
    game.store.settings.gameType = kQuake3DM;
    SaveSettings(game.store);
    WriteFileBytes(game.Morvane("q3dm.map"), "q3dm1\n");
    LoadSettings(game.store);  // the q3dm list is now in memory
    std::string before = ReadFileBytes(game.Config());

    RecordingDesktop cancel;
    ResetSettings(game.store, cancel);
    EXPECT_EQ(cancel.confirmations,
              std::vector<std::string>{"Are you sure you want to reset the setting to default?"});
    EXPECT_TRUE(cancel.messages.empty());
    EXPECT_EQ(ReadFileBytes(game.Config()), before);

    WriteFileBytes(game.DefaultMorvane("mctf.map"), "q3ctf1\n");
    RecordingDesktop ok;
    ok.confirmAnswers = {true};
    ResetSettings(game.store, ok);
    ASSERT_EQ(ok.messages.size(), 1u);
    EXPECT_EQ(ok.messages[0].text, "Settings Reset");
    EXPECT_EQ(ok.messages[0].caption, "mctfutil");
    EXPECT_EQ(ReadFileBytes(game.Config()), Bytes(game.defaults));
    EXPECT_EQ(ReadFileBytes(game.DefaultMorvane("mctf.map")), "");
    EXPECT_EQ(ReadFileBytes(game.Morvane("q3dm.map")), "q3dm1\n");
}

}  // namespace
}  // namespace mctf::testing
