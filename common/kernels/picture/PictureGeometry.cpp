// Clipping test, triangle tests and quad values (see PictureGeometry.h).
#include "common/kernels/picture/PictureGeometry.h"

#include <algorithm>
#include <cmath>

namespace kernels {

bool ClipParameterTest(ClipInterval& interval, double p, double q)
{
    if (p == 0.0)
        return q >= 0.0;
    if (p > 0.0) {
        if (q <= 0.0)
            return false;
        if (q < p) {
            const double r = q / p;
            if (r <= interval.tIn)
                return false;
            if (r < interval.tOut)
                interval.tOut = r;
        }
        return true;
    }
    if (q < 0.0) {
        if (q <= p)
            return false;
        const double r = q / p;
        if (r >= interval.tOut)
            return false;
        if (r > interval.tIn)
            interval.tIn = r;
    }
    return true;
}

double MinOfFour(double a, double b, double c, double d)
{
    return std::min(std::min(a, b), std::min(c, d));
}

double MaxOfFour(double a, double b, double c, double d)
{
    return std::max(std::max(a, b), std::max(c, d));
}

namespace {

// The three edge values of the point against the triangle; false when the
// triangle is degenerate.
bool EdgeValues(int px, int py, double x1, double y1, double x2, double y2, double x3, double y3, double e[3])
{
    if ((y3 - y1) * (x2 - x1) - (x3 - x1) * (y2 - y1) == 0.0)
        return false;
    e[0] = (py - y1) * (x2 - x1) - (px - x1) * (y2 - y1);
    e[1] = (x3 - x2) * (py - y2) - (y3 - y2) * (px - x2);
    e[2] = (x1 - x3) * (py - y3) - (y1 - y3) * (px - x3);
    return true;
}

} // namespace

bool PointInTriangleCW(int px, int py, double x1, double y1, double x2, double y2, double x3, double y3)
{
    double e[3];
    return EdgeValues(px, py, x1, y1, x2, y2, x3, y3, e) && e[0] <= 0 && e[1] <= 0 && e[2] <= 0;
}

bool PointInTriangleCCW(int px, int py, double x1, double y1, double x2, double y2, double x3, double y3)
{
    double e[3];
    return EdgeValues(px, py, x1, y1, x2, y2, x3, y3, e) && e[0] >= 0 && e[1] >= 0 && e[2] >= 0;
}

float InterpolateInTriangle(int px, int py, const QuadCorner& p1, const QuadCorner& p2, const QuadCorner& p3)
{
    const double q1 = p1.value, q2 = p2.value, q3 = p3.value;
    const double a = (q3 - q1) * (p2.y - p1.y) - (q2 - q1) * (p3.y - p1.y);
    const double b = (q2 - q1) * (p3.x - p1.x) - (q3 - q1) * (p2.x - p1.x);
    const double d = (p2.x - p1.x) * (p3.y - p1.y) - (p3.x - p1.x) * (p2.y - p1.y);
    return static_cast<float>(q1 + (a * (p1.x - px) + b * (p1.y - py)) / d);
}

void OrderQuadCornersClockwise(QuadCorner c[4])
{
    if ((c[2].y - c[1].y) * (c[1].x - c[0].x) - (c[2].x - c[1].x) * (c[1].y - c[0].y) > 0)
        std::swap(c[1], c[3]);
}

float ValueInQuad(int px, int py, const QuadCorner c[4], bool clockwise)
{
    float sum = 0.0f;
    int count = 0;
    for (int t = 0; t < 4; ++t) {
        const QuadCorner& a = c[t];
        const QuadCorner& b = c[(t + 1) % 4];
        const QuadCorner& d = c[(t + 2) % 4];
        const bool inside = clockwise ? PointInTriangleCW(px, py, a.x, a.y, b.x, b.y, d.x, d.y)
                                      : PointInTriangleCCW(px, py, a.x, a.y, b.x, b.y, d.x, d.y);
        if (inside) {
            sum += InterpolateInTriangle(px, py, a, b, d);
            ++count;
        }
    }
    if (count > 0)
        return sum / static_cast<float>(count);

    double dist[4];
    for (int k = 0; k < 4; ++k)
        dist[k] = std::hypot(px - c[k].x, py - c[k].y);
    const double s[4] = {dist[0] + dist[1], dist[1] + dist[2], dist[2] + dist[3], dist[3] + dist[0]};
    auto smallest = [&](int e) {
        for (int o = 0; o < 4; ++o)
            if (o != e && !(s[e] < s[o]))
                return false;
        return true;
    };
    // Edge e runs from corner e to corner e + 1; a corner's weight is the
    // other corner's distance.
    for (int e = 0; e < 3; ++e) {
        if (smallest(e)) {
            const int a = e, b = e + 1;
            if (s[e] == 0.0)
                return c[a].value;
            return static_cast<float>((c[a].value * dist[b] + c[b].value * dist[a]) / s[e]);
        }
    }
    if (s[3] == 0.0)
        return c[3].value;
    return static_cast<float>((c[3].value * dist[0] + c[0].value * dist[3]) / s[3]);
}

bool PointInPicturePolygon(float px, float py, const float corners[4][2])
{
    for (int e = 0; e < 4; ++e) {
        const float* a = corners[(e + 3) % 4];
        const float* b = corners[e];
        if ((b[1] - a[1]) * (px - a[0]) - (b[0] - a[0]) * (py - a[1]) > 0)
            return false;
    }
    return true;
}

} // namespace kernels
