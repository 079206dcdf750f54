// Band outlines of quads: areas of the band triangles add up to the quad's,
// every band point lies within its band, the bands a quad gets at and beyond
// the range limits, and the two pieces of a band on a saddle quad.
#include "common/kernels/picture/BandPolygons.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <tuple>

namespace kernels {
namespace {

double TriangleArea(const BandVertex& a, const BandVertex& b, const BandVertex& c)
{
    return 0.5 * ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
}

struct Band {
    double low, high, fraction;
};

std::vector<Band> BandsOf(double vmin, double vmax, const ValueRange& range, bool flux = false)
{
    std::vector<Band> bands;
    QuadBands(vmin, vmax, range, flux, [&](double l, double h, double f, double) {
        bands.push_back({l, h, f});
    });
    return bands;
}

TEST(BandPolygons, BandTrianglesOfRandomQuadsWithoutSaddleTileTheQuad)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const ValueRange range{-2.0, 13.0, 1.5};
    int tested = 0;
    while (tested < 300) {
        // A convex quad: a jittered square, turned and scaled.
        BandVertex c[4];
        const double sq[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (int n = 0; n < 4; ++n) {
            c[n].x = 50 * (sq[n][0] + 0.2 * (u(rng) - 0.5));
            c[n].y = 30 * (sq[n][1] + 0.2 * (u(rng) - 0.5));
            c[n].value = -6.0 + 24.0 * u(rng);
        }
        // A saddle has its two diagonals' corners on the two sides.
        const double a = std::min(c[0].value, c[2].value), b = std::max(c[0].value, c[2].value);
        const double p = std::min(c[1].value, c[3].value), q = std::max(c[1].value, c[3].value);
        if (a > q || p > b)
            continue;
        ++tested;
        const double quadArea = TriangleArea(c[0], c[1], c[2]) + TriangleArea(c[0], c[2], c[3]);
        const double vmin = std::min({c[0].value, c[1].value, c[2].value, c[3].value});
        const double vmax = std::max({c[0].value, c[1].value, c[2].value, c[3].value});
        double area = 0.0;
        double eps = -1.0;
        std::vector<Band> bands;
        QuadBands(vmin, vmax, range, false, [&](double l, double h, double f, double e) {
            bands.push_back({l, h, f});
            eps = e;
        });
        EXPECT_DOUBLE_EQ(eps, std::min(vmax - vmin, range.inc) * 0.001);
        for (const Band& band : bands) {
            std::vector<BandVertex> outline;
            BandOutline(c, band.low, band.high, eps, outline);
            for (const BandVertex& v : outline) {
                EXPECT_GE(v.value, band.low - eps);
                EXPECT_LE(v.value, band.high + eps);
            }
            FanTriangles(outline, band.low, band.high, eps,
                         [&](const BandVertex& x, const BandVertex& y, const BandVertex& z) {
                             const double t = TriangleArea(x, y, z);
                             EXPECT_GE(t, -1e-9 * quadArea); // the fan keeps the quad's turning
                             area += t;
                         });
        }
        EXPECT_NEAR(area, quadArea, 1e-9 * quadArea) << "quad " << tested;
    }
}

TEST(BandPolygons, TheBandsAQuadGetsAtAndBeyondTheLimits)
{
    const ValueRange range{0.5, 10.0, 1.0};
    struct Case {
        double vmin, vmax;
        std::vector<Band> bands;
    };
    const Case cases[] = {
        // Everything below the lower limit: one band below it, up to the
        // first multiple of the increment above the limit.
        {-5.0, -1.0, {{kBelowAll, 1.0, kOutOfRange}}},
        // A lower limit between multiples: out of range up to the next one.
        {0.7, 2.5, {{kBelowAll, 1.0, kOutOfRange}, {1.0, 2.0, 0.5 / 9.5}, {2.0, 3.0, 1.5 / 9.5}}},
        // Above the upper limit: the last whole band, then one above.
        {8.2, 12.0, {{8.0, 9.0, 7.5 / 9.5}, {9.0, 10.0, 8.5 / 9.5}, {10.0, kAboveAll, kOutOfRange}}},
    };
    for (const Case& c : cases) {
        const std::vector<Band> bands = BandsOf(c.vmin, c.vmax, range);
        ASSERT_EQ(bands.size(), c.bands.size()) << c.vmin;
        for (std::size_t n = 0; n < bands.size(); ++n) {
            EXPECT_DOUBLE_EQ(bands[n].low, c.bands[n].low);
            EXPECT_DOUBLE_EQ(bands[n].high, c.bands[n].high);
            EXPECT_NEAR(bands[n].fraction, c.bands[n].fraction, 1e-12);
        }
    }
    // A flux quad whose values are all 0 is out of range.
    const std::vector<Band> zero = BandsOf(0.0, 0.0, range, true);
    ASSERT_EQ(zero.size(), 1u);
    EXPECT_EQ(zero[0].fraction, kOutOfRange);
}

TEST(BandPolygons, AnUnusableRangeGivesOneOutOfRangeBandAndNoDivision)
{
    for (const ValueRange& range : {ValueRange{5.0, 5.0, 1.0}, ValueRange{6.0, 2.0, 1.0},
                                    ValueRange{0.0, 10.0, 0.0}, ValueRange{0.0, 10.0, -1.0}}) {
        const std::vector<Band> bands = BandsOf(1.0, 8.0, range);
        ASSERT_EQ(bands.size(), 1u);
        EXPECT_EQ(bands[0].low, kBelowAll);
        EXPECT_EQ(bands[0].high, kAboveAll);
        EXPECT_EQ(bands[0].fraction, kOutOfRange);
    }
}

TEST(BandPolygons, VeryManyBandsEndAtTheTopAndPollEsc)
{
    // 1e6 bands: all visited, esc asked every 256.
    int polls = 0;
    long long count = 0;
    const ValueRange range{0.0, 1.0, 1e-6};
    QuadBands(
        0.0, 1.0, range, false, [&](double, double, double, double) { ++count; },
        [&] {
            ++polls;
            return false;
        });
    EXPECT_NEAR(static_cast<double>(count), 1e6, 2.0);
    EXPECT_EQ(polls, static_cast<int>(count / 256));
    // An increment too small to move the level stops after one band.
    const ValueRange frozen{0.0, 2e9, 1e-9};
    long long few = 0;
    QuadBands(1e9, 1e9 + 1.0, frozen, false, [&](double, double, double, double) { ++few; });
    EXPECT_LT(few, 5);
}

TEST(BandPolygons, ASaddleBandComesInTwoPieces)
{
    // Corners 0, 10, 0, 10 and the band 4..6: two strips, one around each
    // high corner, joined e0/e1 and e2/e3.
    const BandVertex c[4] = {{0, 0, 0, 0}, {10, 0, 0, 10}, {10, 10, 0, 0}, {0, 10, 0, 10}};
    std::vector<BandVertex> outline;
    BandOutline(c, 4.0, 6.0, 0.001, outline);
    ASSERT_EQ(outline.size(), 8u);
    std::vector<std::set<std::pair<double, double>>> pieces(2);
    for (int n = 0; n < 8; ++n)
        pieces[n / 4].insert({outline[n].x, outline[n].y});
    int triangles = 0;
    FanTriangles(outline, 4.0, 6.0, 0.001,
                 [&](const BandVertex& a, const BandVertex& b, const BandVertex& d) {
                     ++triangles;
                     int piece = pieces[0].count({a.x, a.y}) ? 0 : 1;
                     EXPECT_TRUE(pieces[piece].count({a.x, a.y}) && pieces[piece].count({b.x, b.y}) &&
                                 pieces[piece].count({d.x, d.y}));
                 });
    EXPECT_EQ(triangles, 4);
    // The same outline of five points would stay one fan.
    std::vector<BandVertex> five(outline.begin(), outline.begin() + 5);
    int fan = 0;
    FanTriangles(five, 4.0, 6.0, 0.001,
                 [&](const BandVertex&, const BandVertex&, const BandVertex&) { ++fan; });
    EXPECT_EQ(fan, 3);
}

} // namespace
} // namespace kernels
