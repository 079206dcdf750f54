// The tests that decide whether a grid edge outlines a region of cells, over
// any cell grid. An edge runs along one axis from a grid point; the four cells
// around it are taken in cyclic order A, B, C, D = (a-1, b-1), (a, b-1),
// (a, b), (a-1, b) in the two other axes (the lower axis first), at the
// point's index along the edge. A cell outside the grid or hidden by a clip
// reads -1.
#pragma once
#include <cstdint>

namespace kernels {

// colourAt(i, j, k) -> int gives the colour of a cell (any integers; -1 for
// none); indices may be -1.
template <typename ColourAt>
void CellsAroundEdge(int axis, const std::uint16_t point[3], ColourAt&& colourAt, int around[4])
{
    const int a = axis == 0 ? 1 : 0;
    const int b = axis == 2 ? 1 : 2;
    static constexpr int kStep[4][2] = {{-1, -1}, {0, -1}, {0, 0}, {-1, 0}};
    for (int q = 0; q < 4; ++q) {
        int cell[3];
        cell[axis] = point[axis];
        cell[a] = point[a] + kStep[q][0];
        cell[b] = point[b] + kStep[q][1];
        around[q] = colourAt(cell[0], cell[1], cell[2]);
    }
}

// An edge of the region of the colour, unless exactly two of the four cells
// have it and they are neighbours in the cyclic order (the edge then lies
// inside a flat face of the region).
inline bool IsColourOutlineEdge(const int around[4], int colour)
{
    int count = 0;
    for (int q = 0; q < 4; ++q)
        count += around[q] == colour;
    if (count != 2)
        return true;
    // Two of the colour: neighbours unless they face each other diagonally.
    return (around[0] == colour) == (around[2] == colour);
}

// A corner of an interface between colours, unless the four cells split into
// two side-by-side halves of one colour each (A = B and C = D, or A = D and
// B = C): the edge then lies inside a flat boundary.
inline bool IsInterfaceOutlineEdge(const int around[4])
{
    return !((around[0] == around[1] && around[2] == around[3]) ||
             (around[0] == around[3] && around[1] == around[2]));
}

} // namespace kernels
