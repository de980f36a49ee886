// SetupServer: the "Setup Server" command. Shows the "Server Settings" sheet
// over `owner`; OK writes the server files and saves, any other close reloads
// the stored settings.
#pragma once

class QWidget;

namespace mctf {

class Desktop;
struct SettingsStore;

void SetupServer(QWidget* owner, SettingsStore& store, Desktop& desktop);

}  // namespace mctf
