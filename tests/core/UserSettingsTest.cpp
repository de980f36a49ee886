#include <gtest/gtest.h>

#include <filesystem>

#include "core/UserSettings.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {
namespace {

namespace fs = std::filesystem;

// An absolute path needs a drive on Windows.
#ifdef _WIN32
#define ROOT "C:"
#else
#define ROOT ""
#endif

TEST(UserSettings, FolderFollowsTheXdgRules) {
    struct Case {
        const char* xdg;
        const char* home;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {ROOT "/x/conf", ROOT "/home/u", ROOT "/x/conf/mctfutil"},
        {nullptr, ROOT "/home/u", ROOT "/home/u/.config/mctfutil"},
        {"", ROOT "/home/u", ROOT "/home/u/.config/mctfutil"},
        {"relative/conf", ROOT "/home/u", ROOT "/home/u/.config/mctfutil"},
        {nullptr, nullptr, std::nullopt},
        {"", "relative", std::nullopt},
    };
    for (const Case& c : cases) {
        std::optional<std::string> folder = UserSettingsFolder({c.xdg, c.home});
        if (c.folder) {
            ASSERT_TRUE(folder) << (c.xdg ? c.xdg : "(unset)");
            EXPECT_EQ(fs::path(*folder), fs::path(*c.folder));
        } else {
            EXPECT_FALSE(folder) << *folder;
        }
    }
}

TEST(UserSettings, FolderIsCreatedOwnerOnlyAndFoundAgain) {
    TempDir home;
    std::string homeText = home.str();
    std::string error;
    std::optional<std::string> folder =
        PrepareUserSettingsFolder({nullptr, homeText.c_str()}, error);
    ASSERT_TRUE(folder) << error;
    EXPECT_EQ(fs::path(*folder), home / ".config/mctfutil");
    EXPECT_TRUE(fs::is_directory(*folder));
#ifndef _WIN32
    EXPECT_EQ(fs::status(*folder).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(home / ".config").permissions(), fs::perms::owner_all);
#endif
    EXPECT_EQ(PrepareUserSettingsFolder({nullptr, homeText.c_str()}, error), folder);
}

TEST(UserSettings, FileInTheWayIsAnErrorNamingIt) {
    TempDir conf;
    WriteFileBytes(conf / "mctfutil", "not a folder");
    std::string confText = conf.str();
    std::string error;
    EXPECT_FALSE(PrepareUserSettingsFolder({confText.c_str(), nullptr}, error));
    EXPECT_NE(error.find((conf / "mctfutil").string()), std::string::npos) << error;
}

}  // namespace
}  // namespace mctf::testing
