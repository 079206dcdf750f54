// Locale-independent scanning and exact formatting of numbers.
#include "common/core/NumberText.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <utility>

namespace {

TEST(NumberText, ScansLikeTheFileConversions)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
        const char* rest;
    };
    const Case ints[] = {
        {"  42 7", true, 42, " 7"},    {"+5", true, 5, ""},   {"-3x", true, -3, "x"},
        {"12.9", true, 12, ".9"},      {"", false, 0, ""},    {"abc", false, 0, ""},
        {"99999999999", false, 0, ""}, {"+-1", false, 0, ""},
        {"2147483647", true, 2147483647, ""}, {"-2147483648", true, -2147483647 - 1, ""},
        {"2147483648", false, 0, ""},  {"-3000000000", false, 0, ""},
        {"88888888888888888888888", false, 0, ""},
    };
    for (const Case& c : ints) {
        const char* p = c.text;
        int v = 0;
        EXPECT_EQ(common::ScanInt(p, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
            EXPECT_STREQ(p, c.rest) << c.text;
        } else {
            EXPECT_EQ(p, c.text);
        }
    }
    const char* p = " 0.5 1e-3 -2.25E2 nan 1e99";
    float a = 0, b = 0, c = 0, d = 0;
    ASSERT_TRUE(common::ScanFloat(p, a) && common::ScanFloat(p, b) && common::ScanFloat(p, c));
    EXPECT_EQ(a, 0.5f);
    EXPECT_EQ(b, 1e-3f);
    EXPECT_EQ(c, -225.0f);
    EXPECT_FALSE(common::ScanFloat(p, d)); // not a finite number
    p += 4;
    EXPECT_FALSE(common::ScanFloat(p, d)); // out of the float range
}

TEST(NumberText, FormatsIndependentOfLocaleAndReadsBackExactly)
{
    // A locale with a decimal comma, when the machine has one.
    const char* old = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(common::FormatFloat(0.5f), "0.5");
    EXPECT_EQ(common::FormatFixed6(10.0f), "10.000000");
    const char* p = "0.25";
    float v = 0;
    EXPECT_TRUE(common::ScanFloat(p, v));
    EXPECT_EQ(v, 0.25f);
    if (old)
        std::setlocale(LC_NUMERIC, "C");
    for (float x : {0.1f, 1.0f / 3.0f, 1e-7f, 123456.789f, -0.0001f, std::numeric_limits<float>::max(),
                    std::numeric_limits<float>::denorm_min()}) {
        const std::string s = common::FormatFloat(x);
        const char* q = s.c_str();
        float back = 0;
        ASSERT_TRUE(common::ScanFloat(q, back)) << s;
        EXPECT_EQ(back, x) << s;
    }
    EXPECT_EQ(common::FormatFixed6(1e-7f), "1e-07");
}

TEST(NumberText, GeneralFormLikePrintfWhereItIsExact)
{
    const std::pair<float, const char*> cases[] = {
        {0.0001f, "0.0001"}, {5.1f, "5.1"}, {1e6f, "1e+06"}, {10.0f, "10"}, {0.333333f, "0.333333"},
        {1.0f / 3.0f, "0.33333334"}, // "%g" would lose digits: the shortest exact form instead
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(common::FormatGeneralExact(value), text);
}

} // namespace
