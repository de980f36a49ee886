// ByteProgress: the one line mctfcli stats keeps on a terminal while it reads
// the logs: the share of the log bytes read so far, how many, and the speed,
// e.g. "Reading logs  42%  12.3 of 29.1 MB  8.4 MB/s". The total is known
// before reading starts, so the share is honest. The line is redrawn at most
// ten times a second and erased at the end; mctfcli only makes one when
// standard error is a terminal.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace mctf {

class ByteProgress {
public:
    // Seconds from any fixed start; the steady clock unless a test gives one.
    using Clock = std::function<double()>;

    explicit ByteProgress(std::FILE* out, Clock clock = {});

    // done of total bytes read. Draws when it is the first call or a tenth of
    // a second has passed since the last drawing.
    void Update(uint64_t done, uint64_t total);
    // Erases the line, when one was drawn.
    void Clear();

    // The text of the line (without the return and erase codes).
    static std::string Line(uint64_t done, uint64_t total, double seconds);

private:
    std::FILE* out_;
    Clock clock_;
    double start_ = 0;
    double lastDrawn_ = 0;
    bool started_ = false;
    bool drawn_ = false;
};

}  // namespace mctf
