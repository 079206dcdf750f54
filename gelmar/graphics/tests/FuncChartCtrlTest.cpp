// The function chart painted into a memory bitmap: curve pixels where the
// axes put them, a gap value that splits the curve, the marker dot, the
// message line and the title; and its mouse handling, which zooms only on
// a drag of 3 pixels or more and passes every message on to its parent.
#include "gelmar/graphics/FuncChartCtrl.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <utility>
#include <vector>

namespace gelmar::test {
namespace {

// A top-level window that records the mouse messages it receives.
class RecordingParent : public CWnd {
  public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_MOUSEMOVE && message <= WM_RBUTTONUP)
            received.emplace_back(message, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<std::pair<UINT, CPoint>> received;
};

constexpr COLORREF kCurve = RGB(0, 160, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class FuncChartTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "Chart", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 640, 480), nullptr, 0));
        ASSERT_TRUE(chart.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 640, 480), &parent, 10100));
        chart.rightAxisShown = 0;
        chart.SetSeries(0, PS_SOLID, kCurve, "", 0);
        chart.MeasureLabels(FALSE);
        const double x0 = 0, x1 = 100, y0 = 0, y1 = 10;
        chart.SetXRange(&x0, &x1, FALSE);
        chart.SetYRange(&y0, &y1);
        chart.xAxis.majorStep = 10;
        chart.leftAxis.majorStep = 1;
    }
    void Add(std::initializer_list<std::pair<double, double>> points)
    {
        for (auto [x, y] : points)
            ASSERT_TRUE(chart.AddPoint(0, &x, &y));
    }
    // Paints the whole chart into a fresh bitmap of its size.
    void Paint()
    {
        dc.DeleteDC();
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 640, 480));
        dc.SelectObject(&bitmap);
        chart.DrawChart(&dc);
    }
    // The pixels of a colour inside a rectangle.
    std::vector<CPoint> Find(COLORREF c, const CRect& r)
    {
        return FindIf([c](COLORREF p) { return p == c; }, r);
    }
    template <class Pred> std::vector<CPoint> FindIf(Pred pred, const CRect& r)
    {
        std::vector<CPoint> found;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (pred(dc.GetPixel(x, y)))
                    found.emplace_back(x, y);
        return found;
    }
    CRect Inside() const
    {
        const CRect& p = chart.PlotRect();
        return CRect(p.left, p.top, p.right + 1, p.bottom + 1);
    }
    void Mouse(UINT message, CPoint p) { chart.SendMessage(message, MK_LBUTTON, MAKELPARAM(p.x, p.y)); }

    RecordingParent parent;
    CFuncChartCtrl chart;
    CDC dc;
    CBitmap bitmap;
};

TEST_F(FuncChartTest, CurvePixelsLieWhereTheAxesPutThem)
{
    const CRect& plot = chart.PlotRect();
    // Height 5 of 10 is the plot's middle row; x 10 and 90 a tenth from
    // each side.
    Add({{10, 5}, {90, 5}, {90, 0}});
    Paint();
    const std::vector<CPoint> curve = Find(kCurve, Inside());
    ASSERT_FALSE(curve.empty());
    const double middle = plot.bottom - plot.Height() / 2.0;
    const double left = plot.left + plot.Width() / 10.0, right = plot.left + 9 * plot.Width() / 10.0;
    // The row of the horizontal part: the one holding most curve pixels.
    std::map<int, int> rows;
    for (CPoint p : curve)
        ++rows[p.y];
    const auto row = std::max_element(rows.begin(), rows.end(),
                                      [](auto& a, auto& b) { return a.second < b.second; })->first;
    EXPECT_NEAR(row, middle, 1);
    EXPECT_NEAR(rows[row], right - left, 2);
    for (CPoint p : curve) {
        if (p.y == row) {
            EXPECT_GE(p.x, left - 1);
            EXPECT_LE(p.x, right + 1);
        } else {
            // The drop to 0 at x = 90, down to the line before the axis.
            EXPECT_NEAR(p.x, right, 1);
            EXPECT_GT(p.y, row);
            EXPECT_LE(p.y, plot.bottom);
        }
    }
    // No curve outside the plot area.
    EXPECT_EQ(Find(kCurve, CRect(0, 0, 640, 480)).size(), curve.size());
}

TEST_F(FuncChartTest, GapValueSplitsTheCurve)
{
    Add({{10, 5}, {40, 5}, {50, 999}, {60, 5}, {90, 5}});
    Paint();
    const CRect& plot = chart.PlotRect();
    const double x40 = plot.left + 0.4 * plot.Width(), x60 = plot.left + 0.6 * plot.Width();
    int before = 0, after = 0;
    for (CPoint p : Find(kCurve, Inside())) {
        EXPECT_FALSE(p.x > x40 + 1 && p.x < x60 - 1) << p.x; // nothing across the gap
        (p.x < x40 + 1 ? before : after)++;
    }
    EXPECT_GT(before, 0);
    EXPECT_GT(after, 0);
}

TEST_F(FuncChartTest, MarkerDotUnlessMarkersAreHidden)
{
    chart.Series(0).markerX = 50;
    chart.Series(0).markerY = 5;
    const CRect& plot = chart.PlotRect();
    const CPoint centre(plot.left + plot.Width() / 2, plot.bottom - plot.Height() / 2);
    const CRect around(centre.x - 3, centre.y - 3, centre.x + 4, centre.y + 4);
    Paint();
    EXPECT_FALSE(Find(0x0000FF, around).empty()); // the dot's fill
    chart.hideMarkers = 0x100; // only the low byte counts
    Paint();
    EXPECT_FALSE(Find(0x0000FF, around).empty());
    chart.hideMarkers = 1;
    Paint();
    EXPECT_TRUE(Find(0x0000FF, around).empty());
}

TEST_F(FuncChartTest, TitleAndMessageAppearOnlyWhenSet)
{
    // Text is smoothed: its colour is told by the dominant channel.
    const auto bluish = [](COLORREF c) { return GetBValue(c) > 120 && GetRValue(c) < 100; };
    const auto reddish = [](COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100; };
    chart.titleColour = RGB(0, 0, 200);
    const CRect& plot = chart.PlotRect();
    const CRect above(plot.left, 3, plot.right, plot.top - chart.TextHeight());
    Paint();
    EXPECT_TRUE(FindIf([](COLORREF c) { return c != kWhite; }, above).empty());
    EXPECT_TRUE(FindIf(reddish, Inside()).empty());
    chart.title = "Title";
    chart.message = "Failed to open file\nnowhere.fte";
    Paint();
    EXPECT_FALSE(FindIf(bluish, above).empty());
    const std::vector<CPoint> message = FindIf(reddish, Inside());
    ASSERT_FALSE(message.empty());
    // Two lines of text, the second below the first.
    int top = 480, bottom = 0;
    for (CPoint p : message) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    EXPECT_GT(bottom - top, chart.TextHeight());
}

TEST_F(FuncChartTest, ShortDragLeavesTheRangesAndEveryMessageReachesTheParent)
{
    const CRect& plot = chart.PlotRect();
    const CPoint a(plot.left + 50, plot.top + 40);
    Mouse(WM_LBUTTONDOWN, a);
    Mouse(WM_MOUSEMOVE, CPoint(a.x + 2, a.y + 30));
    Mouse(WM_LBUTTONUP, CPoint(a.x + 2, a.y + 30));
    EXPECT_EQ(chart.xAxis.minimum, 0);
    EXPECT_EQ(chart.xAxis.maximum, 100);
    EXPECT_EQ(chart.leftAxis.maximum, 10);
    chart.SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(a.x, a.y));
    chart.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(a.x, a.y));
    chart.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(a.x, a.y));
    const std::vector<std::pair<UINT, CPoint>> expected = {{WM_LBUTTONDOWN, a},
                                                           {WM_MOUSEMOVE, CPoint(a.x + 2, a.y + 30)},
                                                           {WM_LBUTTONUP, CPoint(a.x + 2, a.y + 30)},
                                                           {WM_RBUTTONDOWN, a},
                                                           {WM_RBUTTONUP, a},
                                                           {WM_LBUTTONDBLCLK, a}};
    EXPECT_EQ(parent.received, expected);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // A real drag zooms into the rectangle, cut to the plot area.
    const double xUnits = chart.xAxis.unitsPerPixel, yUnits = chart.leftAxis.unitsPerPixel;
    Mouse(WM_LBUTTONDOWN, a);
    Mouse(WM_LBUTTONUP, CPoint(a.x + 100, plot.bottom + 50));
    EXPECT_DOUBLE_EQ(chart.xAxis.minimum, 50 * xUnits);
    EXPECT_DOUBLE_EQ(chart.xAxis.maximum, 150 * xUnits);
    EXPECT_DOUBLE_EQ(chart.leftAxis.minimum, 0);
    EXPECT_DOUBLE_EQ(chart.leftAxis.maximum, (plot.bottom - a.y) * yUnits);
}

TEST_F(FuncChartTest, ClearAllEmptiesSeriesAndLegendButKeepsThePens)
{
    Add({{1, 1}, {2, 2}});
    chart.SetLegendEntry(25, PS_SOLID, 0, "ignored"); // beyond the 20 entries
    chart.ClearAll();
    EXPECT_EQ(chart.Series(0).points.Count(), 0);
    EXPECT_EQ(chart.Series(0).inUse, 1);
    EXPECT_EQ(chart.Series(0).colour, kCurve);
    EXPECT_EQ(chart.Legend(0).used, 0);
    // A legend box with its shadow appears once the legend is shown.
    Paint();
    const std::size_t grey = Find(0x7F7F7F, CRect(0, 0, 640, 480)).size();
    chart.legendShown = 1;
    chart.SetSeries(1, PS_SOLID, RGB(200, 0, 0), "Second", 0);
    Paint();
    EXPECT_GT(Find(0x7F7F7F, CRect(0, 0, 640, 480)).size(), grey);
}

} // namespace
} // namespace gelmar::test
