// Shared pieces of the fuzz targets: a scratch folder, made once per process,
// for targets that read or write files. (Their Desktop is core/SilentDesktop.h.)
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace mctf::fuzz {

inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const char* tmp = getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/mctf-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) abort();
        return pattern;
    }();
    return folder;
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) abort();
    std::fclose(f);
}

}  // namespace mctf::fuzz
