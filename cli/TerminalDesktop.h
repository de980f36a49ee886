// TerminalDesktop: the Desktop of mctfcli. Messages go to standard error,
// questions are answered Cancel (nobody is there to confirm), and progress is
// a line redrawn on standard error when that is a terminal.
#pragma once

#include <cstdio>

#include "core/Desktop.h"

namespace mctf {

class TerminalDesktop : public Desktop {
public:
    explicit TerminalDesktop(std::FILE* err = stderr);

    void ShowMessage(std::string_view text, std::string_view caption,
                     MessageIcon icon) override;
    bool Confirm(std::string_view text, std::string_view caption) override;
    void OpenProgress() override;
    void SetProgress(int position) override;
    void CloseProgress() override;
    std::optional<std::string> ChooseFile(std::string_view filters) override;

    // True once a message has been shown: the command then failed, unless
    // the message was its success report.
    int messageCount() const { return messageCount_; }

private:
    std::FILE* err_;
    bool showProgress_;
    bool progressOpen_ = false;
    int messageCount_ = 0;
};

}  // namespace mctf
