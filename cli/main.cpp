// mctfcli: the jobs of mctfutil without a window, for scripts and cron.
#include <cstdio>
#include <iostream>
#include <string>

#include "cli/ByteProgress.h"
#include "cli/CheckedOutput.h"
#include "cli/Commands.h"
#include "cli/TerminalDesktop.h"

namespace {

// One line from the terminal after the question on standard error.
std::optional<std::string> AskOnTerminal(std::string_view question) {
    std::cerr << question << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return std::nullopt;
    return answer;
}

}  // namespace

int main(int argc, char** argv) {
    mctf::Args args(argv + 1, argv + argc);
    mctf::TerminalDesktop desktop;
    mctf::CheckedOutput standardOutput(1);
    std::ostream out(&standardOutput);
    mctf::CommandContext context{desktop, out, std::cerr, nullptr};
    // Never a question that nobody can answer.
    if (mctf::IsTerminal(stdin) && mctf::IsTerminal(stderr)) context.ask = AskOnTerminal;
    std::optional<mctf::ByteProgress> progress;
    if (mctf::IsTerminal(stderr)) context.progress = &progress.emplace(stderr);
    // Data that did not all reach standard output is a failure too.
    return mctf::FinishOutput(standardOutput, mctf::RunMctfcli(args, context), std::cerr);
}
