#include <filesystem>
#include <random>

#include "stats/LogNames.h"
#include "tests/stats/StatsFixture.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {
namespace {

class LogReader : public StatsFixture {
protected:
    bool ReadText(const std::string& text) {
        WriteFileBytes(folder / "games.log", text);
        return ReadLogFile(*tables, (folder / "games.log").string(), tracker).outcome ==
               ReadOutcome::Read;
    }

    TempDir folder;
};

// One match with one counted player, "Bob", 2 minutes long.
const std::string kMatch =
    "  0:00 InitGame: \\mapname\\q3dm6\n"
    "  0:00 ClientUserinfoChanged: 1 n\\Bob\\t\\0\n"
    "  0:00 ClientBegin: 1\n"
    "  0:30 Kill: 1 2 7: Bob killed X by MOD_ROCKET_SPLASH\n"
    "  2:00 Exit: Fraglimit hit.\n";

TEST_F(LogReader, FindsLogFilesByExtensionInAnyCase) {
    for (const char* name : {"b.LOG", "a.log", "c.Log", "notes.txt", "log", "x.logs", "c.Log.1"}) {
        WriteFileBytes(folder / name, "");
    }
    std::filesystem::create_directory(folder / "dir.log");
    std::filesystem::create_directory(folder / "dir.log.1");
    if (kHasSymbolicLinks) {
        std::filesystem::create_symlink(folder / "a.log", folder / "link.log");
    } else {
        WriteFileBytes(folder / "link.log", "");  // no links on Windows: a plain file
    }
    EXPECT_EQ(FindLogFiles(folder.str()),
              (std::vector<std::string>{"a.log", "b.LOG", "c.Log.1", "c.Log", "link.log"}));
    EXPECT_TRUE(FindLogFiles((folder / "missing").string()).empty());
    EXPECT_EQ(ReadLogFile(*tables, (folder / "missing.log").string(), tracker).outcome,
              ReadOutcome::Absent);
}

TEST(LogNames, RotatedCopiesComeOldestFirstRightBeforeTheirLog) {
    using Names = std::vector<std::string>;
    struct Case {
        Names names;
        Names order;
        bool ignoreCase = false;
    } const cases[] = {
        {{"c.Log", "b.LOG", "a.log"}, {"a.log", "b.LOG", "c.Log"}},
        {{"g.log", "g.log.1", "g.log.10", "g.log.2", "f.log"},
         {"f.log", "g.log.10", "g.log.2", "g.log.1", "g.log"}},
        {{"g.log-20261206", "g.log", "g.log-20261206-12", "g.log-20261129", "g.log-9"},
         {"g.log-9", "g.log-20261129", "g.log-20261206", "g.log-20261206-12", "g.log"}},
        {{"g.log-20261206.gz", "g.log.1", "g.log.3.GZ", "g.log", "g.log.2.gz", "g.log.1.gz"},
         {"g.log.3.GZ", "g.log.2.gz", "g.log.1", "g.log-20261206.gz", "g.log"}},
        // The live log gone: its copies stand where it would.
        {{"z.log", "old.log.1", "a.log", "old.log.2.gz"},
         {"a.log", "old.log.2.gz", "old.log.1", "z.log"}},
        {{"g.log.gz", "g.log.x", "g.log-", "g.log--1", "g.log-x1", "g.log.1.bz2", "g.txt.1"}, {}},
        {{"b.log", "Games.log.1", "games.log"}, {"Games.log.1", "b.log", "games.log"}},
        {{"b.log", "Games.log.1", "games.log"}, {"b.log", "Games.log.1", "games.log"}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OrderLogNames(c.names, c.ignoreCase), c.order)
            << ::testing::PrintToString(c.names);
}

TEST_F(LogReader, DispatchesOnlyExactKeywordsAfterAStamp) {
    ASSERT_TRUE(ReadText(kMatch.substr(0, kMatch.rfind("  2:00")) +
                         "\n"  // empty line
                         "  0:40 kill: 1 2 10: lower case keyword\n"
                         "  0:41 ------------------------------------\n"
                         "50.5 Kill: 1 2 10: tenths stamp\n"
                         "Kill: 1 2 10: no stamp\n"
                         "  0:42 Kill:x 1 2 10: longer keyword\n"
                         "981:06 Kill: 1 2 6: three-digit minutes\r\n"  // CR is white space
                         "  2:00 Exit:\n"));
    const PlayerStats* bob = Player("Bob");
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->frags, 2);
    EXPECT_EQ(bob->weaponKills[kRocketLauncher], 2);
    EXPECT_EQ(bob->weaponKills[kRailgun], 0);
    EXPECT_EQ(progress.bars, std::vector<int>{5});
}

TEST_F(LogReader, ProgressStepsAtMatchStartsAndCountsBytes) {
    std::string starts;
    for (int i = 0; i < 21; ++i) starts += "  0:00 InitGame:\n";
    WriteFileBytes(folder / "a.log", starts);
    WriteFileBytes(folder / "b.log", kMatch);
    ReadLogFiles(*tables,
                 {(folder / "a.log").string(), (folder / "missing.log").string(),
                  (folder / "b.log").string()},
                 progress);
    std::vector<int> expected;
    for (int p = 5; p <= 100; p += 5) expected.push_back(p);
    expected.insert(expected.end(), {0, 5});  // after 100 the bar starts again
    EXPECT_EQ(progress.bars, expected);
    EXPECT_EQ(progress.lastBlock.totalBytes, starts.size() + kMatch.size());
    EXPECT_EQ(progress.lastBlock.bytesRead, starts.size() + kMatch.size());
    EXPECT_EQ(tables->playerCount, 1);
}

TEST_F(LogReader, LastLineWithoutNewlineIsNotDispatched) {
    ASSERT_TRUE(ReadText(kMatch.substr(0, kMatch.size() - 1)));
    EXPECT_EQ(tables->playerCount, 0);
    ASSERT_TRUE(ReadText(kMatch));
    EXPECT_EQ(tables->playerCount, 1);
}

TEST_F(LogReader, LongLinesAreCutAt511CharactersAcrossBlocks) {
    auto longName = [](int slot, std::size_t tail) {
        std::string line = "  0:00 ClientUserinfoChanged: " + std::to_string(slot) + " ";
        line.append(508 - line.size(), ' ');
        return line + "\\ABCDEFGH\\t\\0" + std::string(tail, 'z') + "\n";
    };
    // One long line inside the first block, then filler that puts the next
    // ones across the reader's block boundaries.
    std::string text = "  0:00 InitGame:\n" + longName(0, 0) + "  0:00 ClientBegin: 0\n";
    while (text.size() < 128 * 1024 - 300) text += "  0:00 Item: 1 weapon_railgun\n";
    text += longName(1, 300000) + "  0:00 ClientBegin: 1\n";
    text += std::string(511, '-') + "\n" + longName(2, 300000) + "  0:00 ClientBegin: 2\n";
    text += "  1:00 Exit:\n";
    ASSERT_TRUE(ReadText(text));
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_STREQ(tables->matchSlots[slot].name, "AB") << slot;  // characters 509 and 510
    }
    EXPECT_EQ(tables->playerCount, 1);
}

TEST_F(LogReader, NulByteEndsTheLine) {
    using namespace std::string_literals;
    ASSERT_TRUE(
        ReadText("  0:00 InitGame:\n"
                 "  0:00 ClientUserinfoChanged: 1 n\\Bob\0X\\t\\0\n"
                 "  0:00 ClientBegin: 1\n"
                 "  0:10 Kill:\0 1 2 10\n"
                 "  0:10 Kill: 1\0 2 10\n"
                 "  1:00 Exit:\n"s));
    ASSERT_NE(Player("Bob"), nullptr);
    EXPECT_EQ(Player("Bob")->frags, 0);
}

TEST_F(LogReader, BinaryGarbageLeavesTheNextMatchIntact) {
    std::mt19937 random(7);
    std::string garbage;
    for (int i = 0; i < 200000; ++i) garbage += static_cast<char>(random());
    ASSERT_TRUE(ReadText(garbage + "\n" + kMatch));
    ASSERT_NE(Player("Bob"), nullptr);
    EXPECT_EQ(Player("Bob")->frags, 1);
}

}  // namespace
}  // namespace mctf::testing
