#include <gtest/gtest.h>

#include <string>

#include "stats/LogFields.h"

namespace mctf::testing {
namespace {

using namespace std::string_literals;

TEST(LogFields, ReadIntTakesDecimalsThatFitAndStopsAfterThem) {
    struct Case {
        std::string text;
        bool read;
        int32_t value;
        std::size_t left;  // characters after the number
    };
    const Case cases[] = {
        {"7 2", true, 7, 2},
        {" \t07:", true, 7, 1},
        {"42", true, 42, 0},
        {"9", true, 9, 0},
        {"123 4", true, 123, 2},
        {"-5 ", true, -5, 1},
        {"+9x", true, 9, 1},
        {"0000000000012 ", true, 12, 1},
        {"2147483647", true, 2147483647, 0},
        {"-2147483648", true, INT32_MIN, 0},
        {"2147483648", false, 0, 0},
        {"99999999999 1", false, 0, 0},
        {"x1", false, 0, 0},
        {"", false, 0, 0},
        {"- 1", false, 0, 0},
        {"1\0 2"s, true, 1, 3},
        {"\0 12"s, false, 0, 0},
        {"12\r\n", true, 12, 2},
    };
    for (const Case& c : cases) {
        FieldCursor cursor(c.text);
        int32_t value = 0;
        ASSERT_EQ(cursor.ReadInt(value), c.read) << c.text;
        if (!c.read) continue;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(static_cast<std::size_t>(cursor.end - cursor.pos), c.left) << c.text;
    }
}

TEST(LogFields, StampGivesMatchSecondsThatFit) {
    int32_t seconds = 0;
    FieldCursor stamp("  2:35 Kill:");
    ASSERT_TRUE(ReadStamp(stamp, seconds));
    EXPECT_EQ(seconds, 155);
    FieldCursor tooLong("35791395:00 Exit:");  // 60 times that passes 2^31
    EXPECT_FALSE(ReadStamp(tooLong, seconds));
}

}  // namespace
}  // namespace mctf::testing
