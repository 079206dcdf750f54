// The region fill of Split Zones: one face-connected region of a colour,
// its box, and void cells never taken for colour 255.
#include "common/kernels/FloodFill.h"

#include <gtest/gtest.h>

namespace kernels {
namespace {

TEST(FloodFill, RecoloursOneFaceConnectedRegionAndGivesItsBox)
{
    // 4 x 3 x 2 cells of colour 255; a wall of colour 2 at i = 1 splits them,
    // and the cells at i = 3 with j = 2 are void.
    const int n[3] = {4, 3, 2};
    std::vector<std::uint16_t> cells(24, 255);
    auto at = [&](int i, int j, int k) -> std::uint16_t& { return cells[std::size_t(i + 4 * j + 12 * k)]; };
    for (int j = 0; j < 3; ++j)
        for (int k = 0; k < 2; ++k)
            at(1, j, k) = 2;
    at(3, 2, 0) = at(3, 2, 1) = 0xFFFF;
    std::vector<std::uint8_t> visited;
    std::vector<std::int64_t> stack;
    CellBoxIndices box;
    ASSERT_TRUE(FloodFillColourRegion(cells, n, {2, 0, 0}, 255, 9, visited, stack, box));
    for (int j = 0; j < 3; ++j)
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(at(0, j, k), 255);
            EXPECT_EQ(at(2, j, k), 9);
            EXPECT_EQ(at(3, j, k), j == 2 ? 0xFFFF : 9) << j << " " << k;
        }
    EXPECT_EQ(box.lo, (std::array<int, 3>{2, 0, 0}));
    EXPECT_EQ(box.hi, (std::array<int, 3>{3, 2, 1}));
    EXPECT_EQ(visited[std::size_t(2 + 4 * 2 + 12)], 1);
    EXPECT_EQ(visited[0], 0);

    // A start outside the grid changes nothing.
    const std::vector<std::uint16_t> before = cells;
    EXPECT_FALSE(FloodFillColourRegion(cells, n, {4, 0, 0}, 255, 7, visited, stack, box));
    EXPECT_FALSE(FloodFillColourRegion(cells, n, {0, -1, 0}, 255, 7, visited, stack, box));
    EXPECT_EQ(cells, before);
}

} // namespace
} // namespace kernels
