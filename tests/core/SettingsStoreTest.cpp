#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/ServerFiles.h"
#include "tests/core/FaultyFiles.h"
#include "tests/core/GameFolder.h"
#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {
namespace {

SettingsStore LoadFrom(const GameFolder& game, FileSystem& files = SystemFiles()) {
    SettingsStore store;
    store.defaults = &game.defaults;
    store.startupDir = game.dir.str();
    store.files = &files;
    LoadSettings(store);
    store.files = &SystemFiles();
    return store;
}

TEST(SettingsStore, MissingFileIsCreatedWithTheDefaultImage) {
    GameFolder game;
    LoadFrom(game);
    std::string image = ReadFileBytes(game.Config());
    EXPECT_EQ(image, RecordBytes(game.defaults));
    // The image of the programs differs in the two folders only.
    EXPECT_EQ(image.substr(260), RecordBytes(DefaultSettings).substr(260));
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
    EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(s));
    EXPECT_EQ(RecordBytes(LoadFrom(game).settings), RecordBytes(s));

    WriteFileBytes(game.Morvane("q3tdm.map"), "a b c");
    EXPECT_EQ(LoadFrom(game).settings.mapCount, 3);
}

TEST(SettingsStore, ShortFileFillsLeadingBytesLongFileIsCut) {
    GameFolder game;
    WriteFileBytes(game.Config(), std::string("\0\0\0\x40"
                                              "C:\\q3",
                                              9));
    SettingsStore shortStore = LoadFrom(game);
    EXPECT_STREQ(shortStore.settings.quakePath, "C:\\q3");
    EXPECT_EQ(shortStore.settings.gameType, 0);          // not covered: still zero
    EXPECT_EQ(ReadFileBytes(game.Config()).size(), 9u);  // not rewritten

    // The game folder of the temporary defaults: on Windows the real default
    // one may hold a game, whose map list the load would read.
    std::string longFile = RecordBytes(game.defaults) + std::string(100, 'z');
    longFile[268] = 'L';
    WriteFileBytes(game.Config(), longFile);
    EXPECT_EQ(RecordBytes(LoadFrom(game).settings), longFile.substr(0, 808));
}

TEST(SettingsStore, UnusableFileGivesDefaultsButKeepsTheMapList) {
    GameFolder game;
    WriteFileBytes(game.DefaultMorvane("mctf.map"), "q3ctf4\n");
    ServerSettings otherVersion = DefaultSettings;
    otherVersion.version = 1.5f;
    ServerSettings badType = game.store.settings;
    badType.gameType = 9;
    for (const ServerSettings& stored : {otherVersion, badType}) {
        WriteFileBytes(game.Config(), RecordBytes(stored));
        SettingsStore store = LoadFrom(game);
        EXPECT_EQ(RecordBytes(store.settings).substr(0, 260),
                  RecordBytes(game.defaults).substr(0, 260));
        EXPECT_EQ(store.settings.mapCount, 1);
        EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(game.defaults));
        EXPECT_EQ(ReadFileBytes(game.DefaultMorvane("mctf.map")), "q3ctf4\n");  // as written
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

TEST(SettingsStore, UnreadableFileGivesDefaultsInMemoryAndIsLeftAlone) {
    struct Case {
        const char* what;
        void (*arrange)(FaultyFiles& disk);
        int error;
    };
    const Case cases[] = {
        {"open refused",
         [](FaultyFiles& disk) { disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, "config.dmc"); },
         EACCES},
        {"read failing part-way", [](FaultyFiles& disk) { disk.LimitReads(100, "config.dmc"); },
         EIO},
    };
    for (const Case& c : cases) {
        GameFolder game;
        SetFixedText(game.store.settings.hostname, "Mine");
        game.store.settings.gameType = kQuake3DM;
        game.SetMaps({"q3dm17"});
        SaveSettings(game.store);
        const std::string config = ReadFileBytes(game.Config());

        FaultyFiles disk;
        c.arrange(disk);
        SettingsStore store;
        store.startupDir = game.dir.str();
        store.defaults = &game.defaults;
        store.files = &disk;
        const ReadResult result = LoadSettings(store);
        EXPECT_TRUE(result.Unreadable()) << c.what;
        EXPECT_EQ(result.path, ConfigPath(store)) << c.what;
        EXPECT_EQ(result.reason, SystemReason(c.error)) << c.what;
        EXPECT_EQ(RecordBytes(store.settings).substr(0, 260),
                  RecordBytes(game.defaults).substr(0, 260))
            << c.what;
        EXPECT_FALSE(store.saveFailed) << c.what;
        EXPECT_EQ(ReadFileBytes(game.Config()), config) << c.what;
        EXPECT_EQ(ReadTextFile(game.Morvane("q3dm.map")), "q3dm17\n") << c.what;
        EXPECT_FALSE(std::filesystem::exists(game.Config().string() + ".tmp")) << c.what;
        EXPECT_NE(UnreadableConfigMessage(result).find(ConfigPath(store) + ":\n" + result.reason),
                  std::string::npos)
            << c.what;

        // A save made on purpose replaces it (kept out of the default game
        // folder, which may be a real one).
        store.files = &SystemFiles();
        SetFixedText(store.settings.quakePath, game.dir.str());
        EXPECT_EQ(SaveSettings(store), SaveResult::Saved) << c.what;
        EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(store.settings)) << c.what;
    }
}

TEST(SettingsStore, LinkedFilesStayLinksAndTheirTargetsGetTheNewBytes) {
    namespace fs = std::filesystem;
    GameFolder game;
    fs::create_directory(game.dir / "elsewhere");
    const fs::path links[] = {game.Config(), game.Morvane("mctf.map"), game.dir / "morvane.bat",
                              game.Morvane("morvane.cfg")};
    for (const fs::path& link : links) {
        const fs::path target = game.dir / "elsewhere" / link.filename();
        WriteFileBytes(target, "old");
        std::error_code error;
        // Relative, as an operator would link inside the installation.
        fs::create_symlink(fs::relative(target, link.parent_path()), link, error);
        if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
    }
    game.SetMaps({"q3ctf4"});
    ASSERT_TRUE(WriteServerFiles(game.store).Written());
    ASSERT_EQ(SaveSettings(game.store), SaveResult::Saved);
    for (const fs::path& link : links) {
        EXPECT_TRUE(fs::is_symlink(link)) << link;
        const std::string target = ReadFileBytes(game.dir / "elsewhere" / link.filename());
        EXPECT_NE(target, "old") << link;
        EXPECT_EQ(ReadFileBytes(link), target) << link;
    }
    EXPECT_EQ(ReadTextFile(game.dir / "elsewhere" / "mctf.map"), "q3ctf4\n");
    EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(game.store.settings));
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
    EXPECT_EQ(ReadFileBytes(game.Config()), RecordBytes(game.defaults));
    EXPECT_EQ(ReadTextFile(game.DefaultMorvane("mctf.map")), "");
    EXPECT_EQ(ReadFileBytes(game.Morvane("q3dm.map")), "q3dm1\n");  // as the test wrote it
}

// One that has its own list keeps it: cli_session.sh, MainWindowTest.
TEST(SettingsStore, ANewGamePathWithoutAListReceivesTheOneInUse) {
    const std::string wrote = ": no map list was there; the list in use was written to it ";
    const std::tuple<int32_t, std::string, std::string> cases[] = {
        {kMorvaneCTF, "o1\no2\n", wrote + "(2 maps)"},
        {kQuake3CTF, "c1\n", wrote + "(1 map)"},  // a type chosen after the load
    };
    for (const auto& [type, after, note] : cases) {
        GameFolder game, next;
        WriteFileBytes(game.Morvane("mctf.map"), "o1 o2\n");
        WriteFileBytes(game.Morvane("q3ctf.map"), "c1\n");
        LoadMapList(game.store);
        game.store.settings.gameType = type;
        const auto list = next.Morvane(std::string(kGameTypes[type].mapListFile));
        const GamePathChange change = ChangeGamePath(game.store, next.dir.str());
        const SaveResult saved = ApplySettings(game.store).saved;
        EXPECT_EQ(GamePathListNote(change, saved), list.string() + note);
        EXPECT_EQ(ReadTextFile(list), after);
    }
}

}  // namespace
}  // namespace mctf::testing
