// Listing fields: the printf forms against the C library's own printf,
// padding and cutting in whole characters, and the index columns.
#include "common/core/ListingText.h"

#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>

using namespace common;

namespace {

std::string Printf(const char* format, double value)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

TEST(ListingText, NumbersMatchPrintfInTheCLocale)
{
    ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
    const double values[] = {0.0,  0.25,        -0.25, 1.0 / 3.0, 2.5,      35.1234567, -1234.5678,
                             1e-7, 123456789.0, 1e15,  0.1,       999999.5, 7.7f,       0.0001f};
    for (double v : values) {
        SCOPED_TRACE(v);
        EXPECT_EQ(FormatFixed(v, 10, 3), Printf("%10.3f", v));
        EXPECT_EQ(FormatFixed(v, 8, 1), Printf("%8.1f", v));
        EXPECT_EQ(FormatFixed(v, 0, 4), Printf("%.4f", v));
        EXPECT_EQ(FormatFixed(v, 10, 0), Printf("%10.0f", v));
        EXPECT_EQ(FormatGeneral(v, 8), Printf("%8g", v));
        EXPECT_EQ(FormatGeneral(v), Printf("%g", v));
    }
    EXPECT_EQ(FormatInt(42, 6), "    42");
    EXPECT_EQ(FormatInt(-7, 3), " -7");
    EXPECT_EQ(FormatInt(1234567, 3), "1234567");
    EXPECT_EQ(FormatInt(5), "5");
}

TEST(ListingText, PaddingAndCuttingCountCharactersNotBytes)
{
    std::string line = "t [°C]";
    EXPECT_EQ(TextWidth(line), 6u);
    PadLineBuffer(line, 8);
    EXPECT_EQ(line, "t [°C]  ");
    PadLineBuffer(line, 3);
    EXPECT_EQ(line, "t [°C]  ");
    EXPECT_EQ(CutText("Façade insulation layer", 4), "Faça");
    EXPECT_EQ(CutText("Wall", 15), "Wall");
    EXPECT_EQ(CutText("", 3), "");
    EXPECT_EQ(MakeBlankField(5), "     ");
    EXPECT_EQ(MakeBlankField(0), "");
    EXPECT_EQ(AlignRight("T01", 8), "     T01");
    EXPECT_EQ(AlignRight("°C", 4), "  °C");
    EXPECT_EQ(AlignRight("longer", 3), "longer");
}

TEST(ListingText, ReportFieldsHoldExactlyTheirWidth)
{
    struct Case {
        const char* text;
        std::size_t n;
        const char* fitted;
    };
    const Case cases[] = {
        {"MATERIAL", 8, "MATERIAL"},
        {"TEMP", 8, "TEMP    "},
        {"Outside air, north", 15, "Outside air, no"},
        {"t [°C]", 4, "t [°"},
        {"Aérogel", 9, "Aérogel  "},
        {"", 3, "   "},
        {"abc", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string line = c.text;
        PadLineToColumn(line, c.n);
        EXPECT_EQ(line, c.fitted);
        EXPECT_EQ(TextWidth(line), c.n);
    }
    std::string line = "Brick wall (old)";
    PadLineToColumn(line, 15);
    UnderscoreBlanks(line);
    EXPECT_EQ(line, "Brick_wall_(old");
    PadBlankField(line, 6);
    EXPECT_EQ(line, "      ");
    PadBlankField(line, 0);
    EXPECT_EQ(line, "");
}

TEST(ListingText, NodeIndexColumns)
{
    struct Case {
        IndexDisplay display;
        int i, j, k;
        const char* expected;
    } cases[] = {
        {{{4, 3, 2}, false}, 1, 2, 0, "     1     2     0"},
        // R/C/L: 2i + 1, the third counted from the top.
        {{{4, 3, 2}, true}, 1, 2, 0, "     3     5     5"},
        {{{4, 3, 2}, true}, 0, 0, 2, "     1     1     1"},
        // The one flat axis is blank: the third before the second, the
        // second before the first.
        {{{4, 3, 1}, false}, 1, 2, 0, "     1     2      "},
        {{{1, 1, 1}, false}, 1, 1, 1, "     1     1      "},
        {{{4, 1, 5}, false}, 3, 0, 4, "     3           4"},
        {{{1, 6, 5}, true}, 0, 5, 4, "          11     3"},
    };
    for (const Case& c : cases) {
        std::string line = "x";
        AppendNodeIndices(line, c.display, c.i, c.j, c.k);
        EXPECT_EQ(line, std::string("x") + c.expected);
    }
}

} // namespace
