// Block operations: clip tests, mirroring, Revolve 90 degrees against a
// brute-force corner painter, Reduce to Clip, rebuilding a colour's blocks
// from its cells, block size texts and the progress-window calls.
#include "gelmar/model/editing/BlockOperations.h"

#include "EditFixture.h"

#include <random>

namespace gelmar::test {
namespace {

using BlockOperationsTest = EditEngineTest;

TEST_F(BlockOperationsTest, TouchingTheClipBoxIsOutsideUnlessInclusive)
{
    SetUnitGrid(10, 10, 10);
    engine.model.clipLo[0] = 3, engine.model.clipHi[0] = 7;
    engine.model.clipLo[2] = 2;
    Block(1, 1, 3, 0, 10, 0, 10); // ends on the clip box's lower x line
    Block(1, 1, 9, 2, 4, 1, 3);
    std::uint16_t range[6] = {};
    EXPECT_EQ(ClipBlockRange(engine.model, 0, range), 0);
    EXPECT_EQ(ClipBlockRangeInclusive(engine.model, 0, range), 1);
    EXPECT_EQ(range[0], 3);
    EXPECT_EQ(range[1], 3);
    EXPECT_EQ(ClipBlockRange(engine.model, 1, range), 1);
    const std::uint16_t clamped[6] = {3, 7, 2, 4, 2, 3};
    EXPECT_TRUE(std::equal(clamped, clamped + 6, range));

    ComputeClipCoordinates(engine.model);
    EXPECT_FLOAT_EQ(engine.model.clipCoord[0], 3);
    EXPECT_FLOAT_EQ(engine.model.clipCoord[1], 7);
    EXPECT_FLOAT_EQ(engine.model.clipCoord[5], 10);

    ReduceBlocksToClip(engine.model);
    EXPECT_EQ(engine.model.blocks[0].x1, 3);
    EXPECT_EQ(engine.model.blocks[0].x2, 3);
    EXPECT_EQ(engine.model.blocks[1].x2, 7);
    EXPECT_EQ(engine.model.blocks[1].z1, 2);
}

TEST_F(BlockOperationsTest, ReversingTwiceRestoresBlocksAndWidths)
{
    SetGrid({1, 2, 3, 4}, {1, 2}, {5});
    Block(1, 0, 1, 0, 2, 0, 1);
    Block(2, 1, 4, 1, 2, 0, 1);
    const std::vector<int> before = Paint();
    const std::vector<BlockRecord> blocks(engine.model.blocks.data.begin(),
                                          engine.model.blocks.data.begin() + 2);
    ReverseGridX(engine.model);
    EXPECT_EQ(engine.model.axes[0].widths[0], 4);
    EXPECT_EQ(engine.model.blocks[0].x1, 3);
    EXPECT_EQ(engine.model.blocks[0].x2, 4);
    EXPECT_FLOAT_EQ(engine.model.axes[0].coords[3], 10);
    ReverseGridX(engine.model);
    ReverseGridY(engine.model);
    ReverseGridY(engine.model);
    EXPECT_TRUE(std::equal(blocks.begin(), blocks.end(), engine.model.blocks.data.begin()));
    EXPECT_EQ(Paint(), before);
    EXPECT_EQ(engine.model.axes[0].widths[1], 2);
}

TEST_F(BlockOperationsTest, RevolveOfTheWorkedExample)
{
    // Thin in x, revolved about Y: x takes z's widths.
    SetGrid({1}, {1, 1}, {0.5f, 1, 2, 3, 4, 5});
    Block(1, 0, 1, 0, 2, 2, 5);
    Block(2, 0, 1, 0, 1, 0, 3);
    ASSERT_TRUE(RevolveModel90(engine.model, engine.run, Host(), 1, false, false, false));
    EXPECT_EQ(engine.model.axes[0].n, 6);
    EXPECT_FLOAT_EQ(engine.model.axes[0].widths[5], 5);
    ASSERT_EQ(engine.model.blocks.count, 3);
    const BlockRecord& a = engine.model.blocks[0];
    const BlockRecord& b = engine.model.blocks[1];
    const BlockRecord& c = engine.model.blocks[2];
    EXPECT_EQ((std::array<int, 4>{a.x1, a.x2, a.z1, a.z2}), (std::array<int, 4>{0, 5, 2, 5}));
    EXPECT_EQ((std::array<int, 4>{b.x1, b.x2, b.z1, b.z2}), (std::array<int, 4>{2, 5, 0, 2}));
    // The block from z 0 keeps only its first leg.
    EXPECT_EQ((std::array<int, 5>{c.colour, c.x1, c.x2, c.z1, c.z2}), (std::array<int, 5>{2, 0, 3, 0, 3}));
    EXPECT_EQ(engine.model.clipHi[0], 6);
    EXPECT_FLOAT_EQ(engine.model.extent[0], 15.5f);
}

// Every (thin axis, axis of revolution, reverse flags) on a random section,
// against the corner painted cell by cell: the cell at distance s along the
// third axis d and r along the thin axis t takes the section's colour at
// max(r, s), counted from the corner.
TEST_F(BlockOperationsTest, RevolveMatchesTheCornerPaintedCellByCell)
{
    std::mt19937 rng(5);
    for (int t = 0; t < 3; ++t)
        for (int a = 0; a < 3; ++a) {
            if (a == t)
                continue;
            const int d = 3 - t - a;
            for (int flags = 0; flags < 8; ++flags) {
                SCOPED_TRACE(testing::Message() << "t " << t << " a " << a << " flags " << flags);
                engine.model.blocks.count = 0;
                int n[3];
                n[t] = 1, n[a] = 3, n[d] = 5;
                SetUnitGrid(n[0], n[1], n[2]);
                for (int b = 0; b < 6; ++b) {
                    int lo[3], hi[3];
                    for (int k = 0; k < 3; ++k) {
                        lo[k] = static_cast<int>(rng() % static_cast<unsigned>(n[k]));
                        hi[k] = lo[k] + 1 + static_cast<int>(rng() % static_cast<unsigned>(n[k] - lo[k]));
                    }
                    Block(1 + b, lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
                }
                const std::vector<int> section = Paint();
                const bool rev[3] = {(flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0};
                ASSERT_TRUE(RevolveModel90(engine.model, engine.run, Host(), a, rev[0], rev[1], rev[2]));

                int m[3] = {n[0], n[1], n[2]};
                m[t] = n[d];
                ASSERT_EQ(engine.model.axes[t].n, m[t]);
                std::vector<int> expected(static_cast<std::size_t>(m[0] * m[1] * m[2]));
                for (int z = 0; z < m[2]; ++z)
                    for (int y = 0; y < m[1]; ++y)
                        for (int x = 0; x < m[0]; ++x) {
                            const int p[3] = {x, y, z};
                            const int r = rev[t] ? m[t] - 1 - p[t] : p[t];
                            const int s = rev[d] ? n[d] - 1 - p[d] : p[d];
                            const int k = std::max(r, s);
                            int q[3] = {x, y, z};
                            q[t] = 0;
                            q[d] = rev[d] ? n[d] - 1 - k : k;
                            expected[static_cast<std::size_t>(x + m[0] * (y + m[1] * z))] =
                                section[static_cast<std::size_t>(q[0] + n[0] * (q[1] + n[1] * q[2]))];
                        }
                EXPECT_EQ(Paint(), expected);
            }
        }
}

TEST_F(BlockOperationsTest, RevolveWithoutAThinAxisOnlyDropsEmptyBlocks)
{
    SetUnitGrid(2, 2, 2);
    Block(1, 0, 2, 0, 2, 0, 2);
    Block(2, 1, 1, 0, 2, 0, 2);
    ASSERT_TRUE(RevolveModel90(engine.model, engine.run, Host(), 1, false, false, false));
    EXPECT_EQ(engine.model.blocks.count, 1);
    EXPECT_EQ(engine.model.axes[0].n, 2);
}

TEST_F(BlockOperationsTest, RevolvePastThe16BitBlockCountIsRefused)
{
    // 40,000 blocks whose both legs are non-empty would double to 80,000.
    SetUnitGrid(1, 200, 200);
    for (int b = 0; b < 40000; ++b)
        Block(1, 0, 1, b % 200, b % 200 + 1, 1 + b / 200 % 199, 200);
    const std::vector<int> before = Paint();
    EXPECT_FALSE(RevolveModel90(engine.model, engine.run, Host(), 1, false, false, false));
    EXPECT_EQ(recorder.messages.back(), kTooManyBlocks);
    EXPECT_EQ(engine.model.blocks.count, 40000);
    EXPECT_EQ(engine.model.axes[0].n, 1);
    EXPECT_EQ(Paint(), before);
}

// The rebuilt blocks cover exactly the colour's cells, without overlap.
TEST_F(BlockOperationsTest, BlocksRebuiltFromColourCellsCoverThemExactly)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 20; ++round) {
        engine.model.blocks.count = 0;
        SetUnitGrid(6, 5, 4);
        for (int b = 0; b < 12; ++b) {
            const int x = static_cast<int>(rng() % 6), y = static_cast<int>(rng() % 5),
                      z = static_cast<int>(rng() % 4);
            Block(static_cast<int>(rng() % 2), x, x + 1 + static_cast<int>(rng() % (6 - x)), y,
                  y + 1 + static_cast<int>(rng() % (5 - y)), z, z + 1 + static_cast<int>(rng() % (4 - z)));
        }
        const std::vector<int> cells = Paint();
        const CellRaster raster = RasteriseModel(engine.model);
        std::uint16_t* box = engine.model.colours[1].cellBox;
        box[0] = box[2] = box[4] = 0xFFFF;
        box[1] = box[3] = box[5] = 0;
        for (int z = 0; z < 4; ++z)
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 6; ++x)
                    if (cells[static_cast<std::size_t>(x + 6 * (y + 5 * z))] == 1) {
                        const int p[3] = {x, y, z};
                        for (int k = 0; k < 3; ++k) {
                            box[2 * k] =
                                std::min<std::uint16_t>(box[2 * k], static_cast<std::uint16_t>(p[k]));
                            box[2 * k + 1] =
                                std::max<std::uint16_t>(box[2 * k + 1], static_cast<std::uint16_t>(p[k]));
                        }
                    }
        const std::size_t first = engine.model.blocks.count;
        std::vector<std::int32_t> cover;
        ASSERT_TRUE(BuildBlocksFromColourCells(engine.model, Host(), 1, raster, cover));
        std::vector<int> covered(cells.size(), 0);
        for (std::size_t b = first; b < engine.model.blocks.count; ++b) {
            const BlockRecord& r = engine.model.blocks[b];
            EXPECT_EQ(r.colour, 1);
            for (int z = r.z1; z < r.z2; ++z)
                for (int y = r.y1; y < r.y2; ++y)
                    for (int x = r.x1; x < r.x2; ++x)
                        ++covered[static_cast<std::size_t>(x + 6 * (y + 5 * z))];
        }
        for (std::size_t c = 0; c < cells.size(); ++c)
            EXPECT_EQ(covered[c], cells[c] == 1 ? 1 : 0) << "cell " << c;
    }
}

TEST_F(BlockOperationsTest, GreedyBoxesInScanOrder)
{
    // An L of colour 3 in the x-y plane: the first box grows along x, then y.
    SetUnitGrid(3, 2, 1);
    Block(3, 0, 3, 0, 1, 0, 1);
    Block(3, 0, 1, 1, 2, 0, 1);
    engine.model.colours[3].cellBox[1] = 2;
    engine.model.colours[3].cellBox[3] = 1;
    std::vector<std::int32_t> cover;
    engine.model.blocks.count = 2;
    const CellRaster raster = RasteriseModel(engine.model);
    ASSERT_TRUE(BuildBlocksFromColourCells(engine.model, Host(), 3, raster, cover));
    ASSERT_EQ(engine.model.blocks.count, 4);
    // Scanning x outermost, the cell (0,0) grows along x to 3, then no row qualifies.
    EXPECT_EQ((std::array<int, 4>{engine.model.blocks[2].x1, engine.model.blocks[2].x2,
                                  engine.model.blocks[2].y1, engine.model.blocks[2].y2}),
              (std::array<int, 4>{0, 3, 0, 1}));
    EXPECT_EQ((std::array<int, 4>{engine.model.blocks[3].x1, engine.model.blocks[3].x2,
                                  engine.model.blocks[3].y1, engine.model.blocks[3].y2}),
              (std::array<int, 4>{0, 1, 1, 2}));
}

TEST_F(BlockOperationsTest, RebuildingStopsAtThe16BitBlockCount)
{
    // A checkerboard needs one block per cell of the colour: four, with room for two.
    SetUnitGrid(2, 2, 2);
    for (int i = 0; i < 8; ++i)
        if ((i ^ (i >> 1) ^ (i >> 2)) & 1)
            Block(4, i & 1, (i & 1) + 1, i >> 1 & 1, (i >> 1 & 1) + 1, i >> 2, (i >> 2) + 1);
    const CellRaster raster = RasteriseModel(engine.model);
    ASSERT_TRUE(GrowBlockArray(engine.model, kMaxCount16));
    engine.model.blocks.count = static_cast<std::uint16_t>(kMaxCount16 - 2);
    engine.model.colours[4].cellBox[1] = engine.model.colours[4].cellBox[3] =
        engine.model.colours[4].cellBox[5] = 1;
    std::vector<std::int32_t> cover;
    EXPECT_FALSE(BuildBlocksFromColourCells(engine.model, Host(), 4, raster, cover));
    EXPECT_EQ(recorder.messages.back(), kTooManyBlocks);
    EXPECT_EQ(engine.model.blocks.count, kMaxCount16);
}

TEST_F(BlockOperationsTest, SizeTextChoosesTheUnitPerAxis)
{
    SetGrid({1.2f}, {0.005f}, {0.1f, 0.2f});
    Block(1, 0, 1, 0, 1, 0, 2);
    EXPECT_EQ(FormatBlockSizeText(engine.model, 0), "1.2 m x 5 mm x 0.3 m");
    engine.model.gridUnit = 0.001f;
    EXPECT_EQ(FormatBlockSizeText(engine.model, 0), "1.2 mm x 0.005 mm x 0.3 mm");
}

TEST_F(BlockOperationsTest, RunnersAskTheHostForTheirProgressWindows)
{
    RunCalculationDialog(engine.model, engine.run, Host());
    RunViewFactorDialog(engine.model, engine.run, Host());
    RunSolarFluxDialog(engine.model, engine.run, Host());
    EXPECT_EQ(recorder.windows,
              (std::vector<ProgressWindow>{ProgressWindow::Calculation, ProgressWindow::ViewFactors,
                                           ProgressWindow::SolarFluxes}));
}

} // namespace
} // namespace gelmar::test
