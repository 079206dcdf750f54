// Arrange Blocks on Novelk's store: the cells keep their colours (against a
// brute-force painter of the block list), the block array grows in steps of
// 1000 records, the void and hidden-colour modes, and refusals that leave the
// list as it was.
#include "novelk/model/editing/ArrangeBlocks.h"

#include "ModelFixture.h"

#include <random>

namespace novelk::test {
namespace {

class ArrangeTest : public ModelTest {
  protected:
    // Colour of every cell, -1 void: the blocks painted in list order.
    std::vector<int> Paint() const
    {
        const int n[3] = {model.axes[0].n, model.axes[1].n, model.axes[2].n};
        std::vector<int> cells(std::size_t(n[0] * n[1] * n[2]), -1);
        for (std::size_t b = 0; b < model.blocks.count; ++b) {
            const BlockRecord& r = model.blocks[b];
            for (int x = r.x1; x < r.x2; ++x)
                for (int y = r.y1; y < r.y2; ++y)
                    for (int z = r.z1; z < r.z2; ++z)
                        cells[std::size_t((z * n[1] + y) * n[0] + x)] = r.colour;
        }
        return cells;
    }
    std::vector<BlockRecord> Blocks() const
    {
        return {model.blocks.data.begin(), model.blocks.data.begin() + model.blocks.count};
    }
};

TEST_F(ArrangeTest, CellsKeepTheirColoursInBothModes)
{
    std::mt19937 random(27);
    for (int trial = 0; trial < 40; ++trial) {
        SCOPED_TRACE(trial);
        ResetModel(model, defaults);
        const int n[3] = {2 + int(random() % 6), 1 + int(random() % 5), 1 + int(random() % 4)};
        SetUnitGrid(n[0], n[1], n[2]);
        const int blocks = 1 + int(random() % 12);
        for (int b = 0; b < blocks; ++b) {
            int lo[3], hi[3];
            for (int a = 0; a < 3; ++a) {
                lo[a] = int(random() % unsigned(n[a]));
                hi[a] = lo[a] + 1 + int(random() % unsigned(n[a] - lo[a]));
            }
            AddBlock(1 + int(random() % 3), lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
        }
        const std::vector<int> before = Paint();
        for (int mode : {kernels::kArrangeSuperposition, kernels::kArrangeJuxtaposition}) {
            ModelStore arranged = model;
            std::swap(arranged, model);
            ASSERT_EQ(ArrangeBlocks(model, ArrangeOptions{mode}, host), ArrangeOutcome::Done);
            EXPECT_EQ(Paint(), before);
            if (mode == kernels::kArrangeJuxtaposition) {
                // No cell is painted twice.
                int painted = 0;
                for (const BlockRecord& b : Blocks())
                    painted += (b.x2 - b.x1) * (b.y2 - b.y1) * (b.z2 - b.z1);
                EXPECT_EQ(painted, std::count_if(before.begin(), before.end(), [](int c) { return c >= 0; }));
            }
            std::swap(arranged, model);
        }
    }
}

TEST_F(ArrangeTest, BlockArrayGrowsInStepsOfAThousand)
{
    // A 12^3 checkerboard drawn as one block with 864 one-cell blocks on it:
    // without overlaps every one of its 1728 cells needs a block.
    const int n = 12;
    SetUnitGrid(n, n, n);
    AddBlock(1, 0, n, 0, n, 0, n);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            for (int z = 0; z < n; ++z)
                if ((x + y + z) % 2)
                    AddBlock(2, x, x + 1, y, y + 1, z, z + 1);
    ASSERT_EQ(model.blocks.capacity, 1000);
    const std::vector<int> before = Paint();
    ASSERT_EQ(ArrangeBlocks(model, ArrangeOptions{kernels::kArrangeJuxtaposition}, host),
              ArrangeOutcome::Done);
    EXPECT_EQ(model.blocks.count, 1728);
    EXPECT_EQ(model.blocks.capacity, 2000);
    EXPECT_EQ(Paint(), before);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ArrangeTest, VoidAndHiddenColours)
{
    SetUnitGrid(3, 2, 1);
    AddBlock(1, 0, 1, 0, 2, 0, 1);
    AddBlock(2, 2, 3, 0, 2, 0, 1);
    model.blocks[0].coord[1] = 7.5f; // a stored coordinate the void mode keeps
    ASSERT_EQ(ArrangeBlocks(model, ArrangeOptions{kernels::kArrangeSuperposition, true, 9}, host),
              ArrangeOutcome::Done);
    EXPECT_EQ(Paint(), (std::vector<int>{1, 9, 2, 1, 9, 2}));
    EXPECT_EQ(model.blocks.count, 3);
    EXPECT_EQ(model.blocks[0].coord[1], 7.5f);
    model.colours[9].show = 0; // hidden by the Clip Colours table
    ASSERT_EQ(ArrangeBlocks(model, ArrangeOptions{kernels::kArrangeSuperposition, false, 0, true}, host),
              ArrangeOutcome::Done);
    EXPECT_EQ(Paint(), (std::vector<int>{1, -1, 2, 1, -1, 2}));
}

TEST_F(ArrangeTest, RefusalsLeaveTheListAsItWas)
{
    SetUnitGrid(2, 1, 1);
    AddBlock(1, 0, 1, 0, 1, 0, 1);
    AddBlock(2, 0, 3, 0, 1, 0, 1); // beyond the grid's two cells
    const std::vector<BlockRecord> outside = Blocks();
    EXPECT_EQ(ArrangeBlocks(model, ArrangeOptions{}, host), ArrangeOutcome::Refused);
    EXPECT_EQ(Blocks(), outside);
    EXPECT_EQ(host.messages, (std::vector<std::string>{kernels::kArrangeOutsideGridText}));

    // 65535 blocks on the first cell: the void cell would be one too many.
    model.blocks.count = 0;
    GrowBlockArray(model, kMaxCount16);
    for (std::size_t b = 0; b < kMaxCount16; ++b)
        model.blocks[b] = BlockRecord{std::uint8_t(1 + b % 2), 0, 1, 0, 1, 0, 1};
    model.blocks.count = std::uint16_t(kMaxCount16);
    const std::vector<BlockRecord> full = Blocks();
    EXPECT_EQ(ArrangeBlocks(model, ArrangeOptions{kernels::kArrangeSuperposition, true, 3}, host),
              ArrangeOutcome::Refused);
    EXPECT_EQ(Blocks(), full);
    EXPECT_EQ(host.messages.back(), kernels::kArrangeTooManyBlocksText);
}

} // namespace
} // namespace novelk::test
