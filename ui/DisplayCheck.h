// The start of the window program on a machine without a screen. Qt ends
// such a start with an abort and a core dump; mctfutil says in one line that
// there is no display and exits with status 1 instead.
#pragma once

#include <functional>
#include <memory>

class QApplication;

namespace mctf {

// The environment as the check reads it: null for a variable that is unset.
using EnvLookup = std::function<const char*(const char*)>;

inline constexpr const char* kNoDisplayLine =
    "mctfutil: no display found; mctfcli does the same jobs without one";

// Whether the platform Qt is going to pick has a display to open windows on.
// `platformArg` is the value of a -platform option, null without one; it
// overrides QT_QPA_PLATFORM as it does for Qt. Platforms that need no display
// server (offscreen, vnc, eglfs...) always pass.
bool DisplayAvailable(const char* platformArg, const EnvLookup& env);

// The QApplication of the program, or null after printing kNoDisplayLine when
// there is no display, including one that is named but does not answer.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

}  // namespace mctf
