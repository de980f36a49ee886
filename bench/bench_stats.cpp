// Google Benchmark cases: a full statistics run over a synthetic corpus, and
// the report and the JSON document alone for full tables.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/SyntheticLogs.h"
#include "core/FileReplacement.h"
#include "core/FixedText.h"
#include "core/SilentDesktop.h"
#include "jobs/AnalyzeLogs.h"
#include "report/Report.h"
#include "report/StatsDocument.h"
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

// Full tables: 4096 players, each the one member of a clan of its own named
// in the clan list, so that the table of clans is full too.
std::unique_ptr<mctf::StatsTables> FullTables() {
    auto tables = std::make_unique<mctf::StatsTables>();
    tables->playerCount = mctf::kPlayerCapacity;
    tables->clanCount = mctf::kClanCapacity;
    for (int p = 0; p < mctf::kPlayerCapacity; ++p) {
        mctf::PlayerStats& player = tables->players[p];
        mctf::SetFixedText(player.name, "[T" + std::to_string(p) + "]Player" + std::to_string(p));
        player.secondsPlayed = 600 + p;
        player.frags = mctf::kPlayerCapacity - p;
        player.fragsPerHour = static_cast<float>(mctf::kPlayerCapacity - p);
        player.rankPosition = static_cast<int16_t>(p);
        for (int w = 0; w < mctf::kWeaponCount; ++w) player.weaponKills[w] = (p + w) % 50;
        tables->rankOrder[p] = static_cast<uint16_t>(p);
        if (p < mctf::kTopListCapacity) {
            tables->topRailers[p] = static_cast<uint16_t>(p);
            tables->topRocketeers[p] = static_cast<uint16_t>(p);
        }
        mctf::ClanStats& clan = tables->clans[p];
        mctf::SetFixedText(clan.tag, "T" + std::to_string(p));
        mctf::SetFixedText(clan.clanName, "Clan_" + std::to_string(p));
        mctf::SetFixedText(clan.homePage, "http://clan" + std::to_string(p) + ".example");
        clan.memberCount = 1;
        clan.members[0] = clan.topMembers[0] = p;
        tables->clanOrder[p] = static_cast<uint16_t>(p);
    }
    tables->awards = mctf::ComputeAwards(*tables, mctf::SeededDraw(1));
    return tables;
}

void BM_WriteFullReport(benchmark::State& state) {
    ScratchFolder folder("report");
    mctf::ServerSettings settings = SettingsFor(folder.str());
    const auto tables = FullTables();
    for (auto _ : state) {
        if (!mctf::WriteReport(*tables, settings, settings.statsDir, mctf::ReportEnvironment{})
                 .Written()) {
            state.SkipWithError("the report was not written");
        }
    }
}
BENCHMARK(BM_WriteFullReport)->Unit(benchmark::kMillisecond);

// The JSON document of the same full tables, made and written to a file as
// mctfcli stats --json FILE does.
void BM_WriteFullJson(benchmark::State& state) {
    ScratchFolder folder("json");
    const mctf::ServerSettings settings = SettingsFor(folder.str());
    const auto tables = FullTables();
    const std::string path = folder.str() + "/stats.json";
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string document = mctf::StatsDocument(*tables, settings, {});
        mctf::FileReplacement file(path, "wb");
        file.SkipSync();
        if (!file.Open()) state.SkipWithError("cannot create the file");
        file.Write(document);
        if (!file.Commit()) state.SkipWithError("the file was not written");
        bytes = document.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteFullJson)->Unit(benchmark::kMillisecond);

// The matches of a large corpus (4000 matches of 10 players each, some tens
// of MB) made into the document, without the tables: the rate at which the
// document of many matches is written.
void BM_WriteMatchesJson(benchmark::State& state) {
    const auto tables = std::make_unique<mctf::StatsTables>();
    const mctf::ServerSettings settings = mctf::DefaultSettings;
    std::vector<mctf::RunLogFile> logFiles(1);
    logFiles[0].path = "/srv/quake3/morvane/games.log";
    std::vector<mctf::MatchRecord> matches;
    for (int m = 0; m < 4000; ++m) {
        mctf::MatchRecord& match = matches.emplace_back();
        match.file = 0;
        match.line = 1 + 400u * static_cast<unsigned>(m);
        match.timestamp = "2026-12-08 01:05:19";
        match.hostname = "Morvane Quake";
        match.map = "q3ctf" + std::to_string(1 + m % 4);
        match.gameType = 4;
        match.timeLimit = 15;
        match.captureLimit = 8;
        match.durationSeconds = 900;
        match.exited = true;
        match.exitReason = "Capturelimit hit.";
        match.redScore = 8;
        match.blueScore = m % 8;
        match.flagEventsSeen = match.awardsSeen = true;
        for (int p = 0; p < 10; ++p) {
            mctf::MatchPlayer& player = match.players.emplace_back();
            player.slot = p;
            mctf::SetFixedText(player.name,
                               "[T" + std::to_string(p) + "]Player" + std::to_string(m));
            player.rawName = "^1[T" + std::to_string(p) + "]^7Player" + std::to_string(m);
            player.team = mctf::kTeamRed + p % 2;
            player.frags = 10 + p;
            player.deaths = 12;
            player.secondsPlayed = 880;
            for (int w = 0; w < mctf::kWeaponCount; ++w) player.weaponKills[w] = (p + w) % 7;
            player.flagEvents[mctf::kFlagTaken] = p % 3;
            player.awards[3] = 1;
            player.score = 20 + p;
        }
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        mctf::MatchesJson json(logFiles, 0);
        for (const mctf::MatchRecord& match : matches) json.Append(match);
        const std::string document =
            mctf::StatsDocument(*tables, settings, {0, logFiles, {}, json.Take()});
        benchmark::DoNotOptimize(document.data());
        bytes = document.size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteMatchesJson)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
