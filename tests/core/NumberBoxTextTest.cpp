// Reading the number boxes of the settings pages.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "core/NumberBoxText.h"

namespace mctf {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct Reading {
    std::string text;
    std::optional<int32_t> number;
};

void PrintTo(const Reading& r, std::ostream* os) { *os << '"' << r.text << '"'; }

class ReadNumberBoxTextTest : public ::testing::TestWithParam<Reading> {};

TEST_P(ReadNumberBoxTextTest, ReadsBlanksSignsAndClampsAsTheBoxDoes) {
    const Reading& r = GetParam();
    EXPECT_EQ(ReadNumberBoxText(r.text), r.number) << '"' << r.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Signs, ReadNumberBoxTextTest,
                         ::testing::Values(Reading{"42", 42}, Reading{"+42", 42},
                                           Reading{"-42", -42}, Reading{"+", std::nullopt},
                                           Reading{"-", std::nullopt}, Reading{"+-1", std::nullopt},
                                           Reading{"- 1", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(Blanks, ReadNumberBoxTextTest,
                         ::testing::Values(Reading{" \t 7 \t", 7}, Reading{"", std::nullopt},
                                           Reading{" \t ", std::nullopt},
                                           Reading{"1 2", std::nullopt},
                                           Reading{"12a", std::nullopt},
                                           Reading{"\n5", std::nullopt},
                                           Reading{"5\r", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(Zero, ReadNumberBoxTextTest,
                         ::testing::Values(Reading{"0", 0}, Reading{"  000 ", 0}, Reading{"007", 7},
                                           Reading{"-0", std::nullopt}, Reading{"+0", std::nullopt},
                                           Reading{"0x10", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(Clamping, ReadNumberBoxTextTest,
                         ::testing::Values(Reading{"2147483647", kMax}, Reading{"2147483648", kMax},
                                           Reading{"99999999999999999999", kMax},
                                           Reading{"-2147483648", kMin},
                                           Reading{"-2147483649", kMin},
                                           Reading{"-99999999999999999999", kMin}));

// Only 31 characters are looked at: whatever follows them is not seen.
INSTANTIATE_TEST_SUITE_P(FirstCharacters, ReadNumberBoxTextTest,
                         ::testing::Values(Reading{std::string(30, ' ') + "5x", 5},
                                           Reading{std::string(31, ' ') + "5", std::nullopt},
                                           Reading{std::string(30, '0') + "12", 1},
                                           Reading{std::string(31, '1') + "abc", kMax}));

TEST(CheckNumberBoxTextTest, ComparesWithTheInclusiveSignedRange) {
    EXPECT_EQ(CheckNumberBoxText("1", 1, 99).status, NumberBoxStatus::Ok);
    EXPECT_EQ(CheckNumberBoxText("99", 1, 99).value, 99);

    NumberBoxCheck low = CheckNumberBoxText("0", 1, 99);
    EXPECT_EQ(low.status, NumberBoxStatus::OutOfRange);
    EXPECT_EQ(low.message, "Please enter an integer between 1 and 99.");
    EXPECT_EQ(CheckNumberBoxText("-1", 0, 10).status, NumberBoxStatus::OutOfRange);
    EXPECT_EQ(CheckNumberBoxText("4294967295", 0, 10).status, NumberBoxStatus::OutOfRange);

    NumberBoxCheck word = CheckNumberBoxText("ten", 0, 10);
    EXPECT_EQ(word.status, NumberBoxStatus::NotInteger);
    EXPECT_EQ(word.message, "Please enter an integer.");

    EXPECT_EQ(CheckNumberBoxText("-2147483648", kMin, kMax).status, NumberBoxStatus::Ok);
    EXPECT_EQ(RangeMessage(-5, 100000), "Please enter an integer between -5 and 100000.");
    EXPECT_EQ(TooLongMessage(24), "Please enter no more than 24 characters.");
}

}  // namespace
}  // namespace mctf
