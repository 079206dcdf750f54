// The scan-line filler: its row and column rules, the nearest shape at each
// pixel, equal depths, white shapes, shapes tiling a rectangle (each pixel
// painted once, none left out), edges far outside the image, and Esc.
#include "common/kernels/picture/ScanFiller.h"

#include "common/core/ErrorCode.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

namespace kernels {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Adds a polygon (corners turning as the picture polygons do) as one entry.
void AddPolygon(ScanFiller& f, std::initializer_list<std::pair<double, double>> corners, COLORREF colour,
                const DepthPlane& plane = {}, int tag = 0)
{
    f.BeginEntry(plane, colour, tag);
    std::vector<std::pair<double, double>> p(corners);
    for (std::size_t k = 0; k < p.size(); ++k) {
        const auto& a = p[(k + p.size() - 1) % p.size()];
        const auto& b = p[k];
        f.AddFillEdge(a.first, a.second, b.first, b.second);
    }
}

TEST(ScanFiller, RowsBelowTheTopDownToTheBottomAndColumnsAfterTheLeftEdge)
{
    MemoryRaster raster(20, 20);
    PictureCanvas canvas(raster.View());
    ScanFiller filler(20, 20);
    // Top vertex exactly on row 2, bottom exactly on row 6; left edge at
    // x = 3.5 and right edge at x = 8.2.
    AddPolygon(filler, {{3.5, 2.0}, {8.2, 2.0}, {8.2, 6.0}, {3.5, 6.0}}, kRed);
    filler.ScanFillEdges(canvas, {});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = y >= 3 && y <= 6 && x >= 4 && x <= 8;
            EXPECT_EQ(raster.At(x, y) == kRed, inside) << x << "," << y;
        }
}

TEST(ScanFiller, TheNearestShapeWinsAndEqualDepthsGoToTheLaterOne)
{
    MemoryRaster raster(30, 10);
    PictureCanvas canvas(raster.View());
    ScanFiller filler(30, 10);
    // Two overlapping squares on tilted planes that cross at x = 15.
    const DepthPlane rising{0.1, 0.0, 0.0, 0.0f, 3.0f}, falling{-0.1, 0.0, 3.0, 0.0f, 3.0f};
    AddPolygon(filler, {{0, 0}, {30, 0}, {30, 10}, {0, 10}}, kRed, rising);
    AddPolygon(filler, {{0, 0}, {30, 0}, {30, 10}, {0, 10}}, kBlue, falling);
    filler.ScanFillEdges(canvas, {});
    EXPECT_EQ(raster.At(5, 5), kRed);   // red is nearer on the left
    EXPECT_EQ(raster.At(25, 5), kBlue); // blue on the right
    EXPECT_EQ(raster.At(15, 5), kBlue); // equal depth: the later entry

    // A white shape is never painted, even in front.
    MemoryRaster r2(10, 10, RGB(1, 2, 3));
    PictureCanvas c2(r2.View());
    ScanFiller f2(10, 10);
    AddPolygon(f2, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, kWhite);
    f2.ScanFillEdges(c2, {});
    EXPECT_EQ(r2.Count(RGB(1, 2, 3)), 100);
}

TEST(ScanFiller, TrianglesTilingARectanglePaintEachPixelOnce)
{
    // A jittered grid split into triangles; the shadow test is asked once
    // for every pixel painted.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> jitter(-4.0, 4.0);
    const int n = 8, w = 200, h = 150;
    std::vector<std::pair<double, double>> p((n + 1) * (n + 1));
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            const bool border = i == 0 || j == 0 || i == n || j == n;
            p[j * (n + 1) + i] = {10.0 + 22.5 * i + (border ? 0 : jitter(rng)),
                                  10.0 + 16.25 * j + (border ? 0 : jitter(rng))};
        }
    MemoryRaster raster(w, h);
    PictureCanvas canvas(raster.View());
    ScanFiller filler(w, h);
    int tag = 0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const auto a = p[j * (n + 1) + i], b = p[j * (n + 1) + i + 1], c = p[(j + 1) * (n + 1) + i + 1],
                       d = p[(j + 1) * (n + 1) + i];
            AddPolygon(filler, {a, b, c}, RGB(tag % 200, 10, 10), {}, tag);
            ++tag;
            AddPolygon(filler, {a, c, d}, RGB(tag % 200, 10, 10), {}, tag);
            ++tag;
        }
    std::map<std::pair<int, int>, int> painted;
    filler.ScanFillEdges(canvas, {}, [&](int x, int y, const ScanFiller::Entry&) {
        ++painted[{x, y}];
        return false;
    });
    for (const auto& [pixel, times] : painted)
        EXPECT_EQ(times, 1) << pixel.first << "," << pixel.second;
    // The rectangle runs from 10 to 190 and 10 to 140: rows 11..140 and
    // columns 11..190 by the rules.
    EXPECT_EQ(painted.size(), static_cast<std::size_t>(130 * 180));
    for (int y = 11; y <= 140; ++y)
        for (int x = 11; x <= 190; ++x)
            EXPECT_TRUE(painted.count({x, y})) << x << "," << y;
}

TEST(ScanFiller, ShadowedPixelsTakeTheLightenedColourAndFarEdgesCostNoWalk)
{
    EXPECT_EQ(ShadowTint(RGB(0, 255, 100)), RGB(159, 255, 196));
    MemoryRaster raster(10, 10);
    PictureCanvas canvas(raster.View());
    ScanFiller filler(10, 10);
    // An edge from 1e12 pixels above the image.
    AddPolygon(filler, {{0.0, -1e12}, {10.0, -1e12}, {10.0, 10.0}, {0.0, 10.0}}, kRed, {}, 7);
    filler.ScanFillEdges(canvas, {},
                         [](int x, int, const ScanFiller::Entry& e) { return e.tag == 7 && x < 5; });
    EXPECT_EQ(raster.At(2, 0), ShadowTint(kRed));
    EXPECT_EQ(raster.At(7, 9), kRed);
}

TEST(ScanFiller, EscStopsTheScanBetweenRows)
{
    MemoryRaster raster(10, 100);
    PictureCanvas canvas(raster.View());
    ScanFiller filler(10, 100);
    AddPolygon(filler, {{0, 0}, {10, 0}, {10, 100}, {0, 100}}, kRed);
    int polls = 0;
    EXPECT_THROW(filler.ScanFillEdges(canvas,
                                      [&] {
                                          ++polls;
                                          return polls == 2;
                                      }),
                 common::EngineException);
    EXPECT_EQ(common::ErrorCode(), 0);
    // The poll runs every eleventh row: rows 1..21 were painted.
    EXPECT_EQ(raster.Count(kRed), 10 * 21);
}

} // namespace
} // namespace kernels
