// Rasterising blocks and numbering grid points: boundary records first,
// then the calculation nodes in point order.
#include "CalcModel.h"

namespace gelmar::test {
namespace {

class NodeNumberingTest : public CalcEngineTest {
  protected:
    void Number()
    {
        RasteriseBlocks(engine.model, engine.run);
        BuildNodeNumbering(engine.model, engine.run, Host());
    }
};

TEST_F(NodeNumberingTest, CellArrayTakesTheLastBlockAndLeavesVoidCells)
{
    SetGrid(Uniform(3, 1), Uniform(2, 1), Uniform(1, 1));
    Colour(1, MATERIAL);
    Colour(2, MATERIAL);
    Block(1, 0, 2, 0, 2, 0, 1);
    Block(2, 1, 3, 0, 1, 0, 1);
    RasteriseBlocks(engine.model, engine.run);
    EXPECT_EQ(GetCellColour(engine.model, engine.run.work, 0, 0, 0), 1);
    EXPECT_EQ(GetCellColour(engine.model, engine.run.work, 1, 0, 0), 2);
    EXPECT_EQ(GetCellColour(engine.model, engine.run.work, 2, 1, 0), -1);
    EXPECT_EQ(GetCellColour(engine.model, engine.run.work, 3, 0, 0), -1);
    EXPECT_EQ(GetCellColour(engine.model, engine.run.work, -1, 0, 0), -1);
    engine.model.clipLo[0] = 1;
    engine.model.clipHi[0] = 2;
    engine.model.clipHi[1] = 2;
    engine.model.clipHi[2] = 1;
    EXPECT_EQ(GetCellColourInClip(engine.model, engine.run.work, 0, 0, 0), -1);
    EXPECT_EQ(GetCellColourInClip(engine.model, engine.run.work, 1, 0, 0), 2);
}

TEST_F(NodeNumberingTest, BoundaryRecordsAndCalculationNodes)
{
    SetGrid(Uniform(2, 1), Uniform(2, 1), Uniform(2, 1));
    Colour(1, MATERIAL);
    Colour(2, BC_SIMPL);
    Colour(3, MATERIAL);
    Block(1, 0, 1, 0, 2, 0, 2);
    Block(2, 1, 2, 0, 1, 0, 2);
    Block(3, 1, 2, 1, 2, 0, 1);
    NodeBc(1, 0, 0, 0).power = 5;       // -2: a power claims no point
    NodeBc(0, 1, 1, 1).temperature = 7; // -3
    NodeBc(0, 1, 1, 1).temperature = 8; // -4: the later record wins
    FixedMaterial(3, 4);                // -5
    Number();
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 0, 0, 0), 0);
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 1, 1, 1), -4);
    EXPECT_EQ(GetNodeValueAt(engine.model, engine.run.work, 1, 1, 1, 0), 8.0);
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 2, 2, 0), -5); // touches colour 3
    EXPECT_EQ(GetNodeValueAt(engine.model, engine.run.work, 2, 2, 0, 0), 4.0);
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 2, 0, 2), -1); // only the boundary colour
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 2, 2, 2), -1); // void
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 3, 0, 0), -1); // beyond the grid
    // Calculation nodes in order x outermost, z innermost.
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 0, 0, 1), 1);
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 0, 0, 2), 2);
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 0, 1, 0), 3);
    std::int32_t highest = -1;
    for (int i = 0; i <= 2; ++i)
        for (int j = 0; j <= 2; ++j)
            for (int k = 0; k <= 2; ++k)
                highest = std::max(highest, GetNodeIndex(engine.model, engine.run.work, i, j, k));
    EXPECT_EQ(engine.run.work.gridNodeCount, highest + 1);
    EXPECT_EQ(engine.run.work.rowCount, engine.run.work.gridNodeCount);
}

TEST_F(NodeNumberingTest, FlatGridSetsNodeBcsOnBothLayers)
{
    SetGrid(Uniform(2, 1), Uniform(2, 1), Uniform(1, 1));
    Colour(1, MATERIAL);
    Block(1, 0, 2, 0, 2, 0, 1);
    NodeBc(0, 1, 1, 0).temperature = 3;
    Number();
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 1, 1, 0), -2);
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 1, 1, 1), -2);
}

TEST_F(NodeNumberingTest, BorderFaceBcClaimsPointsOnTheBorderOnly)
{
    SetGrid(Uniform(3, 1), Uniform(1, 1), Uniform(1, 1));
    Colour(1, MATERIAL);
    Colour(2, MATERIAL);
    Block(1, 0, 2, 0, 1, 0, 1);
    Block(2, 2, 3, 0, 1, 0, 1);
    GrowBorderBcArray(engine.model, 1);
    engine.model.borderBcs.count = 1;
    engine.model.borderBcs[0] = BorderFaceBcRecord{};
    engine.model.borderBcs[0].colour1 = 2;
    engine.model.borderBcs[0].colour2 = 1;
    engine.model.borderBcs[0].temperature = 6;
    Number();
    for (int j = 0; j <= 1; ++j)
        for (int k = 0; k <= 1; ++k) {
            EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 2, j, k), -2);
            EXPECT_GE(GetNodeIndex(engine.model, engine.run.work, 1, j, k), 0);
            EXPECT_GE(GetNodeIndex(engine.model, engine.run.work, 3, j, k), 0);
        }
    EXPECT_EQ(GetNodeValueAt(engine.model, engine.run.work, 2, 0, 0, 0), 6.0);
}

TEST_F(NodeNumberingTest, ModelWithoutConductiveCellsHasNoRows)
{
    SetGrid(Uniform(2, 1), Uniform(2, 1), Uniform(2, 1));
    Colour(2, BC_SIMPL);
    Block(2, 0, 2, 0, 2, 0, 2);
    Number();
    BuildMatrixPattern(engine.model, engine.run, Host());
    EXPECT_EQ(engine.run.work.rowCount, 0);
    EXPECT_EQ(engine.run.work.pattern->LowerCount(), 0);
}

TEST_F(NodeNumberingTest, PatternCouplesAxisNeighboursOnce)
{
    SetGrid(Uniform(2, 1), Uniform(2, 1), Uniform(2, 1));
    Colour(1, MATERIAL);
    Block(1, 0, 2, 0, 2, 0, 2);
    Number();
    BuildMatrixPattern(engine.model, engine.run, Host());
    // 27 points, 3 x 2 x 9 = 54 grid edges.
    EXPECT_EQ(engine.run.work.rowCount, 27);
    EXPECT_EQ(engine.run.work.pattern->LowerCount(), 54);
    EXPECT_GE(engine.run.work.pattern->Find(GetNodeIndex(engine.model, engine.run.work, 1, 1, 1),
                                            GetNodeIndex(engine.model, engine.run.work, 0, 1, 1)),
              0);
    EXPECT_EQ(engine.run.work.pattern->Find(GetNodeIndex(engine.model, engine.run.work, 1, 1, 1),
                                            GetNodeIndex(engine.model, engine.run.work, 0, 0, 1)),
              -1);
}

TEST_F(NodeNumberingTest, EditFreesTheResultsAndTheEndOfARunKeepsThem)
{
    SetGrid(Uniform(2, 1), Uniform(1, 1), Uniform(1, 1));
    Colour(1, MATERIAL);
    Surface(2, 10, 5);
    Block(1, 0, 1, 0, 1, 0, 1);
    Block(2, 1, 2, 0, 1, 0, 1);
    ASSERT_TRUE(Run());
    EXPECT_FALSE(CellArrayMissing(engine.run));
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 0, 0, 0), 0);
    EXPECT_NEAR(T(0, 0, 0), 10.0, 1e-9);
    EXPECT_EQ(engine.run.work.matrix, nullptr);
    FreeWorkArrays(engine.run, WorkGroup::AfterEdit);
    EXPECT_TRUE(CellArrayMissing(engine.run));
    EXPECT_EQ(GetNodeIndex(engine.model, engine.run.work, 0, 0, 0), -1);
    EXPECT_TRUE(engine.run.work.solution.empty());
}

} // namespace
} // namespace gelmar::test
