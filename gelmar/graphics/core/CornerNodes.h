// Corner nodes: the grid points where the surface of the solid cells has a
// vertex. A point is classified by which of its eight surrounding cells are
// solid (of a conductive colour type).
#pragma once

namespace gelmar {

class LoadedResults;
struct ModelStore;

// solidMask: bit q set when the cell at offset (q & 1, q >> 1 & 1, q >> 2 & 1)
// from (i - 1, j - 1, k - 1) is solid. With n solid cells: 8 or 0 is no
// corner, an odd n is one; 2 is one unless the two cells share a face; 4 is
// one unless they form a half of the 2 x 2 x 2 block or two columns touching
// along an edge; 6 is one unless the two other cells share a face.
bool IsCornerPattern(unsigned solidMask);

// A grid point with a calculation node whose cells form a corner pattern.
bool IsCornerNode(const ModelStore& model, const LoadedResults& results, int i, int j, int k);

} // namespace gelmar
