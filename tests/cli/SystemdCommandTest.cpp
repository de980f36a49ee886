// mctfcli systemd: the units of a game folder whose path holds a blank, '$'
// and '%', what --user, --every, --out and --server change, and what is refused.
#include <gtest/gtest.h>

#include <regex>

#include "core/FixedText.h"
#include "core/SystemdUnits.h"
#include "tests/cli/CliHarness.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>

namespace mctf::testing {
namespace {

namespace fs = std::filesystem;

// The lines the same for all (fuzz_server_units and systemd_service.sh check them).
const std::regex kFixedLines(
    "\n(Documentation|StartLimit.*|RestartPrevent.*|UMask|Restrict.*|No.*|"
    "Capability.*|Private.*|Protect.*|Proc.*|Lock.*|Remove.*|Keyring.*|"
    "SystemCall.*|Memory.*)=[^\n]*");

TEST(SystemdCommand, UnitsOfTheStoredGameFolder) {
    CliHarness cli;
    const std::string home = cli.home.str(), game = home + "/q3 $ 50%";
    const std::string config = home + "/my $q3.dmc";
    fs::create_directories(game + "/morvane");
    for (const char* program : {"/morvane.sh", "/q3ded"})
        fs::copy_file("/bin/true", game + program);
    const std::string user = getpwuid(geteuid())->pw_name, at = home + "/q3 $ 50%%";
    const std::string units =
        "# morvane-server.service\n[Unit]\nDescription=Quake III Arena dedicated server "
        "(Morvane)\nAfter=network.target\n\n[Service]\nUser=" +
        user + "\nWorkingDirectory=" + at + "\nExecStart=\"" + at +
        "/morvane.sh\"\nRestart=on-failure\nRestartSec=5\nReadWritePaths=\"" + at +
        "\"\n\n"
        "[Install]\nWantedBy=multi-user.target\n\n# morvane-stats.service\n[Unit]\n"
        "Description=Morvane player statistics pages\n\n[Service]\nType=oneshot\nUser=" +
        user + "\nExecStart=\"" + fs::read_symlink("/proc/self/exe").string() +
        "\" stats --quiet --config \"" + home + "/my $$q3.dmc\"\nReadWritePaths=\"" + at +
        "/morvane\"\n\n# morvane-stats.timer\n"
        "[Unit]\nDescription=Morvane player statistics pages (every 30min)\n\n[Timer]\n"
        "OnBootSec=30min\nOnUnitActiveSec=30min\n\n[Install]\nWantedBy=timers.target\n";
    const std::string rootWarning =
        user == "root" ? "mctfcli: warning: " + game + " belongs to root, so" : "";
    const std::string every = "mctfcli: systemd: --every takes 1 to 1440 minutes, not ";
    const std::string usage = "\nTry 'mctfcli systemd --help'.\n";
    const std::string refused = "mctfcli: quakePath: systemd cannot take a path that ";

    struct Case {
        const char* quakePath;  // null: the game folder
        Args args;
        int status;
        std::string err;                                         // a part of it
        std::vector<std::pair<std::string, std::string>> edits;  // of `units`
    };
    // clang-format off
    const Case cases[] = {
        {nullptr, {}, 0, "/q3ded (as morvane.sh", {}},
        {nullptr, {"--user"}, 0, "/q3ded (as", {{"After=network.target\n", ""},
         {"User=" + user + "\n", ""}, {"multi-user.target", "default.target"}}},
        {nullptr, {"--every", "90"}, 0, "/q3ded (as", {{"30min", "90min"}}},
        {nullptr, {"--every", "0"}, 2, every + "'0'" + usage, {}},
        {nullptr, {"--every", "x"}, 2, every + "'x'" + usage, {}},
        {nullptr, {"--every=1441"}, 2, every + "'1441'" + usage, {}},
        {nullptr, {"--every", "30s"}, 2, every + "'30s'" + usage, {}},
        {nullptr, {"--out=-x"}, 1, "cannot make the pages folder",
         {{"q3.dmc\"\n", "q3.dmc\" --out \"" + fs::current_path().string() + "/-x\"\n"},
          {at + "/morvane\"", fs::current_path().string() + "/-x\""}}},
        {nullptr, {"--server", game + "/q3ded", "--", "+set", "x$y%\"\\", ""}, 0, rootWarning,
         {{"sh\"\n", "sh\" \"+set\" \"x$$y%%\\\"\\\\\" \"\"\n"},
          {"\nExecStart=\"" + at,
           "\nEnvironment=\"MCTF_SERVER=" + at + "/q3ded\"\nExecStart=\"" + at}}},
        {nullptr, {"--server=" + config}, 1, "names no program: it may not be run\n", {}},
        {nullptr, {"x", "--", "y"}, 2, "mctfcli: systemd: unexpected argument 'x'" + usage, {}},
        {"C:\\Program Files\\Quake III Arena", {}, 1, "mctfcli: quakePath is not set: run "
                                   "'mctfcli settings set quakePath=/path/to/quake3' first\n", {}},
        {"", {}, 1, "mctfcli: quakePath is not set", {}},
        {"/srv/q\n3", {}, 1, refused + "holds a line break\n", {}},
        {"/srv/q3 ", {}, 1, refused + "ends in a blank\n", {}},
        {"/srv/q3 //", {}, 1, refused + "ends in a blank\n", {}},
        {"/srv/q3\\", {}, 1, refused + "holds a quote or a backslash\n", {}},
        {"/srv/\xed\xa0\x80q3", {}, 1, refused + "is not UTF-8\n", {}},  // a surrogate
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        ServerSettings record = DefaultSettings;
        SetFixedText(record.quakePath, c.quakePath ? c.quakePath : game);
        WriteFileBytes(config, std::string_view(reinterpret_cast<char*>(&record), sizeof record));
        Args args = {"systemd", "--config", config};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::string expected = c.status == 0 || !c.edits.empty() ? units : "";
        for (const auto& [from, to] : c.edits) {
            for (std::size_t at = 0; (at = expected.find(from, at)) != expected.npos;
                 at += to.size())
                expected.replace(at, from.size(), to);
        }
        EXPECT_EQ(cli.Run(args), c.status);
        EXPECT_EQ(std::regex_replace(cli.out.str(), kFixedLines, ""), expected);
        EXPECT_NE(cli.err.str().find(c.err), std::string::npos) << cli.err.str();
        EXPECT_EQ(cli.err.str().empty(), c.err.empty()) << cli.err.str();
    }
}

// Owner names User= cannot carry as they are (the account's number goes there).
TEST(SystemdCommand, OwnerNamesAUnitCannotCarry) {
    for (const char* name : {"q3\\", "q3\\\\\\", " q3", "q3 ", "q\t3", "q\xe9", "1000", ""})
        EXPECT_FALSE(SystemdTakesUserName(name)) << name;
    for (const char* name : {"quake3", "DOM\\q3\\\\", "q 3$%", "-q3"})
        EXPECT_TRUE(SystemdTakesUserName(name)) << name;
}

}  // namespace
}  // namespace mctf::testing
#endif
