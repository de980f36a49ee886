// SilentDesktop: a Desktop for runs nobody watches, the benchmarks and the
// fuzz targets. Questions are answered Cancel, file choosers cancelled and
// progress ignored; only the last message is kept, so that a run can report
// why it failed, while a process that runs millions of times keeps no more.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Desktop.h"

namespace mctf {

class SilentDesktop : public Desktop {
public:
    void ShowMessage(std::string_view text, std::string_view, MessageIcon) override {
        lastMessage.assign(text);
    }
    bool Confirm(std::string_view, std::string_view) override { return false; }
    void OpenProgress() override {}
    void SetProgress(int) override {}
    void CloseProgress() override {}
    std::optional<std::string> ChooseFile(std::string_view, const std::string&) override {
        return std::nullopt;
    }

    std::string lastMessage;  // empty until a message is shown
};

}  // namespace mctf
