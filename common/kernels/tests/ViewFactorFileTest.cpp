// The view-factor file in both formats: what is written reads back to the
// last bit, face lines without the orientation field, and the summary.
#include "common/kernels/ViewFactorFile.h"

#include "common/kernels/ViewFactorZone.h"

#include "ScratchFolder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace kernels {
namespace {

class ViewFactorFileTest : public testing::ScratchFolderTest {};

ViewFactorFileFace Face(int cavity, int solid, float x, int orientation, double area, double unseen)
{
    ViewFactorFileFace f;
    f.zoneColour = cavity;
    f.ownerColour = solid;
    f.geometry = {{x, 0.1f, 0}, {x, 1.1f, 1.0f / 3.0f}, orientation};
    f.area = area;
    f.unseen = unseen;
    return f;
}

TEST_F(ViewFactorFileTest, BothFormatsReadBackExactly)
{
    const std::vector<ViewFactorFileFace> zone1 = {Face(2, 1, 0, 1, 0.1, 0), Face(2, 1, 1, 0, 1.0 / 3.0, 0.25),
                                                   Face(3, 1, 2, 0, 2, 1e-7)};
    const std::vector<ViewFactorFileFace> zone2 = {Face(4, 5, 7, 1, 1, 0), Face(4, 5, 9, 0, 1, 0)};
    const std::vector<double> m1 = {0.2, 0.0, 1.0 / 7.0};
    const std::vector<double> m2 = {0.999999999};
    const std::vector<ViewFactorZoneOut> zones = {{zone1, m1}, {zone2, m2}};
    for (const bool orientation : {true, false}) {
        SCOPED_TRACE(orientation);
        const ViewFactorFileFormat format{orientation};
        ASSERT_TRUE(WriteViewFactorFile(Path("tmp.vwf"), zones, format));
        std::ifstream in(Path("tmp.vwf"), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        EXPECT_NE(text.find(orientation ? "face=2 2 1 0 0.3333333333333333 0.25\r\n"
                                        : "face=2 2 1 0.3333333333333333 0.25\r\n"),
                  std::string::npos);
        EXPECT_EQ(text.find("vwfc=3 1"), std::string::npos); // zero factors are left out

        ViewFactorFileData data;
        ASSERT_EQ(ReadViewFactorFile(Path("tmp.vwf"), format, data).status, ViewFactorReadStatus::Read);
        ASSERT_EQ(data.zones.size(), 2u);
        EXPECT_EQ(data.zones[0].matrix, m1);
        EXPECT_EQ(data.zones[1].matrix, m2);
        EXPECT_EQ(data.zones[1].firstFace, 3);
        ASSERT_EQ(data.faces.size(), 5u);
        EXPECT_EQ(data.faces[1].area, 1.0 / 3.0);
        EXPECT_EQ(data.faces[2].unseen, 1e-7);
        EXPECT_EQ(data.faces[2].zoneColour, 3);
        EXPECT_EQ(data.faces[4].zone, 1);
        EXPECT_EQ(data.faces[4].localIndex, 1);
        EXPECT_EQ(data.faces[4].geometry.hi[2], 1.0f / 3.0f);
        EXPECT_EQ(data.faces[0].geometry.orientation, orientation ? 1 : 0);

        ViewFactorSummaryTable table;
        ASSERT_EQ(ReadViewFactorSummary(Path("tmp.vwf"), format, table).status, ViewFactorReadStatus::Read);
        EXPECT_DOUBLE_EQ(table.area[1], 0.1 + 1.0 / 3.0 + 2);
        EXPECT_DOUBLE_EQ(table.exchange[1 * 256 + 1], 1.0 / 3.0 * 0.2 + 2 * 1.0 / 7.0);
        EXPECT_DOUBLE_EQ(table.exchange[5 * 256 + 5], 0.999999999);
    }
    // A face line of the other format is a syntax error at its line.
    const std::string bad = "nzon=1\nzone=1 1\nnfac=1\nface=1 2 1 0.5\nbox =0 0 0 1 0 1\n";
    std::ofstream(Path("bad.vwf"), std::ios::binary) << bad;
    ViewFactorFileData data;
    const ViewFactorReadResult r = ReadViewFactorFile(Path("bad.vwf"), {true}, data);
    EXPECT_EQ(r.status, ViewFactorReadStatus::Syntax);
    EXPECT_EQ(r.line, 4);
    EXPECT_TRUE(data.faces.empty());
    EXPECT_EQ(ReadViewFactorFile(Path("none.vwf"), {false}, data).status, ViewFactorReadStatus::NotOpened);
}

} // namespace
} // namespace kernels
