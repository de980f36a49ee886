// mctfutil started where there is no screen: one line and status 1, not
// Qt's abort.
#include <gtest/gtest.h>

#include "ui/DisplayCheck.h"

// Elsewhere the platform always has its screen.
#if defined(__unix__) && !defined(__APPLE__)
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <string>

namespace mctf::testing {
namespace {

TEST(DisplayCheck, PlatformAndEnvironmentDecide) {
    struct Row {
        const char* platformArg;
        std::map<std::string, std::string> env;
        bool available;
    };
    const Row rows[] = {
        {nullptr, {}, false},
        {nullptr, {{"DISPLAY", ""}}, false},
        {nullptr, {{"DISPLAY", ":0"}}, true},
        {nullptr, {{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        {nullptr, {{"QT_QPA_PLATFORM", "offscreen"}}, true},
        {nullptr, {{"QT_QPA_PLATFORM", "xcb"}}, false},
        {nullptr, {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}, false},
        {nullptr, {{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, true},
        {nullptr, {{"QT_QPA_PLATFORM", "wayland-egl"}}, false},
        {nullptr, {{"QT_QPA_PLATFORM", "vnc:size=800x600"}}, true},
        {"offscreen", {{"QT_QPA_PLATFORM", "xcb"}}, true},
        {"xcb", {{"QT_QPA_PLATFORM", "offscreen"}}, false},
    };
    for (const Row& row : rows) {
        auto env = [&row](const char* name) -> const char* {
            auto found = row.env.find(name);
            return found == row.env.end() ? nullptr : found->second.c_str();
        };
        std::string trace = row.platformArg ? row.platformArg : "-";
        for (const auto& [name, value] : row.env) trace += " " + name + "=" + value;
        EXPECT_EQ(DisplayAvailable(row.platformArg, env), row.available) << trace;
    }
}

TEST(DisplayCheck, ProgramSaysSoInOneLineAndExitsWithStatusOne) {
    // The last row names a display nobody serves: only Qt finds that out.
    for (const char* env : {"", "QT_QPA_PLATFORM=wayland", "QT_QPA_PLATFORM=xcb DISPLAY=:7391"}) {
        std::string command = std::string("env -i PATH=/usr/bin:/bin ") + env +
                              " timeout 60 " MCTF_UTIL_BINARY " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string output;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
        int status = pclose(pipe);
        ASSERT_TRUE(WIFEXITED(status)) << env;
        EXPECT_EQ(WEXITSTATUS(status), 1) << env;
        EXPECT_EQ(output, std::string(kNoDisplayLine) + "\n") << env;
    }
}

}  // namespace
}  // namespace mctf::testing
#endif
