// Loading the settings for an mctfcli command.
//
// The window captures its working folder and reads config.dmc there, then
// forces the game type to Morvane CTF. A command instead reads the file it
// is given (config.dmc in the current folder by default) and keeps the game
// type stored in it, so a script acts on what was last saved.
#pragma once

#include <string>

#include "core/SettingsStore.h"

namespace mctf {

inline constexpr const char* kDefaultConfigFile = "config.dmc";

// startupDir = the current folder, configPath = configFile, then
// LoadSettings (which creates a missing file with the defaults).
void LoadSettingsForCommand(SettingsStore& store, const std::string& configFile);

}  // namespace mctf
