// The picture canvas and the dot-by-dot line plotter on a memory raster:
// brushes and their pattern phase, the pixel rules of rectangles, polygons
// and lines, origin and clip, and lines reaching far outside the picture.
#include "common/kernels/picture/PictureCanvas.h"

#include "common/kernels/picture/LinePlotter.h"

#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <utility>

namespace kernels {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

std::set<std::pair<int, int>> PixelsOf(const MemoryRaster& r, COLORREF colour)
{
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            if (r.At(x, y) == colour)
                s.insert({x, y});
    return s;
}

TEST(PictureCanvas, RectanglesPolygonsAndPatternsFollowThePixelRules)
{
    MemoryRaster raster(40, 30);
    PictureCanvas canvas(raster.View());
    // A polygon covers the pixels whose centres lie inside: an integer
    // rectangle from (2, 3) to (7, 9) is 5 x 6 pixels.
    const CPoint square[4] = {{2, 3}, {7, 3}, {7, 9}, {2, 9}};
    canvas.FillPolygon(square, FillBrush::Solid(kRed));
    EXPECT_EQ(raster.Count(kRed), 30);
    EXPECT_EQ(raster.At(2, 3), kRed);
    EXPECT_EQ(raster.At(6, 8), kRed);
    EXPECT_EQ(raster.At(7, 8), kWhite);
    // A rectangle without outline is one pixel smaller on the right and below,
    // whichever corner comes first.
    canvas.FillRectangleNoOutline({20, 10}, {10, 5}, FillBrush::Solid(kBlue));
    EXPECT_EQ(raster.Count(kBlue), 9 * 4);
    EXPECT_EQ(raster.At(10, 5), kBlue);
    EXPECT_EQ(raster.At(19, 9), kWhite);

    // Rows 10101010 / 01010101: 1 bits take the background colour, 0 bits the
    // text colour; the pattern lies from the raster's corner.
    MemoryRaster r2(16, 16);
    PictureCanvas c2(r2.View());
    const std::array<WORD, 8> rows{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    c2.SetOrigin(1, 0); // the picture moved by one pixel: the pattern stays
    c2.FillRect({-1, 0, 15, 16}, FillBrush::Pattern(rows, kBlue, kRed));
    EXPECT_EQ(r2.At(0, 0), kRed);
    EXPECT_EQ(r2.At(1, 0), kBlue);
    EXPECT_EQ(r2.At(0, 1), kBlue);
    EXPECT_EQ(r2.Count(kRed), 128);
}

TEST(PictureCanvas, OriginAndClipPlaceThePictureInItsPane)
{
    MemoryRaster raster(50, 40);
    PictureCanvas canvas(raster.View());
    canvas.SetOrigin(10, 5);
    canvas.SetClip({10, 5, 30, 25});
    EXPECT_EQ(canvas.VisibleRect(), CRect(0, 0, 20, 20));
    canvas.FillRect({-100, -100, 100, 100}, FillBrush::Solid(kRed));
    EXPECT_EQ(raster.Count(kRed), 400);
    EXPECT_EQ(raster.At(10, 5), kRed);
    EXPECT_EQ(raster.At(9, 5), kWhite);
    canvas.SetPixel(-1 << 30, 3, kBlue); // far away: nothing, no wrap-around
    EXPECT_EQ(raster.Count(kBlue), 0);
    canvas.AddText("label", {1, 2, 3, 4}, kTextSingleLine | kTextVCenter);
    ASSERT_EQ(canvas.Texts().size(), 1u);
    EXPECT_EQ(canvas.Texts()[0].rect, CRect(11, 7, 13, 9));
    EXPECT_EQ(canvas.Texts()[0].clip, CRect(10, 5, 30, 25));
    EXPECT_EQ(canvas.TakeTexts().size(), 1u);
    EXPECT_TRUE(canvas.Texts().empty());
}

TEST(PictureCanvas, LinesLeaveOutTheirEndAndReachFarWithoutCost)
{
    MemoryRaster raster(20, 20);
    PictureCanvas canvas(raster.View());
    canvas.DrawLine({2, 5}, {12, 5}, {kRed, 1, false});
    EXPECT_EQ(raster.Count(kRed), 10);
    EXPECT_EQ(raster.At(12, 5), kWhite);
    canvas.DrawLine({2, 8}, {12, 8}, {kBlue, 1, true});
    EXPECT_EQ(raster.Count(kBlue), 5); // every other pixel
    // A line across the picture from far outside lays the same visible
    // pixels as its part inside.
    MemoryRaster far(20, 20), near(20, 20);
    PictureCanvas cf(far.View()), cn(near.View());
    cf.DrawLine({-2000000000, 10}, {2000000000, 10}, {kRed, 1, false});
    cn.DrawLine({-5, 10}, {30, 10}, {kRed, 1, false});
    EXPECT_EQ(PixelsOf(far, kRed), PixelsOf(near, kRed));
    EXPECT_EQ(far.Count(kRed), 20);

    MemoryRaster disc(40, 40);
    PictureCanvas cd(disc.View());
    cd.FillDisc({10, 10, 31, 31}, RGB(255, 255, 0), kBlack);
    EXPECT_EQ(disc.At(20, 20), RGB(255, 255, 0));
    EXPECT_EQ(disc.At(10, 20), kBlack);
    EXPECT_EQ(disc.At(9, 20), kWhite);
    EXPECT_EQ(disc.At(30, 20), kBlack);
    EXPECT_EQ(disc.At(10, 10), kWhite); // the box's corner is outside the disc
}

TEST(LinePlotter, DotsFollowTheRowsOrColumnsOfTheLine)
{
    MemoryRaster raster(30, 30);
    PictureCanvas canvas(raster.View());
    int polls = 0;
    LinePlotter plotter(canvas, [&] {
        ++polls;
        return false;
    });
    plotter.SetPen({kRed, 1});
    // Steep: one dot per row from trunc(y1) while the row is below y2.
    plotter.PlotThickLine(5.5, 2.0, 7.5, 10.0);
    std::set<std::pair<int, int>> steep;
    for (int r = 2; r < 10; ++r)
        steep.insert({static_cast<int>(5.5 + (r - 2.0) * 2.0 / 8.0), r});
    EXPECT_EQ(PixelsOf(raster, kRed), steep);
    // Flat, drawn from right to left: the same dots as left to right.
    MemoryRaster a(30, 30), b(30, 30);
    PictureCanvas ca(a.View()), cb(b.View());
    LinePlotter pa(ca), pb(cb);
    pa.SetPen({kBlue, 1});
    pb.SetPen({kBlue, 1});
    pa.PlotThickLine(20.0, 3.0, 2.0, 7.0);
    pb.PlotThickLine(2.0, 7.0, 20.0, 3.0);
    EXPECT_EQ(PixelsOf(a, kBlue), PixelsOf(b, kBlue));
    EXPECT_EQ(a.Count(kBlue), 18);
    // Both ends equal: one dot (no 0/0).
    plotter.SetPen({kBlue, 1});
    plotter.PlotThickLine(25.0, 25.0, 25.0, 25.0);
    EXPECT_EQ(raster.At(25, 25), kBlue);
    EXPECT_EQ(raster.Count(kBlue), 1);
    EXPECT_EQ(polls, 2);
}

TEST(LinePlotter, WideDotsAreSquaresUpAndLeftOfThePoint)
{
    MemoryRaster raster(20, 20);
    PictureCanvas canvas(raster.View());
    LinePlotter plotter(canvas);
    plotter.SetPen({kRed, 2});
    plotter.PlotDot(10, 10);
    EXPECT_EQ(PixelsOf(raster, kRed), (std::set<std::pair<int, int>>{{9, 9}, {10, 9}, {9, 10}, {10, 10}}));
    plotter.SetPen({kBlue, 3});
    plotter.PlotDot(4, 4);
    EXPECT_EQ(raster.Count(kBlue), 9);
    EXPECT_EQ(raster.At(3, 3), kBlue);
    EXPECT_EQ(raster.At(5, 5), kBlue);
}

TEST(LinePlotter, ALineFromFarOutsidePlotsOnlyItsVisibleDots)
{
    MemoryRaster raster(40, 40), reference(40, 40);
    PictureCanvas canvas(raster.View()), rc(reference.View());
    LinePlotter plotter(canvas), ref(rc);
    plotter.SetPen({kRed, 1});
    ref.SetPen({kRed, 1});
    // 1e12 pixels long: only the few dozen visible columns are walked.
    plotter.PlotThickLine(-1e12, 20.0, 1e12, 20.0);
    ref.PlotThickLine(-3.0, 20.0, 45.0, 20.0);
    EXPECT_EQ(PixelsOf(raster, kRed), PixelsOf(reference, kRed));
    plotter.PlotThickLine(1e300, -1e300, 2.0, 2.0); // huge ends: no overflow
    plotter.PlotThickLine(0.0, 0.0, std::numeric_limits<double>::quiet_NaN(), 3.0);
}

} // namespace
} // namespace kernels
