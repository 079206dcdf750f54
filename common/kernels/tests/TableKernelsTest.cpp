// The table rules of the block programs over explicit data: clip rows, the
// interval selection, block rows and bound columns, the selection range and
// Transform Coordinates (checked against rotation matrices).
#include "common/kernels/BlockRows.h"
#include "common/kernels/GridSplit.h"
#include "common/kernels/TableAxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kernels {
namespace {

TEST(TableAxesTest, ClipRowsMoveTheirBoundAndPushTheOther)
{
    struct Case {
        bool minRow, mirrored;
        int lo, hi, v;
        bool accepted;
        int newLo, newHi;
    };
    const Case cases[] = {
        {true, false, 0, 10, 10, false, 0, 10}, // Min. must lie below n
        {true, false, 0, 5, 9, true, 9, 10},    // meets the upper bound: pushed on
        {true, false, 2, 8, 4, true, 4, 8},
        {false, false, 0, 10, 0, false, 0, 10}, // Max. must lie above 0
        {false, false, 4, 10, 3, true, 2, 3},   // meets the lower bound: pushed back
        {false, false, 0, 10, 11, false, 0, 10},
        {true, false, 0, 10, -1, false, 0, 10},
        // The third axis listed from the top: Min. moves the upper bound.
        {true, true, 0, 10, 0, true, 0, 10},
        {true, true, 0, 10, 3, true, 0, 7},
        {true, true, 8, 10, 3, true, 6, 7},
        {false, true, 0, 10, 2, true, 8, 10},
        {false, true, 0, 5, 6, true, 4, 5},
        {false, true, 0, 10, 0, false, 0, 10},
    };
    for (const Case& c : cases) {
        int lo = c.lo, hi = c.hi;
        EXPECT_EQ(EditClipRange(lo, hi, c.minRow, c.v, 10, c.mirrored), c.accepted) << c.v;
        EXPECT_EQ(lo, c.newLo) << c.minRow << c.mirrored << c.v;
        EXPECT_EQ(hi, c.newHi) << c.minRow << c.mirrored << c.v;
        // What the rows show is what was typed.
        if (c.accepted) {
            EXPECT_EQ(ShownClipBound(lo, hi, c.minRow, 10, c.mirrored), c.v);
        }
    }
}

TEST(TableAxesTest, RowsAndIntervalsMapBothWays)
{
    for (bool mirrored : {false, true})
        for (int row = 1; row <= 7; ++row) {
            EXPECT_EQ(RowOfInterval(IntervalOfRow(row, 7, mirrored), 7, mirrored), row);
            EXPECT_EQ(RowOfLine(LineOfRow(row, 7, mirrored), 7, mirrored), row);
        }
    EXPECT_EQ(IntervalOfRow(1, 7, true), 6);
    EXPECT_EQ(LineOfRow(1, 7, true), 7);
    EXPECT_EQ(NodeNumber(0), 1);
    EXPECT_EQ(LineOfNodeNumber(7), 3);
}

TEST(TableAxesTest, SelectionRunsAndSwitchingARun)
{
    std::vector<std::uint8_t> flags(11, 0);
    for (int i : {2, 3, 5})
        flags[static_cast<std::size_t>(i)] = kIntervalSelected;
    flags[4] = 4; // another bit of the line stays out of it
    const auto runs = SelectedRuns(flags, 10);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], std::make_pair(2, 3));
    EXPECT_EQ(runs[1], std::make_pair(5, 5));
    EXPECT_EQ(CountSelectedIntervals(flags, 10), 3);

    // Downward from 6 (not selected): 6 and 7.. up to the end turn on.
    ToggleIntervalRun(flags, 10, 6, +1);
    EXPECT_EQ(SelectedRuns(flags, 10).back(), std::make_pair(5, 9));
    // Upward from 3 (selected): 3 and 2 turn off, 1 was off already.
    ToggleIntervalRun(flags, 10, 3, -1);
    EXPECT_FALSE(IsIntervalSelected(flags, 2));
    EXPECT_FALSE(IsIntervalSelected(flags, 3));
    EXPECT_EQ(flags[4], 4);
    SelectIntervals(flags, 10, false);
    EXPECT_EQ(CountSelectedIntervals(flags, 10), 0);
    EXPECT_EQ(flags[4], 4);
}

TEST(BlockRowsTest, RowsOfAllBlocksOrOfOneColour)
{
    const std::vector<int> colours = {1, 2, 1, 3, 1};
    const auto colourOf = [&](int b) { return colours[static_cast<std::size_t>(b)]; };
    EXPECT_EQ(BlockFromRow(3, 5, false, 0, colourOf), 2);
    EXPECT_EQ(BlockFromRow(6, 5, false, 0, colourOf), -1);
    EXPECT_EQ(BlockFromRow(0, 5, false, 0, colourOf), -1);
    EXPECT_EQ(BlockFromRow(2, 5, true, 1, colourOf), 2);
    EXPECT_EQ(BlockFromRow(3, 5, true, 1, colourOf), 4);
    EXPECT_EQ(BlockFromRow(4, 5, true, 1, colourOf), -1);
    EXPECT_EQ(RowOfBlock(4, 5, true, 1, colourOf), 3);
    EXPECT_EQ(RowOfBlock(9, 5, false, 0, colourOf), 5); // clamped to the last block
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(RowOfBlock(BlockFromRow(row, 5, true, 1, colourOf), 5, true, 1, colourOf), row);
}

TEST(BlockRowsTest, BoundColumnsAsTypedAndShown)
{
    const int n[3] = {10, 10, 10};
    struct Case {
        BlockBox box;
        int bound, entered;
        bool rcl, accepted;
        BlockBox after;
    };
    const Case cases[] = {
        {{5, 7, 0, 1, 0, 1}, 1, 3, false, true, {2, 3, 0, 1, 0, 1}}, // Xmax below Xmin pushes it back
        {{1, 3, 0, 1, 0, 1}, 0, 5, false, true, {5, 6, 0, 1, 0, 1}}, // Xmin above Xmax pushes it on
        {{1, 3, 0, 1, 0, 1}, 0, 10, false, false, {1, 3, 0, 1, 0, 1}},
        {{1, 3, 0, 1, 0, 1}, 1, 0, false, false, {1, 3, 0, 1, 0, 1}},
        {{1, 3, 0, 1, 0, 1}, 3, 10, false, true, {1, 3, 0, 10, 0, 1}},
        // R/C/L: node numbers halved; the third axis from the top.
        {{1, 3, 0, 1, 0, 1}, 0, 7, true, true, {3, 4, 0, 1, 0, 1}},
        {{0, 1, 0, 1, 2, 4}, 4, 13, true, true, {0, 1, 0, 1, 2, 4}},  // Lmin 13: z2 = 10 - 6
        {{0, 1, 0, 1, 2, 4}, 4, 17, true, true, {0, 1, 0, 1, 1, 2}},  // z2 = 2 meets z1: z1 = 1
        {{0, 1, 0, 1, 2, 4}, 5, 9, true, true, {0, 1, 0, 1, 6, 7}},   // Lmax 9: z1 = 6, z2 pushed on
        {{0, 1, 0, 1, 2, 4}, 5, 21, true, true, {0, 1, 0, 1, 0, 4}},  // Lmax 21: z1 = 0
        {{0, 1, 0, 1, 2, 4}, 5, 23, true, false, {0, 1, 0, 1, 2, 4}}, // 11 lies past the axis
    };
    for (const Case& c : cases) {
        BlockBox box = c.box;
        EXPECT_EQ(EditBlockBound(box, c.bound, c.entered, n, c.rcl), c.accepted) << c.bound << " " << c.entered;
        EXPECT_EQ(box, c.after) << c.bound << " " << c.entered;
    }
    // z1 = 2, z2 = 4 on 10 intervals shows Lmin 13 and Lmax 17.
    const BlockBox box = {0, 1, 0, 1, 2, 4};
    EXPECT_EQ(ShownBlockBound(box, 4, 10, true), 13);
    EXPECT_EQ(ShownBlockBound(box, 5, 10, true), 17);
    EXPECT_EQ(ShownBlockBound(box, 0, 10, true), 1);
    EXPECT_EQ(ShownBlockBound(box, 5, 10, false), 4);
}

TEST(BlockRowsTest, SelectionRange)
{
    const auto range = [](std::vector<bool> selected) {
        return FindSelectionRange(static_cast<int>(selected.size()),
                                  [&](int b) { return selected[static_cast<std::size_t>(b)]; });
    };
    const SelectionRange none = range({false, false, false});
    EXPECT_TRUE(none.Empty());
    EXPECT_TRUE(none.contiguous);
    EXPECT_EQ(none.first, 3);
    const SelectionRange run = range({false, true, true, false});
    EXPECT_EQ(run.first, 1);
    EXPECT_EQ(run.last, 2);
    EXPECT_TRUE(run.contiguous);
    EXPECT_FALSE(range({true, false, true}).contiguous);
}

// The corners of a box turned by a rotation matrix, as the bounds of the box
// they span: the rule the transform must follow.
void RotatedByMatrix(const float in[6], int axis, int quarterTurns, float out[6])
{
    // One right-handed quarter turn about X: (x, y, z) -> (x, -z, y).
    int r[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int t = 0; t < quarterTurns; ++t) {
        int q[3][3] = {};
        const int a = (axis + 1) % 3, b = (axis + 2) % 3;
        q[axis][axis] = 1;
        q[b][a] = 1;
        q[a][b] = -1;
        int next[3][3] = {};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                for (int k = 0; k < 3; ++k)
                    next[i][j] += q[i][k] * r[k][j];
        std::copy(&next[0][0], &next[0][0] + 9, &r[0][0]);
    }
    for (int i = 0; i < 3; ++i) {
        out[2 * i] = 1e9f;
        out[2 * i + 1] = -1e9f;
    }
    for (int corner = 0; corner < 8; ++corner) {
        const float p[3] = {in[corner & 1], in[2 + ((corner >> 1) & 1)], in[4 + ((corner >> 2) & 1)]};
        for (int i = 0; i < 3; ++i) {
            float v = 0;
            for (int j = 0; j < 3; ++j)
                v += static_cast<float>(r[i][j]) * p[j];
            out[2 * i] = std::min(out[2 * i], v);
            out[2 * i + 1] = std::max(out[2 * i + 1], v);
        }
    }
}

TEST(BlockRowsTest, QuarterTurnsFollowTheRotationMatrices)
{
    const float box[6] = {0.5f, 1.25f, -0.75f, 2.0f, 1.0f, 3.5f};
    const float origin[3] = {0.25f, 0.5f, -1.0f};
    for (int axis = 0; axis < 3; ++axis)
        for (int angle = 0; angle < 3; ++angle) {
            TransformSettings s;
            s.type = 1;
            s.axis = axis;
            s.angle = angle;
            float c[6];
            std::copy(box, box + 6, c);
            EXPECT_TRUE(TransformBoxCoordinates(c, s, origin));
            float relative[6], expected[6];
            for (int k = 0; k < 6; ++k)
                relative[k] = box[k] - origin[k / 2];
            RotatedByMatrix(relative, axis, angle + 1, expected);
            for (int k = 0; k < 6; ++k)
                EXPECT_NEAR(c[k], expected[k] + origin[k / 2], 1e-6f) << axis << " " << angle << " " << k;
        }
}

TEST(BlockRowsTest, TranslationScalingAndFlatResults)
{
    const float origin[3] = {1, 0, 0};
    TransformSettings move;
    move.translation[0] = 0.25f;
    move.translation[2] = -0.0004f; // below half the length quantum: snapped away
    float c[6] = {1, 2, 0, 1, 0, 1};
    EXPECT_TRUE(TransformBoxCoordinates(c, move, origin));
    EXPECT_FLOAT_EQ(c[0], 1.25f);
    EXPECT_FLOAT_EQ(c[1], 2.25f);
    EXPECT_FLOAT_EQ(c[4], 0.0f);

    TransformSettings mirror;
    mirror.type = 2;
    mirror.scale[0] = -2; // about the origin x = 1: 1..2 becomes -1..1
    float m[6] = {1, 2, 0, 1, 0, 1};
    EXPECT_TRUE(TransformBoxCoordinates(m, mirror, origin));
    EXPECT_FLOAT_EQ(m[0], -1.0f);
    EXPECT_FLOAT_EQ(m[1], 1.0f);

    TransformSettings flat;
    flat.type = 2;
    flat.scale[1] = 0;
    float f[6] = {1, 2, 0, 1, 0, 1};
    EXPECT_FALSE(TransformBoxCoordinates(f, flat, origin));
}

TEST(GridSplitTest, AutoSplitCellsGradeTowardsTheInsideOfTheAxis)
{
    const AutoSplitSettings s{2.0f, 1.0f, 2.0f};
    // Small cells are cut by the mesh width.
    EXPECT_EQ(AutoSplitCell(1.5f, 0, 3, s), (std::vector<float>{1.0f, 0.5f}));
    // The first cell is fine at its upper line, the last at its lower one.
    EXPECT_EQ(AutoSplitCell(10, 0, 3, s), (std::vector<float>{3, 4, 2, 1}));
    EXPECT_EQ(AutoSplitCell(10, 2, 3, s), (std::vector<float>{1, 2, 4, 3}));
    // A middle cell is halved and graded from both ends to its middle.
    EXPECT_EQ(AutoSplitCell(6, 1, 3, s), (std::vector<float>{1, 2, 2, 1}));
    // The only cell of an axis is not graded.
    EXPECT_EQ(AutoSplitCell(10, 0, 1, s), (std::vector<float>{10}));
}

} // namespace
} // namespace kernels
