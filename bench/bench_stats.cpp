// Google Benchmark cases: a full statistics run over a synthetic corpus, and
// the report alone for a full player table.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/SyntheticLogs.h"
#include "core/FixedText.h"
#include "core/SilentDesktop.h"
#include "jobs/AnalyzeLogs.h"
#include "report/Report.h"
#include "stats/Awards.h"

namespace {

// A scratch folder for one benchmark process, removed at its end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("mctf-bench-" + name + "-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string str() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

mctf::ServerSettings SettingsFor(const std::string& folder) {
    mctf::ServerSettings settings = mctf::DefaultSettings;
    mctf::SetFixedText(settings.statsDir, folder);
    mctf::SetFixedText(settings.quakePath, folder);
    return settings;
}

void BM_AnalyzeCorpus(benchmark::State& state) {
    ScratchFolder folder("corpus");
    mctf::bench::CorpusPlan plan;
    plan.folder = folder.str();
    plan.totalBytes = static_cast<std::uint64_t>(state.range(0)) << 20;
    std::uint64_t bytes = mctf::bench::GenerateCorpus(plan);
    mctf::ServerSettings settings = SettingsFor(folder.str());
    auto tables = std::make_unique<mctf::StatsTables>();
    mctf::SilentDesktop desktop;
    for (auto _ : state) {
        bool written =
            mctf::AnalyzeLogs(*tables, settings, desktop, mctf::ReportEnvironment{}).Written();
        if (!written) state.SkipWithError("the report was not written");
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    state.counters["players"] = tables->playerCount;
}
BENCHMARK(BM_AnalyzeCorpus)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_WriteFullReport(benchmark::State& state) {
    ScratchFolder folder("report");
    mctf::ServerSettings settings = SettingsFor(folder.str());
    auto tables = std::make_unique<mctf::StatsTables>();
    tables->playerCount = mctf::kPlayerCapacity;
    for (int p = 0; p < mctf::kPlayerCapacity; ++p) {
        mctf::PlayerStats& player = tables->players[p];
        mctf::SetFixedText(player.name, "Player" + std::to_string(p));
        player.secondsPlayed = 600 + p;
        player.fragsPerHour = static_cast<float>(mctf::kPlayerCapacity - p);
        player.rankPosition = static_cast<int16_t>(p);
        player.weaponKills[mctf::kRailgun] = p % 50;
        tables->rankOrder[p] = static_cast<uint16_t>(p);
        if (p < mctf::kTopListCapacity) {
            tables->topRailers[p] = static_cast<uint16_t>(p);
            tables->topRocketeers[p] = static_cast<uint16_t>(p);
        }
    }
    tables->awards = mctf::ComputeAwards(*tables, mctf::SeededDraw(1));
    for (auto _ : state) {
        if (!mctf::WriteReport(*tables, settings, settings.statsDir, mctf::ReportEnvironment{}).Written()) {
            state.SkipWithError("the report was not written");
        }
    }
}
BENCHMARK(BM_WriteFullReport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
