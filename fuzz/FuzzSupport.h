// Shared pieces of the fuzz targets: a Desktop that answers nothing and a
// scratch folder, made once per process, for targets that read or write files.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/Desktop.h"

namespace mctf::fuzz {

class SilentDesktop : public Desktop {
public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    bool Confirm(std::string_view, std::string_view) override { return false; }
    void OpenProgress() override {}
    void SetProgress(int) override {}
    void CloseProgress() override {}
    std::optional<std::string> ChooseFile(std::string_view) override { return std::nullopt; }
};

inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const char* tmp = getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                              "/mctf-fuzz-XXXXXX";
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
