// Rebuilding an axis from coordinates, finding lines again, and the outline
// edge tests over a small cell grid.
#include "common/kernels/AxisLines.h"

#include "common/kernels/OutlineEdges.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(AxisLines, SnapsToTheLengthQuantumHalvesAwayFromZero)
{
    const double q = kernels::kLengthQuantum;
    EXPECT_DOUBLE_EQ(kernels::SnapToLengthQuantum(0.0126, q), 0.013);
    EXPECT_DOUBLE_EQ(kernels::SnapToLengthQuantum(-0.0126, q), -0.013);
    EXPECT_DOUBLE_EQ(kernels::SnapToLengthQuantum(0.0025, q), 0.003);
    EXPECT_DOUBLE_EQ(kernels::SnapToLengthQuantum(-0.0025, q), -0.003);
    EXPECT_DOUBLE_EQ(kernels::SnapToLengthQuantum(2.0, q), 2.0);
    // The block programs' quantum is one thousandth exactly.
    EXPECT_EQ(kernels::SnapToLengthQuantum(0.0126, q), 13.0 / 1000.0);
    // Another program's quantum: the resolution of its model.
    EXPECT_DOUBLE_EQ(kernels::SnapToLengthQuantum(0.126, 0.01), 0.13);
    EXPECT_DOUBLE_EQ(kernels::SnapToLengthQuantum(-0.125, 0.05), -0.15);
    EXPECT_DOUBLE_EQ(kernels::SnapToLengthQuantum(7.4, 0.5), 7.5);
}

TEST(AxisLines, RebuildsAnAxisFromDistinctCoordinates)
{
    std::vector<float> list = {5.5f, 2.0f, 3.0f, 2.0f, 5.5f, 4.0f};
    kernels::SortDistinctCoordinates(list);
    ASSERT_EQ(list, (std::vector<float>{2.0f, 3.0f, 4.0f, 5.5f}));
    std::vector<float> coords(3), widths(3);
    EXPECT_EQ(kernels::AxisFromSortedCoordinates(list, coords, widths), 2.0f);
    EXPECT_EQ(coords, (std::vector<float>{1.0f, 2.0f, 3.5f}));
    EXPECT_EQ(widths, (std::vector<float>{1.0f, 1.0f, 1.5f}));
}

TEST(AxisLines, FindsLinesExactlyAndByNearness)
{
    // Lines 0..4 at 0, 1, 2, 2 (a zero width) and 4.
    const std::vector<float> coords = {1.0f, 2.0f, 2.0f, 4.0f};
    struct Case {
        float c;
        int exact; // -1: none
        std::size_t nearest;
    } cases[] = {
        {0.0f, 0, 0},  {1.0f, 1, 1},  {2.0f, 2, 2},  {4.0f, 4, 4},   {0.5f, -1, 0}, // halfway: the lower line
        {3.0f, -1, 2}, // halfway between the equal lines 2, 3 and line 4
        {3.1f, -1, 4}, {1.4f, -1, 1}, {9.0f, -1, 4}, {-1.0f, -1, 0},
    };
    for (const Case& c : cases) {
        const auto exact = kernels::FindExactLine(coords, c.c);
        EXPECT_EQ(exact ? static_cast<int>(*exact) : -1, c.exact) << c.c;
        EXPECT_EQ(kernels::NearestLine(coords, c.c), c.nearest) << c.c;
    }
    EXPECT_EQ(kernels::NearestLine({}, 3.0f), 0u);
    EXPECT_FALSE(kernels::FindExactLine({}, 3.0f));
}

// A 3 x 3 x 1 grid of cells as a string, row by row along y.
struct Grid {
    const char* cells;
    int operator()(int i, int j, int k) const
    {
        if (i < 0 || j < 0 || k != 0 || i > 2 || j > 2)
            return -1;
        const char c = cells[j * 3 + i];
        return c == '.' ? -1 : c - '0';
    }
};

TEST(OutlineEdges, TellsCornersFromFlatFaces)
{
    // Edges along z from the line points (i, j, 0).
    // An L of colour 1 with colour 2 in its inner corner.
    const Grid grid{"11."
                    "12."
                    "..."};
    auto around = [&grid](std::uint16_t i, std::uint16_t j, int c[4]) {
        const std::uint16_t p[3] = {i, j, 0};
        kernels::CellsAroundEdge(2, p, grid, c);
    };
    int c[4];
    around(1, 1, c); // the inner corner of the L: three of colour 1
    EXPECT_EQ(std::vector<int>(c, c + 4), (std::vector<int>{1, 1, 2, 1}));
    EXPECT_TRUE(kernels::IsColourOutlineEdge(c, 1));
    EXPECT_TRUE(kernels::IsInterfaceOutlineEdge(c));
    around(1, 0, c); // between two colour-1 cells on the model's boundary
    EXPECT_FALSE(kernels::IsColourOutlineEdge(c, 1));
    EXPECT_FALSE(kernels::IsInterfaceOutlineEdge(c));
    around(2, 1, c); // a corner of the single cell of colour 2; the empty cells lie side by side
    EXPECT_EQ(std::vector<int>(c, c + 4), (std::vector<int>{1, -1, -1, 2}));
    EXPECT_TRUE(kernels::IsColourOutlineEdge(c, 2));
    EXPECT_FALSE(kernels::IsColourOutlineEdge(c, -1));

    const Grid diagonal{"1.."
                        ".1."
                        "..."};
    const std::uint16_t p[3] = {1, 1, 0};
    kernels::CellsAroundEdge(2, p, diagonal, c);
    EXPECT_TRUE(kernels::IsColourOutlineEdge(c, 1)); // two cells meeting at the edge only
    EXPECT_TRUE(kernels::IsInterfaceOutlineEdge(c));
}

} // namespace
