// A whole log file through the statistics run: reading, aggregation and the
// report pages, written into a scratch folder.
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/Paths.h"
#include "core/SilentDesktop.h"
#include "fuzz/FuzzSupport.h"
#include "jobs/AnalyzeLogs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto tables = std::make_unique<mctf::StatsTables>();
    static mctf::SilentDesktop desktop;
    static const mctf::ReportEnvironment env = [] {
        mctf::ReportEnvironment e;
        e.now = [] { return std::time_t{1765000000}; };
        return e;
    }();
    const std::string& folder = mctf::fuzz::ScratchFolder();
    mctf::fuzz::WriteFile(mctf::JoinPath(folder, "games.log"), data, size);

    mctf::ServerSettings settings = mctf::DefaultSettings;
    std::strncpy(settings.statsDir, folder.c_str(), sizeof settings.statsDir - 1);
    mctf::AnalyzeLogs(*tables, settings, desktop, env);
    return 0;
}
