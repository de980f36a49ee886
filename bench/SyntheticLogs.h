// SyntheticLogs: a deterministic generator of realistic server logs for the
// benchmarks.
//
// The corpus imitates a busy server over months: a pool of a few thousand
// players, many of them in clans with tags in their names, colour codes,
// renames in the middle of a match, kills by the world, item pick-ups and
// chat noise, long InitGame lines, three-digit minutes, and matches that end
// with Exit and ShutdownGame or with ShutdownGame alone. The same seed gives
// the same bytes on every platform (no standard distributions are used).
#pragma once

#include <cstdint>
#include <string>

namespace mctf::bench {

struct CorpusPlan {
    std::string folder;  // created when missing
    std::uint64_t totalBytes = 64ull << 20;
    int fileCount = 4;  // games1.log .. gamesN.log
    std::uint64_t seed = 20240305;
    int playerPool = 3000;  // distinct player names
};

// Writes the corpus; returns the number of bytes written, or 0 on failure.
std::uint64_t GenerateCorpus(const CorpusPlan& plan);

}  // namespace mctf::bench
