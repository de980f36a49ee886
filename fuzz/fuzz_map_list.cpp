// A map-list file through LoadMapList; the list it gives must be well formed.
#include <sys/stat.h>

#include <cstdint>
#include <cstring>

#include "core/Paths.h"
#include "core/SettingsStore.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool folders = [] {
        std::string morvane = mctf::JoinPath(mctf::fuzz::ScratchFolder(), "morvane");
        return mkdir(morvane.c_str(), 0755) == 0;
    }();
    (void)folders;
    mctf::SettingsStore store;
    store.settings = mctf::DefaultSettings;
    std::strncpy(store.settings.quakePath, mctf::fuzz::ScratchFolder().c_str(),
                 sizeof store.settings.quakePath - 1);
    std::string file =
        mctf::JoinPath(mctf::JoinPath(store.settings.quakePath, "morvane"), "mctf.map");
    mctf::fuzz::WriteFile(file, data, size);
    mctf::LoadMapList(store);
    const int count = store.settings.mapCount;
    if (count < 0 || count > mctf::kMapListCapacity) __builtin_trap();
    for (int i = 0; i < count; ++i) {
        const char* name = store.mapList.maps[i];
        size_t length = strnlen(name, mctf::kMapNameSize);
        if (length == 0 || length >= static_cast<size_t>(mctf::kMapNameSize)) __builtin_trap();
    }
    return 0;
}
