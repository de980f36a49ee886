#include "tests/stats/StatsFixture.h"

namespace mctf::testing {
namespace {

using MatchEvents = StatsFixture;

TEST_F(MatchEvents, CountsOnlySlotsThatPlayedSixtySeconds) {
    Feed({"  0:00 InitGame: \\mapname\\q3dm17"});
    Join(0, "Short", "1:00");
    Join(1, "Long", "1:00");
    Feed({"  1:59 ClientDisconnect: 0", "  2:00 Exit: Timelimit hit."});
    EXPECT_EQ(Player("Short"), nullptr);
    ASSERT_NE(Player("Long"), nullptr);
    EXPECT_EQ(Player("Long")->secondsPlayed, 60);
}

TEST_F(MatchEvents, ExitThenShutdownCountsTheMatchOnce) {
    Feed({"0:00 InitGame:"});
    Join(3, "Bob", "0:00");  // stamped 0:00 still counts as begun
    Feed({"5:00 Exit:", "5:01 ShutdownGame:"});
    ASSERT_EQ(tables->playerCount, 1);
    EXPECT_EQ(Player("Bob")->secondsPlayed, 300);

    // A match ended by ShutdownGame alone is counted there, and the same
    // name in a later match adds to the same player.
    Feed({"0:00 InitGame:"});
    Join(7, "Bob", "0:10");
    Feed({"1:10 ShutdownGame:"});
    EXPECT_EQ(tables->playerCount, 1);
    EXPECT_EQ(Player("Bob")->secondsPlayed, 360);
}

TEST_F(MatchEvents, KillsAreChargedToTheKillerByWeaponClass) {
    Feed({"0:00 InitGame:"});
    Join(2, "Killer", "0:00");
    Join(5, "Victim", "0:00");
    Feed({
        "1:00 Kill: 2 5 10: Killer killed Victim by MOD_RAILGUN",
        "1:01 Kill: 2 5 18: telefrag: counted, no frag",
        "1:02 Kill: 2 5 16: water: a suicide class costs the killer",
        "1:03 Kill: 1022 5 22: <world> killed Victim by MOD_TRIGGER_HURT",
        "1:04 Kill: 5 5 6: Victim blew himself up with a rocket",
        "1:05 Kill: 2 5 99: unknown means of death",
        "1:06 Kill: 2 64 10: victim out of range",
        "1:07 Kill: -1 5 19: negative killer is the world too",
        "10:00 Exit:",
    });
    const PlayerStats* killer = Player("Killer");
    const PlayerStats* victim = Player("Victim");
    ASSERT_TRUE(killer && victim);
    EXPECT_EQ(killer->frags, 1 + 0 - 1 + 1);
    EXPECT_EQ(killer->weaponKills[kRailgun], 1);
    EXPECT_EQ(killer->weaponKills[kTelefrag], 1);
    EXPECT_EQ(killer->weaponKills[kSuicide], 1);
    EXPECT_EQ(killer->weaponKills[kUnknownWeapon], 1);
    EXPECT_EQ(victim->frags, -3);
    EXPECT_EQ(victim->weaponKills[kSuicide], 3);
    EXPECT_EQ(victim->weaponKills[kRocketLauncher], 0);
}

TEST_F(MatchEvents, RenameMidMatchDropsTheSlotUntilItBeginsAgain) {
    Feed({"0:00 InitGame:"});
    Join(0, "Old", "0:00");
    Join(1, "Again", "0:00");
    Feed({
        "1:00 Kill: 0 1 10: counted before the rename, then lost",
        "2:00 ClientUserinfoChanged: 0 n\\New\\t\\0",
        // The same name again changes nothing.
        "2:00 ClientUserinfoChanged: 1 n\\Again\\t\\1",
        "9:00 Exit:",
    });
    EXPECT_EQ(Player("Old"), nullptr);
    EXPECT_EQ(Player("New"), nullptr);
    ASSERT_NE(Player("Again"), nullptr);
    EXPECT_EQ(Player("Again")->secondsPlayed, 540);
}

TEST_F(MatchEvents, SlotTakenOverAfterDisconnectIsNotCounted) {
    Feed({"0:00 InitGame:"});
    Join(0, "First", "0:00");
    Join(1, "Twin", "0:00");
    Join(2, "Twin", "1:00");
    Feed({"3:00 ClientDisconnect: 0"});
    Feed({"3:05 ClientUserinfoChanged: 0 n\\Second\\t\\0", "9:00 Exit:"});
    EXPECT_EQ(Player("First"), nullptr);
    EXPECT_EQ(Player("Second"), nullptr);  // never began
    ASSERT_EQ(tables->playerCount, 1);
    EXPECT_EQ(Player("Twin")->secondsPlayed, 540 + 480);  // both slots merged
}

TEST_F(MatchEvents, NamesAreCleanedAndCut) {
    Feed({"0:00 InitGame:"});
    const char* cases[][2] = {
        {"^1A^2n^3a^4r^5k^6i", "Anarki"},
        {"<b>Bold</b>", "bBold/b"},
        {"Tab\tbed\x01\x7f\xe9x", "Tabbed\x7fx"},
        {"End^", "End"},  // a caret before the closing backslash drops itself only
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"},
    };
    for (auto& [raw, cleaned] : cases) {
        Feed({"0:01 ClientUserinfoChanged: 4 n\\" + std::string(raw) + "\\t\\0"});
        EXPECT_STREQ(tables->matchSlots[4].name, cleaned) << raw;
    }
    // No closing backslash: the name runs to the end of the line.
    Feed({"0:01 ClientUserinfoChanged: 5 n\\Open Ended"});
    EXPECT_STREQ(tables->matchSlots[5].name, "Open Ended");
    // No backslash at all, or a slot out of range: the line is ignored.
    Feed({"0:01 ClientUserinfoChanged: 5 Nobody", "0:01 ClientUserinfoChanged: 64 n\\X\\",
          "0:01 ClientBegin: -1", "0:01 ClientDisconnect: 99"});
    EXPECT_STREQ(tables->matchSlots[5].name, "Open Ended");
}

TEST_F(MatchEvents, LinesWithUnreadableNumbersAreIgnored) {
    Feed({"0:00 InitGame:"});
    Join(0, "Ann", "0:00");
    Join(1, "Ben", "0:00");
    Feed({
        "0:30 Kill: 0 1",                  // no means of death
        "0:30 Kill: 0 1 4294967306: big",  // number does not fit
        "0:30 Kill: 0 1 x",
        "0:30 ClientDisconnect: 2147483648",
        "35791395:00 ClientDisconnect: 0",  // match time does not fit
        "1:00 Exit:",
    });
    EXPECT_EQ(Player("Ann")->frags, 0);
    EXPECT_EQ(Player("Ann")->secondsPlayed, 60);
}

TEST_F(MatchEvents, HugeTimesSaturateInsteadOfOverflowing) {
    for (int match = 0; match < 3; ++match) {
        Feed({"0:00 InitGame:"});
        Join(0, "Marathon", "-35791394:00");
        Feed({"35791394:00 Exit:"});
    }
    EXPECT_EQ(Player("Marathon")->secondsPlayed, INT32_MAX);
}

TEST_F(MatchEvents, DocumentCountsFollowTheSlotsAndAddUpOncePerMatch) {
    tables->documentCounts = true;
    Feed({"0:00 InitGame:"});
    for (const char* line : {"0 n\\^1Ann\\t\\1\\model\\x", "1 n\\Ben\\t\\1", "2 n\\Cat\\t\\2"})
        Feed({"0:00 ClientUserinfoChanged: " + std::string(line),
              "0:00 ClientBegin: " + std::string(1, line[0])});
    Feed({"0:10 Kill: 0 1 10: a team mate", "0:11 Kill: 0 1 18: a team mate telefragged",
          "0:12 Kill: 0 2 10: an enemy", "0:13 Kill: 1022 0 22: the world",
          "0:14 Kill: 0 1 16: a suicide class: no team kill", "0:15 CTF: 0 1 0: taken",
          "0:16 CTF: 0 1 1: captured", "0:17 CTF: 2 2 3: dropped below", "0:17 CTF: 0 1 4: no kind",
          "0:18 Award: 0 4: capture", "0:18 Award: 0 6: no kind",
          "0:30 ClientBegin: 2",  // starts Cat's counts again; name and team stay
          "0:31 Kill: 0 2 6: counted", "2:00 Exit: Fraglimit hit."});
    const PlayerCounts& ann = tables->playerCounts[FindPlayer(*tables, "Ann")];
    const PlayerCounts& ben = tables->playerCounts[FindPlayer(*tables, "Ben")];
    const PlayerCounts& cat = tables->playerCounts[FindPlayer(*tables, "Cat")];
    EXPECT_STREQ(ann.rawName, "^1Ann");
    EXPECT_EQ(std::vector<int>({ann.deaths, ann.teamKills, ben.deaths, ben.teamKills, cat.deaths}),
              std::vector<int>({1, 2, 3, 0, 1}));
    EXPECT_EQ(std::vector<int>(ann.flagEvents, ann.flagEvents + kFlagEventCount),
              std::vector<int>({1, 1, 0, 0}));
    EXPECT_EQ(ann.awards[4] + cat.flagEvents[kFlagCarrierFragged], 1);
    EXPECT_EQ(tables->slotCounts[2].team, kTeamBlue);
    EXPECT_TRUE(ann.flagEventsSeen && ann.awardsSeen);

    // Two slots of one name: one match more, counts of both.
    Feed({"0:00 InitGame:"});
    Join(3, "Ann", "0:00");
    Join(4, "Ann", "0:00");
    Feed({"0:20 Kill: 3 4 10: x", "1:00 Exit:"});
    EXPECT_EQ(std::vector<int>({ann.matches, ann.deaths, ann.teamKills}),
              std::vector<int>({2, 2, 2}));
    EXPECT_TRUE(ann.flagEventsSeen);
}

TEST_F(MatchEvents, FileStartingMidMatchCountsFromClientBegin) {
    Join(6, "Late", "12:00");
    Feed({"14:00 ShutdownGame:"});
    ASSERT_NE(Player("Late"), nullptr);
    EXPECT_EQ(Player("Late")->secondsPlayed, 120);
}

}  // namespace
}  // namespace mctf::testing
