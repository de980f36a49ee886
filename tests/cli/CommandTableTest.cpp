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
        EXPECT_NE(command.run == nullptr, command.actions.empty());
        std::ostringstream usage;
        PrintCommandUsage(command, usage);
        for (const Action& action : command.actions) {
            EXPECT_NE(action.run, nullptr) << action.name;
            EXPECT_NE(usage.str().find("mctfcli " + name + " " + std::string(action.name) + " "),
                      std::string::npos)
                << action.name;
        }
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

TEST(CommandTable, AMistakeIsOneLineAndWhereTheHelpIs) {
    const std::string tryHelp = "Try 'mctfcli --help'.\n";
    const auto tryThe = [](std::string command) {
        return "Try 'mctfcli " + command + " --help'.\n";
    };
    const struct {
        Args args;
        std::string err;
    } cases[] = {
        {{"version"}, "mctfcli: unknown command 'version'; did you mean --version?\n" + tryHelp},
        {{"--versoin"}, "mctfcli: unknown option '--versoin'; did you mean --version?\n" + tryHelp},
        {{"stat"}, "mctfcli: unknown command 'stat'; did you mean stats?\n" + tryHelp},
        {{"frobnicate"}, "mctfcli: unknown command 'frobnicate'\n" + tryHelp},
        {{"help", "stat"}, "mctfcli: help: unknown command 'stat'\n" + tryHelp},
        {{"--config"}, "mctfcli: option --config needs a value\n" + tryHelp},
        {{"--config", "-q", "maps"}, "mctfcli: option --config needs a value\n" + tryHelp},
        // A leading --config goes to the command, which may not take it.
        {{"--config", "x.dmc", "maps", "a.pk3"},
         "mctfcli: maps: unknown option '--config'\nTry 'mctfcli maps --help'.\n"},
        {{"maplist"},
         "mctfcli: maplist: which action: show, add, remove, clear or check?\n" +
             tryThe("maplist")},
        {{"settings", "shw"},
         "mctfcli: settings: unknown action 'shw'; did you mean show?\n" + tryThe("settings")},
        {{"maplist", "frob"}, "mctfcli: maplist: unknown action 'frob'\n" + tryThe("maplist")},
        {{"settings", "frob", "--json"},
         "mctfcli: settings: --json belongs to show only\n" + tryThe("settings")},
        {{"maplist", "clear", "q3dm1"},
         "mctfcli: maplist: clear takes no NAME\n" + tryThe("maplist")},
        {{"status", "--jsn"},
         "mctfcli: status: unknown option '--jsn'; did you mean --json?\n" + tryThe("status")},
    };
    CliHarness cli;
    for (const auto& c : cases) {
        EXPECT_EQ(cli.Run(c.args), 2) << c.args[0];
        EXPECT_EQ(cli.out.str(), "") << c.args[0];
        EXPECT_EQ(cli.err.str(), c.err);
    }
}

}  // namespace
}  // namespace mctf::testing
