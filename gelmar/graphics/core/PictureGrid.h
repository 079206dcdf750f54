// How the pictures walk the model's grid: the coordinate of a grid line, the
// grid quads of a visible face piece in their fixed order, and the corner
// order of a quad by orientation, which keeps every quad turning the same
// way on the screen when it is seen from its solid's outside.
#pragma once
#include "gelmar/model/store/ModelStore.h"

#include <functional>

namespace gelmar {

// A grid point by its three grid-line indices.
struct GridPoint {
    int i = 0, j = 0, k = 0;
};

// A value at a grid point (a temperature, a heat flux...).
using GridPointValue = std::function<float(int i, int j, int k)>;

// Orientation 0..5 of a face piece (x-min, x-max, y-min, y-max, z-min, z-max).
inline int FaceOrientation(const FaceRecord& face)
{
    return face.flags & 0x07;
}
inline int OppositeOrientation(int orientation)
{
    return orientation ^ 1;
}

// Number of grid quads of a face piece: for an x face the y then z cells,
// for a y face x then z, for a z face x then y.
int FaceQuadCount(const FaceRecord& face);

// Corners c0..c3 of the quad at in-plane cell (a, b) of the face (a, b are
// y, z for an x face, x, z for a y face, x, y for a z face), in the corner
// order of the given orientation: 0, 3 and 4 run (a, b), (a+1, b),
// (a+1, b+1), (a, b+1); 1, 2 and 5 run (a, b), (a, b+1), (a+1, b+1), (a+1, b).
void FaceQuadCorners(const FaceRecord& face, int cornerOrientation, int a, int b, GridPoint c[4]);

// Calls visit(c) for every quad of the face in quad order (the outer index
// first), with the corners in the given orientation's order.
template <class Visit> void ForEachFaceQuad(const FaceRecord& face, int cornerOrientation, Visit&& visit)
{
    const int axis = FaceOrientation(face) / 2;
    const int ua = axis == 0 ? 1 : 0;
    const int ub = axis == 2 ? 1 : 2;
    for (int a = face.bounds[2 * ua]; a < face.bounds[2 * ua + 1]; ++a)
        for (int b = face.bounds[2 * ub]; b < face.bounds[2 * ub + 1]; ++b) {
            GridPoint c[4];
            FaceQuadCorners(face, cornerOrientation, a, b, c);
            visit(c);
        }
}

} // namespace gelmar
