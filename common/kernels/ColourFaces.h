// The cell faces between two colours of a cell raster, as the border-face
// boundary conditions of the block programs find them.
#pragma once
#include "common/kernels/RadiationZones.h"

#include <array>

namespace kernels {

// Calls visit(axis, cell) once for every face between a cell of colour c1 and
// its +axis neighbour of colour c2, or the other way round: cell is the
// lower of the two, the face lies in the plane of grid line cell[axis] + 1.
// Cells are visited i outermost, k innermost, and the axes x, y, z.
template <class Visit> void ForEachColourPairFace(const CellGrid& cells, int c1, int c2, Visit&& visit)
{
    for (int i = 0; i < cells.nx; ++i)
        for (int j = 0; j < cells.ny; ++j)
            for (int k = 0; k < cells.nz; ++k) {
                const int here = cells.ColourAt(i, j, k);
                if (here < 0 || (here != c1 && here != c2))
                    continue;
                const int want = here == c1 ? c2 : c1;
                for (int axis = 0; axis < 3; ++axis) {
                    std::array<int, 3> next = {i, j, k};
                    ++next[axis];
                    if (cells.ColourAt(next[0], next[1], next[2]) == want)
                        visit(axis, std::array<int, 3>{i, j, k});
                }
            }
}

} // namespace kernels
