// The main window's start-up: settings file, forced game type, the game-path
// message, icon and animations.
#include <QAbstractButton>
#include <QLabel>
#include <QMovie>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/FixedText.h"
#include "core/ServerSettings.h"
#include "core/SettingsStore.h"
#include "tests/core/FaultyFiles.h"
#include "tests/ui/AppHarness.h"

namespace mctf::testing {
namespace {

constexpr const char* kPathMessage =
    "Your Quake path is not set correctly or the morvane subdirectory does not exist!\n"
    "Please change under Setup/Game Path";

int StoredGameType(const std::string& bytes) {
    int32_t value = 0;
    std::memcpy(&value, bytes.data() + offsetof(ServerSettings, gameType), sizeof value);
    return value;
}

TEST(Startup, FirstStartWritesDefaultsAndSelectsMorvaneCtf) {
    AppHarness h;
    MainWindow& window = h.Start();

    EXPECT_EQ(window.windowTitle(), "Morvane Quake");
    EXPECT_TRUE(h.desktop.messages.empty());
    EXPECT_EQ(h.app->Store().startupDir, h.dir.str());
    std::string bytes = ReadFileBytes(h.dir / "config.dmc");
    ASSERT_EQ(bytes.size(), sizeof(ServerSettings));
    EXPECT_EQ(0, std::memcmp(bytes.data(), &h.defaults, sizeof(ServerSettings)));
    EXPECT_EQ(h.app->Store().settings.gameType, kMorvaneCTF);
    EXPECT_TRUE(h.Button("Morvane CTF").isChecked());
}

TEST(Startup, StoredGameTypeIsOverriddenButNotRewritten) {
    AppHarness h;
    {
        SettingsStore earlier;
        earlier.startupDir = h.dir.str();
        earlier.settings = DefaultSettings;
        earlier.settings.gameType = kQuake3TeamDM;
        SetFixedText(earlier.settings.quakePath, "/srv/quake3");
        SaveSettings(earlier);
    }
    h.Start();

    EXPECT_EQ(h.app->Store().settings.gameType, kMorvaneCTF);
    EXPECT_EQ(std::string(FixedText(h.app->Store().settings.quakePath)), "/srv/quake3");
    EXPECT_TRUE(h.Button("Morvane CTF").isChecked());
    EXPECT_FALSE(h.Button("Quake 3 Team DM").isChecked());
    EXPECT_EQ(StoredGameType(h.ConfigBytes()), kQuake3TeamDM);
    EXPECT_TRUE(h.desktop.messages.empty());
}

TEST(Startup, UnwritableFolderShowsThePathMessageOnceAndRunsOnDefaults) {
    TempDir outside;
    WriteFileBytes(outside / "plain-file", "x");
    AppHarness h((outside / "plain-file" / "sub").string());
    h.Start();

    ASSERT_EQ(h.desktop.messages.size(), 1u);
    EXPECT_EQ(h.desktop.messages[0].text, kPathMessage);
    EXPECT_EQ(h.desktop.messages[0].caption, "mctfutil");
    EXPECT_TRUE(h.app->Store().saveFailed);
    EXPECT_EQ(0, std::memcmp(h.app->Store().settings.quakePath, h.defaults.quakePath,
                             sizeof h.defaults.quakePath));
    EXPECT_TRUE(h.Button("Morvane CTF").isChecked());
}

TEST(Startup, UnreadableSettingsAreNamedOnceAndLeftAlone) {
    AppHarness h;
    {
        SettingsStore earlier;
        earlier.startupDir = h.dir.str();
        earlier.settings = DefaultSettings;
        SetFixedText(earlier.settings.quakePath, "/srv/quake3");
        SaveSettings(earlier);
    }
    const std::string stored = ReadFileBytes(h.dir / "config.dmc");
    FaultyFiles disk;
    disk.FailCall(FaultyFiles::Call::Open, 1, EACCES, "config.dmc");
    h.files = &disk;
    h.Start();

    ASSERT_EQ(h.desktop.messages.size(), 1u);
    EXPECT_EQ(h.desktop.messages[0].text,
              "Cannot read the settings file " + h.ConfigPath() + ":\n" + SystemReason(EACCES) +
                  "\n\nThe default settings are in use. The file is left as it is until you "
                  "save the settings.");
    EXPECT_EQ(std::string(FixedText(h.app->Store().settings.quakePath)),
              std::string(FixedText(h.defaults.quakePath)));
    EXPECT_FALSE(h.app->Store().saveFailed);
    EXPECT_EQ(h.ConfigBytes(), stored);
}

TEST(Startup, IconAndBothAnimationsAreLoadedAndPlaying) {
    AppHarness h;
    MainWindow& window = h.Start();

    EXPECT_FALSE(window.windowIcon().isNull());
    int playing = 0;
    for (auto* label : window.findChildren<QLabel*>()) {
        QMovie* movie = label->movie();
        if (!movie) continue;
        EXPECT_TRUE(movie->isValid()) << movie->fileName().toStdString();
        EXPECT_GT(movie->frameCount(), 1);
        EXPECT_EQ(movie->state(), QMovie::Running);
        ++playing;
    }
    EXPECT_EQ(playing, 2);
}

}  // namespace
}  // namespace mctf::testing
