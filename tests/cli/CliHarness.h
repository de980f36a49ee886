// CliHarness: runs mctfcli commands in-process with a recording desktop,
// captured output and error streams, and defaults whose game folder is a
// temporary one (see TestDefaults.h).
#pragma once

#include <sstream>
#include <string>

#include "cli/Commands.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDefaults.h"

namespace mctf::testing {

struct CliHarness {
    TempDir home;
    ServerSettings defaults = DefaultsIn(home.path());
    RecordingDesktop desktop;
    std::ostringstream out;
    std::ostringstream err;
    CommandContext context{desktop, out, err, nullptr};

    CliHarness() { context.defaults = &defaults; }
    CliHarness(const CliHarness&) = delete;
    CliHarness& operator=(const CliHarness&) = delete;

    // Runs `mctfcli args...` after emptying the streams.
    int Run(const Args& args) {
        out.str("");
        err.str("");
        return RunMctfcli(args, context);
    }
};

}  // namespace mctf::testing
