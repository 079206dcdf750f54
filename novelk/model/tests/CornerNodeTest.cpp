// Novelk's corner nodes over every arrangement of the eight cells around a
// grid point: against the independent vertex rule, unchanged by the 48
// symmetries of the cube, with the cell types that count as solid, and a
// point whose node has no solid cell around it.
#include "CalcFixture.h"
#include "common/kernels/tests/CubeSymmetry.h"
#include "novelk/model/reports/TextReports.h"

namespace novelk::test {
namespace {

using kernels::test::Bit;
using kernels::test::CubeSymmetries;
using kernels::test::ReferenceCorner;
using kernels::test::Transform;

class CornerNodeTest : public CalcTest {
  protected:
    // The cells of the mask around point (1, 1, 1) of a 2 x 2 x 2 grid get
    // the solid colour, the others the other colour; is (1, 1, 1) a corner?
    bool Corner(unsigned mask, int solid = 1, int other = 2)
    {
        model.blocks.count = 0;
        for (int q = 0; q < 8; ++q)
            AddBlock(mask >> q & 1 ? solid : other, q & 1, (q & 1) + 1, q >> 1 & 1, (q >> 1 & 1) + 1,
                     q >> 2 & 1, (q >> 2 & 1) + 1);
        RasteriseBlocks(model, run, calcHost);
        BuildNodeNumbering(model, run, calcHost);
        return IsCornerNode(model, run, 1, 1, 1);
    }
};

TEST_F(CornerNodeTest, AllNeighbourhoodsUnderTheCubeSymmetries)
{
    SetUnitGrid(2, 2, 2);
    Material(1, 1.0f);
    Surface(2, 0.0f, 7.7f);
    std::array<bool, 256> corner{};
    for (unsigned mask = 1; mask < 256; ++mask) {
        corner[mask] = Corner(mask);
        EXPECT_EQ(corner[mask], ReferenceCorner(mask)) << mask;
    }
    for (unsigned mask = 1; mask < 256; ++mask)
        for (const auto& s : CubeSymmetries())
            ASSERT_EQ(corner[Transform(mask, s)], corner[mask]) << mask;
    // The Part's cases: eight solid cells none, one or an odd count a corner,
    // two sharing a face not, two sharing an edge yes, a half of the block
    // not, a diagonal slab not, four in an L yes, six with the two gaps
    // sharing a face not.
    EXPECT_FALSE(corner[0xFF]);
    EXPECT_TRUE(corner[Bit(0, 0, 0)]);
    EXPECT_TRUE(corner[0xFF & ~Bit(1, 1, 1)]);
    EXPECT_FALSE(corner[Bit(0, 0, 0) | Bit(0, 0, 1)]);
    EXPECT_TRUE(corner[Bit(0, 0, 0) | Bit(1, 1, 0)]);
    EXPECT_FALSE(corner[Bit(0, 0, 0) | Bit(1, 0, 0) | Bit(0, 1, 0) | Bit(1, 1, 0)]);
    EXPECT_FALSE(corner[Bit(0, 0, 0) | Bit(0, 0, 1) | Bit(1, 1, 0) | Bit(1, 1, 1)]);
    EXPECT_TRUE(corner[Bit(0, 0, 0) | Bit(1, 0, 0) | Bit(0, 1, 0) | Bit(0, 0, 1)]);
    EXPECT_FALSE(corner[0xFF & ~(Bit(1, 1, 0) | Bit(1, 1, 1))]);
}

TEST_F(CornerNodeTest, SolidTypesAndNodesWithoutSolidCells)
{
    SetUnitGrid(2, 2, 2);
    Surface(2, 0.0f, 7.7f);
    const unsigned edge = Bit(0, 0, 0) | Bit(1, 1, 0); // a corner when solid
    for (int type : {MATERIAL, EQUIMAT, TRANSMAT}) {
        SetColour(1, type, 1.0f);
        EXPECT_TRUE(Corner(edge)) << type;
    }
    // Boundary cells are not solid: with no conductive cell around the point
    // it has no node and is no corner...
    SetColour(1, BC_SIMPL, 1.0f, 5.0f, 7.7f);
    EXPECT_FALSE(Corner(edge));
    // ... unless a node BC gives it one (a node alone counts as a corner).
    AddNodeBc(NODE_TEMP, 1, 1, 1, 3.0f);
    EXPECT_TRUE(Corner(edge));
}

} // namespace
} // namespace novelk::test
