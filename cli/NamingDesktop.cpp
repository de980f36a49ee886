#include "cli/NamingDesktop.h"

#include "core/ServerFiles.h"

namespace mctf {

void NamingDesktop::Name(std::string subject) { subject_ = std::move(subject); }

void NamingDesktop::NameServerFiles(const ServerSettings& settings) {
    launchFile_ = LaunchFilePath(settings);
    serverScript_ = ServerScriptPath(settings);
}

void NamingDesktop::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    std::string_view subject = subject_;
    if (text == kCannotCreateBatMessage || text == kCannotWriteBatMessage) subject = launchFile_;
    if (text == kCannotCreateScriptMessage || text == kCannotWriteScriptMessage)
        subject = serverScript_;
    if (subject.empty()) {
        inner_.ShowMessage(text, caption, icon);
        return;
    }
    inner_.ShowMessage(std::string(subject) + ": " + std::string(text), caption, icon);
}

}  // namespace mctf
