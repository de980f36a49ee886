// settings set, maplist and settings reset against what the window does with
// the same core functions.
#include <gtest/gtest.h>

#include "core/FixedText.h"
#include "core/ServerFiles.h"
#include "tests/cli/CliHarness.h"
#include "tests/core/GameFolder.h"

namespace mctf::testing {
namespace {

// Only a saved record, two list files and server files written from them.
void Prepare(GameFolder& game) {
    for (const auto& entry : std::filesystem::directory_iterator(game.dir.path()))
        std::filesystem::remove_all(entry.path());
    std::filesystem::create_directory(game.dir / "morvane");
    std::filesystem::create_directory(game.dir / "baseq3");
    WriteFileBytes(game.Morvane("mctf.map"), "mctf1 mctf2\n");
    WriteFileBytes(game.Morvane("q3ctf.map"), "q3ctf1\nq3ctf2\nq3ctf1\n");
    game.store.settings = DefaultSettings;
    SetFixedText(game.store.settings.quakePath, game.dir.str());
    LoadMapList(game.store);
    ApplySettings(game.store);
}

TEST(SettingsCommand, EveryAssignmentIsCheckedAsTheSheetChecksIt) {
    GameFolder game;
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(game.dir.path());  // where relative folders start
    const std::filesystem::path here = std::filesystem::current_path();
    struct Case {
        std::vector<std::string> words;
        int status;
        std::string value;  // of the first field after an accepted set
        std::string error;
    } const cases[] = {
        {{"fragLimit=30"}, 0, "30", ""},
        {{"fragLimit= 10000 "}, 0, "10000", ""},
        {{"fragLimit=10001"},
         1,
         "",
         "mctfcli: fragLimit: Please enter an integer between 0 and 10000.\n"},
        {{"quadFactor=0"},
         1,
         "",
         "mctfcli: quadFactor: Please enter an integer between 1 and 99.\n"},
        {{"netPort=65535"}, 0, "65535", ""},
        {{"netPort=99999999999"},
         1,
         "",
         "mctfcli: netPort: Please enter an integer between 1 and 65535.\n"},
        {{"hostname=Frag \"Hall\""}, 1, "", "mctfcli: hostname: Please enter no double quotes.\n"},
        {{"motd=a\nb"}, 1, "", "mctfcli: motd: Please enter no line breaks.\n"},
        {{"quakePath=."}, 0, here.string(), ""},
        {{"statsDir=logs/../baseq3/"}, 0, (here / "baseq3").string(), ""},
        {{"hostname=^1Red//Hall"}, 0, "^1Red//Hall", ""},
        {{"netPort=+0"}, 1, "", "mctfcli: netPort: Please enter an integer.\n"},
        {{"timeLimit=ten"}, 1, "", "mctfcli: timeLimit: Please enter an integer.\n"},
        {{"motd=a=b"}, 0, "a=b", ""},
        {{"hostname= Two  Spaces "}, 0, " Two  Spaces ", ""},
        {{"logFileName=" + std::string(20, 'l') + ".log"}, 0, std::string(20, 'l') + ".log", ""},
        {{"rconPassword=" + std::string(16, 'p')},
         1,
         "",
         "mctfcli: rconPassword: Please enter no more than 15 characters.\n"},
        {{"quakePath=" + std::string(128, 'q')},
         1,
         "",
         "mctfcli: quakePath: Please enter no more than 127 characters.\n"},
        {{"forceRespawn=0"}, 0, "0", ""},
        {{"cheats=2"}, 1, "", "mctfcli: cheats: Please enter 0 or 1.\n"},
        {{"botSkill=4"}, 0, "4", ""},
        {{"botSkill=5"}, 1, "", "mctfcli: botSkill: Please enter an integer between 0 and 4.\n"},
        {{"dmFlags=48"}, 0, "48", ""},
        {{"dmFlags=9"}, 1, "", "mctfcli: dmFlags: Please enter 0 or a sum of 8, 16 and 32.\n"},
        {{"modFlags=3"}, 0, "3", ""},
        {{"modFlags=-1"}, 1, "", "mctfcli: modFlags: Please enter 0 or a sum of 1 and 2.\n"},
        {{"gameType=morvane SOCCER"}, 0, "5", ""},
        {{"gameType=8"},
         1,
         "",
         "mctfcli: gameType: Please enter an integer between 0 and 7 or a game type: \"Quake 3 "
         "DM\", \"Quake 3 Tournament\", \"Quake 3 Team DM\", \"Quake 3 CTF\", \"Morvane CTF\", "
         "\"Morvane Soccer\", \"Morvane DM\", \"Morvane Team DM\".\n"},
        // One refused value stops them all.
        {{"fragLimit=30", "instaGib=4"},
         1,
         "",
         "mctfcli: instaGib: Please enter an integer between 0 and 3.\n"},
        {{"fraglimit=30"},
         2,
         "",
         "mctfcli: settings: unknown field 'fraglimit'; did you mean "
         "fragLimit?\n"},
        {{"fragLimit"}, 2, "", ""},
        {{"version=2"}, 2, "", ""},
        {{"mapCount=1"}, 2, "", ""},
    };
    for (const Case& c : cases) {
        Prepare(game);
        const auto before = Snapshot(game.dir.path());
        CliHarness cli;
        Args args = {"settings", "set", "--config", game.Config().string()};
        args.insert(args.end(), c.words.begin(), c.words.end());
        const std::string row = c.words[0];
        EXPECT_EQ(cli.Run(args), c.status) << row;
        if (c.status != 0) {
            EXPECT_EQ(Snapshot(game.dir.path()), before) << row;
            const std::string expected = c.error.empty() ? cli.err.str() : c.error;
            EXPECT_EQ(cli.err.str(), expected) << row;
            EXPECT_NE(cli.err.str(), "") << row;
            continue;
        }
        EXPECT_EQ(cli.err.str(), "") << row;
        const std::string name = row.substr(0, row.find('='));
        EXPECT_EQ(cli.Run({"settings", "get", name, "--config", game.Config().string()}), 0);
        EXPECT_EQ(cli.out.str(), c.value + "\n") << row;
    }
    std::filesystem::current_path(started);
}

// The window's steps, as its sheet, menu and buttons call the core.
struct Window {
    SettingsStore store;
    RecordingDesktop desktop;

    explicit Window(const GameFolder& game) {
        store.defaults = &game.defaults;
        store.startupDir = game.dir.str();
        LoadSettings(store);
    }
    // Setup Server, the changes on the pages, OK.
    template <typename Change>
    void Sheet(Change change) {
        LoadMapList(store);
        change(store);
        ApplySettings(store);
    }
    void SetMaps(std::vector<std::string> names) {
        for (std::size_t i = 0; i < names.size(); ++i)
            SetFixedText(store.mapList.maps[i], names[i]);
        store.settings.mapCount = static_cast<int32_t>(names.size());
    }
};

TEST(SettingsCommand, ChangesGiveTheWindowsFilesByteForByte) {
    GameFolder game;
    Prepare(game);
    Window window(game);
    std::vector<FileBytes> windowFiles;
    window.Sheet([](SettingsStore& s) {
        SetFixedText(s.settings.hostname, "Dedicated One");
        s.settings.netPort = 27961;
        s.settings.dmFlags = 48;
    });
    windowFiles.push_back(Snapshot(game.dir.path()));
    window.store.settings.gameType = kQuake3CTF;  // the game-type button
    window.Sheet([](SettingsStore&) {});
    windowFiles.push_back(Snapshot(game.dir.path()));
    window.Sheet([&](SettingsStore&) {
        window.SetMaps({"q3ctf1", "q3ctf2", "q3ctf1", "q3ctf4", "q3ctf1"});
    });
    windowFiles.push_back(Snapshot(game.dir.path()));
    window.Sheet([&](SettingsStore&) { window.SetMaps({"q3ctf2", "q3ctf4", "q3ctf1"}); });
    windowFiles.push_back(Snapshot(game.dir.path()));
    window.desktop.confirmAnswers = {true};
    ResetSettings(window.store, window.desktop);
    const auto windowAfterReset = Snapshot(game.dir.path());

    Prepare(game);
    CliHarness cli;
    cli.context.defaults = &game.defaults;
    const std::string config = game.Config().string();
    const std::vector<Args> steps = {
        {"settings", "set", "hostname=Dedicated One", "netPort=27961", "dmFlags=48"},
        {"settings", "set", "gameType=Quake 3 CTF"},
        {"maplist", "add", "q3ctf4", "q3ctf1"},
        {"maplist", "remove", "q3ctf1", "q3ctf1"},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        Args step = steps[i];
        step.insert(step.end(), {"--config", config});
        EXPECT_EQ(cli.Run(step), 0) << step[1] << ": " << cli.err.str();
        EXPECT_EQ(Snapshot(game.dir.path()), windowFiles[i]) << "after step " << i + 1;
    }
    EXPECT_EQ(cli.Run({"--config", config, "maplist", "show"}), 0);
    EXPECT_EQ(cli.out.str(), "q3ctf2\nq3ctf4\nq3ctf1\n");

    // Without a terminal only --yes resets; on one only "y" does.
    EXPECT_EQ(cli.Run({"settings", "reset", "--config", config}), 2);
    cli.context.ask = [](std::string_view question) {
        EXPECT_EQ(question, "Reset: Are you sure you want to reset the setting to default? [y/N] ");
        return std::optional<std::string>("n");
    };
    EXPECT_EQ(cli.Run({"settings", "reset", "--config", config}), 1);
    EXPECT_EQ(Snapshot(game.dir.path()), windowFiles.back());
    EXPECT_EQ(cli.Run({"settings", "reset", "--yes", "--config", config}), 0);
    EXPECT_EQ(cli.out.str(), "Settings Reset\n");
    EXPECT_EQ(Snapshot(game.dir.path()), windowAfterReset);
}

TEST(SettingsCommand, MapListRefusesAndChangesNothing) {
    GameFolder game;
    Prepare(game);
    const auto before = Snapshot(game.dir.path());
    const std::string config = game.Config().string();
    const std::string list = game.Morvane("mctf.map").string();
    CliHarness cli;
    EXPECT_EQ(cli.Run({"maplist", "add", "q3dm1", "two words", "--config", config}), 1);
    EXPECT_EQ(cli.err.str(), "mctfcli: " + list +
                                 ": 'two words' is not a map name (one word of 1 to 31 "
                                 "characters)\n");
    EXPECT_EQ(cli.Run({"maplist", "add", std::string(32, 'm'), "--config", config}), 1);
    Args tooMany = {"maplist", "add", "--config", config};
    tooMany.insert(tooMany.end(), 63, "q3dm1");
    EXPECT_EQ(cli.Run(tooMany), 1);
    EXPECT_EQ(cli.Run({"maplist", "remove", "mctf2", "mctf2", "--config", config}), 1);
    EXPECT_EQ(cli.err.str(), "mctfcli: " + list + ": 'mctf2' is not in the list\n");
    EXPECT_EQ(Snapshot(game.dir.path()), before);
    EXPECT_EQ(cli.Run({"maplist", "add", "--config", config}), 2);
    EXPECT_EQ(cli.Run({"maplist", "clear", "mctf1", "--config", config}), 2);

    tooMany.pop_back();
    EXPECT_EQ(cli.Run(tooMany), 0);
    EXPECT_EQ(cli.Run({"settings", "get", "mapCount", "--config", config}), 0);
    EXPECT_EQ(cli.out.str(), "64\n");
}

}  // namespace
}  // namespace mctf::testing
