#include "ui/DisplayCheck.h"

#include <QApplication>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace mctf {
namespace {

// Only X11 and Wayland systems can be without a display.
#if defined(__unix__) && !defined(__APPLE__)
bool IsSet(const EnvLookup& env, const char* name) {
    const char* value = env(name);
    return value && *value;
}

// One platform name (without its ":option" tail): those that draw on a
// display server need its variable; the others draw without one.
bool PlatformHasDisplay(std::string_view name, const EnvLookup& env) {
    if (name == "xcb") return IsSet(env, "DISPLAY");
    if (name.starts_with("wayland")) return IsSet(env, "WAYLAND_DISPLAY");
    return true;
}
#endif

const char* PlatformArg(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return argv[i + 1];
    }
    return nullptr;
}

// Qt's last word on a platform that could not start is a fatal message; its
// warnings before it repeat the same in Qt's terms.
void StartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", kNoDisplayLine);
        std::_Exit(1);
    }
    if (context.category && std::string_view(context.category).starts_with("qt.qpa")) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

}  // namespace

bool DisplayAvailable(const char* platformArg, const EnvLookup& env) {
#if defined(__unix__) && !defined(__APPLE__)
    std::string_view platforms = platformArg ? platformArg : "";
    if (!platformArg && IsSet(env, "QT_QPA_PLATFORM")) platforms = env("QT_QPA_PLATFORM");
    if (platforms.empty()) return IsSet(env, "DISPLAY") || IsSet(env, "WAYLAND_DISPLAY");
    // "wayland;xcb": Qt tries each in turn.
    while (!platforms.empty()) {
        std::size_t end = platforms.find(';');
        std::string_view entry = platforms.substr(0, end);
        platforms = end == std::string_view::npos ? "" : platforms.substr(end + 1);
        std::string_view name = entry.substr(0, entry.find(':'));
        if (!name.empty() && PlatformHasDisplay(name, env)) return true;
    }
    return false;
#else
    (void)platformArg;
    (void)env;
    return true;
#endif
}

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv) {
    if (!DisplayAvailable(PlatformArg(argc, argv),
                          [](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "%s\n", kNoDisplayLine);
        return nullptr;
    }
    // A display that is named but does not answer (a stale DISPLAY) shows only
    // here, as Qt's fatal message.
    qInstallMessageHandler(StartMessage);
    auto qt = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(nullptr);
    return qt;
}

}  // namespace mctf
