#include "cli/ByteProgress.h"

#include <chrono>

namespace mctf {

namespace {

constexpr double kRedrawSeconds = 0.1;

double SteadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// The unit that makes `bytes` a number below 1000.
struct Unit {
    double divisor;
    const char* name;
};

Unit UnitFor(double bytes) {
    if (bytes >= 1e9) return {1e9, "GB"};
    if (bytes >= 1e6) return {1e6, "MB"};
    if (bytes >= 1e3) return {1e3, "kB"};
    return {1, "B"};
}

}  // namespace

ByteProgress::ByteProgress(std::FILE* out, Clock clock)
    : out_(out), clock_(clock ? std::move(clock) : Clock(SteadySeconds)) {}

std::string ByteProgress::Line(uint64_t done, uint64_t total, double seconds) {
    // A log that grows while it is read may pass its size at the start.
    const int percent = total == 0 || done >= total ? 100 : static_cast<int>(done * 100 / total);
    const Unit unit = UnitFor(static_cast<double>(total));
    char text[96];
    // Whole bytes have no tenths.
    const int digits = unit.divisor == 1 ? 0 : 1;
    int length = std::snprintf(text, sizeof text, "Reading logs %3d%%  %.*f of %.*f %s", percent,
                               digits, static_cast<double>(done) / unit.divisor, digits,
                               static_cast<double>(total) / unit.divisor, unit.name);
    std::string line(text, static_cast<std::size_t>(length));
    if (seconds > 0) {
        const double speed = static_cast<double>(done) / seconds;
        const Unit speedUnit = UnitFor(speed);
        std::snprintf(text, sizeof text, "  %.*f %s/s", speedUnit.divisor == 1 ? 0 : 1,
                      speed / speedUnit.divisor, speedUnit.name);
        line += text;
    }
    return line;
}

void ByteProgress::Update(uint64_t done, uint64_t total) {
    const double now = clock_();
    if (!started_) {
        started_ = true;
        start_ = now;
    } else if (now - lastDrawn_ < kRedrawSeconds) {
        return;
    }
    lastDrawn_ = now;
    drawn_ = true;
    std::fprintf(out_, "\r%s\033[K", Line(done, total, now - start_).c_str());
    std::fflush(out_);
}

void ByteProgress::Clear() {
    if (!drawn_) return;
    std::fputs("\r\033[K", out_);
    std::fflush(out_);
    drawn_ = false;
}

}  // namespace mctf
