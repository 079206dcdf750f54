// The colour scale lookup and the readers of the colour files.
#include "common/core/ColourScale.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string WriteFile(const std::string& bytes)
{
    const std::string path =
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".rgb";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(ColourScale, InterpolatesBetweenEntries)
{
    common::ColourScale scale;
    EXPECT_EQ(common::ValueToColour(scale, 0.5f), common::kOutsideScaleColour);
    ASSERT_EQ(
        common::LoadColourScaleFile(WriteFile("scale\r\nN 2\r\nC 0 0 0\r\nC 100 200 50\r\n"), scale).status,
        common::ColourFileStatus::Ok);
    // Two entries: 0..0.5 runs from the first to the second, the rest is the second.
    EXPECT_EQ(common::ValueToColour(scale, 0.0f), RGB(0, 0, 0));
    EXPECT_EQ(common::ValueToColour(scale, 0.25f), RGB(50, 100, 25));
    EXPECT_EQ(common::ValueToColour(scale, 0.5002f), RGB(100, 200, 50));
    EXPECT_EQ(common::ValueToColour(scale, 1.0f), RGB(100, 200, 50));
    EXPECT_EQ(common::ValueToColour(scale, 1.0001f), common::kOutsideScaleColour);
    EXPECT_EQ(common::ValueToColour(scale, -1.0f), common::kOutsideScaleColour);
}

TEST(ColourScale, ReportsTheLineOfABadScale)
{
    struct Case {
        const char* text;
        int line;
    } cases[] = {
        {"C 1 2 3\n", 1},               // entry before the count
        {"N 1\nC 1 2 3\nC 1 2 3\n", 3}, // more entries than counted
        {"N 2\nC 1 2 300\n", 2},        // value out of range
        {"N 2\nC 1 2 3\n", 2},          // fewer entries than counted (end of file)
        {"N 0\n", 1},
        {"N 1\nN 1\n", 2},
    };
    for (const Case& c : cases) {
        common::ColourScale scale;
        const common::ColourFileResult r = common::LoadColourScaleFile(WriteFile(c.text), scale);
        EXPECT_EQ(r.status, common::ColourFileStatus::SyntaxError) << c.text;
        EXPECT_EQ(r.line, c.line) << c.text;
    }
    common::ColourScale scale;
    EXPECT_EQ(common::LoadColourScaleFile("no such folder/none.rgb", scale).status,
              common::ColourFileStatus::OpenFailed);
}

TEST(ColourScale, MaterialColoursByColourLine)
{
    // The third colour line is out of range: colour 2 stays unset, and the
    // fourth line still gives colour 3. Lines of other keys do not count.
    const auto colours = common::ReadMaterialColourFile(
        WriteFile("MatColor\r\nC 1 2 3\r\nc 4 5 6\r\nx 9 9 9\r\nC 300 0 0\r\nC 7 8 9\r\n"));
    ASSERT_EQ(colours.size(), 4u);
    EXPECT_EQ(colours[0], RGB(1, 2, 3));
    EXPECT_EQ(colours[1], RGB(4, 5, 6));
    EXPECT_FALSE(colours[2].has_value());
    EXPECT_EQ(colours[3], RGB(7, 8, 9));
    EXPECT_TRUE(common::ReadMaterialColourFile("no such folder/MatColor.rgb").empty());

    std::string many;
    for (int n = 0; n < 300; ++n)
        many += "C 1 1 1\n";
    EXPECT_EQ(common::ReadMaterialColourFile(WriteFile(many)).size(), 256u);
}

} // namespace
