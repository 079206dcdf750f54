// Axes of the function chart: where the ticks start and fall, the label
// texts, the pixel conversion and the chart's layout rectangles.
#include "gelmar/graphics/core/ChartAxes.h"

#include <cmath>
#include <gtest/gtest.h>

namespace gelmar::test {
namespace {

ChartAxis Axis(double min, double max, double major, double minor, double unitsPerPixel = 0.125)
{
    ChartAxis a;
    a.minimum = min;
    a.maximum = max;
    a.majorStep = major;
    a.minorStep = minor;
    a.unitsPerPixel = unitsPerPixel;
    return a;
}

TEST(ChartAxesTest, TicksStartAtTheNextMultipleOfTheMajorStep)
{
    struct Case {
        double min, max, step;
        std::vector<double> ticks;
    } cases[] = {
        {-2.3, 1.5, 1, {-2, -1, 0, 1}},
        {2.3, 5.5, 1, {3, 4, 5}},
        {2.0000001, 4, 1, {2.0000001, 3.0000001}}, // within 1e-6 of a multiple: counts as it
        {-4, 4, 2, {-4, -2, 0, 2, 4}},             // a multiple: starts there
        {0, 10, 2.5, {0, 2.5, 5, 7.5, 10}},
        {1.7, 9, 0, {1.7}}, // no major step: one tick at the minimum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.min);
        const MajorTicks t = ComputeMajorTicks(Axis(c.min, c.max, c.step, 0));
        ASSERT_EQ(t.ticks.size(), c.ticks.size());
        for (std::size_t i = 0; i < c.ticks.size(); ++i) {
            EXPECT_NEAR(t.ticks[i], c.ticks[i], 1e-9);
            if (c.step > 0 && c.min != 2.0000001) {
                // Each tick a multiple of the step.
                const double q = t.ticks[i] / c.step;
                EXPECT_NEAR(q, std::round(q), 1e-6);
            }
        }
    }
    // Grid lines only strictly inside the range.
    const MajorTicks t = ComputeMajorTicks(Axis(-4, 4, 2, 0));
    EXPECT_EQ(t.grid, (std::vector<double>{-2, 0, 2}));
    EXPECT_DOUBLE_EQ(TickStart(Axis(-2.3, 1, 1, 0)), -3);
    EXPECT_DOUBLE_EQ(TickStart(Axis(2.3, 4, 1, 0)), 2);
}

TEST(ChartAxesTest, MinorTicksRunAcrossTheAxisEvenWithoutAMajorStep)
{
    // 0..10 over 80 pixels from pixel 50: a minor tick every 8 pixels.
    const std::vector<int> minor = MinorTickPixels(Axis(0, 10, 0, 1), 50, 1, 50, 130);
    EXPECT_EQ(minor, (std::vector<int>{58, 66, 74, 82, 90, 98, 106, 114, 122, 130}));
    // With a major step each run starts after the previous major tick; the
    // same pixel is listed once.
    EXPECT_EQ(MinorTickPixels(Axis(0, 10, 5, 1), 50, 1, 50, 130), minor);
    // Upward along a y axis from the plot's bottom at 200; pixels outside
    // the plot are left out.
    EXPECT_EQ(MinorTickPixels(Axis(0, 10, 0, 2.5), 200, -1, 150, 200), (std::vector<int>{160, 180}));
    // A step far below the range's resolution ends instead of running on.
    EXPECT_LE(MinorTickPixels(Axis(0, 1e9, 1e-3, 1e-4, 1e7), 0, 1, 0, 100).size(), 101u);
}

TEST(ChartAxesTest, LabelsByDecimals)
{
    ChartAxis a;
    const struct {
        int decimals;
        const char* text;
    } cases[] = {{0, "-3"}, {1, "-2.5"}, {2, "-2.50"}, {3, "-2.500"}, {4, "-3"}, {-1, "-3"}};
    for (const auto& c : cases) {
        a.decimals = c.decimals;
        EXPECT_EQ(AxisLabelText(a, -2.5001, {}), c.text) << c.decimals;
    }
    const LabelFormatter words = [](double v) { return std::string(v == 1 ? "one" : "other"); };
    EXPECT_EQ(AxisLabelText(a, 1, words), "one");
}

TEST(ChartAxesTest, PixelsAreTruncatedAndFarValuesRefused)
{
    const ChartAxis a = Axis(10, 20, 1, 0, 0.25);
    int p = 0;
    ASSERT_TRUE(AxisPixel(a, 12.6, 100, 1, &p));
    EXPECT_EQ(p, 110); // 100 + 10.4
    ASSERT_TRUE(AxisPixel(a, 12.6, 300, -1, &p));
    EXPECT_EQ(p, 289); // 300 - 10.4
    EXPECT_DOUBLE_EQ(AxisValueAt(a, 8), 12);
    EXPECT_FALSE(AxisPixel(a, 1e300, 0, 1, &p));
    EXPECT_FALSE(AxisPixel(Axis(0, 0, 1, 0, 0), 1, 0, 1, &p)); // a collapsed axis
}

TEST(ChartAxesTest, LayoutFollowsTheMeasuredText)
{
    ChartLayoutInput in;
    in.window = CRect(0, 0, 600, 400);
    in.sampleWidth = 60;
    in.textHeight = 16;
    in.rightAxisShown = false;
    const ChartLayout l = ComputeChartLayout(in, {});
    EXPECT_EQ(l.outer, CRect(2, 2, 598, 398));
    EXPECT_EQ(l.marginTop, 64);
    EXPECT_EQ(l.marginLeft, 92);
    // Without legend and right axis the plot ends two text heights short.
    EXPECT_EQ(l.plot, CRect(2 + 92, 2 + 64, 598 - 32, 398 - 64));
    EXPECT_EQ(l.xCaption, CRect(94, 334 + 16, 566, 398 - 64 / 5));
    EXPECT_EQ(l.leftCaption, CRect(2 + 92 / 5, 66, 94, 334));
    EXPECT_EQ(l.legend, CRect(94 + 18, 66 - 32, 94 + 18 + 48, 34 + 8 + 16));

    // A right axis keeps its margin; a legend at the right narrows the plot.
    in.rightAxisShown = true;
    EXPECT_EQ(ComputeChartLayout(in, {}).plot.right, 598 - 92);
    in.legendShown = true;
    in.legendPlacement = 2;
    in.legendEntries = 2;
    in.widestLegendText = 50;
    const ChartLayout r = ComputeChartLayout(in, {});
    EXPECT_EQ(r.plot.right, 598 - 92 - 50 - 80);
    EXPECT_EQ(r.legend.left, 598 - 8 - 50 - 80);
    EXPECT_EQ(r.legend.bottom - r.legend.top, static_cast<int>(2.5 * 16) + 16);

    // Margins are kept when not computed; unbordered charts use the window.
    in.bordered = false;
    in.computeMargins = false;
    in.textHeight = 20;
    const ChartLayout kept = ComputeChartLayout(in, l);
    EXPECT_EQ(kept.marginTop, 64);
    EXPECT_EQ(kept.outer, in.window);

    EXPECT_EQ(LegendBoxForEntries(CRect(10, 20, 0, 0), 16, 3, 40), CRect(10, 20, 10 + 32 + 10 + 40, 20 + 48 + 10));
}

} // namespace
} // namespace gelmar::test
