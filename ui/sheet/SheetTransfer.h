// The two copies between the settings record and the pages of the sheet.
//
// Texts, numbers and plain check boxes go both ways. The flag check boxes
// only start from the record: their clicks change dmFlags and modFlags
// directly, so nothing of them is copied back. The Maps page works on the
// store's map list itself and takes no part here.
#pragma once

namespace mctf {

class ServerSettingsSheet;
struct ServerSettings;

void PagesFromSettings(ServerSettingsSheet& sheet, const ServerSettings& settings);
void SettingsFromPages(const ServerSettingsSheet& sheet, ServerSettings& settings);

}  // namespace mctf
