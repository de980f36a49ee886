#include <gtest/gtest.h>

#include <cstring>

#include "core/SettingsStore.h"
#include "tests/core/GameFolder.h"
#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {
namespace {

std::string RecordBytes(const ServerSettings& s) {
    return std::string(reinterpret_cast<const char*>(&s), sizeof s);
}

int32_t IntAt(const std::string& bytes, std::size_t offset) {
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

TEST(SettingsStore, DefaultImageHasTheStoredLayout) {
    std::string image = RecordBytes(DefaultSettings);
    EXPECT_EQ(image.substr(0, 4), std::string("\0\0\0\x40", 4));
    EXPECT_STREQ(image.data() + 4, "C:\\Program Files\\Quake III Arena");
    EXPECT_STREQ(image.data() + 132, "C:\\Program Files\\Quake III Arena\\baseq3");
    EXPECT_EQ(IntAt(image, 260), 0);
    EXPECT_EQ(IntAt(image, 264), 4);
    EXPECT_STREQ(image.data() + 268, "Morvane Quake");
    EXPECT_STREQ(image.data() + 556, "Welcome to Hell");
    EXPECT_EQ(IntAt(image, 760), 2);
    EXPECT_EQ(IntAt(image, 768), 27960);
    EXPECT_EQ(IntAt(image, 796), 2);
    // Bytes after each text's terminator are zero.
    EXPECT_EQ(image.substr(268 + 13, 256 - 13), std::string(256 - 13, '\0'));
}

TEST(SettingsStore, RoundTripKeepsEveryByte) {
    GameFolder game;
    ServerSettings& s = game.store.settings;
    std::strcpy(s.hostname, "host\x01\x7f");
    std::memset(s.motd + 4, 'x', sizeof s.motd - 4);  // survives after "Hi!\0"
    std::memcpy(s.motd, "Hi!", 4);
    s.netPort = -5;
    s.gameType = kQuake3TeamDM;
    game.SetMaps({"q3dm1", "q3dm7"});
    SaveSettings(game.store);
    EXPECT_FALSE(game.store.saveFailed);
    EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(s));

    SettingsStore loaded;
    loaded.startupDir = game.dir.str();
    LoadSettings(loaded);
    EXPECT_EQ(RecordBytes(loaded.settings), RecordBytes(s));
    EXPECT_STREQ(loaded.mapList.maps[1], "q3dm7");
}

TEST(SettingsStore, ShortFileFillsLeadingBytesLongFileIsCut) {
    GameFolder game;
    WriteFileBytes(game.Config(), std::string("\0\0\0\x40" "C:\\q3", 9));
    SettingsStore shortStore;
    shortStore.startupDir = game.dir.str();
    LoadSettings(shortStore);
    EXPECT_STREQ(shortStore.settings.quakePath, "C:\\q3");
    EXPECT_EQ(shortStore.settings.gameType, 0);  // never covered: still zero
    EXPECT_EQ(ReadFileBytes(game.Config()).size(), 9u);  // not rewritten

    std::string longFile = RecordBytes(DefaultSettings) + std::string(100, 'z');
    longFile[268] = 'L';
    WriteFileBytes(game.Config(), longFile);
    SettingsStore longStore;
    longStore.startupDir = game.dir.str();
    LoadSettings(longStore);
    EXPECT_EQ(RecordBytes(longStore.settings), longFile.substr(0, 808));
}

TEST(SettingsStore, UnusableFileGivesDefaultsButKeepsTheMapList) {
    GameFolder game;
    DefaultQuakePathHere defaultPath(game);
    WriteFileBytes(defaultPath.Morvane("mctf.map"), "q3ctf4\n");
    ServerSettings otherVersion = DefaultSettings;
    otherVersion.version = 1.5f;
    ServerSettings badType = game.store.settings;
    badType.gameType = 9;
    for (const ServerSettings& stored : {otherVersion, badType}) {
        WriteFileBytes(game.Config(), RecordBytes(stored));
        game.store.settings = stored;
        LoadSettings(game.store);
        EXPECT_EQ(RecordBytes(game.store.settings).substr(0, 260),
                  RecordBytes(DefaultSettings).substr(0, 260));
        EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(DefaultSettings));
        EXPECT_EQ(game.store.settings.mapCount, 1);
        EXPECT_EQ(ReadFileBytes(defaultPath.Morvane("mctf.map")), "q3ctf4\n");
    }
}

TEST(SettingsStore, MissingFileIsCreatedStoredCountIgnored) {
    GameFolder game;
    SettingsStore fresh;
    fresh.startupDir = game.dir.str();
    LoadSettings(fresh);
    EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(DefaultSettings));

    game.store.settings.mapCount = 40;  // stored, but the list file has two names
    SaveSettings(game.store);
    WriteFileBytes(game.Morvane("mctf.map"), "a b");
    LoadSettings(game.store);
    EXPECT_EQ(game.store.settings.mapCount, 2);
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
    ASSERT_EQ(game.store.settings.mapCount, 1);
    std::string before = ReadFileBytes(game.Config());

    RecordingDesktop cancel;
    ResetSettings(game.store, cancel);
    EXPECT_EQ(cancel.confirmations,
              std::vector<std::string>{"Are you sure you want to reset the setting to default?"});
    EXPECT_TRUE(cancel.messages.empty());
    EXPECT_EQ(game.store.settings.gameType, kQuake3DM);
    EXPECT_EQ(ReadFileBytes(game.Config()), before);

    DefaultQuakePathHere defaultPath(game);
    WriteFileBytes(defaultPath.Morvane("mctf.map"), "q3ctf1\n");
    RecordingDesktop ok;
    ok.confirmAnswers = {true};
    ResetSettings(game.store, ok);
    ASSERT_EQ(ok.messages.size(), 1u);
    EXPECT_EQ(ok.messages[0].text, "Settings Reset");
    EXPECT_EQ(ok.messages[0].caption, "mctfutil");
    EXPECT_EQ(RecordBytes(game.store.settings), RecordBytes(DefaultSettings));
    EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(DefaultSettings));
    EXPECT_EQ(ReadFileBytes(defaultPath.Morvane("mctf.map")), "");
    EXPECT_EQ(ReadFileBytes(game.Morvane("q3dm.map")), "q3dm1\n");
}

}  // namespace
}  // namespace mctf::testing
