#include "cli/NamingDesktop.h"

namespace mctf {

void NamingDesktop::Name(std::string subject) { subject_ = std::move(subject); }

void NamingDesktop::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    if (subject_.empty()) {
        inner_.ShowMessage(text, caption, icon);
        return;
    }
    inner_.ShowMessage(subject_ + ": " + std::string(text), caption, icon);
}

}  // namespace mctf
