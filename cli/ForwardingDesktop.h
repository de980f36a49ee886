// ForwardingDesktop: a Desktop that hands every call on to another one. The
// commands' desktops derive from it and override only what they change (the
// name put before a message, where the report's success goes).
#pragma once

#include <string>

#include "core/Desktop.h"

namespace mctf {

class ForwardingDesktop : public Desktop {
public:
    explicit ForwardingDesktop(Desktop& inner) : inner_(inner) {}

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        inner_.ShowMessage(text, caption, icon);
    }
    bool Confirm(std::string_view text, std::string_view caption) override {
        return inner_.Confirm(text, caption);
    }
    void OpenProgress() override { inner_.OpenProgress(); }
    void SetProgress(int position) override { inner_.SetProgress(position); }
    void CloseProgress() override { inner_.CloseProgress(); }
    std::optional<std::string> ChooseFile(std::string_view filters,
                                          const std::string& startFolder) override {
        return inner_.ChooseFile(filters, startFolder);
    }

protected:
    Desktop& inner_;
};

}  // namespace mctf
