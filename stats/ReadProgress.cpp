#include "stats/ReadProgress.h"

namespace mctf {

namespace {

constexpr int kBarStep = 5;
constexpr int kBarEnd = 100;

}  // namespace

ReadTracker::ReadTracker(ReadProgress& progress, std::uint64_t totalBytes) : progress_(progress) {
    status_.totalBytes = totalBytes;
}

void ReadTracker::MatchStarted() {
    status_.barPosition += kBarStep;
    if (status_.barPosition > kBarEnd) status_.barPosition = 0;
    progress_.MatchStarted(status_);
}

void ReadTracker::BlockRead(std::size_t bytes) {
    status_.bytesRead += bytes;
    progress_.BlockRead(status_);
}

}  // namespace mctf
