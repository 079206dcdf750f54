// Ranges of the function graph: the range and steps chosen for a function
// with the fixed scales, and the zoom and pan operations on a plot area of
// 400 x 300 pixels.
#include "gelmar/graphics/core/FunctionGraphRange.h"

#include <gtest/gtest.h>
#include <utility>

namespace gelmar::test {
namespace {

FunctionRecord Function(const char* name, float x0, float x1, float y0, float y1)
{
    FunctionRecord f;
    f.name = FunctionName(name);
    f.shape = 1;
    f.rangeXMin = x0;
    f.rangeXMax = x1;
    f.rangeYMin = y0;
    f.rangeYMax = y1;
    return f;
}

struct Range {
    double x0, x1, y0, y1;
};

void ExpectRange(const FunctionGraphState& s, Range r)
{
    EXPECT_DOUBLE_EQ(s.xMin, r.x0);
    EXPECT_DOUBLE_EQ(s.xMax, r.x1);
    EXPECT_DOUBLE_EQ(s.yMin, r.y0);
    EXPECT_DOUBLE_EQ(s.yMax, r.y1);
}

TEST(FunctionGraphRangeTest, RangeAndStepsByKindAndScale)
{
    const CalculationSpan span{3600, 86400};
    struct Case {
        const char* what;
        FunctionRecord f;
        int scale;             // a setting put in force, or -1
        AxisScaleSetting setting;
        Range range;
        double xMajor, yMajor;
        int unit;
    } cases[] = {
        // Two days: 12 h major steps in hours; y widened to the next
        // multiples of 0.5 strictly outside 4..6.
        {"time", Function("T01", 0, 172800, 4, 6), -1, {}, {0, 172800, 3.5, 6.5}, 43200, 0.5, kTimeHours},
        // Temperatures are not widened on x; zero ends of y stay.
        {"temperature", Function("L01", 10, 30, 0, 1.5f), -1, {}, {10, 30, 0, 2}, 5, 0.5, kTimeSeconds},
        {"calculation time", Function("T01", 0, 3600, 0, 10), kScaleXTime, {kScopeCalculationTime},
         {-3600, 86400, 0, 12}, 43200, 2, kTimeHours},
        {"fixed y", Function("T01", 0, 3600, 0, 10), kScaleYTemperature, {kScopeFixed, -5, 50, 10, 2},
         {0, 3600, -5, 50}, 600, 10, kTimeMinutes},
        // A fixed time scale keeps the label unit it had.
        {"fixed x", Function("T01", 0, 172800, 0, 10), kScaleXTime, {kScopeFixed, 0, 7200, 600, 60},
         {0, 7200, 0, 12}, 600, 2, kTimeDays},
        // Fixed values without a major tick are not in force.
        {"no major", Function("S01", 0, 3600, 0, 10), kScaleYSolarReflection, {kScopeFixed, 0, 1, 0, 0},
         {0, 3600, 0, 12}, 600, 2, kTimeMinutes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FunctionGraphSettings settings;
        settings.timeLabelUnit = kTimeDays;
        if (c.scale >= 0)
            settings.scales[c.scale] = c.setting;
        FunctionGraphState s;
        ComputeGraphRange(s, &c.f, settings, span);
        ExpectRange(s, c.range);
        EXPECT_DOUBLE_EQ(s.xMajor, c.xMajor);
        EXPECT_DOUBLE_EQ(s.yMajor, c.yMajor);
        if (FindFunctionGraphKind(c.f.name.text[0])->argument == GraphArgument::Time) {
            EXPECT_EQ(settings.timeLabelUnit, c.unit);
        }
    }
}

TEST(FunctionGraphRangeTest, AFunctionWithoutARangeResetsTheRangeOnly)
{
    FunctionGraphSettings settings;
    FunctionGraphState s;
    const FunctionRecord f = Function("T01", 0, 3600, 0, 10);
    ComputeGraphRange(s, &f, settings, {});
    s.prevXMax = 5;
    const FunctionRecord empty = Function("T01", 0, 0, 0, 10);
    ComputeGraphRange(s, &empty, settings, {});
    ExpectRange(s, {0, 0, 0, 0});
    EXPECT_EQ(s.prevXMax, 0);
    EXPECT_EQ(s.totalXMax, 3600); // the total range stays
    ComputeGraphRange(s, nullptr, settings, {});
    ExpectRange(s, {0, 0, 0, 0});
}

class ZoomTest : public ::testing::Test {
  protected:
    ZoomTest() { Reset(); }
    // The whole range, 0..100 by 0..10.
    void Reset()
    {
        s = FunctionGraphState{};
        s.xMin = s.totalXMin = 0;
        s.xMax = s.totalXMax = 100;
        s.yMin = s.totalYMin = 0;
        s.yMax = s.totalYMax = 10;
    }
    FunctionGraphState s;
    const CRect plot{100, 50, 500, 350}; // centre (300, 200)
};

TEST_F(ZoomTest, ZoomInTwiceThenPreviousViewTwice)
{
    EXPECT_FALSE(HasPreviousRange(s));
    EXPECT_FALSE(RangeInsideTotal(s));
    ZoomInAtPoint(s, plot, {300, 200});
    ExpectRange(s, {25, 75, 2.5, 7.5}); // both ranges halved about the centre
    ZoomInAtPoint(s, plot, {300, 200});
    ExpectRange(s, {37.5, 62.5, 3.75, 6.25});
    EXPECT_TRUE(HasPreviousRange(s));
    EXPECT_TRUE(RangeInsideTotal(s));
    SwapPreviousRange(s);
    ExpectRange(s, {25, 75, 2.5, 7.5});
    SwapPreviousRange(s);
    ExpectRange(s, {37.5, 62.5, 3.75, 6.25});
}

TEST_F(ZoomTest, ZoomInStaysInsideTheTotalRange)
{
    // At the plot's left edge: each end is clamped by itself.
    ZoomInAtPoint(s, plot, {100, 200});
    ExpectRange(s, {0, 25, 2.5, 7.5});
    // After a pan beyond the total range the clamped ends would cross: the
    // window moves inside instead, keeping its width.
    s.xMin = 150;
    s.xMax = 250;
    s.yMin = -30;
    s.yMax = -20;
    ZoomInAtPoint(s, plot, {300, 200});
    ExpectRange(s, {50, 100, 0, 5});
    EXPECT_LT(s.xMin, s.xMax);
    // A window wider than the total range becomes the total range.
    s.xMin = 500;
    s.xMax = 1000;
    ZoomInAtPoint(s, plot, {300, 200});
    EXPECT_DOUBLE_EQ(s.xMin, 0);
    EXPECT_DOUBLE_EQ(s.xMax, 100);
}

TEST_F(ZoomTest, ZoomOutAtTheTotalRangeTurnsPanIntoZoomWindow)
{
    s.mouseMode = kMousePan;
    ZoomOut(s);
    ExpectRange(s, {0, 100, 0, 10});
    EXPECT_EQ(s.mouseMode, kMouseZoomWindow);
    // From a zoomed range: doubled about its centre, clamped.
    s.xMin = 40;
    s.xMax = 60;
    s.mouseMode = kMousePan;
    ZoomOut(s);
    ExpectRange(s, {30, 70, 0, 10});
    EXPECT_EQ(s.mouseMode, kMousePan);
    EXPECT_DOUBLE_EQ(s.prevXMin, 40);
    // Panned away entirely: still a window inside the total range.
    s.xMin = 300;
    s.xMax = 320;
    ZoomOut(s);
    ExpectRange(s, {60, 100, 0, 10});
}

TEST_F(ZoomTest, ZoomToARectangleInsideThePlotOnly)
{
    EXPECT_TRUE(ZoomToRectangle(s, plot, {300, 200}, {200, 100}));
    EXPECT_DOUBLE_EQ(s.xMin, 25);
    EXPECT_DOUBLE_EQ(s.xMax, 50);
    EXPECT_DOUBLE_EQ(s.yMin, 5);
    EXPECT_NEAR(s.yMax, 25.0 / 3, 1e-12);
    // Beyond the plot area the rectangle is cut to it.
    Reset();
    EXPECT_TRUE(ZoomToRectangle(s, plot, {0, 0}, {300, 600}));
    ExpectRange(s, {0, 50, 0, 10});
    // A rectangle that misses the plot area, or a flat one, changes nothing.
    const std::pair<CPoint, CPoint> misses[] = {{{0, 0}, {50, 40}}, {{600, 10}, {700, 400}}, {{150, 100}, {250, 100}}};
    for (auto [a, b] : misses) {
        Reset();
        EXPECT_FALSE(ZoomToRectangle(s, plot, a, b));
        ExpectRange(s, {0, 100, 0, 10});
    }
}

TEST_F(ZoomTest, PanFollowsTheDragModeSetting)
{
    CPoint start(200, 200);
    PanByDrag(s, plot, start, {240, 230}, true);
    EXPECT_EQ(start, CPoint(240, 230));
    // 40 pixels right of 400 is a tenth of the range; 30 down of 300 too,
    // and screen y grows downward.
    ExpectRange(s, {10, 110, -1, 9});
    PanByDrag(s, plot, start, {280, 230}, false);
    ExpectRange(s, {0, 100, -1, 9});
    EXPECT_TRUE(RangeInsideTotal(s));
}

TEST(FunctionGraphScaleTest, ZoomTotalDropsFixedScalesAndKeepsCalculationTime)
{
    FunctionGraphSettings settings;
    for (AxisScaleSetting& a : settings.scales)
        a = {kScopeFixed, 1, 2, 3, 4};
    settings.scales[kScaleXTime].scope = kScopeCalculationTime;
    FunctionGraphState s;
    s.totalXMax = 100;
    s.totalYMax = 10;
    s.xMin = 20;
    s.mouseMode = kMousePan;
    ZoomTotal(s, settings);
    ExpectRange(s, {0, 100, 0, 10});
    EXPECT_DOUBLE_EQ(s.prevXMin, 20);
    EXPECT_EQ(s.mouseMode, kMouseZoomWindow);
    for (const AxisScaleSetting& a : settings.scales)
        EXPECT_FALSE(a.InForce());
    EXPECT_EQ(settings.scales[kScaleXTime].scope, kScopeCalculationTime);
    EXPECT_EQ(settings.scales[kScaleYPower].scope, kScopeFixed);
    // A Fixed values time scope becomes Function scope.
    settings.scales[kScaleXTime].scope = kScopeFixed;
    ZoomTotal(s, settings);
    EXPECT_EQ(settings.scales[kScaleXTime].scope, kScopeFunction);
}

TEST(FunctionGraphScaleTest, FunctionScopeKeepsTheStoredFixedValues)
{
    FunctionGraphSettings settings;
    const FunctionRecord f = Function("T01", 0, 3600, 0, 10);
    const CalculationSpan span{600, 7200};
    FunctionGraphState s;
    ComputeGraphRange(s, &f, settings, span);

    // Fixed values confirmed: stored and applied.
    ApplyScaleChoice(s, settings, kScaleYTemperature, false, GraphArgument::Time, f, kScopeFixed, {-5, 50, 10, 2}, -1,
                     span);
    EXPECT_DOUBLE_EQ(s.yMax, 50);
    // Function scope: the function's own range, the fixed values kept.
    ApplyScaleChoice(s, settings, kScaleYTemperature, false, GraphArgument::Time, f, kScopeFunction,
                     {1, 2, 3, 4}, -1, span);
    EXPECT_DOUBLE_EQ(s.yMax, 12);
    const AxisScaleSetting& y = settings.scales[kScaleYTemperature];
    EXPECT_EQ(y.scope, kScopeFunction);
    EXPECT_FLOAT_EQ(y.fixedMax, 50);
    ComputeGraphRange(s, &f, settings, span);
    EXPECT_DOUBLE_EQ(s.yMax, 12);
    // The dialog opens with the kept values; confirming Fixed values puts
    // them in force again.
    const ScaleValues shown = OpenScaleDialog(s, y, false, false);
    EXPECT_DOUBLE_EQ(shown.min, -5);
    EXPECT_DOUBLE_EQ(shown.max, 50);
    ApplyScaleChoice(s, settings, kScaleYTemperature, false, GraphArgument::Time, f, kScopeFixed, shown, -1, span);
    ComputeGraphRange(s, &f, settings, span);
    EXPECT_DOUBLE_EQ(s.yMin, -5);
    EXPECT_DOUBLE_EQ(s.yMax, 50);

    // Without a fixed major tick the dialog shows the current range.
    FunctionGraphSettings fresh;
    EXPECT_DOUBLE_EQ(OpenScaleDialog(s, fresh.scales[kScaleYTemperature], false, false).max, 50);
}

TEST(FunctionGraphScaleTest, TimeScaleChoices)
{
    FunctionGraphSettings settings;
    const FunctionRecord f = Function("T01", 0, 172800, 0, 10);
    const CalculationSpan span{3600, 86400};
    FunctionGraphState s;
    ComputeGraphRange(s, &f, settings, span);
    ApplyScaleChoice(s, settings, kScaleXTime, true, GraphArgument::Time, f, kScopeFixed, {-86400, 0, 21600, 3600},
                     kTimeDays, span);
    EXPECT_DOUBLE_EQ(s.xMin, -86400);
    EXPECT_EQ(settings.timeLabelUnit, kTimeDays);
    ApplyScaleChoice(s, settings, kScaleXTime, true, GraphArgument::Time, f, kScopeCalculationTime, {}, kTimeSeconds,
                     span);
    EXPECT_DOUBLE_EQ(s.xMin, -3600);
    EXPECT_DOUBLE_EQ(s.xMax, 86400);
    EXPECT_DOUBLE_EQ(s.totalXMin, -3600);
    EXPECT_EQ(settings.timeLabelUnit, kTimeHours);
    // The time dialog shows the view's range; fixed values kept under
    // another scope are put into it first.
    settings.scales[kScaleXTime].scope = kScopeFunction;
    const ScaleValues shown = OpenScaleDialog(s, settings.scales[kScaleXTime], true, true);
    EXPECT_DOUBLE_EQ(shown.min, -86400);
    EXPECT_DOUBLE_EQ(s.xMin, -86400);
    ApplyScaleChoice(s, settings, kScaleXTime, true, GraphArgument::Time, f, kScopeFunction, shown, -1, span);
    EXPECT_DOUBLE_EQ(s.xMin, -3600); // the total range
    EXPECT_DOUBLE_EQ(s.xMax, 86400);
}

} // namespace
} // namespace gelmar::test
