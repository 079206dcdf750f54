// Grid edits: the worked examples of splitting, Auto Split and the minimum
// grid, inserted intervals, and the grid unit. Splits, the minimum grid and a
// unit change with transformed widths keep every item where it was in metres.
#include "gelmar/model/editing/GridEdit.h"

#include "EditFixture.h"
#include "gelmar/model/editing/GridLines.h"

namespace gelmar::test {
namespace {

using GridEditTest = EditEngineTest;

void ExpectWidths(const std::vector<float>& actual, const std::vector<float>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-6) << "piece " << i;
}

// Every item line of every axis in metres.
std::vector<double> Positions(const ModelStore& m)
{
    std::vector<double> out;
    for (int axis = 0; axis < 3; ++axis) {
        const auto at = [axis, &m](std::size_t line) {
            return static_cast<double>(LineCoordinate(m, axis, line)) * m.gridUnit;
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
        for (std::int32_t n = 0; n < m.outputNodes.count; ++n) {
            const OutputNodeRecord& r = m.outputNodes[static_cast<std::size_t>(n)];
            out.push_back(at(axis == 0 ? r.i : axis == 1 ? r.j : r.k));
        }
        out.push_back(at(m.clipLo[axis]));
        out.push_back(at(m.clipHi[axis]));
    }
    return out;
}

void ExpectSamePositions(const std::vector<double>& a, const std::vector<double>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], 1e-6) << "position " << i;
}

TEST(SplitWidthsTest, WorkedExamples)
{
    const auto split = [](float w, int method, int n, float q, float d, bool mirrored = false) {
        return SplitWidths(w, SplitSettings{n, q, d, method}, mirrored);
    };
    ExpectWidths(split(7, kSplitGeometric, 3, 2, 0), {1, 2, 4});
    ExpectWidths(split(7, kSplitGeometric, 3, 2, 0, true), {4, 2, 1});
    ExpectWidths(split(3, kSplitGeometric, 4, 1, 0), {0.75f, 0.75f, 0.75f, 0.75f});
    // The remainder below 0.1% of the width is not a piece of its own.
    ExpectWidths(split(1.0005f, kSplitMaximum, 0, 1, 0.25f), {0.25f, 0.25f, 0.25f, 0.2505f});
    ExpectWidths(split(1.1f, kSplitMaximum, 0, 1, 0.25f), {0.25f, 0.25f, 0.25f, 0.25f, 0.1f});
    ExpectWidths(split(1.1f, kSplitMaximum, 0, 1, 0.25f, true), {0.1f, 0.25f, 0.25f, 0.25f, 0.25f});
    ExpectWidths(split(0.2f, kSplitMaximum, 0, 1, 0.25f), {0.2f});
    ExpectWidths(split(1.0f, kSplitBorder12, 0, 1, 0.1f), {0.1f, 0.8f, 0.1f});
    ExpectWidths(split(0.15f, kSplitBorder12, 0, 1, 0.1f), {0.05f, 0.1f});
    ExpectWidths(split(1.0f, kSplitBorder1, 0, 1, 0.3f), {0.3f, 0.7f});
    ExpectWidths(split(1.0f, kSplitBorder2, 0, 1, 0.3f), {0.7f, 0.3f});
    ExpectWidths(split(1.0f, kSplitBorder2, 0, 1, 0.3f, true), {0.3f, 0.7f});
    ExpectWidths(split(0.3f, kSplitBorder1, 0, 1, 0.3f), {0.3f}); // too narrow
    // Settings that cannot split leave the interval whole.
    ExpectWidths(split(1.0f, kSplitMaximum, 0, 1, 0.0f), {1.0f});
    ExpectWidths(split(1.0f, kSplitGeometric, 0, 2, 0), {1.0f});
    ExpectWidths(split(1.0f, kSplitGeometric, 3000, 1e6f, 0), {1.0f});
    // More pieces than an axis can count.
    EXPECT_TRUE(split(100000.0f, kSplitMaximum, 0, 1, 1.0f).empty());
}

TEST_F(GridEditTest, SplittingKeepsEveryItemInMetres)
{
    engine.model.gridUnit = 0.001f;
    SetGrid({10, 7, 20, 5}, {3, 3}, {1});
    Block(1, 1, 3, 0, 2, 0, 1);
    Block(2, 2, 4, 1, 2, 0, 1);
    engine.model.nodeBcs.count = 1;
    engine.model.nodeBcs[0] = NodeBcRecord{};
    engine.model.nodeBcs[0].i = 3;
    engine.model.outputNodes.count = 1;
    engine.model.outputNodes[0] = OutputNodeRecord{2, 1, 0, 0, 0, 0};
    engine.model.clipLo[0] = 2;
    const std::vector<double> before = Positions(engine.model);
    // As the Grid table splits its selection: the last interval first.
    ASSERT_TRUE(ReplaceGridCell(engine.model, Host(), 0, 2,
                                SplitWidths(20, SplitSettings{4, 1, 0, kSplitGeometric}, false)));
    ASSERT_TRUE(ReplaceGridCell(engine.model, Host(), 0, 1,
                                SplitWidths(7, SplitSettings{3, 2, 0, kSplitGeometric}, false)));
    ExpectWidths(Widths(engine.model, 0), {10, 1, 2, 4, 5, 5, 5, 5, 5});
    EXPECT_EQ(engine.model.blocks[0].x2, 8);
    EXPECT_EQ(engine.model.clipLo[0], 4);
    EXPECT_EQ(engine.model.clipHi[0], 9);
    ExpectSamePositions(Positions(engine.model), before);
}

TEST_F(GridEditTest, SplitPastThe16BitCountIsRefused)
{
    SetGrid({1, 100000}, {1}, {1});
    Block(1, 0, 2, 0, 1, 0, 1);
    EXPECT_FALSE(ReplaceGridCell(engine.model, Host(), 0, 1,
                                 SplitWidths(100000, SplitSettings{0, 1, 1, kSplitMaximum}, false)));
    EXPECT_EQ(recorder.messages.back(), kTooManyGridIntervals);
    EXPECT_FALSE(ReplaceGridCell(engine.model, Host(), 0, 1, std::vector<float>(65535, 1.0f)));
    EXPECT_EQ(engine.model.axes[0].n, 2);
    EXPECT_EQ(engine.model.blocks[0].x2, 2);
}

TEST_F(GridEditTest, InsertedIntervalsLeaveTouchingItemsOutside)
{
    SetUnitGrid(6, 1, 1);
    Block(1, 1, 5, 0, 1, 0, 1);
    Block(2, 3, 4, 0, 1, 0, 1);
    Block(3, 0, 2, 0, 1, 0, 1);
    // Insert After on interval 3 (cell 2).
    ASSERT_TRUE(InsertGridInterval(engine.model, Host(), 0, 2, true));
    EXPECT_EQ(engine.model.axes[0].n, 7);
    EXPECT_EQ(engine.model.blocks[0].x1, 1);
    EXPECT_EQ(engine.model.blocks[0].x2, 6);
    EXPECT_EQ(engine.model.blocks[1].x1, 4);
    EXPECT_EQ(engine.model.blocks[1].x2, 5);
    EXPECT_EQ(engine.model.clipHi[0], 7);
    // Insert Before interval 2 (cell 1): a block starting on line 1 starts on 2,
    // a block ending on line 1 would stay; the block 0..2 grows across it.
    ASSERT_TRUE(InsertGridInterval(engine.model, Host(), 0, 1, false));
    EXPECT_EQ(engine.model.blocks[0].x1, 2);
    EXPECT_EQ(engine.model.blocks[2].x1, 0);
    EXPECT_EQ(engine.model.blocks[2].x2, 3);
    ExpectWidths(Widths(engine.model, 0), {1, 1, 1, 1, 1, 1, 1, 1});
    EXPECT_FALSE(InsertGridInterval(engine.model, Host(), 0, 8, false));
}

TEST_F(GridEditTest, AutoSplitGradesFromTheEndsAndSkipsVoidLayers)
{
    SetGrid({10, 2, 10, 7}, {1}, {1});
    Block(1, 0, 3, 0, 1, 0, 1);
    const std::vector<double> before = Positions(engine.model);
    ASSERT_TRUE(AutoSplitAxis(engine.model, Host(), 0, AutoSplitSettings{5, 1, 2}));
    ExpectWidths(Widths(engine.model, 0), {3, 4, 2, 1, 1, 1, 1, 2, 2, 2, 2, 1, 7});
    EXPECT_EQ(engine.model.blocks[0].x2, 12);
    ExpectSamePositions(Positions(engine.model), before);

    // A single interval is not graded.
    engine.model.blocks.count = 0;
    SetGrid({10}, {1}, {1});
    Block(1, 0, 1, 0, 1, 0, 1);
    ASSERT_TRUE(AutoSplitAxis(engine.model, Host(), 0, AutoSplitSettings{5, 1, 2}));
    ExpectWidths(Widths(engine.model, 0), {10});
}

TEST(GradedWidthsTest, PiecesGrowFromTheFineEnd)
{
    ExpectWidths(GradedWidths(10, 1, 2, true), {1, 2, 4, 3});
    ExpectWidths(GradedWidths(10, 1, 2, false), {3, 4, 2, 1});
    ExpectWidths(GradedWidths(3, 1, 1, true), {1, 1, 1});
    ExpectWidths(GradedWidths(0.5f, 1, 2, true), {0.5f});
}

TEST_F(GridEditTest, MinimumGridOfTheWorkedExamples)
{
    SetGrid({0.5f, 0.5f, 1.0f, 1, 1, 1, 1, 1, 1, 1}, {1}, {1});
    Block(1, 3, 5, 0, 1, 0, 1);
    // An output node does not count; a node BC does.
    engine.model.outputNodes.count = 1;
    engine.model.outputNodes[0] = OutputNodeRecord{7, 0, 0, 0, 0, 0};
    MinimumGridAxis mg = BuildMinimumGridAxis(engine.model, 0);
    EXPECT_EQ(mg.map, (std::vector<std::size_t>{0, 0, 0, 1, 1, 2, 2, 2, 2, 2}));
    EXPECT_EQ(mg.widths, (std::vector<double>{2.0, 2.0, 5.0}));

    // Typing 0.5 for the first interval (0.5, 0.5 and 1.0).
    ASSERT_TRUE(ScaleMinimumGridInterval(engine.model, 0, mg, 0, 0.5));
    ExpectWidths(Widths(engine.model, 0), {0.125f, 0.125f, 0.25f, 1, 1, 1, 1, 1, 1, 1});
    EXPECT_FLOAT_EQ(engine.model.axes[0].coords[9], 7.5f);
    EXPECT_FALSE(ScaleMinimumGridInterval(engine.model, 0, mg, 3, 1.0));

    // A block from line 2 to line 5 of ten intervals: 0-2, 2-5 and 5-10.
    engine.model.blocks[0].x1 = 2;
    engine.model.nodeBcs.count = 1;
    engine.model.nodeBcs[0] = NodeBcRecord{};
    engine.model.nodeBcs[0].i = 5;
    mg = BuildMinimumGridAxis(engine.model, 0);
    EXPECT_EQ(mg.widths.size(), 3u);
    EXPECT_EQ(mg.map[1], 0u);
    EXPECT_EQ(mg.map[2], 1u);
    EXPECT_EQ(mg.map[5], 2u);
}

TEST_F(GridEditTest, GridUnitChangesOnlyTheDisplayWhenWidthsAreTransformed)
{
    SetGrid({1.5f, 0.25f}, {2}, {0.5f});
    Block(1, 0, 2, 0, 1, 0, 1);
    Block(2, 1, 2, 0, 1, 0, 1);
    engine.model.gridUnit = 1;
    const std::vector<double> before = Positions(engine.model);
    ASSERT_TRUE(ChangeGridUnit(engine.model, Host(), 0.001f, true));
    ExpectSamePositions(Positions(engine.model), before);
    EXPECT_NEAR(engine.model.axes[0].widths[0], 1500, 1e-3);
    EXPECT_EQ(FormatGridUnitLabel(engine.model), "[mm]");
    EXPECT_NEAR(engine.model.extent[0], 1750, 1e-3);

    // Without the transform the numbers stay and the model changes size.
    ASSERT_TRUE(ChangeGridUnit(engine.model, Host(), 0.01f, false));
    EXPECT_NEAR(engine.model.axes[0].widths[0], 1500, 1e-3);
    EXPECT_NEAR(Positions(engine.model)[1], 17.5, 1e-4);

    EXPECT_FALSE(ChangeGridUnit(engine.model, Host(), 0, true));
    EXPECT_EQ(recorder.messages.back(), "Grid unit must be greater than 0 m");
    EXPECT_FLOAT_EQ(engine.model.gridUnit, 0.01f);
}

} // namespace
} // namespace gelmar::test
