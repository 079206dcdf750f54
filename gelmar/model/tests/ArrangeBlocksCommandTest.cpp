// Arrange Blocks on the store: random block models keep every cell's colour
// (compared with the cells painted before), in both modes and again on a
// second run; the void and hidden-colour flags reach the arrangement; a
// refusal leaves the blocks as they were and says why.
#include "gelmar/model/editing/ArrangeBlocksCommand.h"

#include "EditFixture.h"
#include "common/kernels/ArrangeBlocks.h"
#include "gelmar/model/editing/BlockOperations.h"

#include <random>

namespace gelmar::test {
namespace {

using ArrangeCommandTest = EditEngineTest;

std::vector<BlockRecord> Blocks(const ModelStore& m)
{
    return {m.blocks.data.begin(), m.blocks.data.begin() + m.blocks.count};
}

bool Overlap(const BlockRecord& a, const BlockRecord& b)
{
    return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2 && a.z1 < b.z2 && b.z1 < a.z2;
}

TEST_F(ArrangeCommandTest, RandomModelsKeepEveryCellInBothModesAndOnASecondRun)
{
    std::mt19937 rng(77);
    const auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (const int mode : {kernels::kArrangeSuperposition, kernels::kArrangeJuxtaposition})
        for (int trial = 0; trial < 60; ++trial) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " trial " << trial);
            engine.model.blocks.count = 0;
            const int n[3] = {uniform(1, 7), uniform(1, 7), uniform(1, 7)};
            SetUnitGrid(n[0], n[1], n[2]);
            for (int b = uniform(0, 25); b > 0; --b) {
                int lo[3], hi[3];
                for (int k = 0; k < 3; ++k) {
                    lo[k] = uniform(0, n[k] - 1);
                    hi[k] = uniform(lo[k] + 1, n[k]);
                }
                Block(uniform(0, 3) * 5, lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
            }
            const std::vector<int> cells = Paint();
            ASSERT_EQ(ArrangeBlocks(engine.model, Host(), mode), ArrangeOutcome::Done);
            ASSERT_EQ(Paint(), cells);
            const std::vector<BlockRecord> first = Blocks(engine.model);
            for (const BlockRecord& b : first)
                EXPECT_EQ(b.flags, 0u);
            if (mode == kernels::kArrangeJuxtaposition) {
                for (std::size_t i = 0; i < first.size(); ++i)
                    for (std::size_t j = i + 1; j < first.size(); ++j)
                        EXPECT_FALSE(Overlap(first[i], first[j])) << i << " and " << j;
            }
            ASSERT_EQ(ArrangeBlocks(engine.model, Host(), mode), ArrangeOutcome::Done);
            EXPECT_EQ(Paint(), cells);
        }
}

TEST_F(ArrangeCommandTest, CubeWithInclusionInSuperpositionGivesTwoBlocks)
{
    SetUnitGrid(5, 5, 5);
    for (int x = 0; x < 5; ++x) // the cube as 5 slabs
        Block(3, x, x + 1, 0, 5, 0, 5);
    Block(8, 1, 3, 2, 4, 1, 4);
    ASSERT_EQ(ArrangeBlocks(engine.model, Host(), kernels::kArrangeSuperposition), ArrangeOutcome::Done);
    ASSERT_EQ(engine.model.blocks.count, 2);
    EXPECT_EQ(engine.model.blocks[0].colour, 3);
    EXPECT_EQ(engine.model.blocks[0].x2, 5);
    EXPECT_EQ(engine.model.blocks[1].colour, 8);
}

TEST_F(ArrangeCommandTest, VoidModeAppendsVoidBlocksAfterTheKeptOnes)
{
    SetUnitGrid(4, 3, 2);
    Block(1, 1, 3, 1, 2, 0, 1);
    engine.model.blocks[0].coord[1] = 2.5f; // kept blocks keep all they hold
    ArrangeFlags flags;
    flags.voidMode = true;
    flags.voidColour = 9;
    ASSERT_EQ(ArrangeBlocks(engine.model, Host(), kernels::kArrangeSuperposition, flags),
              ArrangeOutcome::Done);
    ASSERT_GT(engine.model.blocks.count, 1);
    EXPECT_EQ(engine.model.blocks[0].coord[1], 2.5f);
    EXPECT_EQ(engine.model.blocks[0].x2, 3);
    const std::vector<int> cells = Paint();
    for (std::size_t c = 0; c < cells.size(); ++c)
        EXPECT_NE(cells[c], -1) << c;
    for (std::size_t b = 1; b < engine.model.blocks.count; ++b)
        EXPECT_EQ(engine.model.blocks[b].colour, 9);
}

TEST_F(ArrangeCommandTest, HiddenColoursDisappear)
{
    SetUnitGrid(3, 1, 1);
    Block(1, 0, 3, 0, 1, 0, 1);
    Block(2, 1, 2, 0, 1, 0, 1);
    engine.model.colours[2].clipShow = 0;
    // Without the flag a hidden colour stays.
    ASSERT_EQ(ArrangeBlocks(engine.model, Host(), kernels::kArrangeSuperposition), ArrangeOutcome::Done);
    EXPECT_EQ(Paint(), (std::vector<int>{1, 2, 1}));
    ArrangeFlags flags;
    flags.hiddenMode = true;
    ASSERT_EQ(ArrangeBlocks(engine.model, Host(), kernels::kArrangeSuperposition, flags),
              ArrangeOutcome::Done);
    EXPECT_EQ(Paint(), (std::vector<int>{1, -1, 1}));
}

TEST_F(ArrangeCommandTest, RefusalsSayWhyAndKeepTheBlocks)
{
    SetUnitGrid(3, 3, 3);
    Block(1, 0, 3, 0, 3, 0, 3);
    Block(2, 1, 2, 0, 4, 0, 1); // beyond the last y line
    const std::vector<BlockRecord> before = Blocks(engine.model);
    EXPECT_EQ(ArrangeBlocks(engine.model, Host(), kernels::kArrangeJuxtaposition), ArrangeOutcome::Refused);
    EXPECT_EQ(Blocks(engine.model), before);
    EXPECT_NE(recorder.messages.back().find("outside the grid"), std::string::npos);

    // Void mode with a full block list leaves no room for the void block.
    engine.model.blocks.count = 0;
    SetUnitGrid(2, 1, 1);
    ASSERT_TRUE(GrowBlockArray(engine.model, kMaxCount16));
    for (std::size_t b = 0; b < kMaxCount16; ++b)
        engine.model.blocks[b] = BlockRecord{1, 0, 1, 0, 1, 0, 1, {}, 0};
    engine.model.blocks.count = static_cast<std::uint16_t>(kMaxCount16);
    ArrangeFlags flags;
    flags.voidMode = true;
    EXPECT_EQ(ArrangeBlocks(engine.model, Host(), kernels::kArrangeSuperposition, flags),
              ArrangeOutcome::Refused);
    EXPECT_EQ(recorder.messages.back(), kTooManyBlocks);
    EXPECT_EQ(engine.model.blocks.count, kMaxCount16);
}

TEST_F(ArrangeCommandTest, EmptyBlockListStaysEmpty)
{
    SetUnitGrid(2, 2, 2);
    ASSERT_EQ(ArrangeBlocks(engine.model, Host(), kernels::kArrangeJuxtaposition), ArrangeOutcome::Done);
    EXPECT_EQ(engine.model.blocks.count, 0);
}

} // namespace
} // namespace gelmar::test
