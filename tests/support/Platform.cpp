#include "tests/support/Platform.h"

#include <cstdlib>
#include <ctime>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mctf::testing {

bool MakeNamedPipe(const std::filesystem::path& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    return mkfifo(path.c_str(), 0644) == 0;
#endif
}

std::FILE* PipeHolding(std::string_view bytes) {
    int ends[2];
#ifdef _WIN32
    if (_pipe(ends, static_cast<unsigned>(bytes.size()) + 4096, _O_BINARY) != 0) return nullptr;
    const bool written = _write(ends[1], bytes.data(), static_cast<unsigned>(bytes.size())) ==
                         static_cast<int>(bytes.size());
    _close(ends[1]);
    std::FILE* stream = written ? _fdopen(ends[0], "rb") : nullptr;
    if (stream == nullptr) _close(ends[0]);
#else
    if (pipe(ends) != 0) return nullptr;
    const bool written =
        write(ends[1], bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(ends[1]);
    std::FILE* stream = written ? fdopen(ends[0], "rb") : nullptr;
    if (stream == nullptr) close(ends[0]);
#endif
    return stream;
}

std::FILE* MemoryStream(std::string& bytes) {
#ifdef _WIN32
    (void)bytes;
    return nullptr;
#else
    return fmemopen(bytes.data(), bytes.size(), "rb");
#endif
}

void UseUtcClock() {
#ifdef _WIN32
    _putenv_s("TZ", "UTC0");
    _tzset();
#else
    setenv("TZ", "UTC", 1);
    tzset();
#endif
}

}  // namespace mctf::testing
