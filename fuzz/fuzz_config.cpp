// A config.dmc through LoadSettings, and the record it leaves back through
// SaveSettings: whatever loads must save and load again to the same bytes.
#include <cstdint>
#include <cstring>

#include "core/Paths.h"
#include "core/SettingsStore.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& folder = mctf::fuzz::ScratchFolder();
    mctf::SettingsStore store;
    store.startupDir = folder;
    mctf::fuzz::WriteFile(mctf::ConfigPath(store), data, size);
    mctf::LoadSettings(store);
    if (store.settings.version != 2.0f) __builtin_trap();
    if (store.settings.gameType < 0 || store.settings.gameType > 7) __builtin_trap();

    mctf::ServerSettings loaded = store.settings;
    mctf::SaveSettings(store);
    mctf::SettingsStore again;
    again.startupDir = folder;
    mctf::LoadSettings(again);
    // mapCount always comes from the map-list file; the rest must round-trip.
    loaded.mapCount = again.settings.mapCount;
    if (std::memcmp(&loaded, &again.settings, sizeof loaded) != 0) __builtin_trap();
    return 0;
}
