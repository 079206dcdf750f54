// Grid lines: rebuilding an axis from the items' coordinates, merging lines,
// the plane and minimum-grid tests, used-line marks, and the unit and volume
// texts, with item positions checked in metres before and after.
#include "gelmar/model/editing/GridLines.h"

#include "EditFixture.h"

namespace gelmar::test {
namespace {

using GridLinesTest = EditEngineTest;

// Position in metres of every item line on the axis, relative to the origin.
std::vector<double> ItemPositions(const ModelStore& m, int axis)
{
    std::vector<double> out;
    const auto at = [axis, &m](std::size_t line) {
        return (static_cast<double>(LineCoordinate(m, axis, line)) - m.origin[axis]) * m.gridUnit;
    };
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& r = m.blocks[b];
        out.push_back(at(axis == 0 ? r.x1 : axis == 1 ? r.y1 : r.z1));
        out.push_back(at(axis == 0 ? r.x2 : axis == 1 ? r.y2 : r.z2));
    }
    for (std::int32_t n = 0; n < m.nodeBcs.count; ++n) {
        const NodeBcRecord& r = m.nodeBcs[static_cast<std::size_t>(n)];
        out.push_back(at(axis == 0 ? r.i : axis == 1 ? r.j : r.k));
    }
    for (std::int32_t n = 0; n < m.outputBlocks.count; ++n) {
        const OutputBlockRecord& r = m.outputBlocks[static_cast<std::size_t>(n)];
        out.push_back(at(axis == 0 ? r.i1 : axis == 1 ? r.j1 : r.k1));
        out.push_back(at(axis == 0 ? r.i2 : axis == 1 ? r.j2 : r.k2));
    }
    return out;
}

void ExpectNear(const std::vector<double>& a, const std::vector<double>& b, double tol)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], tol) << "item line " << i;
}

TEST_F(GridLinesTest, MinimumGridKeepsOnlyItemLinesAndEveryPositionInMetres)
{
    engine.model.gridUnit = 0.01f;
    SetGrid({0.5f, 0.25f, 1.0f, 2.0f, 0.125f, 3.0f}, {1, 1, 1}, {1, 1});
    Block(1, 1, 3, 0, 3, 0, 2);
    Block(2, 3, 5, 0, 1, 0, 1); // shares line 3 with the first block
    engine.model.nodeBcs.count = 1;
    engine.model.nodeBcs[0] = NodeBcRecord{};
    engine.model.nodeBcs[0].i = 4;
    engine.model.outputBlocks.count = 1;
    engine.model.outputBlocks[0] = OutputBlockRecord{};
    engine.model.outputBlocks[0].i1 = 1, engine.model.outputBlocks[0].i2 = 5;
    const std::vector<double> before = ItemPositions(engine.model, 0);
    EXPECT_FALSE(IsMinimumGrid(engine.model));

    for (int axis = 0; axis < 3; ++axis) {
        StoreItemCoordinates(engine.model, axis);
        ASSERT_TRUE(RebuildGridFromCoordinates(engine.model, Host(), axis));
    }
    ComputeGridCoordinates(engine.model);
    // Lines 1, 3, 4 and 5 of x remain (the shared line once); line 1 is the new line 0.
    EXPECT_EQ(Widths(engine.model, 0), (std::vector<float>{1.25f, 2.0f, 0.125f}));
    EXPECT_FLOAT_EQ(engine.model.origin[0], -0.5f);
    EXPECT_EQ(engine.model.blocks[0].x1, 0);
    EXPECT_EQ(engine.model.blocks[0].x2, 1);
    EXPECT_EQ(engine.model.blocks[1].x2, 3);
    EXPECT_EQ(engine.model.nodeBcs[0].i, 2);
    EXPECT_EQ(engine.model.clipHi[0], 3);
    ExpectNear(ItemPositions(engine.model, 0), before, 1e-6);
    EXPECT_TRUE(IsMinimumGrid(engine.model));
}

TEST_F(GridLinesTest, RebuildAfterItemsMovedRightShiftsTheOrigin)
{
    SetUnitGrid(4, 1, 1);
    Block(1, 0, 2, 0, 1, 0, 1);
    Block(2, 1, 3, 0, 1, 0, 1);
    StoreItemCoordinates(engine.model, 0);
    for (std::size_t b = 0; b < 2; ++b)
        for (int s = 0; s < 2; ++s)
            engine.model.blocks[b].coord[s] += 1.0f;
    ASSERT_TRUE(RebuildGridFromCoordinates(engine.model, Host(), 0));
    EXPECT_FLOAT_EQ(engine.model.origin[0], -1.0f);
    EXPECT_EQ(Widths(engine.model, 0), (std::vector<float>{1, 1, 1}));
    EXPECT_EQ(engine.model.blocks[0].x1, 0);
    EXPECT_EQ(engine.model.blocks[0].x2, 2);
    EXPECT_EQ(engine.model.blocks[1].x1, 1);
    EXPECT_EQ(engine.model.blocks[1].x2, 3);
}

TEST_F(GridLinesTest, AxisWithoutItemsIsLeftAlone)
{
    // No item gives no line: the axis must keep its cells (an empty list
    // would otherwise give a cell count of -1 in the 16-bit field).
    SetUnitGrid(3, 2, 2);
    for (int axis = 0; axis < 3; ++axis) {
        StoreItemCoordinates(engine.model, axis);
        EXPECT_TRUE(RebuildGridFromCoordinates(engine.model, Host(), axis));
    }
    EXPECT_EQ(engine.model.axes[0].n, 3);
    EXPECT_EQ(engine.model.axes[2].n, 2);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(GridLinesTest, RebuildPast16BitCountIsRefusedAndLeavesTheAxis)
{
    SetUnitGrid(2, 1, 1);
    Block(1, 0, 2, 0, 1, 0, 1);
    StoreItemCoordinates(engine.model, 0);
    // 65,537 distinct node-BC coordinates would need 65,536 cells.
    ASSERT_TRUE(GrowNodeBcArray(engine.model, 65537));
    engine.model.nodeBcs.count = 65537;
    for (int n = 0; n < 65537; ++n)
        engine.model.nodeBcs[static_cast<std::size_t>(n)].x = static_cast<float>(n) + 0.5f;
    EXPECT_FALSE(RebuildGridFromCoordinates(engine.model, Host(), 0));
    EXPECT_EQ(recorder.messages.back(), kTooManyGridIntervals);
    EXPECT_EQ(engine.model.axes[0].n, 2);
    EXPECT_EQ(engine.model.blocks[0].x2, 2);
}

TEST_F(GridLinesTest, MergeKeepsLinesThatCarryItems)
{
    SetGrid({1, 1, 1, 1, 1, 1, 1, 1}, {1}, {1});
    Block(1, 4, 8, 0, 1, 0, 1); // a bound on line 4
    Block(2, 0, 1, 0, 1, 0, 1);
    const std::vector<double> before = ItemPositions(engine.model, 0);
    // Cells 2..5 merge: lines 3, 4 and 5 go, except line 4.
    ASSERT_TRUE(MergeGridLines(engine.model, 0, 2, 5));
    EXPECT_EQ(Widths(engine.model, 0), (std::vector<float>{1, 1, 2, 2, 1, 1}));
    EXPECT_EQ(engine.model.blocks[0].x1, 3);
    EXPECT_EQ(engine.model.blocks[0].x2, 6);
    ExpectNear(ItemPositions(engine.model, 0), before, 1e-6);
    EXPECT_EQ(engine.model.clipHi[0], 6);

    EXPECT_FALSE(MergeGridLines(engine.model, 0, 3, 3));
    EXPECT_FALSE(MergeGridLines(engine.model, 0, 2, 6));
}

TEST_F(GridLinesTest, VoidPlanesAndUsedLines)
{
    SetUnitGrid(4, 2, 2);
    engine.model.colours[3].type = BC_SIMPL;
    engine.model.colours[4].type = EQUIMAT;
    Block(3, 0, 1, 0, 2, 0, 2);
    Block(4, 2, 3, 1, 2, 1, 2);
    const CellRaster cells = RasteriseModel(engine.model);
    EXPECT_TRUE(IsGridPlaneVoid(engine.model, cells, 0, 0));  // boundary colour only
    EXPECT_TRUE(IsGridPlaneVoid(engine.model, cells, 0, 1));  // empty
    EXPECT_FALSE(IsGridPlaneVoid(engine.model, cells, 0, 2)); // a cavity conducts
    EXPECT_FALSE(IsGridPlaneVoid(engine.model, cells, 2, 1));

    MarkUsedGridLines(engine.model);
    const std::vector<std::uint8_t> flags(engine.model.axes[0].flags.begin(),
                                          engine.model.axes[0].flags.begin() + 5);
    EXPECT_EQ(flags, (std::vector<std::uint8_t>{kLineUsed, kLineUsed | kLineBand, kLineUsed,
                                                kLineUsed | kLineBand, kLineBand}));
}

TEST(GridLabelTest, UnitLabels)
{
    ModelStore model;
    const struct {
        float unit;
        const char* label;
    } cases[] = {{1.0f, "[m]"},    {0.1f, "[dm]"},        {0.01f, "[cm]"},
                 {0.001f, "[mm]"}, {0.002f, "[2 mm]"},    {0.5f, "[0.5 m]"},
                 {2.0f, "[2 m]"},  {0.0001f, "[0.1 mm]"}, {0.025f, "[0.025 m]"}};
    for (const auto& c : cases) {
        model.gridUnit = c.unit;
        EXPECT_EQ(FormatGridUnitLabel(model), c.label) << c.unit;
        EXPECT_EQ(GridUnitLabelFor(model.gridUnit), c.label);
    }
}

TEST_F(GridLinesTest, ColourVolumeTexts)
{
    SetGrid({0.1f, 0.1f, 0.1f}, {0.1f}, {0.1f});
    Block(7, 0, 2, 0, 1, 0, 1);
    const CellRaster cells = RasteriseModel(engine.model);
    EXPECT_EQ(FormatColourVolumeText(engine.model, cells, 7), "2 dm3");
    EXPECT_EQ(FormatColourVolumeText(engine.model, cells, 8), "0 mm3");
    engine.model.gridUnit = 10;
    EXPECT_EQ(FormatColourVolumeText(engine.model, cells, 7), "2 m3");
    engine.model.gridUnit = 0.1f;
    EXPECT_EQ(FormatColourVolumeText(engine.model, cells, 7), "2 cm3");
    engine.model.gridUnit = 0.01f;
    EXPECT_EQ(FormatColourVolumeText(engine.model, cells, 7), "2 mm3");
}

} // namespace
} // namespace gelmar::test
