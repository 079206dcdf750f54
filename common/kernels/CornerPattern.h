// Corner nodes of a block grid: a grid point is a vertex of the surface of the
// solid cells when the solid ones among its eight surrounding cells form a
// corner pattern. Each program decides which cells are solid and whether the
// point has a node; the pattern rule is this one.
#pragma once

namespace kernels {

// solidMask: bit q set when the cell at offset (q & 1, q >> 1 & 1, q >> 2 & 1)
// from (i - 1, j - 1, k - 1) is solid. With n solid cells: 0 and 8 are no
// corner, an odd n is one; 2 is one unless the two cells share a face; 4 is
// one unless they form a half of the 2 x 2 x 2 block or two columns touching
// along an edge (a diagonal slab); 6 is one unless the two other cells share
// a face.
bool IsCornerPattern(unsigned solidMask);

} // namespace kernels
