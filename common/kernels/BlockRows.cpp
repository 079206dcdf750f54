// Bound columns and Transform Coordinates of the Blocks tables.
#include "common/kernels/BlockRows.h"

#include "common/kernels/AxisLines.h"
#include "common/kernels/TableAxes.h"

#include <algorithm>
#include <utility>

namespace kernels {

int ShownBlockBound(const BlockBox& box, int bound, int nz, bool rcl)
{
    if (!rcl)
        return box[static_cast<std::size_t>(bound)];
    if (bound == 4)
        return NodeNumber(nz - box[5]);
    if (bound == 5)
        return NodeNumber(nz - box[4]);
    return NodeNumber(box[static_cast<std::size_t>(bound)]);
}

bool EditBlockBound(BlockBox& box, int bound, int entered, const int n[3], bool rcl)
{
    const int v = rcl ? LineOfNodeNumber(entered) : entered;
    const int axis = bound / 2;
    const bool lower = bound % 2 == 0;
    const int count = n[axis];
    if (lower ? !(v >= 0 && v < count) : !(v >= 1 && v <= count))
        return false;
    int& lo = box[static_cast<std::size_t>(2 * axis)];
    int& hi = box[static_cast<std::size_t>(2 * axis + 1)];
    // The third axis listed from the top: its lower column sets the upper
    // bound and the other way round.
    const bool setsLower = rcl && axis == 2 ? !lower : lower;
    const int value = rcl && axis == 2 ? count - v : v;
    if (setsLower) {
        lo = value;
        if (lo >= hi)
            hi = lo + 1;
    } else {
        hi = value;
        if (hi <= lo)
            lo = hi - 1;
    }
    return true;
}

namespace {

// One quarter turn about the axis: X (x, y, z) -> (x, -z, y), Y -> (z, y, -x),
// Z -> (-y, x, z).
void QuarterTurn(float p[3], int axis)
{
    const float x = p[0], y = p[1], z = p[2];
    if (axis == 0) {
        p[1] = -z;
        p[2] = y;
    } else if (axis == 1) {
        p[0] = z;
        p[2] = -x;
    } else {
        p[0] = -y;
        p[1] = x;
    }
}

} // namespace

bool TransformBoxCoordinates(float c[6], const TransformSettings& s, const float origin[3])
{
    for (int a = 0; a < 3; ++a) {
        c[2 * a] -= origin[a];
        c[2 * a + 1] -= origin[a];
    }
    switch (s.type) {
    case 0:
        for (int a = 0; a < 3; ++a) {
            c[2 * a] += s.translation[a];
            c[2 * a + 1] += s.translation[a];
        }
        break;
    case 1: {
        float lo[3] = {c[0], c[2], c[4]}, hi[3] = {c[1], c[3], c[5]};
        for (int turn = 0; turn <= std::clamp(s.angle, 0, 2); ++turn) {
            QuarterTurn(lo, s.axis);
            QuarterTurn(hi, s.axis);
        }
        for (int a = 0; a < 3; ++a) {
            c[2 * a] = std::min(lo[a], hi[a]);
            c[2 * a + 1] = std::max(lo[a], hi[a]);
        }
        break;
    }
    case 2:
        for (int a = 0; a < 3; ++a) {
            c[2 * a] *= s.scale[a];
            c[2 * a + 1] *= s.scale[a];
            if (c[2 * a] > c[2 * a + 1])
                std::swap(c[2 * a], c[2 * a + 1]);
        }
        break;
    default:
        break;
    }
    bool thick = true;
    for (int a = 0; a < 3; ++a) {
        for (int k = 2 * a; k <= 2 * a + 1; ++k)
            c[k] = static_cast<float>(SnapToLengthQuantum(static_cast<double>(c[k]) + origin[a], kLengthQuantum));
        thick = thick && c[2 * a] < c[2 * a + 1];
    }
    return thick;
}

} // namespace kernels
