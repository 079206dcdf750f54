// The advancing-front triangulation of every meshed colour from its
// contours and its lattice points, over integer coordinates in 1/16 pixel.
//
// The front of a colour starts as the contour edges that have the colour on
// their left; each front edge S→E in turn takes the candidate point C on its
// left, near it, that sees it under the widest angle and whose triangle
// S, E, C holds no other candidate and is crossed by no front edge. The
// triangle's new sides close the front edges they meet or join the front.
// Front edges are found by their two ends through a hash, and the crossing
// test asks only the front edges of the grid cells the triangle covers, so
// the work grows about linearly with the triangles.
#pragma once
#include "dralo/model/mesh/Contours.h"

#include <cstdint>
#include <vector>

namespace dralo {

class EngineHost;

// A triangle by its three corners in the order of its cycle (S, E, C: the
// third corner on the left of the first side); bit k of onContour marks the
// side from corner k to corner k+1 as a piece of a contour.
struct MeshTriangle {
    std::int32_t v[3] = {0, 0, 0};
    std::uint8_t colour = 0;
    std::uint8_t onContour = 0;
};

// Triangulates the present meshed colours in number order: each colour's
// triangles follow one another, its record keeps the position of its first
// and its count. Contours that have the colour as their low colour are
// turned round in place. Shows the triangle count every 1000 triangles and
// polls Esc every 101st front edge that has candidates. A colour whose
// front cannot be closed throws EngineError Triangulation with the colour.
void TriangulateZones(BitmapModel& m, ContourSet& c, std::vector<MeshTriangle>& triangles, EngineHost& host);

} // namespace dralo
