// Server logs carry text typed by strangers: whole statistics runs over logs
// and folders that no well-behaved server writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "stats/MatchEvents.h"
#include "tests/hostile/StatsRun.h"
#include "tests/support/Platform.h"

namespace mctf::testing {
namespace {

namespace fs = std::filesystem;
using Players = std::map<std::string, int>;

constexpr const char* kWritten = "pstats.htm written";
constexpr const char* kNoLogs = "ERROR Cannot find any log files!";
constexpr const char* kNoMatch = "ERROR No match found in any log file!";

std::string Padded(std::string line, std::size_t length) {
    line.resize(length, 'x');
    return line + "\n";
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

TEST(HostileLogs, StrangeLinesGiveTheseCountedPlayers) {
    const std::string a31(31, 'a'), b31(31, 'b');
    const auto annAndBob =
        std::initializer_list<std::pair<std::string, std::string>>{{"0", "Ann"}, {"1", "Bob"}};
    struct Case {
        const char* what;
        std::string log;
        Players players;
    };
    const Case cases[] = {
        {"names of 31, 32 and 200 characters",
         Match({{"0", a31}, {"1", b31 + "X"}, {"2", b31 + std::string(169, 'Y')}}),
         {{a31, 0}, {b31, 0}}},
        {"a name of colour codes only", Match({{"0", "^1^2^3^4"}, {"1", "Ann"}}), {{"Ann", 0}}},
        {"a name of dropped characters only", Match({{"0", "<>\x01\x1f\x80\xff"}}), {}},
        {"control bytes and bytes of 128 or more",
         Match({{"0",
                 "J\x01o\x80\xe9"
                 "e\x1b"}}),
         {{"Joe", 0}}},
        {"slot numbers out of range",
         Match({{"-1", "Minus"},
                {"63", "Last"},
                {"64", "Past"},
                {"1022", "World"},
                {"2147483647", "Max"},
                {"99999999999", "Huge"}},
               "  1:00 Kill: 1022 63 10\n"          // the world
               "  1:00 Kill: -1 63 10\n"            // no slot: the world too
               "  1:00 Kill: 63 64 10\n"            // no victim: ignored
               "  1:00 Kill: 99999999999 63 10\n"   // unreadable: ignored
               "  1:00 Kill: 63 2147483647 10\n"),  // no victim: ignored
         {{"Last", -2}}},
        {"missing fields after every keyword",
         Match(annAndBob,
               "  0:10 Kill:\n  0:10 Kill: 0\n  0:10 Kill: 0 1\n  0:10 Kill: 0 1 \n"
               "  0:10 ClientBegin:\n  0:10 ClientDisconnect:\n  0:10 ClientDisconnect: \n"
               "  0:10 ClientUserinfoChanged:\n  0:10 ClientUserinfoChanged: 1\n"
               "  0:10 ClientUserinfoChanged: 0 n\n"
               "  0:\n  :10 Kill: 0 1 10\n  0:10\n Kill: 0 1 10\n"
               "  0:20 Kill: 0 1 10\n"),
         {{"Ann", 1}, {"Bob", 0}}},
        {"lines of 511, 512 and 100000 characters",
         Match(annAndBob, Padded("  0:10 say: Ann: ", 511) + Padded("  0:10 say: Bob: ", 512) +
                              Padded("  0:10 say: Ann: ", 100000) +
                              Padded("  0:20 Kill: 0 1 10: Ann killed Bob ", 512) +
                              Padded("  0:30 Kill: 0 1 10: Ann killed Bob ", 100000)),
         {{"Ann", 2}, {"Bob", 0}}},
        {"CR LF line ends",
         WithCrLf(Match(annAndBob,
                        "  0:00 ClientUserinfoChanged: 2 n\\Cy\n  0:00 ClientBegin: 2\n"
                        "  0:20 Kill: 0 1 10\n")),
         {{"Ann", 1}, {"Bob", 0}, {"Cy", 0}}},
    };
    for (const Case& c : cases) {
        StatsRun run;
        run.Log("games.log", c.log);
        EXPECT_EQ(run.Run(), kWritten) << c.what;
        EXPECT_EQ(run.Players(), c.players) << c.what;
    }
}

TEST(HostileLogs, OnlyRegularFilesAreLogsAndEmptyOnesCountNobody) {
    const std::string match = Match({{"0", "Ann"}});
    auto oddEntries = [](StatsRun& run) {
        fs::create_directory(run.logs / "x.log");
        // Neither links nor named pipes can be made on Windows.
        if (kHasSymbolicLinks) fs::create_symlink(run.logs / "gone", run.logs / "y.log");
        // A named pipe would block a reader until some writer opened it.
        if (kHasNamedPipes) {
            ASSERT_TRUE(MakeNamedPipe(run.logs / "z.log"));
        }
    };
    struct Case {
        const char* what;
        std::function<void(StatsRun&)> arrange;
        const char* message;
        Players players;
    };
    const Case cases[] = {
        {"one byte", [](StatsRun& run) { run.Log("a.log", "x"); }, kNoMatch, {}},
        {"only newlines",
         [](StatsRun& run) { run.Log("a.log", std::string(5000, '\n')); },
         kNoMatch,
         {}},
        {"only NUL bytes",
         [](StatsRun& run) { run.Log("a.log", std::string(5000, '\0')); },
         kNoMatch,
         {}},
        // UTF-8, which Windows must open by the wide name.
        {"a name outside ASCII",
         [&](StatsRun& run) { run.Log("s\xc3\xa9rver.log", match); },
         kWritten,
         {{"Ann", 0}}},
        {"a folder, a dangling link and a pipe", oddEntries, kNoLogs, {}},
        {"the same beside a log",
         [&](StatsRun& run) {
             oddEntries(run);
             run.Log("b.log", match);
         },
         kWritten,
         {{"Ann", 0}}},
    };
    for (const Case& c : cases) {
        StatsRun run;
        c.arrange(run);
        EXPECT_EQ(run.Run(), c.message) << c.what;
        EXPECT_EQ(run.Players(), c.players) << c.what;
        EXPECT_EQ(fs::exists(run.logs / "pstats.htm"), c.message != kNoLogs) << c.what;
    }
}

// Matches of 64 players each for names made by `name` from 0 to count - 1.
std::string Crowd(int count, const std::function<std::string(int)>& name) {
    std::string text;
    for (int first = 0; first < count; first += 64) {
        text += "  0:00 InitGame:\n";
        for (int i = first; i < count && i < first + 64; ++i) {
            std::string slot = std::to_string(i - first);
            text += "  0:00 ClientUserinfoChanged: " + slot + " n\\" + name(i) + "\\t\\0\n";
            text += "  0:00 ClientBegin: " + slot + "\n";
        }
        text += "  1:00 Exit:\n";
    }
    return text;
}

std::string Numbered(const char* format, int i) {
    char name[32];
    std::snprintf(name, sizeof name, format, i);
    return name;
}

TEST(HostileLogs, FullTablesKeepTheFirstComers) {
    StatsRun run;
    run.Log("crowd.log", Crowd(4100, [](int i) { return Numbered("[T%04d]p", i); }));
    EXPECT_EQ(run.Run(), kWritten);
    EXPECT_EQ(run.tables->playerCount, 4096);
    EXPECT_EQ(run.tables->clanCount, 4096);
    EXPECT_GE(FindPlayer(*run.tables, "[T4095]p"), 0);
    EXPECT_LT(FindPlayer(*run.tables, "[T4096]p"), 0);
    EXPECT_TRUE(fs::exists(run.logs / "players_4000.htm"));
    EXPECT_FALSE(fs::exists(run.logs / "players_4100.htm"));
    std::string clans = ReadTextFile(run.logs / "clans.htm");
    EXPECT_NE(clans.find(">T4095<"), std::string::npos);
    EXPECT_EQ(clans.find("T4096"), std::string::npos);
}

TEST(HostileLogs, AClanOfTwentyListsItsFirstSixteen) {
    StatsRun run;
    run.Log("clan.log", Crowd(20, [](int i) { return Numbered("[BIG]p%02d", i); }));
    EXPECT_EQ(run.Run(), kWritten);
    EXPECT_EQ(run.tables->playerCount, 20);
    std::string clans = ReadTextFile(run.logs / "clans.htm");
    EXPECT_NE(clans.find("[BIG]p15"), std::string::npos);
    EXPECT_EQ(clans.find("[BIG]p16"), std::string::npos);
    EXPECT_NE(ReadTextFile(run.logs / "players.htm").find("[BIG]p19"), std::string::npos);
}

}  // namespace
}  // namespace mctf::testing
