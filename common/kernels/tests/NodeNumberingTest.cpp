// Node numbering over explicit data: which entry numbers a point when two
// claim it, the line of a node BC across a single-cell axis, entries outside
// the grid, and the links of the grid neighbours.
#include "common/kernels/NodeNumbering.h"

#include <gtest/gtest.h>
#include <set>

namespace kernels {
namespace {

std::array<int, 256> Types()
{
    std::array<int, 256> t{};
    t.fill(kMaterial);
    t[5] = kBcSimple;
    return t;
}

TEST(NodeNumbering, FirstEntryWinsUnlessLaterNodeBcsOverride)
{
    // 2 x 2 x 2 cells of colour 1 with a boundary cell of colour 5.
    std::vector<std::uint16_t> cells(8, 1);
    cells[7] = 5;
    const CellGrid grid{2, 2, 2, cells};
    const std::array<int, 256> types = Types();
    const std::vector<NodeBcEntry> nodeBcs = {
        {true, 1, 1, 1}, {false, 0, 0, 0}, {true, 1, 1, 1}, {true, 9, 0, 0} /* outside: numbers nothing */};
    const std::vector<BorderBcEntry> borderBcs = {{true, 1, 5}};
    const std::vector<MaterialBcEntry> materialBcs = {{true, 1}};
    struct Case {
        bool override;
        std::int32_t centre;
    };
    for (const Case c : {Case{false, -2}, Case{true, -4}}) {
        std::vector<std::int32_t> index(27, -1);
        const Index unknowns =
            NumberGridNodes(grid, types, {nodeBcs, borderBcs, materialBcs, c.override}, index);
        const NodeGrid nodes{2, 2, 2, index};
        EXPECT_EQ(nodes.At(1, 1, 1), c.centre);
        // The border BC (number -6) takes the points between colours 1 and
        // 5 that no node BC took; the material BC (-7) every other point.
        EXPECT_EQ(nodes.At(2, 2, 1), -6);
        EXPECT_EQ(nodes.At(1, 2, 2), -6);
        EXPECT_EQ(nodes.At(0, 0, 0), -7);
        EXPECT_EQ(nodes.At(2, 2, 2), -1); // only colour 5 around it
        EXPECT_EQ(unknowns, 0);
        EXPECT_EQ(nodes.At(3, 0, 0), -1);
    }
}

TEST(NodeNumbering, NodeBcAcrossASingleCellAxisAndUnknownOrder)
{
    std::vector<std::uint16_t> cells(2, 1);
    const CellGrid grid{2, 1, 1, cells}; // one cell along y and z: z is the thin axis
    const std::vector<NodeBcEntry> nodeBcs = {{true, 0, 0, 7}};
    std::vector<std::int32_t> index(3 * 2 * 2, -1);
    const Index unknowns = NumberGridNodes(grid, Types(), {nodeBcs, {}, {}, false}, index);
    const NodeGrid nodes{2, 1, 1, index};
    EXPECT_EQ(nodes.At(0, 0, 0), -2);
    EXPECT_EQ(nodes.At(0, 0, 1), -2);
    EXPECT_EQ(unknowns, 10);
    // i outermost, k innermost.
    EXPECT_EQ(nodes.At(0, 1, 0), 0);
    EXPECT_EQ(nodes.At(0, 1, 1), 1);
    EXPECT_EQ(nodes.At(1, 0, 0), 2);
    EXPECT_EQ(nodes.At(2, 1, 1), 9);

    std::set<std::pair<Index, Index>> links;
    ForEachGridNeighbourLink(
        nodes, [&](Index a, Index b) { EXPECT_TRUE(links.insert({a, b}).second); }, {});
    // Each pair of axis neighbours that are both unknowns, once.
    for (const auto& [a, b] : links)
        EXPECT_LT(a, b);
    std::size_t pairs = 0;
    for (int i = 0; i <= 2; ++i)
        for (int j = 0; j <= 1; ++j)
            for (int k = 0; k <= 1; ++k) {
                const int steps[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
                for (const auto& s : steps) {
                    const std::int32_t a = nodes.At(i, j, k), b = nodes.At(i + s[0], j + s[1], k + s[2]);
                    pairs += a >= 0 && b >= 0;
                }
            }
    EXPECT_EQ(links.size(), pairs);
}

} // namespace
} // namespace kernels
