// Grid lines: rebuilding an axis from the items, merging, the minimum-grid
// test, the line flags, the unit label and the volume text.
#include "novelk/model/editing/GridLines.h"

#include "ModelFixture.h"

namespace novelk::test {
namespace {

using GridLinesTest = ModelTest;

// The x line coordinates 0, c[0], c[1], ...
std::vector<float> XLines(const ModelStore& m)
{
    std::vector<float> lines{0};
    for (std::size_t i = 0; i < m.axes[0].n; ++i)
        lines.push_back(m.axes[0].coords[i]);
    return lines;
}

TEST_F(GridLinesTest, MinimumGridStartsAtTheLowestItem)
{
    // Lines at 0, 1, 2, 3, 4, 5, 6; the items start at 2.0.
    SetUnitGrid(6, 1, 1);
    AddBlock(1, 2, 4, 0, 1, 0, 1);
    AddBlock(2, 3, 6, 0, 1, 0, 1);
    GrowNodeBcArray(model, 1);
    model.nodeBcs.count = 1;
    model.nodeBcs[0].i = 5;
    model.areas[0] = AreaRecord{4, 4, 0, 1, 0, 1};
    model.elements[0] = AreaRecord{2, 6, 0, 0, 0, 0};
    model.insertionOrigin[0] = 3.5f;
    model.clipLo[0] = 3;
    StoreAxisCoordinates(model, 0);
    CreateMinimumGrid(model, 0);
    EXPECT_EQ(XLines(model), (std::vector<float>{0, 1, 2, 3, 4}));
    EXPECT_EQ(std::vector<float>(model.axes[0].widths.begin(), model.axes[0].widths.begin() + 4),
              (std::vector<float>{1, 1, 1, 1}));
    EXPECT_EQ(model.blocks[0].x1, 0);
    EXPECT_EQ(model.blocks[0].x2, 2);
    EXPECT_EQ(model.blocks[1].x1, 1);
    EXPECT_EQ(model.blocks[1].x2, 4);
    EXPECT_EQ(model.nodeBcs[0].i, 3);
    EXPECT_EQ(model.areas[0].x1, 2);
    EXPECT_EQ(model.elements[0].x2, 4);
    EXPECT_EQ(model.insertionOrigin[0], 1.5f);
    EXPECT_EQ(model.clipLo[0], 0);
    EXPECT_EQ(model.clipHi[0], 4);
    EXPECT_TRUE(IsMinimumGrid(model));
}

TEST_F(GridLinesTest, MinimumGridTest)
{
    // One block over the whole grid is a minimum grid only with one cell per axis.
    SetUnitGrid(1, 1, 1);
    AddBlock(1, 0, 1, 0, 1, 0, 1);
    EXPECT_TRUE(IsMinimumGrid(model));
    ResetModel(model, defaults);
    SetUnitGrid(2, 1, 1);
    AddBlock(1, 0, 2, 0, 1, 0, 1);
    EXPECT_FALSE(IsMinimumGrid(model));
    GrowNodeBcArray(model, 1);
    model.nodeBcs.count = 1;
    model.nodeBcs[0].i = 1; // a node BC keeps line 1
    EXPECT_TRUE(IsMinimumGrid(model));
}

TEST_F(GridLinesTest, MergeKeepsTheLinesItemsNeed)
{
    SetUnitGrid(8, 1, 1);
    AddBlock(1, 0, 5, 0, 1, 0, 1);
    AddBlock(2, 5, 8, 0, 1, 0, 1);
    model.areas[0] = AreaRecord{4, 4, 0, 1, 0, 1};
    ASSERT_TRUE(MergeGridLines(model, 0, 2, 6)); // lines 3..6 go, but a block ends at line 5
    EXPECT_EQ(XLines(model), (std::vector<float>{0, 1, 2, 5, 7, 8}));
    EXPECT_EQ(model.blocks[0].x2, 3);
    EXPECT_EQ(model.blocks[1].x1, 3);
    EXPECT_EQ(model.blocks[1].x2, 5);
    EXPECT_EQ(model.areas[0].x1, 3); // 4 lies nearer to 5 (line 3) than to 2
    EXPECT_EQ(model.clipHi[0], 5);
    EXPECT_FALSE(MergeGridLines(model, 0, 3, 3));
    EXPECT_FALSE(MergeGridLines(model, 0, 4, 6));
}

TEST_F(GridLinesTest, BoxesTakeTheNearestLineTiesToTheLower)
{
    SetGrid({1, 1, 2}, {1}, {1});   // lines at 0, 1, 2, 4
    model.areas[0].coord[0] = 3.0f; // halfway between 2 and 4
    model.areas[0].coord[1] = 3.2f;
    model.areas[1].coord[0] = -1.0f;
    model.elements[2].coord[1] = 0.5f;
    model.elements[2].coord[0] = 0.5f;
    // A block coordinate missing from the lines takes the nearest one too.
    AddBlock(1, 0, 1, 0, 1, 0, 1);
    model.blocks[0].coord[0] = 1.4f;
    model.blocks[0].coord[1] = 9.0f;
    RemapAxisIndices(model, 0);
    EXPECT_EQ(model.areas[0].x1, 2);
    EXPECT_EQ(model.areas[0].x2, 3);
    EXPECT_EQ(model.areas[1].x1, 0);
    EXPECT_EQ(model.elements[2].x1, 0);
    EXPECT_EQ(model.blocks[0].x1, 1);
    EXPECT_EQ(model.blocks[0].x2, 3);
}

TEST_F(GridLinesTest, TooManyIntervalsLeaveTheAxis)
{
    SetUnitGrid(2, 1, 1);
    AddBlock(1, 0, 2, 0, 1, 0, 1);
    // 65537 distinct coordinates would make 65536 cells.
    GrowBlockArray(model, 40000);
    model.blocks.count = 40000;
    for (std::size_t b = 0; b < 40000; ++b) {
        model.blocks[b] = BlockRecord{};
        model.blocks[b].coord[0] = static_cast<float>(2 * b);
        model.blocks[b].coord[1] = static_cast<float>(2 * b + 1);
    }
    model.blocks[39999].coord[1] = 79998.0f; // 79999 distinct -> 79998 cells
    const std::vector<float> before = XLines(model);
    try {
        CreateMinimumGrid(model, 0);
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Code(), ErrorCode::TooManyGridIntervals);
    }
    EXPECT_EQ(XLines(model), before);
}

TEST_F(GridLinesTest, UsedLinesAndBands)
{
    SetUnitGrid(6, 1, 1);
    AddBlock(1, 1, 3, 0, 1, 0, 1);
    GrowNodeBcArray(model, 1);
    model.nodeBcs.count = 1;
    model.nodeBcs[0].i = 5;
    model.axes[0].flags[4] = kLineUsed | kLineBand | kLineSelected;
    model.axes[0].flags[0] = kLineBand;
    MarkUsedGridLines(model);
    std::vector<int> flags(model.axes[0].flags.begin(), model.axes[0].flags.begin() + 7);
    // Used at 1, 3, 5; the band flips at each: lines 1, 2 in band, 3, 4 out, 5, 6 in.
    EXPECT_EQ(flags, (std::vector<int>{0, kLineUsed | kLineBand, kLineBand, kLineUsed, kLineSelected,
                                       kLineUsed | kLineBand, kLineBand}));
}

TEST_F(GridLinesTest, UnitLabels)
{
    const std::pair<float, const char*> cases[] = {{1.0f, "[m]"},    {0.1f, "[dm]"},    {0.01f, "[cm]"},
                                                   {0.001f, "[mm]"}, {0.5f, "[0.5 m]"}, {0.0025f, "[2.5 mm]"},
                                                   {2.0f, "[2 m]"}};
    for (const auto& [unit, label] : cases)
        EXPECT_EQ(FormatGridUnitLabel(unit), label) << unit;
}

TEST_F(GridLinesTest, VolumeTexts)
{
    struct Case {
        float width; // of the one cell on x; y and z are 1 m
        const char* text;
    } cases[] = {
        {0.999f, "0.999 m3"}, {0.9985f, "998 dm3"}, {2.0f, "2 m3"},  {0.002f, "2 dm3"},
        {0.5e-3f, "500 cm3"}, {0.5e-6f, "500 mm3"}, {0.0f, "0 mm3"},
    };
    for (const Case& c : cases) {
        ResetModel(model, defaults);
        SetGrid({c.width, 1.0f}, {1.0f}, {1.0f});
        AddBlock(2, 0, 1, 0, 1, 0, 1);
        AddBlock(3, 1, 2, 0, 1, 0, 1);
        RasteriseBlocks(model, run, host);
        EXPECT_EQ(FormatColourVolumeText(model, run.cells, 2), c.text) << c.width;
    }
}

TEST_F(GridLinesTest, VoidPlanes)
{
    SetUnitGrid(3, 2, 1);
    SetColour(1, MATERIAL);
    SetColour(2, BC_SIMPL);
    SetColour(3, TRANSMAT);
    AddBlock(2, 0, 3, 0, 2, 0, 1);
    AddBlock(1, 1, 2, 1, 2, 0, 1);
    AddBlock(3, 2, 3, 0, 1, 0, 1);
    RasteriseBlocks(model, run, host);
    EXPECT_TRUE(IsGridPlaneVoid(model, run.cells, 0, 0));
    EXPECT_FALSE(IsGridPlaneVoid(model, run.cells, 0, 1));
    EXPECT_FALSE(IsGridPlaneVoid(model, run.cells, 0, 2));
    EXPECT_FALSE(IsGridPlaneVoid(model, run.cells, 1, 0));
    EXPECT_TRUE(IsGridPlaneVoid(model, run.cells, 1, 2)); // beyond the grid
}

} // namespace
} // namespace novelk::test
