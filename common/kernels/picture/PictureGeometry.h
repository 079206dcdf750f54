// Pixel geometry shared by the pictures of every program: the Liang-Barsky
// parameter test that clips a segment against lines and planes, point-in-
// triangle tests, the plane through three valued points, and the value under
// a pixel of a projected grid quad with valued corners.
#pragma once

namespace kernels {

// Entry and exit parameters of a segment P(t) = P1 + t (P2 - P1) while it is
// clipped; a series of tests starts from [0, 1].
struct ClipInterval {
    double tIn = 0.0;
    double tOut = 1.0;
};

// One constraint p t < q: false when nothing of the interval satisfies it,
// otherwise true with the interval narrowed (q = 0 with p = 0 counts as
// inside; q = 0 with p > 0 rejects).
bool ClipParameterTest(ClipInterval& interval, double p, double q);

double MinOfFour(double a, double b, double c, double d);
double MaxOfFour(double a, double b, double c, double d);

// Pixel (px, py) inside triangle (x1, y1), (x2, y2), (x3, y3): CW takes the
// corners turning so that all three edge values are <= 0 (on the screen,
// with y downwards: (0,0), (0,10), (10,0)), CCW the other turning (all >= 0).
// Points on an edge are inside; a degenerate triangle contains nothing.
bool PointInTriangleCW(int px, int py, double x1, double y1, double x2, double y2, double x3, double y3);
bool PointInTriangleCCW(int px, int py, double x1, double y1, double x2, double y2, double x3, double y3);

// A projected corner with its value.
struct QuadCorner {
    double x = 0.0;
    double y = 0.0;
    float value = 0.0f;
};

// The value at (px, py) on the plane through the three valued corners; only
// meaningful after a point-in-triangle test (the triangle is not degenerate).
float InterpolateInTriangle(int px, int py, const QuadCorner& a, const QuadCorner& b, const QuadCorner& c);

// Exchanges c1 and c3 when the corners c0, c1, c2 turn the other way than
// PointInTriangleCW expects, so that ValueInQuad (clockwise) can read them.
void OrderQuadCornersClockwise(QuadCorner c[4]);

// The value under pixel (px, py) of a quad c0..c3: the mean of the plane
// values of the triangles (c0 c1 c2), (c1 c2 c3), (c2 c3 c0), (c3 c0 c1) that
// contain the pixel (clockwise or counter-clockwise test); outside them all,
// the value of the nearest edge by the distance-sum rule (the edge c3-c0 on a
// tie).
float ValueInQuad(int px, int py, const QuadCorner c[4], bool clockwise);
// The value of the graphic output's read-out: ValueInQuad with corners that
// turn as PointInTriangleCCW takes them.
inline float ValueAtPicturePoint(int px, int py, const QuadCorner c[4])
{
    return ValueInQuad(px, py, c, false);
}

// True when (px, py) lies inside or on the outline of the convex quad whose
// corners turn as the picture polygons do (on the screen, with y downwards:
// (0,0), (10,0), (10,10), (0,10)).
bool PointInPicturePolygon(float px, float py, const float corners[4][2]);

} // namespace kernels
