#include "cli/TerminalDesktop.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace mctf {

TerminalDesktop::TerminalDesktop(std::FILE* err)
    : err_(err), showProgress_(isatty(fileno(err)) != 0) {}

void TerminalDesktop::ShowMessage(std::string_view text, std::string_view caption,
                                  MessageIcon) {
    ++messageCount_;
    if (progressOpen_ && showProgress_) std::fputs("\r\033[K", err_);
    std::fprintf(err_, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    std::fflush(err_);
}

bool TerminalDesktop::Confirm(std::string_view text, std::string_view caption) {
    std::fprintf(err_, "%.*s: %.*s (answered Cancel)\n", static_cast<int>(caption.size()),
                 caption.data(), static_cast<int>(text.size()), text.data());
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

std::optional<std::string> TerminalDesktop::ChooseFile(std::string_view) {
    return std::nullopt;
}

}  // namespace mctf
