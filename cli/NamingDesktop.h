// NamingDesktop: puts the name of the file or folder a message is about in
// front of the message ("maps/x.pk3: ERROR Invalid pk3 file"), so that
// mctfcli's "mctfcli: NAME: message" says what the window's box leaves to
// the operator's memory of what was chosen. Everything else passes through.
#pragma once

#include <string>

#include "cli/ForwardingDesktop.h"

namespace mctf {

class NamingDesktop : public ForwardingDesktop {
public:
    using ForwardingDesktop::ForwardingDesktop;

    // Every message is about this file or folder.
    void Name(std::string subject);

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;

private:
    std::string subject_;
};

}  // namespace mctf
