// The value under a screen point inside a projected face whose four corner
// nodes carry values (the 3D view's status bar, the value labels of the
// graphic output), and the band colour of a value between isotherm (or
// isoflux) increments.
#pragma once
#include "novelk/model/editing/FaceList.h"
#include "novelk/model/store/ModelStore.h"
#include "platform/core/Types.h"

#include <functional>
#include <optional>

namespace novelk {

struct QuadCorner {
    double x = 0, y = 0; // screen position, pixels
    float value = 0;
};

// Value at the point on the plane through three corners.
double InterpolateInTriangle(int px, int py, const QuadCorner& c1, const QuadCorner& c2,
                             const QuadCorner& c3);

// Value at the point on a quad whose corners run in cyclic order: the mean of
// the plane values of the triangles (1,2,3), (2,3,4), (3,4,1), (4,1,2) that
// contain it; outside them all, the inverse-distance value of the edge with
// the smallest sum of corner distances (ties to the later edge in the order
// 12, 23, 34, 41). The 3D view tests triangles clockwise, the graphic output
// counter-clockwise (points on an edge are inside; a degenerate triangle
// holds none).
enum class Winding { Clockwise, CounterClockwise };
double InterpolateQuadValue(int px, int py, const QuadCorner corners[4], Winding winding);

// The 3D view's projection of a point in model coordinates (grid units) to
// screen pixels, and the node value at a grid point.
struct ScreenPoint {
    double x = 0, y = 0;
};
using ProjectPointFn = std::function<ScreenPoint(float x, float y, float z)>;
using NodeValueFn = std::function<float(int i, int j, int k)>;

// Value at the point on cell `cell` of a visible face in the 3D view: the
// face's cells are numbered over the lower in-plane axis in the outer loop
// and the other in the inner loop; the cell's four corner points are
// projected, ordered clockwise, and interpolated. Empty for an orientation
// above 5 or a cell the face does not have.
std::optional<double> InterpolateFaceValue(int px, int py, const FaceRecord& face, int cell,
                                           const ModelStore& m, const ProjectPointFn& project,
                                           const NodeValueFn& value);

// One of four colours by the parity of the first-increment and the
// second-increment band of the value, after shifting it by half the first
// increment (and by whole multiples of twice the second until it is not
// negative): (0,255,0), (0,255,255), (255,0,0) or (255,0,255). The model's
// `tin1`/`tin2` for temperatures, `qin1`/`qin2` for the heat-flow legend.
// Increments that are not positive give the first colour.
COLORREF BandColourOfValue(float value, float increment1, float increment2);

} // namespace novelk
