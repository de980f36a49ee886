// QuietDesktop: a Desktop for benchmark runs. Nobody is at the screen:
// messages are kept for the report at the end, questions are answered
// Cancel, and progress is ignored.
#pragma once

#include <string>
#include <vector>

#include "core/Desktop.h"

namespace mctf::bench {

class QuietDesktop : public Desktop {
public:
    void ShowMessage(std::string_view text, std::string_view, MessageIcon) override {
        messages.emplace_back(text);
    }
    bool Confirm(std::string_view, std::string_view) override { return false; }
    void OpenProgress() override {}
    void SetProgress(int) override {}
    void CloseProgress() override {}
    std::optional<std::string> ChooseFile(std::string_view) override { return std::nullopt; }

    std::vector<std::string> messages;
};

}  // namespace mctf::bench
