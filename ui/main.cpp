// mctfutil: the desktop program. It keeps config.dmc in the folder it was
// started in, or with --user-settings in the per-user settings folder.
#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/UserSettings.h"
#include "core/Version.h"
#include "ui/DisplayCheck.h"
#include "ui/ProgramContext.h"

namespace {

constexpr const char* kUsage =
    "Usage: mctfutil [--user-settings]\n"
    "\n"
    "Set up a Morvane Quake III Arena server and write its player statistics.\n"
    "\n"
    "Options:\n"
#ifdef _WIN32
    "  --user-settings  keep config.dmc in %APPDATA%\\mctfutil\n"
    "                   instead of the current folder\n"
#else
    "  --user-settings  keep config.dmc in $XDG_CONFIG_HOME/mctfutil\n"
    "                   (~/.config/mctfutil) instead of the current folder\n"
#endif
    "  --version        print \"mctfutil <version>\"\n"
    "  --help           this text\n";

#ifdef _WIN32
// A window program gets no console: what it prints for --version, --help or
// a wrong option goes to the console it was typed in, unless its output
// already goes to a file or a pipe.
void UseParentConsole() {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    if (argc > 1) UseParentConsole();
#endif
    // Answered before Qt starts, so they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s\n", mctf::kVersionLine);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    // Takes Qt's own options out of argv; null without a display.
    std::unique_ptr<QApplication> qt = mctf::OpenDisplay(argc, argv);
    if (!qt) return 1;
    QApplication::setApplicationName("mctfutil");
    QApplication::setApplicationVersion(mctf::kVersion);
    // Wayland finds the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName("io.github.mctfutil.mctfutil");

    mctf::AppSeams seams;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--user-settings") != 0) {
            std::fprintf(stderr, "mctfutil: unknown option '%s'\n%s", argv[i], kUsage);
            return 2;
        }
        std::string error;
        seams.startupDir = mctf::PrepareUserSettingsFolder(mctf::CurrentConfigEnvironment(), error);
        if (!seams.startupDir) {
            std::fprintf(stderr, "mctfutil: %s\n", error.c_str());
            QMessageBox::critical(nullptr, "mctfutil", QString::fromLocal8Bit(error.c_str()));
            return 1;
        }
    }
    mctf::ProgramContext app(std::move(seams));
    return app.Run();
}
