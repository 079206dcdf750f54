// Radiating faces of simple cavities for the view-factor tests and the
// benchmark: the tiled walls of a box-shaped room, optionally with a tiled
// solid box standing inside it.
#pragma once
#include "common/kernels/ViewFactor.h"

#include <array>
#include <vector>

namespace kernels::testing {

struct Box3 {
    std::array<float, 3> lo;
    std::array<float, 3> hi;
};

// Tiles the six sides of the box with tiles[a] tiles along each axis a.
// inward: the box is a cavity surrounded by solid (faces look inwards);
// otherwise it is a solid standing in a cavity (faces look outwards).
inline void AddTiledBox(std::vector<ViewFactorFace>& faces, const Box3& box, std::array<int, 3> tiles,
                        bool inward)
{
    for (int axis = 0; axis < 3; ++axis) {
        const int u = (axis + 1) % 3;
        const int v = (axis + 2) % 3;
        for (int side = 0; side < 2; ++side) {
            const float plane = side == 0 ? box.lo[axis] : box.hi[axis];
            // A cavity wall at the low end belongs to the solid below it (its +axis side).
            const int orientation = 2 * axis + (inward ? 1 - side : side);
            for (int s = 0; s < tiles[u]; ++s) {
                for (int t = 0; t < tiles[v]; ++t) {
                    ViewFactorFace f{};
                    f.lo[axis] = f.hi[axis] = plane;
                    const float du = (box.hi[u] - box.lo[u]) / float(tiles[u]);
                    const float dv = (box.hi[v] - box.lo[v]) / float(tiles[v]);
                    f.lo[u] = box.lo[u] + du * float(s);
                    f.hi[u] = s + 1 == tiles[u] ? box.hi[u] : box.lo[u] + du * float(s + 1);
                    f.lo[v] = box.lo[v] + dv * float(t);
                    f.hi[v] = t + 1 == tiles[v] ? box.hi[v] : box.lo[v] + dv * float(t + 1);
                    f.orientation = orientation;
                    faces.push_back(f);
                }
            }
        }
    }
}

// Areas in m2 of the faces for a grid unit of grun metres.
inline std::vector<double> FaceAreas(const std::vector<ViewFactorFace>& faces, double grun = 1.0)
{
    std::vector<double> areas;
    areas.reserve(faces.size());
    for (const ViewFactorFace& f : faces) {
        const int axis = f.orientation / 2;
        double area = grun * grun;
        for (int a = 0; a < 3; ++a) {
            if (a != axis) {
                area *= double(f.hi[a]) - double(f.lo[a]);
            }
        }
        areas.push_back(area);
    }
    return areas;
}

} // namespace kernels::testing
