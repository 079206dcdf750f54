// Hidden-line removal: points sampled along random segments are drawn
// exactly where a brute-force depth test over all polygons sees them; the
// screen grid and the explicit stack give the pieces, in their order, of the
// plain walk over every polygon; a segment cut by very many polygons in turn
// needs no deep call chain; lines on a face stay visible.
#include "common/kernels/picture/HiddenLines.h"

#include "common/kernels/picture/PictureGeometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace kernels {
namespace {

struct Piece {
    double x1, y1, x2, y2;
    bool operator==(const Piece&) const = default;
};

// A rectangle-like convex quad on a plane, corners turning as the picture
// polygons do, with the depth push of the polygon builder.
HiddenLinePolygon MakePolygon(double cx, double cy, double rx, double ry, double turn, double a, double b,
                              double c)
{
    HiddenLinePolygon p;
    const double ca = std::cos(turn), sa = std::sin(turn);
    const double local[4][2] = {{-rx, -ry}, {rx, -ry}, {rx, ry}, {-rx, ry}};
    p.a = a;
    p.b = b;
    p.c = c + (std::fabs(a) + std::fabs(b) + 1) * 0.000001;
    float z[4];
    for (int n = 0; n < 4; ++n) {
        const double x = cx + ca * local[n][0] - sa * local[n][1];
        const double y = cy + sa * local[n][0] + ca * local[n][1];
        p.corners[n][0] = static_cast<float>(x);
        p.corners[n][1] = static_cast<float>(y);
        z[n] = static_cast<float>(a * x + b * y + c);
    }
    p.xmin =
        static_cast<float>(MinOfFour(p.corners[0][0], p.corners[1][0], p.corners[2][0], p.corners[3][0]));
    p.xmax =
        static_cast<float>(MaxOfFour(p.corners[0][0], p.corners[1][0], p.corners[2][0], p.corners[3][0]));
    p.ymin =
        static_cast<float>(MinOfFour(p.corners[0][1], p.corners[1][1], p.corners[2][1], p.corners[3][1]));
    p.ymax =
        static_cast<float>(MaxOfFour(p.corners[0][1], p.corners[1][1], p.corners[2][1], p.corners[3][1]));
    p.zmin = static_cast<float>(MinOfFour(z[0], z[1], z[2], z[3]) - 0.00001);
    p.zmax = static_cast<float>(MaxOfFour(z[0], z[1], z[2], z[3]) + 0.00001);
    return p;
}

std::vector<HiddenLinePolygon> RandomPolygons(std::mt19937& rng, int count, int w, int h)
{
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<HiddenLinePolygon> polygons;
    for (int n = 0; n < count; ++n)
        polygons.push_back(MakePolygon(w * u(rng), h * u(rng), 5 + 40 * u(rng), 5 + 40 * u(rng), 6.3 * u(rng),
                                       0.004 * (u(rng) - 0.5), 0.004 * (u(rng) - 0.5), 1.0 + 8.0 * u(rng)));
    return polygons;
}

// Signed distance of a point inside the polygon's outline (positive inside).
double InsideMargin(const HiddenLinePolygon& p, double x, double y)
{
    double margin = 1e300;
    for (int e = 0; e < 4; ++e) {
        const float* a = p.corners[(e + 3) % 4];
        const float* b = p.corners[e];
        const double ex = b[0] - a[0], ey = b[1] - a[1];
        const double cross = ey * (x - a[0]) - ex * (y - a[1]);
        margin = std::min(margin, -cross / std::hypot(ex, ey));
    }
    return margin;
}

TEST(HiddenLines, PointsAlongRandomSegmentsAreDrawnWhereADepthTestSeesThem)
{
    std::mt19937 rng(21);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const int w = 400, h = 300;
    const std::vector<HiddenLinePolygon> polygons = RandomPolygons(rng, 120, w, h);
    HiddenLineRemover remover;
    remover.Build(polygons, w, h);
    int compared = 0;
    for (int s = 0; s < 300; ++s) {
        const double x1 = w * u(rng), y1 = h * u(rng), x2 = w * u(rng), y2 = h * u(rng);
        const double z1 = 10.0 * u(rng), z2 = 10.0 * u(rng);
        std::vector<Piece> pieces;
        remover.DrawHiddenLineSegment(x1, y1, z1, x2, y2, z2, [&](double a, double b, double c, double d) {
            pieces.push_back({a, b, c, d});
        });
        const double len2 = (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
        for (int k = 1; k < 200; ++k) {
            const double t = k / 200.0;
            const double x = x1 + t * (x2 - x1), y = y1 + t * (y2 - y1), z = z1 + t * (z2 - z1);
            bool robust = true, hidden = false;
            for (const HiddenLinePolygon& p : polygons) {
                const double m = InsideMargin(p, x, y);
                const double behind = z - (p.a * x + p.b * y + p.c);
                if (std::fabs(m) < 0.3 || (m > 0 && std::fabs(behind) < 0.02))
                    robust = false;
                if (m > 0 && behind > 0)
                    hidden = true;
            }
            if (!robust)
                continue;
            bool drawn = false;
            for (const Piece& q : pieces) {
                // Parameters of the piece's ends along the segment.
                const double ta = ((q.x1 - x1) * (x2 - x1) + (q.y1 - y1) * (y2 - y1)) / len2;
                const double tb = ((q.x2 - x1) * (x2 - x1) + (q.y2 - y1) * (y2 - y1)) / len2;
                if (std::min(ta, tb) <= t && t <= std::max(ta, tb))
                    drawn = true;
            }
            ++compared;
            EXPECT_EQ(drawn, !hidden) << "segment " << s << " t " << t;
        }
    }
    EXPECT_GT(compared, 20000);
}

// The plain walk: every polygon in order, a hidden middle piece drawn first
// by a nested walk over the later polygons.
void Walk(const std::vector<HiddenLinePolygon>& polygons, double p1[3], double p2[3], std::size_t first,
          std::vector<Piece>& out)
{
    double dx = p2[0] - p1[0], dy = p2[1] - p1[1];
    if (std::fabs(dx) + std::fabs(dy) < 0.01)
        return;
    auto box = [&](float bx[6]) {
        bx[0] = static_cast<float>(std::min(p1[0], p2[0])),
        bx[1] = static_cast<float>(std::max(p1[0], p2[0]));
        bx[2] = static_cast<float>(std::min(p1[1], p2[1])),
        bx[3] = static_cast<float>(std::max(p1[1], p2[1]));
        bx[4] = static_cast<float>(std::min(p1[2], p2[2])),
        bx[5] = static_cast<float>(std::max(p1[2], p2[2]));
    };
    float bx[6];
    box(bx);
    for (std::size_t n = first; n < polygons.size(); ++n) {
        const HiddenLinePolygon& p = polygons[n];
        if (p.xmax < bx[0] || bx[1] < p.xmin || p.ymax < bx[2] || bx[3] < p.ymin || bx[5] < p.zmin)
            continue;
        ClipInterval t;
        if (!(p.zmax <= bx[4]) && !ClipParameterTest(t, p.a * dx + p.b * dy - (p2[2] - p1[2]),
                                                     p1[2] - (p.a * p1[0] + p.b * p1[1] + p.c)))
            continue;
        bool in = true;
        for (int e = 0; e < 4 && in; ++e) {
            const float* a = p.corners[(e + 3) % 4];
            const float* b = p.corners[e];
            const double ea = static_cast<double>(a[1]) - b[1], eb = static_cast<double>(b[0]) - a[0];
            in =
                ClipParameterTest(t, -(eb * dy + ea * dx), ea * p1[0] + eb * p1[1] - (eb * a[1] + ea * a[0]));
        }
        if (!in)
            continue;
        if (t.tIn <= 0.0001 && t.tOut >= 0.9999)
            return;
        double s[3] = {p1[0], p1[1], p1[2]}, d[3] = {p2[0] - p1[0], p2[1] - p1[1], p2[2] - p1[2]};
        if (t.tIn <= 0.0001) {
            for (int k = 0; k < 3; ++k)
                p1[k] = s[k] + t.tOut * d[k];
        } else if (t.tOut < 0.9999) {
            double f[3];
            for (int k = 0; k < 3; ++k)
                f[k] = s[k] + t.tIn * d[k];
            double start[3] = {s[0], s[1], s[2]};
            Walk(polygons, start, f, n + 1, out);
            for (int k = 0; k < 3; ++k)
                p1[k] = s[k] + t.tOut * d[k];
        } else {
            for (int k = 0; k < 3; ++k)
                p2[k] = s[k] + t.tIn * d[k];
        }
        dx = p2[0] - p1[0], dy = p2[1] - p1[1];
        if (std::fabs(dx) + std::fabs(dy) < 0.01)
            return;
        box(bx);
    }
    out.push_back({p1[0], p1[1], p2[0], p2[1]});
}

TEST(HiddenLines, TheGridAndTheStackGiveThePiecesOfThePlainWalkInItsOrder)
{
    std::mt19937 rng(4);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const int w = 800, h = 600;
    const std::vector<HiddenLinePolygon> polygons = RandomPolygons(rng, 400, w, h);
    HiddenLineRemover remover;
    remover.Build(polygons, w, h);
    int split = 0;
    for (int s = 0; s < 500; ++s) {
        // Some segments reach out of the picture.
        double a[3] = {-100 + (w + 200) * u(rng), -100 + (h + 200) * u(rng), 10.0 * u(rng)};
        double b[3] = {-100 + (w + 200) * u(rng), -100 + (h + 200) * u(rng), 10.0 * u(rng)};
        std::vector<Piece> expected, got;
        double a0[3] = {a[0], a[1], a[2]}, b0[3] = {b[0], b[1], b[2]};
        Walk(polygons, a0, b0, 0, expected);
        remover.DrawHiddenLineSegment(a[0], a[1], a[2], b[0], b[1], b[2],
                                      [&](double x1, double y1, double x2, double y2) {
                                          got.push_back({x1, y1, x2, y2});
                                      });
        EXPECT_EQ(got, expected) << "segment " << s;
        split += expected.size() > 1;
    }
    EXPECT_GT(split, 50);
}

TEST(HiddenLines, ASegmentCutByVeryManyPolygonsInTurnNeedsNoDeepCalls)
{
    // Strips in front of a long segment, listed right to left: strip k hides
    // [0.9998, 0.99985] of what the strips before it left in front (the piece
    // behind it stays longer than the 1e-4 that counts as an end), so the
    // plain walk would nest once per strip, 60000 deep.
    const int n = 60000;
    std::vector<HiddenLinePolygon> strips;
    std::vector<double> front{1e9};
    for (int k = 0; k < n; ++k) {
        const double x = front.back();
        const double lo = x * (1 - 2e-4), hi = x * (1 - 1.5e-4);
        strips.push_back(MakePolygon(0.5 * (lo + hi), 10.0, 0.5 * (hi - lo), 5.0, 0.0, 0.0, 0.0, 0.0));
        front.push_back(strips.back().corners[0][0]);
    }
    HiddenLineRemover remover;
    remover.Build(strips, 1000000000, 20);
    std::vector<Piece> pieces;
    remover.DrawHiddenLineSegment(0.0, 10.0, 1.0, 1e9, 10.0, 1.0,
                                  [&](double x1, double y1, double x2, double y2) {
                                      pieces.push_back({x1, y1, x2, y2});
                                  });
    ASSERT_EQ(pieces.size(), static_cast<std::size_t>(n + 1));
    // Left to right: the front piece first, then what lies behind each strip.
    EXPECT_DOUBLE_EQ(pieces[0].x1, 0.0);
    EXPECT_NEAR(pieces[0].x2, front[n], 1e-3 * front[n]);
    for (int k = 1; k <= n; ++k) {
        EXPECT_NEAR(pieces[k].x1, strips[n - k].corners[1][0], 1e-6 * front[n - k]);
        EXPECT_NEAR(pieces[k].x2, front[n - k], 1e-6 * front[n - k]);
    }
}

TEST(HiddenLines, ALineOnAFaceStaysAndOneBehindItGoes)
{
    const std::vector<HiddenLinePolygon> face = {MakePolygon(50, 50, 30, 30, 0.0, 0.01, -0.02, 5.0)};
    HiddenLineRemover remover;
    remover.Build(face, 100, 100);
    auto depth = [](double x, double y) { return 0.01 * x - 0.02 * y + 5.0; };
    int drawn = 0;
    remover.DrawHiddenLineSegment(30, 40, depth(30, 40), 70, 60, depth(70, 60),
                                  [&](double, double, double, double) { ++drawn; });
    EXPECT_EQ(drawn, 1);
    drawn = 0;
    remover.DrawHiddenLineSegment(30, 40, depth(30, 40) + 0.1, 70, 60, depth(70, 60) + 0.1,
                                  [&](double, double, double, double) { ++drawn; });
    EXPECT_EQ(drawn, 0);
    // Shorter than 0.01 pixel: nothing.
    remover.DrawHiddenLineSegment(5, 5, 0, 5.004, 5.004, 0, [&](double, double, double, double) { ++drawn; });
    EXPECT_EQ(drawn, 0);
}

} // namespace
} // namespace kernels
