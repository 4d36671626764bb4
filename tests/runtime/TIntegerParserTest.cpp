#include <gtest/gtest.h>

#include "TIntegerParser.h"

namespace {

struct TCase {
    const char* Text;
    std::optional<int32_t> Expected;
};

TEST(TIntegerParser, FollowsTheFileRules) {
    const TCase cases[] = {
        {"0", 0},
        {"42", 42},
        {" 12", 12},
        {"   -5", -5},
        {"+7", 7},
        {"12 ", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"abc", std::nullopt},
        {"1x", std::nullopt},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$1F", 31},
        {"x1f", 31},
        {"X1F", 31},
        {"0x50", 80},
        {"0X50", 80},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"-$10", -16},
        {"$000000001", 1},  // leading zeros are not significant
        {"$123456789", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"$1G", std::nullopt},
        {"\t5", std::nullopt},  // only spaces count as leading blanks
        {"007", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(TIntegerParser::Parse(QString::fromUtf8(c.Text)), c.Expected);
    }
}

TEST(TIntegerParser, ParseOrGivesTheFallback) {
    EXPECT_EQ(TIntegerParser::ParseOr("abc", 21), 21);
    EXPECT_EQ(TIntegerParser::ParseOr("22", 21), 22);
}

}  // namespace
