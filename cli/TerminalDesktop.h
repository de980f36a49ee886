// TerminalDesktop: the Desktop of mctfcli. Messages go to standard error as
// "mctfcli: message" (the commands have put the file's name in front),
// questions are answered Cancel (nobody is there to confirm), and progress is
// a line redrawn on standard error when that is a terminal.
#pragma once

#include <cstdio>

#include "core/Desktop.h"

namespace mctf {

// Whether the stream is a terminal; on Windows, a console that takes the
// escape sequences the progress line is redrawn with.
bool IsTerminal(std::FILE* stream);

class TerminalDesktop : public Desktop {
public:
    explicit TerminalDesktop(std::FILE* err = stderr);

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool Confirm(std::string_view text, std::string_view caption) override;
    void OpenProgress() override;
    void SetProgress(int position) override;
    void CloseProgress() override;
    std::optional<std::string> ChooseFile(std::string_view filters,
                                          const std::string& startFolder) override;

private:
    std::FILE* err_;
    bool showProgress_;
    bool progressOpen_ = false;
};

}  // namespace mctf
