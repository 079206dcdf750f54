// Inserting a file and rebuilding the grid from the coordinates, zones turned
// into blocks, and the overlay ranges.
#include "ModelFixture.h"
#include "novelk/model/editing/GridLines.h"
#include "novelk/model/editing/ZoneBlocks.h"
#include "novelk/model/values/Ranges.h"

namespace novelk::test {
namespace {

using EditingTest = ModelTest;

TEST_F(EditingTest, AnInsertedFileJoinsTheGrid)
{
    // A model of 1 m cells in metres; the inserted file is in millimetres.
    ASSERT_EQ(Read("nxwi=2\nxwid=1\nxwid=1\nnywi=1\nywid=1\nnzwi=1\nzwid=1\n"
                   "nblk=1\nblok=0 1 0 2 0 1 0 1\n"),
              "");
    // Insert File: the coordinates of the model's items, the file's blocks
    // placed at the origin, then every axis rebuilt.
    for (int axis = 0; axis < 3; ++axis)
        StoreAxisCoordinates(model, axis);
    model.insertionOrigin[0] = 0.5f;
    ASSERT_EQ(Read("grun=0.001\nnxwi=2\nxwid=250\nxwid=250\nnywi=1\nywid=1000\nnzwi=1\nzwid=1000\n"
                   "colr=2\nnblk=1\nblok=0 2 1 2 0 1 0 1\n",
                   ReadMode::Insert, "insert.nvk"),
              "");
    for (int axis = 0; axis < 3; ++axis)
        CreateMinimumGrid(model, axis);
    // Lines at 0, 0.75, 1, 2 on x: the inserted block spans 0.75..1.
    ASSERT_EQ(model.axes[0].n, 3);
    EXPECT_FLOAT_EQ(model.axes[0].coords[0], 0.75f);
    EXPECT_FLOAT_EQ(model.axes[0].coords[1], 1.0f);
    EXPECT_FLOAT_EQ(model.axes[0].coords[2], 2.0f);
    const BlockRecord& b = model.blocks[1];
    EXPECT_EQ(b.colour, 2);
    EXPECT_EQ((std::array<int, 6>{b.x1, b.x2, b.y1, b.y2, b.z1, b.z2}),
              (std::array<int, 6>{1, 2, 0, 1, 0, 1}));
    EXPECT_EQ(model.blocks[0].x2, 3);
}

TEST_F(EditingTest, MarkedCellsOfAZoneBecomeBlocks)
{
    SetUnitGrid(3, 2, 1);
    ColourRecord& c = model.colours[7];
    const std::uint16_t box[6] = {1, 2, 0, 1, 0, 0};
    std::copy(box, box + 6, c.zoneBox);
    std::vector<std::uint32_t> marks(6, 0);
    marks[1] = marks[2] = marks[4] = 1; // (1,0), (2,0), (1,1)
    marks[3] = 1;                       // (0,1) lies outside the zone box
    EXPECT_EQ(ConvertZoneToBlocks(model, 7, marks), 3u);
    ASSERT_EQ(model.blocks.count, 3);
    EXPECT_EQ(model.blocks[2].x1, 1);
    EXPECT_EQ(model.blocks[2].y1, 1);
    EXPECT_TRUE(model.colours[7].inUse);
}

TEST_F(EditingTest, OverlayRanges)
{
    SetGrid({1, 2, 3}, {1, 1}, {0.5f});
    AddBlock(1, 1, 3, 0, 2, 0, 1);
    model.clipLo[0] = 2;
    const std::optional<IndexBox> clipped = ClipRange(model, BoxOf(model.blocks[0]), false);
    ASSERT_TRUE(clipped);
    const CoordinateBox c = UpdateRangeCoordinates(model, *clipped);
    EXPECT_EQ((std::array<float, 6>{c.lo[0], c.hi[0], c.lo[1], c.hi[1], c.lo[2], c.hi[2]}),
              (std::array<float, 6>{3, 6, 0, 2, 0, 0.5f}));
    // A box that only touches the clip box counts as inside only inclusively.
    const IndexBox touching{{0, 0, 0}, {2, 1, 1}};
    EXPECT_FALSE(ClipRange(model, touching, false));
    EXPECT_TRUE(ClipRange(model, touching, true));
    const IndexBox whole = WholeGrid(model);
    EXPECT_EQ((std::array<int, 3>{whole.hi[0], whole.hi[1], whole.hi[2]}), (std::array<int, 3>{3, 2, 1}));
}

} // namespace
} // namespace novelk::test
