// The pattern file: counts, entries, defaults, the grid shape and the
// pattern file shipped with the programs.
#include "common/core/PatternFile.h"

#include <gtest/gtest.h>

using namespace common;

TEST(PatternFile, EntriesDefinePatternsInOrderWhateverTheirKeys)
{
    CPatternList list;
    ASSERT_TRUE(list.LoadFromBytes("[PATTERNS]\r\nN=3\r\nfoo=0000FF,00FF00,1,2,3,4,5,6,7,FF\r\n"
                                   "bar=0x10,20\r\nz=1,2,3,4,5,6,7,8,9,A\r\nextra=5,5,5,5,5,5,5,5,5,5\r\n"));
    EXPECT_EQ(list.GetCount(), 3);
    const CPattern& p1 = list.Get(1);
    EXPECT_EQ(p1.firstColour, 0x0000FFu);
    EXPECT_EQ(p1.secondColour, 0x00FF00u);
    EXPECT_EQ(p1.rows, (std::array<WORD, 8>{1, 2, 3, 4, 5, 6, 7, 0xFF}));
    // Missing items give 0.
    EXPECT_EQ(list.Get(2).firstColour, 0x10u);
    EXPECT_EQ(list.Get(2).secondColour, 0x20u);
    EXPECT_EQ(list.Get(2).rows, (std::array<WORD, 8>{}));
    EXPECT_EQ(list.Get(3).rows[7], 0xA);
    // Entries beyond N are not read; numbers beyond N give pattern 0.
    EXPECT_EQ(list.Get(4).rows, CPattern{}.rows);
    EXPECT_EQ(list.Get(-1).firstColour, 0u);
}

TEST(PatternFile, PatternZeroAndUndefinedPatternsAreTheDiagonalHatch)
{
    CPatternList list;
    ASSERT_TRUE(list.LoadFromBytes("[PATTERNS]\nN=4\nP1=1,2,3,4,5,6,7,8,9,10\n"));
    const std::array<WORD, 8> hatch{0x87, 0x0F, 0x1E, 0x3C, 0x78, 0xF0, 0xE1, 0xC3};
    EXPECT_EQ(list.Get(0).rows, hatch);
    EXPECT_EQ(list.Get(0).firstColour, 0u);
    EXPECT_EQ(list.Get(0).secondColour, 0xFFFFFFu);
    EXPECT_EQ(list.Get(4).rows, hatch);
}

TEST(PatternFile, FilesWithoutPatternsAndUnreadableFilesAreErrors)
{
    const char* const cases[] = {
        "",
        "[OTHER]\nN=3\n",
        "[PATTERNS]\nM=3\n",
        "[PATTERNS]\nN=0\n",
        "[PATTERNS]\nN=-2\n",
        "[PATTERNS]\nN=100000000\nP1=1,2\n",
    };
    for (const char* text : cases) {
        CPatternList list;
        EXPECT_FALSE(list.LoadFromBytes(text, "bad.pat")) << text;
        EXPECT_EQ(list.GetCount(), 0);
        EXPECT_EQ(list.GetLastError(), "No patterns in file\nbad.pat");
        EXPECT_EQ(list.Get(1).rows, CPattern{}.rows);
    }
    CPatternList list;
    EXPECT_FALSE(list.Load("missing.pat"));
    EXPECT_EQ(list.GetLastError(), "Failed to open file\nmissing.pat");
}

TEST(PatternFile, GridShapeIsSquareIsh)
{
    struct Case {
        int n, rows, columns;
    } cases[] = {{1, 1, 1}, {2, 1, 2}, {5, 2, 3}, {9, 3, 3}, {10, 3, 4}, {20, 4, 5}, {0, 0, 0}};
    for (const Case& c : cases) {
        int rows = -1, columns = -1;
        PatternGridShape(c.n, rows, columns);
        EXPECT_EQ(rows, c.rows) << c.n;
        EXPECT_EQ(columns, c.columns) << c.n;
    }
}

TEST(PatternFile, ShippedPatternFileDefinesEveryPatternTheMaterialsUse)
{
    CPatternList list;
    ASSERT_TRUE(list.Load(std::string(SUITE_EXAMPLES_DIR) + "/Patterns.pat")) << list.GetLastError();
    EXPECT_EQ(list.GetCount(), 20);
    for (int k = 1; k <= list.GetCount(); ++k)
        EXPECT_NE(list.Get(k).firstColour, list.Get(k).secondColour) << k;
    EXPECT_EQ(list.Get(4).secondColour, RGB(224, 112, 64)); // brick
}
