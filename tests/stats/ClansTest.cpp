#include "stats/Clans.h"

#include "tests/stats/StatsFixture.h"

namespace mctf::testing {
namespace {

class Clans : public StatsFixture {
protected:
    // Each name becomes the next player, as the match end would do it.
    void AssignAll(std::initializer_list<const char*> names) {
        for (const char* name : names) AssignClan(*tables, tables->playerCount++, name);
    }

    const ClanStats* Clan(std::string_view tag) const {
        for (int i = 0; i < tables->clanCount; ++i) {
            if (tag == tables->clans[i].tag) return &tables->clans[i];
        }
        return nullptr;
    }
};

TEST_F(Clans, TagsComeFromTheDelimiters) {
    AssignAll({"[AB]One", "[AB]Two", "Three[AB]", "ab|Four", "Joe|XY", "{XY]Joe", "[ABCDE]Joe",
               "[ABCDEF]Joe", "[ABCDEFG]Joe", "NoTag", "[Joe", "Joe|", "LongFirst|LongLastWord",
               "Al|LongLastWord"});
    ASSERT_EQ(tables->clanCount, 5);
    const ClanStats* ab = Clan("AB");
    ASSERT_NE(ab, nullptr);
    EXPECT_EQ(ab->memberCount, 3);
    EXPECT_EQ(ab->members[0], 0);
    EXPECT_EQ(ab->members[2], 2);
    EXPECT_EQ(ab->members[3], -1);
    ASSERT_NE(Clan("ab"), nullptr);
    EXPECT_EQ(Clan("ab")->members[0], 3);
    EXPECT_EQ(Clan("XY")->memberCount, 2);
    EXPECT_EQ(Clan("ABCDE")->members[0], 6);
    EXPECT_EQ(Clan("Al")->members[0], 13);  // the shorter side of one delimiter
    EXPECT_EQ(Clan("Joe"), nullptr);
}

TEST_F(Clans, AClanKeepsItsFirstSixteenMembers) {
    for (int i = 0; i < 20; ++i) AssignAll({"[T]Player"});
    ASSERT_EQ(tables->clanCount, 1);
    EXPECT_EQ(tables->clans[0].memberCount, 16);
    EXPECT_EQ(tables->clans[0].members[15], 15);
    EXPECT_TRUE(JoinClan(*tables, 99, "T"));  // full, but it exists
    EXPECT_FALSE(JoinClan(*tables, 99, "t"));
}

TEST_F(Clans, MatchEndAssignsNewPlayersOnly) {
    for (int match = 0; match < 2; ++match) {
        Feed({"0:00 InitGame:"});
        Join(0, "[Q]Ann", "0:00");
        Join(1, "[Q]Ben", "0:00");
        Feed({"1:00 Exit:"});
    }
    ASSERT_EQ(tables->clanCount, 1);
    EXPECT_EQ(tables->clans[0].memberCount, 2);
}

}  // namespace
}  // namespace mctf::testing
