// Every row of the command table as mctfcli answers for it: its usage for
// --help wherever it stands and for help NAME, and its name where the bash
// completion and the list of commands look.
#include <gtest/gtest.h>

#include "cli/CommandTable.h"
#include "tests/cli/CliHarness.h"

namespace mctf::testing {
namespace {

TEST(CommandTable, EveryCommandAnswersHelpWithItsUsage) {
    CliHarness cli;
    cli.Run({"--help"});
    const std::string help = cli.out.str();
    std::string names;
    for (const Command& command : Commands()) {
        const std::string name(command.name);
        SCOPED_TRACE(name);
        // Not in the compile-time check: the sanitizers' builds cannot
        // compare a function's address there.
        EXPECT_NE(command.run, nullptr);
        std::ostringstream usage;
        PrintCommandUsage(command, usage);
        EXPECT_TRUE(usage.str().starts_with("Usage: mctfcli " + name + " "));
        EXPECT_NE(usage.str().find("\n  --help         this text\n"), std::string::npos);
        for (const Args& args : {Args{name, "--help"}, Args{name, "--frobnicate", "-h"},
                                 Args{name, "--config", "--help"}, Args{"help", name}}) {
            EXPECT_EQ(cli.Run(args), 0) << args[1];
            EXPECT_EQ(cli.out.str(), usage.str()) << args[1];
            EXPECT_EQ(cli.err.str(), "") << args[1];
        }
        EXPECT_NE(help.find("\n  " + name), std::string::npos);
        names += name + '\n';
    }
    EXPECT_EQ(cli.Run({"--commands"}), 0);
    EXPECT_EQ(cli.out.str(), names + "help\n");
}

}  // namespace
}  // namespace mctf::testing
