// Arrange Blocks against a brute-force painter: the new block list must paint
// the same colour into every cell as the old one, in both modes, in void mode
// and in hidden-colour mode, and a second run must change no cell either.
#include "common/kernels/ArrangeBlocks.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using kernels::ArrangeBlock;
using kernels::ArrangeBlocks;
using kernels::ArrangeRequest;
using kernels::ArrangeResult;
using kernels::ArrangeStatus;
using kernels::kArrangeJuxtaposition;
using kernels::kArrangeSuperposition;

using Cells = std::array<std::uint16_t, 3>;

} // namespace

namespace kernels {
// Readable failure messages.
void PrintTo(const ArrangeBlock& b, std::ostream* os)
{
    *os << "{" << int(b.colour) << ": " << b.x1 << "-" << b.x2 << " " << b.y1 << "-" << b.y2 << " " << b.z1
        << "-" << b.z2 << " f" << b.flags << "}";
}
} // namespace kernels

namespace {

struct Model {
    Cells cells;
    std::vector<ArrangeBlock> blocks;
};

ArrangeBlock Block(int colour, int x1, int x2, int y1, int y2, int z1, int z2)
{
    ArrangeBlock b;
    b.colour = static_cast<std::uint8_t>(colour);
    b.x1 = static_cast<std::uint16_t>(x1);
    b.x2 = static_cast<std::uint16_t>(x2);
    b.y1 = static_cast<std::uint16_t>(y1);
    b.y2 = static_cast<std::uint16_t>(y2);
    b.z1 = static_cast<std::uint16_t>(z1);
    b.z2 = static_cast<std::uint16_t>(z2);
    return b;
}

// Colour of every cell, -1 for void: each block in list order overwrites the
// cells x1..x2-1, y1..y2-1, z1..z2-1.
std::vector<int> Paint(const Cells& n, const std::vector<ArrangeBlock>& blocks)
{
    std::vector<int> raster(static_cast<std::size_t>(n[0]) * n[1] * n[2], -1);
    for (const ArrangeBlock& b : blocks)
        for (int x = b.x1; x < b.x2; ++x)
            for (int y = b.y1; y < b.y2; ++y)
                for (int z = b.z1; z < b.z2; ++z)
                    raster[(static_cast<std::size_t>(x) * n[1] + y) * n[2] + z] = b.colour;
    return raster;
}

ArrangeResult Arrange(const Model& m, int mode)
{
    ArrangeRequest r;
    r.cells = m.cells;
    r.blocks = m.blocks;
    r.mode = mode;
    return ArrangeBlocks(r);
}

bool Overlap(const ArrangeBlock& a, const ArrangeBlock& b)
{
    return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2 && a.z1 < b.z2 && b.z1 < a.z2;
}

// Blocks that a sound arrangement writes: flags 0, not empty, inside the grid.
void ExpectWellFormed(const Cells& n, const std::vector<ArrangeBlock>& blocks, std::size_t from = 0)
{
    for (std::size_t i = from; i < blocks.size(); ++i) {
        const ArrangeBlock& b = blocks[i];
        EXPECT_EQ(b.flags, 0u);
        EXPECT_TRUE(b.x1 < b.x2 && b.y1 < b.y2 && b.z1 < b.z2) << "block " << i;
        EXPECT_TRUE(b.x2 <= n[0] && b.y2 <= n[1] && b.z2 <= n[2]) << "block " << i;
    }
}

void ExpectNoOverlap(const std::vector<ArrangeBlock>& blocks)
{
    for (std::size_t i = 0; i < blocks.size(); ++i)
        for (std::size_t j = i + 1; j < blocks.size(); ++j)
            EXPECT_FALSE(Overlap(blocks[i], blocks[j])) << "blocks " << i << " and " << j;
}

// Random models: up to 9 cells per axis, up to 30 blocks in a few colours, many
// of them overlapping, some empty (x1 = x2) and a few large ones.
Model RandomModel(std::mt19937& rng)
{
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Model m;
    for (auto& n : m.cells)
        n = static_cast<std::uint16_t>(uniform(1, 9));
    const int colours = uniform(1, 4);
    const int count = uniform(0, 30);
    for (int i = 0; i < count; ++i) {
        std::array<int, 6> b{};
        for (int a = 0; a < 3; ++a) {
            const int n = m.cells[a];
            int lo = uniform(0, n);
            int hi = uniform(0, n);
            if (lo > hi)
                std::swap(lo, hi);
            if (lo == hi && uniform(0, 5) != 0)
                hi = lo < n ? lo + 1 : lo, lo = hi - 1;
            b[2 * a] = lo;
            b[2 * a + 1] = hi;
        }
        m.blocks.push_back(Block(uniform(0, colours - 1) * 7 + 1, b[0], b[1], b[2], b[3], b[4], b[5]));
    }
    return m;
}

class ArrangeRandom : public ::testing::TestWithParam<int> {};

TEST_P(ArrangeRandom, SameRasterAlsoOnSecondRun)
{
    const int mode = GetParam();
    std::mt19937 rng(12345u + static_cast<unsigned>(mode));
    for (int trial = 0; trial < 400; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const Model m = RandomModel(rng);
        const ArrangeResult first = Arrange(m, mode);
        ASSERT_EQ(first.status, ArrangeStatus::Ok);
        ExpectWellFormed(m.cells, first.blocks);
        ASSERT_EQ(Paint(m.cells, first.blocks), Paint(m.cells, m.blocks));
        if (mode == kArrangeJuxtaposition)
            ExpectNoOverlap(first.blocks);

        // The compaction follows the block bounds, so a second run may pick
        // other boxes; it never changes a cell.
        const ArrangeResult second = Arrange({m.cells, first.blocks}, mode);
        ASSERT_EQ(second.status, ArrangeStatus::Ok);
        EXPECT_EQ(Paint(m.cells, second.blocks), Paint(m.cells, m.blocks));
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, ArrangeRandom,
                         ::testing::Values(kArrangeSuperposition, kArrangeJuxtaposition),
                         [](const auto& info) {
                             return info.param == kArrangeSuperposition ? "Superposition" : "Juxtaposition";
                         });

TEST(ArrangeBlocks, HiddenColoursDisappear)
{
    std::mt19937 rng(777u);
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const Model m = RandomModel(rng);
        ArrangeRequest r;
        r.cells = m.cells;
        r.blocks = m.blocks;
        r.hiddenMode = true;
        for (int c = 0; c < 256; ++c)
            r.shown[c] = rng() % 2 == 0;
        const ArrangeResult result = ArrangeBlocks(r);
        ASSERT_EQ(result.status, ArrangeStatus::Ok);
        ExpectWellFormed(m.cells, result.blocks);
        std::vector<int> expected = Paint(m.cells, m.blocks);
        for (int& c : expected)
            if (c >= 0 && !r.shown[c])
                c = -1;
        EXPECT_EQ(Paint(m.cells, result.blocks), expected);
    }
}

TEST(ArrangeBlocks, VoidModeKeepsBlocksAndFillsEveryVoidCell)
{
    std::mt19937 rng(4242u);
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const Model m = RandomModel(rng);
        ArrangeRequest r;
        r.cells = m.cells;
        r.blocks = m.blocks;
        r.voidMode = true;
        r.voidColour = 200;
        const ArrangeResult result = ArrangeBlocks(r);
        ASSERT_EQ(result.status, ArrangeStatus::Ok);
        ASSERT_GE(result.blocks.size(), m.blocks.size());
        EXPECT_TRUE(std::equal(m.blocks.begin(), m.blocks.end(), result.blocks.begin()));
        ExpectWellFormed(m.cells, result.blocks, m.blocks.size());
        for (std::size_t i = m.blocks.size(); i < result.blocks.size(); ++i)
            EXPECT_EQ(result.blocks[i].colour, 200);
        std::vector<int> expected = Paint(m.cells, m.blocks);
        for (int& c : expected)
            if (c < 0)
                c = 200;
        EXPECT_EQ(Paint(m.cells, result.blocks), expected);
    }
}

TEST(ArrangeBlocks, VoidNextToOuterFacesBecomesBlocks)
{
    // One block in the middle of a 4 x 4 x 4 grid: the void shell around it
    // reaches every outer face.
    const Model m{{4, 4, 4}, {Block(3, 1, 3, 1, 3, 1, 3)}};
    ArrangeRequest r;
    r.cells = m.cells;
    r.blocks = m.blocks;
    r.voidMode = true;
    r.voidColour = 9;
    const ArrangeResult result = ArrangeBlocks(r);
    ASSERT_EQ(result.status, ArrangeStatus::Ok);
    ASSERT_GT(result.blocks.size(), 1u);
    EXPECT_EQ(result.blocks[0], m.blocks[0]);
    std::vector<int> expected(64, 9);
    for (int x = 1; x < 3; ++x)
        for (int y = 1; y < 3; ++y)
            for (int z = 1; z < 3; ++z)
                expected[(x * 4 + y) * 4 + z] = 3;
    EXPECT_EQ(Paint(m.cells, result.blocks), expected);

    // A model without blocks becomes one void block over the whole grid.
    ArrangeRequest empty;
    empty.cells = {3, 2, 5};
    empty.voidMode = true;
    empty.voidColour = 4;
    const ArrangeResult whole = ArrangeBlocks(empty);
    ASSERT_EQ(whole.status, ArrangeStatus::Ok);
    EXPECT_EQ(whole.blocks, std::vector<ArrangeBlock>{Block(4, 0, 3, 0, 2, 0, 5)});
}

void ExpectArranged(const char* name, const Model& m, int mode, const std::vector<ArrangeBlock>& expected)
{
    SCOPED_TRACE(name);
    const ArrangeResult r = Arrange(m, mode);
    ASSERT_EQ(r.status, ArrangeStatus::Ok);
    EXPECT_EQ(r.blocks, expected);
}

TEST(ArrangeBlocks, SmallModels)
{
    const ArrangeBlock a = Block(2, 0, 2, 0, 1, 0, 1);
    const ArrangeBlock b = Block(5, 2, 6, 0, 3, 0, 2);
    const ArrangeBlock c = Block(1, 0, 2, 1, 3, 0, 2);
    const ArrangeBlock cube = Block(1, 0, 6, 0, 6, 0, 6);
    const ArrangeBlock inclusion = Block(4, 2, 4, 1, 3, 3, 5);
    const ArrangeBlock box = Block(7, 0, 4, 0, 2, 0, 3);
    ExpectArranged("distinct boxes, juxtaposition sorts by colour", {{6, 3, 2}, {a, b, c}},
                   kArrangeJuxtaposition, {c, a, b});
    ExpectArranged("distinct boxes, superposition", {{6, 3, 2}, {a, b, c}}, kArrangeSuperposition, {b, c, a});
    ExpectArranged("cube with inclusion", {{6, 6, 6}, {cube, inclusion}}, kArrangeSuperposition,
                   {cube, inclusion});
    ExpectArranged("cube painted over its inclusion", {{6, 6, 6}, {inclusion, cube, inclusion}},
                   kArrangeSuperposition, {cube, inclusion});
    ExpectArranged("touching halves of a box",
                   {{4, 2, 3}, {Block(7, 0, 1, 0, 2, 0, 3), Block(7, 1, 4, 0, 2, 0, 3)}},
                   kArrangeJuxtaposition, {box});
    ExpectArranged("overlapping halves of a box",
                   {{4, 2, 3}, {Block(7, 0, 3, 0, 2, 0, 3), Block(7, 1, 4, 0, 2, 0, 3)}},
                   kArrangeSuperposition, {box});
    ExpectArranged("empty list", {{3, 3, 3}, {}}, kArrangeSuperposition, {});
    ExpectArranged("empty list, juxtaposition", {{3, 3, 3}, {}}, kArrangeJuxtaposition, {});
    ExpectArranged("only a block without cells", {{3, 3, 3}, {Block(1, 2, 2, 0, 3, 0, 3)}},
                   kArrangeSuperposition, {});
}

TEST(ArrangeBlocks, CubeWithInclusionInJuxtapositionSurroundsIt)
{
    const Model m{{6, 6, 6}, {Block(1, 0, 6, 0, 6, 0, 6), Block(4, 2, 4, 1, 3, 3, 5)}};
    const ArrangeResult r = Arrange(m, kArrangeJuxtaposition);
    ASSERT_EQ(r.status, ArrangeStatus::Ok);
    ExpectNoOverlap(r.blocks);
    EXPECT_EQ(Paint(m.cells, r.blocks), Paint(m.cells, m.blocks));
    ASSERT_GT(r.blocks.size(), 2u);
    EXPECT_EQ(r.blocks[0].colour, 1);
    EXPECT_EQ(r.blocks.back(), m.blocks[1]);
    for (std::size_t i = 0; i + 1 < r.blocks.size(); ++i)
        EXPECT_EQ(r.blocks[i].colour, 1);
}

TEST(ArrangeBlocks, RefusesBlocksBeyondTheGrid)
{
    const Model m{{3, 3, 3}, {Block(1, 0, 3, 0, 3, 0, 3), Block(2, 1, 2, 0, 4, 0, 1)}};
    for (const int mode : {kArrangeSuperposition, kArrangeJuxtaposition}) {
        const ArrangeResult r = Arrange(m, mode);
        EXPECT_EQ(r.status, ArrangeStatus::BlockOutsideGrid);
        EXPECT_TRUE(r.blocks.empty());
    }
}

TEST(ArrangeBlocks, RefusesMoreBlocksThanA16BitCount)
{
    // A 41^3 checkerboard: no two cells of a colour share a face, so every one
    // of the 68921 cells needs a block of its own.
    const int n = 41;
    Model m{{n, n, n}, {Block(1, 0, n, 0, n, 0, n)}};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            for (int z = 0; z < n; ++z)
                if ((x + y + z) % 2 == 1)
                    m.blocks.push_back(Block(2, x, x + 1, y, y + 1, z, z + 1));
    for (const int mode : {kArrangeSuperposition, kArrangeJuxtaposition}) {
        const ArrangeResult r = Arrange(m, mode);
        EXPECT_EQ(r.status, ArrangeStatus::TooManyBlocks);
        EXPECT_TRUE(r.blocks.empty());
    }

    // Void mode counts the kept blocks: a full list leaves no room for one more.
    std::vector<ArrangeBlock> full(kernels::kArrangeMaxBlocks, Block(1, 0, 1, 0, 1, 0, 1));
    ArrangeRequest r;
    r.cells = {2, 1, 1};
    r.blocks = full;
    r.voidMode = true;
    EXPECT_EQ(ArrangeBlocks(r).status, ArrangeStatus::TooManyBlocks);
    full.pop_back();
    r.blocks = full;
    const ArrangeResult fits = ArrangeBlocks(r);
    ASSERT_EQ(fits.status, ArrangeStatus::Ok);
    EXPECT_EQ(fits.blocks.size(), kernels::kArrangeMaxBlocks);
    EXPECT_EQ(fits.blocks.back(), Block(0, 1, 2, 0, 1, 0, 1));
}

} // namespace
