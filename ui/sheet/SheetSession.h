// The steps of the Setup Server command around the modal run of the sheet,
// apart so that a test can work the open sheet and then close it.
#pragma once

#include <memory>

class QWidget;

namespace mctf {

class ServerSettingsSheet;
class Desktop;
struct SettingsStore;

// Builds the sheet over owner, copies the record into its pages and reloads
// the map list of the current game type.
std::unique_ptr<ServerSettingsSheet> OpenServerSheet(QWidget* owner, SettingsStore& store,
                                                     Desktop& desktop);

// accepted: the page values go back into the record, the server files are
// written and the settings saved; what failed is said, the server files
// first, then config.dmc (SaveFailureMessage). Otherwise the stored settings
// are read again, which takes back what the flag boxes and the Maps page
// changed.
void CloseServerSheet(ServerSettingsSheet& sheet, bool accepted, SettingsStore& store,
                      Desktop& desktop);

}  // namespace mctf
