// The corner rule over every neighbourhood of a grid point, against an
// independent vertex rule, and the symmetry of both under the cube's 48
// symmetries.
#include "common/kernels/CornerPattern.h"

#include "CubeSymmetry.h"

#include <gtest/gtest.h>

namespace kernels::test {
namespace {

TEST(CornerPatterns, AllNeighbourhoodsAgainstTheVertexRule)
{
    const auto symmetries = CubeSymmetries();
    ASSERT_EQ(symmetries.size(), 48u);
    int corners = 0;
    for (unsigned mask = 0; mask < 256; ++mask) {
        SCOPED_TRACE(mask);
        for (const auto& s : symmetries)
            ASSERT_EQ(ReferenceCorner(Transform(mask, s)), ReferenceCorner(mask));
        EXPECT_EQ(IsCornerPattern(mask), ReferenceCorner(mask));
        corners += ReferenceCorner(mask) ? 1 : 0;
    }
    // All but 0 and 8 cells, 12 face pairs, 12 plane fours and 12 sixes.
    EXPECT_EQ(corners, 256 - 2 - 12 - 12 - 12);
    // The cases named by hand.
    EXPECT_TRUE(IsCornerPattern(Bit(1, 1, 1)));                           // an isolated cell's corner
    EXPECT_FALSE(IsCornerPattern(Bit(0, 0, 0) | Bit(1, 0, 0)));           // an edge
    EXPECT_TRUE(IsCornerPattern(Bit(0, 0, 0) | Bit(1, 1, 0)));            // two cells meeting in an edge
    EXPECT_FALSE(IsCornerPattern(0x0F));                                  // the middle of a face
    EXPECT_FALSE(IsCornerPattern(0xFF & ~(Bit(0, 0, 0) | Bit(0, 0, 1)))); // an inner edge
    EXPECT_TRUE(IsCornerPattern(0xFF & ~Bit(1, 1, 1)));                   // an inner corner
}

} // namespace
} // namespace kernels::test
