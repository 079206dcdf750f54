// Interpolation inside projected quads and band colours.
#include "novelk/model/values/Interpolation.h"

#include <cmath>
#include <utility>

namespace novelk {

namespace {

bool PointInTriangle(int px, int py, const QuadCorner& a, const QuadCorner& b, const QuadCorner& c,
                     Winding winding)
{
    if ((c.y - a.y) * (b.x - a.x) - (c.x - a.x) * (b.y - a.y) == 0)
        return false;
    const double e1 = (py - a.y) * (b.x - a.x) - (px - a.x) * (b.y - a.y);
    const double e2 = (c.x - b.x) * (py - b.y) - (c.y - b.y) * (px - b.x);
    const double e3 = (a.x - c.x) * (py - c.y) - (a.y - c.y) * (px - c.x);
    if (winding == Winding::Clockwise)
        return e1 <= 0 && e2 <= 0 && e3 <= 0;
    return e1 >= 0 && e2 >= 0 && e3 >= 0;
}

} // namespace

double InterpolateInTriangle(int px, int py, const QuadCorner& c1, const QuadCorner& c2, const QuadCorner& c3)
{
    const double t1 = c1.value, t2 = c2.value, t3 = c3.value;
    const double a = (t3 - t1) * (c2.y - c1.y) - (t2 - t1) * (c3.y - c1.y);
    const double b = (t2 - t1) * (c3.x - c1.x) - (t3 - t1) * (c2.x - c1.x);
    const double c = (c2.x - c1.x) * (c3.y - c1.y) - (c3.x - c1.x) * (c2.y - c1.y);
    return (a * c1.x + b * c1.y + t1 * c - a * px - b * py) / c;
}

double InterpolateQuadValue(int px, int py, const QuadCorner q[4], Winding winding)
{
    double sum = 0;
    int inside = 0;
    for (int t = 0; t < 4; ++t) {
        const QuadCorner &a = q[t], &b = q[(t + 1) % 4], &c = q[(t + 2) % 4];
        if (PointInTriangle(px, py, a, b, c, winding)) {
            sum += InterpolateInTriangle(px, py, a, b, c);
            ++inside;
        }
    }
    if (inside > 0)
        return sum / inside;
    double d[4];
    for (int k = 0; k < 4; ++k)
        d[k] = std::hypot(px - q[k].x, py - q[k].y);
    double s[4];
    for (int e = 0; e < 4; ++e)
        s[e] = d[e] + d[(e + 1) % 4];
    int edge = 3;
    for (int e = 0; e < 3; ++e) {
        bool smallest = true;
        for (int o = 0; o < 4; ++o)
            smallest = smallest && (o == e || s[e] < s[o]);
        if (smallest) {
            edge = e;
            break;
        }
    }
    const int i = edge, j = (edge + 1) % 4;
    if (s[edge] == 0)
        return q[i].value;
    return (q[i].value * d[j] + q[j].value * d[i]) / s[edge];
}

std::optional<double> InterpolateFaceValue(int px, int py, const FaceRecord& face, int cell,
                                           const ModelStore& m, const ProjectPointFn& project,
                                           const NodeValueFn& value)
{
    const int orientation = face.flags & kFaceOrientation;
    if (orientation > 5 || cell < 0)
        return std::nullopt;
    const int normal = orientation / 2;
    const int u = normal == 0 ? 1 : 0, v = normal == 2 ? 1 : 2;
    const std::uint16_t* b = face.bounds; // x1, x2, y1, y2, z1, z2
    const int nu = b[2 * u + 1] - b[2 * u], nv = b[2 * v + 1] - b[2 * v];
    if (nu <= 0 || nv <= 0 || cell >= nu * nv)
        return std::nullopt;
    const int a = b[2 * u] + cell / nv, c = b[2 * v] + cell % nv;
    // The face's plane: the lower bound for the min faces, the upper for the max faces.
    const int plane = b[2 * normal + (orientation & 1)];
    const int steps[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    QuadCorner q[4];
    for (int k = 0; k < 4; ++k) {
        int p[3];
        p[normal] = plane;
        p[u] = a + steps[k][0];
        p[v] = c + steps[k][1];
        const ScreenPoint s = project(LineCoordinate(m, 0, static_cast<std::size_t>(p[0])),
                                      LineCoordinate(m, 1, static_cast<std::size_t>(p[1])),
                                      LineCoordinate(m, 2, static_cast<std::size_t>(p[2])));
        q[k] = QuadCorner{s.x, s.y, value(p[0], p[1], p[2])};
    }
    // All faces wind one way for the clockwise test.
    if ((q[2].y - q[1].y) * (q[1].x - q[0].x) - (q[2].x - q[1].x) * (q[1].y - q[0].y) > 0)
        std::swap(q[1], q[3]);
    return InterpolateQuadValue(px, py, q, Winding::Clockwise);
}

COLORREF BandColourOfValue(float value, float increment1, float increment2)
{
    const double inc1 = increment1, inc2 = increment2;
    double s = static_cast<double>(value) + inc1 / 2;
    if (!(inc1 > 0) || !(inc2 > 0) || !std::isfinite(s))
        return RGB(0, 255, 0);
    if (s < 0) // as many whole steps of 2 inc2 as make it non-negative
        s += 2 * inc2 * std::ceil(-s / (2 * inc2));
    // Parities of the integer parts, without converting a huge quotient to an integer.
    const bool odd1 = std::fmod(std::trunc(s / inc1), 2.0) != 0;
    const bool odd2 = std::fmod(std::trunc(s / inc2), 2.0) != 0;
    if (!odd2)
        return odd1 ? RGB(0, 255, 255) : RGB(0, 255, 0);
    return odd1 ? RGB(255, 0, 255) : RGB(255, 0, 0);
}

} // namespace novelk
