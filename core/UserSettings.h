// The per-user settings folder of `--user-settings`.
//
// Without the option both programs keep config.dmc in the folder they were
// started in. With it, config.dmc lives in $XDG_CONFIG_HOME/mctfutil, or
// ~/.config/mctfutil when XDG_CONFIG_HOME is unset, empty or relative (the
// XDG base directory rules). The environment is passed in, so the fronts
// read it once and tests never look at the real home folder.
#pragma once

#include <optional>
#include <string>

namespace mctf {

struct ConfigEnvironment {
    const char* xdgConfigHome = nullptr;  // $XDG_CONFIG_HOME (%APPDATA% on Windows)
    const char* home = nullptr;           // $HOME (%USERPROFILE% on Windows)
};

// The process environment of the variables above.
ConfigEnvironment CurrentConfigEnvironment();

// The folder's path; nullopt when neither variable gives an absolute folder.
std::optional<std::string> UserSettingsFolder(const ConfigEnvironment& env);

// The folder's path, creating it (and missing parents, owner-only as the XDG
// rules ask) when it is not there yet. nullopt with `error` set to a message
// naming the folder when it cannot be found or created.
std::optional<std::string> PrepareUserSettingsFolder(const ConfigEnvironment& env,
                                                     std::string& error);

}  // namespace mctf
