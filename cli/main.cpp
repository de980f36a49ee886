// mctfcli: the jobs of mctfutil without a window, for scripts and cron.
#include <iostream>
#include <string>

#include "cli/Commands.h"
#include "cli/TerminalDesktop.h"
#include "core/Version.h"

int main(int argc, char** argv) {
    mctf::Args args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        mctf::PrintUsage(std::cout);
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        std::cout << mctf::kVersionLine << '\n';
        return 0;
    }
    std::string command = args[0];
    args.erase(args.begin());
    mctf::TerminalDesktop desktop;
    if (command == "server-files") return mctf::RunServerFilesCommand(args, desktop, std::cout);
    if (command == "maps") return mctf::RunMapsCommand(args, desktop, std::cout);
    if (command == "stats") return mctf::RunStatsCommand(args, desktop, std::cout);
    std::cerr << "mctfcli: unknown command '" << command << "'\n";
    mctf::PrintUsage(std::cerr);
    return 2;
}
