// Section windows, transform, zoom and pan, and the legend's layout and scale
// numbers, with the cases worked out by hand.
#include "common/kernels/picture/SectionView.h"

#include "common/kernels/picture/LegendLayout.h"

#include <gtest/gtest.h>

namespace kernels {
namespace {

TEST(SectionView, AWideWindowFillsThePaneWidthAndIsCentredVertically)
{
    const SectionWindow wide{0.0f, 10.0f, 0.0f, 2.0f};
    const SectionTransform t = ComputeSectionTransform(wide, 400, 300);
    EXPECT_DOUBLE_EQ(t.scale, 40.0);
    EXPECT_DOUBLE_EQ(t.x0, 0.5);
    EXPECT_DOUBLE_EQ(t.y0, (300 - 80 + 1) * 0.5);
    // u = x, v = -z on section 3 (Ymin): the window's corner u = 0, v = 0.
    EXPECT_EQ(ProjectToSection(3, t, 0.0, 0.0, 0.0), CPoint(0, 110));
    EXPECT_EQ(ProjectToSection(3, t, 10.0, 0.0, -2.0), CPoint(400, 190));
    // A tall window fills the height and is centred across.
    const SectionTransform tall = ComputeSectionTransform({0.0f, 1.0f, 0.0f, 3.0f}, 400, 300);
    EXPECT_DOUBLE_EQ(tall.scale, 100.0);
    EXPECT_DOUBLE_EQ(tall.x0, (400 - 100 + 1) * 0.5);
}

TEST(SectionView, ZoomFractionsReferToTheWholePaneAndACoveringRectangleChangesNothing)
{
    SectionWindow w{0.0f, 10.0f, 0.0f, 2.0f};
    const SectionTransform t = ComputeSectionTransform(w, 400, 300);
    // The pane shows v from -y0/scale to (300 - y0)/scale, not 0..2.
    ASSERT_TRUE(ZoomSectionToRectangle(w, t, 400, 300, {200, 150}, {100, 0}));
    EXPECT_NEAR(w.umin, 2.5 - 0.5 / 40, 1e-5);
    EXPECT_NEAR(w.umax, 5.0 - 0.5 / 40, 1e-5);
    EXPECT_NEAR(w.vmin, -110.5 / 40, 1e-5);
    EXPECT_NEAR(w.vmax, (150 - 110.5) / 40, 1e-5);
    SectionWindow same{0.0f, 10.0f, 0.0f, 2.0f};
    EXPECT_FALSE(ZoomSectionToRectangle(same, t, 400, 300, {-5, -5}, {405, 300}));
    EXPECT_EQ(same, (SectionWindow{0.0f, 10.0f, 0.0f, 2.0f}));
}

TEST(SectionView, ZoomInThenOutKeepsTheSizeAboutTheClickedPoint)
{
    const float clip[6] = {0, 4, 0, 2, 0, 3};
    SectionView view;
    view.SetSectionFullWindow(1, clip); // u = -y in -2..0, v = -z in -3..0, with margins
    EXPECT_FLOAT_EQ(view.Current().umin, -2.05f);
    EXPECT_FLOAT_EQ(view.Current().vmax, 0.075f);
    EXPECT_FALSE(view.HasPreviousWindow());
    const SectionWindow before = view.Current();
    const int w = 300, h = 400;
    const SectionTransform t = view.Transform(w, h);
    const CPoint click(100, 250);
    const double u = (click.x - t.x0) / t.scale, v = (click.y - t.y0) / t.scale;
    view.ZoomInAtPoint({w / 2, h / 2}, click, w, h);
    EXPECT_NEAR(view.Current().umax - view.Current().umin, 0.5 * (before.umax - before.umin), 1e-5);
    // The clicked point is now the window's centre.
    EXPECT_NEAR(0.5 * (view.Current().umin + view.Current().umax),
                u + (before.umin + before.umax) * 0.5 - (w / 2 - t.x0) / t.scale, 1e-4);
    EXPECT_EQ(view.Previous(), before);
    view.ZoomOut();
    EXPECT_NEAR(view.Current().umax - view.Current().umin, before.umax - before.umin, 1e-5);
    EXPECT_NEAR(view.Current().vmax - view.Current().vmin, before.vmax - before.vmin, 1e-5);
    EXPECT_NEAR(0.5 * (view.Current().vmin + view.Current().vmax),
                v + 0.5 * (before.vmin + before.vmax) - (h / 2 - t.y0) / t.scale, 1e-4);
    view.PreviousView(); // back to the zoomed-in window and forth again
    view.PreviousView();
    view.ZoomTotal();
    EXPECT_TRUE(view.AtFullWindow());
}

TEST(SectionView, PanFollowsTheMouseUnlessTheDragModeMovesTheWindow)
{
    SectionWindow w{0.0f, 10.0f, 0.0f, 10.0f};
    PanSectionWindow(w, 20.0, {10, 10}, {50, 30}, false);
    EXPECT_FLOAT_EQ(w.umin, -2.0f);
    EXPECT_FLOAT_EQ(w.vmax, 9.0f);
    PanSectionWindow(w, 20.0, {10, 10}, {50, 30}, true);
    EXPECT_FLOAT_EQ(w.umin, 0.0f);
    EXPECT_FLOAT_EQ(w.vmax, 10.0f);
}

TEST(SectionView, LminShowsTheOrientationOfZmax)
{
    for (double x : {0.3, 1.7})
        for (double y : {-2.0, 0.4}) {
            double u1, v1, u2, v2;
            SectionCoordinates(11, x, y, 5.0, u1, v1);
            SectionCoordinates(6, x, y, 5.0, u2, v2);
            EXPECT_EQ(u1, u2);
            EXPECT_EQ(v1, v2);
            SectionCoordinates(12, x, y, 5.0, u1, v1);
            SectionCoordinates(5, x, y, 5.0, u2, v2);
            EXPECT_EQ(u1, u2);
            EXPECT_EQ(v1, v2);
        }
}

TEST(LegendLayout, ScaleNumbersUseTheFewestDecimalsThatShowEveryBoundary)
{
    struct Case {
        double start, step;
        int n, decimals;
    };
    const Case cases[] = {{0, 5, 2, 0},    {0, 0.25, 2, 2}, {-1, 0.5, 4, 1}, {0.1, 0.001, 3, 3},
                          {0, 1e-4, 3, 4}, {0, 1e-5, 3, 0}, {20, 1, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatScaleNumber(c.start, c.step, c.n), c.decimals) << c.start << " " << c.step;
    EXPECT_EQ(FormatFixed(0.25, 2), "0.25");
    EXPECT_EQ(FormatFixed(-3.14159, 1), "-3.1");
    EXPECT_EQ(FormatFixed(2.5, 0), "2");
}

TEST(LegendLayout, ValueScalesStartAtTheNextMultipleAndKeepAtLeastOneBand)
{
    struct Case {
        double lower, upper, inc, bottom;
        int n;
    };
    const Case cases[] = {
        {0, 20, 1, 0, 20},   // limits on multiples
        {0.5, 20, 1, 1, 19}, // a lower limit between multiples starts at the next one
        {0, 20.5, 2, 0, 10}, // an upper limit between multiples ends at the one below
        {3.2, 3.7, 1, 3, 1}, // no whole band: one below the lower limit
        {5, 5, 1, 4, 1},     // equal limits
        {0, 10, 0, 0, 1},    // no increment
    };
    for (const Case& c : cases) {
        const ValueScale s = ComputeValueScale(c.lower, c.upper, c.inc);
        EXPECT_DOUBLE_EQ(s.bottom, c.bottom) << c.lower << " " << c.upper;
        EXPECT_EQ(s.n, c.n) << c.lower << " " << c.upper;
    }
}

TEST(LegendLayout, ShortListsKeepTheRowHeightOfLongerOnes)
{
    // 300 pixels high: 4 entries with at least 20 rows, highest row 6.
    const CRect pane(600, 0, 900, 300);
    const LegendLayout l = ComputeLegendLayout(pane, 4, 20, 6);
    EXPECT_DOUBLE_EQ(l.rowHeight, -300.0 / (6 - (4 - 20 - 1)));
    EXPECT_DOUBLE_EQ(l.columnWidth, 10.0);
    EXPECT_EQ(l.LegendPoint(0, 6).y, 0); // the highest row at the top
    EXPECT_EQ(l.LegendPoint(30, 0).x, 900);
    // A long list fills the pane from row -1 to its last row.
    const LegendLayout full = ComputeLegendLayout(pane, 25, 20, 27);
    EXPECT_DOUBLE_EQ(full.rowHeight, -300.0 / 28);
    EXPECT_EQ(full.LegendPoint(0, -1).y, 300);
}

} // namespace
} // namespace kernels
