#include "cli/TerminalDesktop.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif
#else
#include <unistd.h>
#endif

namespace mctf {

#ifdef _WIN32
bool IsTerminal(std::FILE* stream) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return false;
    if (stream == stdin) return true;
    // The progress line is redrawn with escape sequences; an old console
    // that cannot take them would print them, so it counts as no terminal.
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
           SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}
#else
bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }
#endif

TerminalDesktop::TerminalDesktop(std::FILE* err) : err_(err), showProgress_(IsTerminal(err)) {}

void TerminalDesktop::ShowMessage(std::string_view text, std::string_view, MessageIcon) {
    if (progressOpen_ && showProgress_) std::fputs("\r\033[K", err_);
    std::fprintf(err_, "mctfcli: %.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(err_);
}

bool TerminalDesktop::Confirm(std::string_view text, std::string_view) {
    std::fprintf(err_, "mctfcli: %.*s (answered Cancel)\n", static_cast<int>(text.size()),
                 text.data());
    return false;
}

void TerminalDesktop::OpenProgress() {
    progressOpen_ = true;
    SetProgress(0);
}

void TerminalDesktop::SetProgress(int position) {
    if (!showProgress_ || !progressOpen_) return;
    std::fprintf(err_, "\rReading Data %3d%%", position);
    std::fflush(err_);
}

void TerminalDesktop::CloseProgress() {
    if (showProgress_ && progressOpen_) {
        std::fputs("\r\033[K", err_);
        std::fflush(err_);
    }
    progressOpen_ = false;
}

std::optional<std::string> TerminalDesktop::ChooseFile(std::string_view, const std::string&) {
    return std::nullopt;
}

}  // namespace mctf
