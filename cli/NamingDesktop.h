// NamingDesktop: puts the name of the file or folder a message is about in
// front of the message ("maps/x.pk3: ERROR Invalid pk3 file"), so that
// mctfcli's "mctfcli: NAME: message" says what the window's box leaves to
// the operator's memory of what was chosen. Everything else passes through.
#pragma once

#include <string>

#include "core/Desktop.h"
#include "core/ServerSettings.h"

namespace mctf {

class NamingDesktop : public Desktop {
public:
    explicit NamingDesktop(Desktop& inner) : inner_(inner) {}

    // Every message is about this file or folder.
    void Name(std::string subject);
    // Messages of WriteServerFiles name morvane.bat or morvane.cfg.
    void NameServerFiles(const ServerSettings& settings);

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
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

private:
    Desktop& inner_;
    std::string subject_;
    std::string launchFile_;
    std::string serverScript_;
};

}  // namespace mctf
