// Locale-independent prefix parsing of integers, reals and hexadecimal
// numbers, with clamping where the C library would overflow.
#include "common/core/NumberPrefix.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

using namespace common;

TEST(NumberPrefix, IntegersTakeTheLongestPrefixAndClamp)
{
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"42", 42},
                 {"  -7x", -7},
                 {"+3", 3},
                 {"abc", 0},
                 {"", 0},
                 {"12 34", 12},
                 {"99999999999", 2147483647},
                 {"-99999999999", -2147483647 - 1},
                 {"- 5", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(AtoiText(c.text), c.value) << c.text;
}

TEST(NumberPrefix, RealsIgnoreTheLocaleAndClamp)
{
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // where available: "," is the separator there
    EXPECT_DOUBLE_EQ(AtofText("0.5"), 0.5);
    EXPECT_DOUBLE_EQ(AtofText(" 2.5e3 W"), 2500.0);
    EXPECT_DOUBLE_EQ(AtofText("+1.25"), 1.25);
    EXPECT_DOUBLE_EQ(AtofText("0,5"), 0.0);
    EXPECT_DOUBLE_EQ(AtofText("x1"), 0.0);
    EXPECT_TRUE(std::isinf(AtofText("1e400")));
    EXPECT_LT(AtofText("-1e400"), 0.0);
    EXPECT_EQ(AtofText("1e-400"), 0.0);
    std::setlocale(LC_NUMERIC, "C");
}

TEST(NumberPrefix, HexadecimalWithOrWithoutPrefix)
{
    EXPECT_EQ(HexText("FF"), 0xFFu);
    EXPECT_EQ(HexText(" 0x1a2B,"), 0x1A2Bu);
    EXPECT_EQ(HexText("g"), 0u);
    EXPECT_EQ(HexText("123456789ABC"), 0xFFFFFFFFu);
}
