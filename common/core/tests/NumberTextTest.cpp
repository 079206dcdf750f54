// Locale-independent scanning and exact formatting of numbers.
#include "common/core/NumberText.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <charconv>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

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

// Short decimals take a quicker road; every one must read as the general
// conversion reads it, and what follows must be left alike.
TEST(NumberText, ShortDecimalsReadAsTheGeneralConversion)
{
    std::vector<std::string> texts = {"0", "-0", "0.1", "16777215", "16777216", "1677721.5", "0.0000000001",
                                      "0.00000000001", "3.4028235", ".5", "5.", "-.25", "1.5.3", "2e3", "7-1",
                                      "0.30000001", "123456.78", "9.999999", "-16777215.0", "1.", "00000001.25"};
    std::uint32_t seed = 1;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int decimals = static_cast<int>(seed >> 28) % 11;
        const std::uint32_t m = (seed >> 3) % 16777216u;
        std::string t = std::to_string(m);
        const std::size_t d = static_cast<std::size_t>(decimals);
        if (d > 0) {
            if (t.size() <= d)
                t = std::string(d + 1 - t.size(), '0') + t;
            t = t.substr(0, t.size() - d) + "." + t.substr(t.size() - d);
        }
        texts.push_back((seed & 1) ? "-" + t : t);
    }
    for (const std::string& t : texts) {
        float expected = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), expected);
        const char* p = t.c_str();
        float got = -1;
        ASSERT_EQ(common::ScanFloat(p, got), r.ec == std::errc()) << t;
        if (r.ec != std::errc())
            continue;
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << t;
        EXPECT_EQ(p, r.ptr) << t;
    }
}

} // namespace
