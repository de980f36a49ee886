// Reading the number boxes of the settings pages.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "core/PageNumber.h"

namespace mctf {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct Reading {
    std::string text;
    std::optional<int32_t> number;
};

void PrintTo(const Reading& r, std::ostream* os) { *os << '"' << r.text << '"'; }

class ReadPageNumberTest : public ::testing::TestWithParam<Reading> {};

TEST_P(ReadPageNumberTest, ReadsAsTheBoxesAlwaysHave) {
    const Reading& r = GetParam();
    EXPECT_EQ(ReadPageNumber(r.text), r.number) << '"' << r.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Signs, ReadPageNumberTest,
    ::testing::Values(Reading{"42", 42}, Reading{"+42", 42}, Reading{"-42", -42},
                      Reading{"+", std::nullopt}, Reading{"-", std::nullopt},
                      Reading{"+-1", std::nullopt}, Reading{"- 1", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Blanks, ReadPageNumberTest,
    ::testing::Values(Reading{" \t 7 \t", 7}, Reading{"", std::nullopt},
                      Reading{" \t ", std::nullopt}, Reading{"1 2", std::nullopt},
                      Reading{"12a", std::nullopt}, Reading{"\n5", std::nullopt},
                      Reading{"5\r", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Zero, ReadPageNumberTest,
    ::testing::Values(Reading{"0", 0}, Reading{"  000 ", 0}, Reading{"007", 7},
                      Reading{"-0", std::nullopt}, Reading{"+0", std::nullopt},
                      Reading{"0x10", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Clamping, ReadPageNumberTest,
    ::testing::Values(Reading{"2147483647", kMax}, Reading{"2147483648", kMax},
                      Reading{"99999999999999999999", kMax}, Reading{"-2147483648", kMin},
                      Reading{"-2147483649", kMin}, Reading{"-99999999999999999999", kMin}));

// Only 31 characters are looked at: whatever follows them is not seen.
INSTANTIATE_TEST_SUITE_P(
    FirstCharacters, ReadPageNumberTest,
    ::testing::Values(Reading{std::string(30, ' ') + "5x", 5},
                      Reading{std::string(31, ' ') + "5", std::nullopt},
                      Reading{std::string(30, '0') + "12", 1},
                      Reading{std::string(31, '1') + "abc", kMax}));

TEST(CheckPageNumberTest, ComparesWithTheInclusiveSignedRange) {
    EXPECT_EQ(CheckPageNumber("1", 1, 99).status, PageNumberStatus::Ok);
    EXPECT_EQ(CheckPageNumber("99", 1, 99).value, 99);

    PageNumberCheck low = CheckPageNumber("0", 1, 99);
    EXPECT_EQ(low.status, PageNumberStatus::OutOfRange);
    EXPECT_EQ(low.message, "Please enter an integer between 1 and 99.");
    EXPECT_EQ(CheckPageNumber("-1", 0, 10).status, PageNumberStatus::OutOfRange);
    EXPECT_EQ(CheckPageNumber("4294967295", 0, 10).status, PageNumberStatus::OutOfRange);

    PageNumberCheck word = CheckPageNumber("ten", 0, 10);
    EXPECT_EQ(word.status, PageNumberStatus::NotInteger);
    EXPECT_EQ(word.message, "Please enter an integer.");

    EXPECT_EQ(CheckPageNumber("-2147483648", kMin, kMax).status, PageNumberStatus::Ok);
    EXPECT_EQ(RangeMessage(-5, 100000), "Please enter an integer between -5 and 100000.");
    EXPECT_EQ(TooLongMessage(24), "Please enter no more than 24 characters.");
}

}  // namespace
}  // namespace mctf
