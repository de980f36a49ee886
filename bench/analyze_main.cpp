// mctf_analyze FOLDER: one full statistics run over FOLDER (pages written
// there), then one line of figures: log bytes, seconds, MB/s, peak resident
// memory in KiB, players and clans.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/FixedText.h"
#include "core/SilentDesktop.h"
#include "jobs/AnalyzeLogs.h"
#include "stats/LogReader.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mctf_analyze FOLDER\n");
        return 2;
    }
    mctf::ServerSettings settings = mctf::DefaultSettings;
    if (std::strlen(argv[1]) >= sizeof settings.statsDir) {
        std::fprintf(stderr, "mctf_analyze: folder name too long\n");
        return 2;
    }
    mctf::SetFixedText(settings.statsDir, argv[1]);
    mctf::SetFixedText(settings.quakePath, argv[1]);  // no clan list there

    std::uintmax_t bytes = 0;
    for (const std::string& name : mctf::FindLogFiles(argv[1])) {
        bytes += std::filesystem::file_size(std::filesystem::path(argv[1]) / name);
    }

    auto tables = std::make_unique<mctf::StatsTables>();
    mctf::SilentDesktop desktop;
    auto start = std::chrono::steady_clock::now();
    const mctf::StatsRunOutcome outcome =
        mctf::AnalyzeLogs(*tables, settings, desktop, mctf::ReportEnvironment{});
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("bytes=%ju seconds=%.3f mb_per_s=%.1f max_rss_kib=%ld players=%d clans=%d\n", bytes,
                seconds, static_cast<double>(bytes) / 1e6 / seconds, usage.ru_maxrss,
                tables->playerCount, tables->clanCount);
    if (!outcome.Written()) {
        std::fprintf(stderr, "the pages were not written: %.*s\n",
                     static_cast<int>(mctf::RunMessage(outcome).text.size()),
                     mctf::RunMessage(outcome).text.data());
        return 1;
    }
    return 0;
}
