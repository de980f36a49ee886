#include "cli/CheckedOutput.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <ostream>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "core/FileSystem.h"

namespace mctf {

namespace {

bool IsOpen(int descriptor) {
#ifdef _WIN32
    // -2: a standard stream that was never attached (no console, no file).
    const intptr_t handle = _get_osfhandle(descriptor);
    return handle != -1 && handle != -2;
#else
    return fcntl(descriptor, F_GETFD) != -1 || errno != EBADF;
#endif
}

// write(2): the bytes written, or -1 with errno set.
long WriteSome(int descriptor, const char* data, std::size_t size) {
#ifdef _WIN32
    return _write(descriptor, data, static_cast<unsigned>(size < INT_MAX ? size : INT_MAX));
#else
    return static_cast<long>(write(descriptor, data, size));
#endif
}

}  // namespace

CheckedOutput::CheckedOutput(int descriptor)
    : descriptor_(descriptor), closed_(!IsOpen(descriptor)) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

CheckedOutput::~CheckedOutput() { Drain(); }

int CheckedOutput::Finish() {
    Drain();
    return error_;
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c) {
    if (!Drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int CheckedOutput::sync() { return Drain() ? 0 : -1; }

bool CheckedOutput::Drain() {
    const char* data = pbase();
    std::size_t size = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    if (size > 0 && closed_ && error_ == 0) error_ = EBADF;
    while (size > 0 && error_ == 0) {
        errno = 0;
        const long wrote = WriteSome(descriptor_, data, size);
        if (wrote > 0) {
            data += wrote;
            size -= static_cast<std::size_t>(wrote);
        } else if (wrote < 0 && errno == EINTR) {
            continue;
        } else {
            error_ = errno != 0 ? errno : EIO;  // nothing taken and no reason: give one
        }
    }
    return error_ == 0;
}

int FinishOutput(CheckedOutput& output, int status, std::ostream& err) {
    const int error = output.Finish();
    if (error == 0) return status;
    err << "mctfcli: standard output: " << SystemReason(error) << '\n';
    return status != 0 ? status : 1;
}

}  // namespace mctf
