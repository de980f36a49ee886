// CliHarness: runs mctfcli commands in-process with a recording desktop and
// captured output and error streams.
#pragma once

#include <sstream>
#include <string>

#include "cli/Commands.h"
#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {

struct CliHarness {
    RecordingDesktop desktop;
    std::ostringstream out;
    std::ostringstream err;
    CommandContext context{desktop, out, err, nullptr};

    // Runs `mctfcli args...` after emptying the streams.
    int Run(const Args& args) {
        out.str("");
        err.str("");
        return RunMctfcli(args, context);
    }
};

}  // namespace mctf::testing
