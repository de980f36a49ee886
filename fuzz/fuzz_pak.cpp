// A pak archive through the map scanner.
#include <cstdint>
#include <string>
#include <vector>

#include "core/PakScanner.h"
#include "core/Paths.h"
#include "core/SilentDesktop.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static mctf::SilentDesktop desktop;
    static const std::string path = mctf::JoinPath(mctf::fuzz::ScratchFolder(), "input.pk3");
    mctf::fuzz::WriteFile(path, data, size);
    std::vector<std::string> names;
    mctf::ScanMapFile(path, names, desktop);
    for (const std::string& name : names) {
        // Every listed name must fit a map-list slot's buffer of the scanner.
        if (name.size() >= mctf::kNameBufferSize) __builtin_trap();
    }
    return 0;
}
