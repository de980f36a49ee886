// ReadProgress: how far the reading of a run's log files has got.
//
// The reader tells it at every match start, which moves the "Reading Data"
// bar, and after every block of a file it reads. The bar shows activity, not
// a share: it moves by 5 at every "InitGame:" line and starts again at 0
// after 100. The byte counts are for a display of the share read and the
// speed; the total is known before the first file is read.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mctf {

struct ReadStatus {
    int barPosition = 0;           // 0..100
    std::uint64_t bytesRead = 0;   // of all files, so far
    std::uint64_t totalBytes = 0;  // the sizes of all files before reading (a file
                                   // that grows meanwhile takes bytesRead past it)
};

class ReadProgress {
public:
    virtual ~ReadProgress() = default;
    // A match started: the bar has moved.
    virtual void MatchStarted(const ReadStatus& status) = 0;
    // Another block of a file was read (up to 256 KiB).
    virtual void BlockRead(const ReadStatus& status) = 0;
};

// The status of one run's reading, told to a ReadProgress as it changes.
class ReadTracker {
public:
    ReadTracker(ReadProgress& progress, std::uint64_t totalBytes);

    // Moves the bar by 5, back to 0 after 100.
    void MatchStarted();
    void BlockRead(std::size_t bytes);

private:
    ReadProgress& progress_;
    ReadStatus status_;
};

}  // namespace mctf
