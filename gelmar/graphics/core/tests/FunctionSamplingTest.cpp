// The sample points of the function graph against the engine's own
// evaluation of the functions: the corners of the step shapes, 60 points a
// sine period, the zero ends of the half-sine pulses, the staircase of a
// stepwise series and the lead-in and tail of a property table; degenerate
// shapes give no points; unreadable files give the engine's message; a curve
// with too many points is reduced per pixel column and still spans the range.
#include "common/core/ErrorCode.h"
#include "gelmar/graphics/core/FunctionGraphModel.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/tests/CalcModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gelmar::test {
namespace {

class FunctionSamplingTest : public CalcEngineTest {
  protected:
    void TearDown() override
    {
        common::ResetErrorCode();
        CalcEngineTest::TearDown();
    }
    // A function record; the store holds this one only.
    const FunctionRecord& One(const char* name, int shape, const std::vector<float>& params = {},
                              const std::string& path = {})
    {
        engine.model.functions.count = 0;
        return AppendFunction(engine.model, name, shape, params, path);
    }
    std::vector<SamplePoint> Sample(const FunctionRecord& f, double xMin, double xMax,
                                    std::size_t limit = 1000000, int columns = 500)
    {
        SampleRequest r;
        r.xMin = xMin;
        r.xMax = xMax;
        r.limit = limit;
        r.columns = columns;
        std::string error;
        std::vector<SamplePoint> points = SampleGraphFunction(engine.model, engine.run, f, r, &error);
        EXPECT_EQ(error, "");
        return points;
    }
    // The engine's value at t, or just before t where the function jumps
    // there (the right end of a held step).
    bool OnCurve(double t, double y, double tolerance)
    {
        return std::fabs(y - EvaluateFunction(engine.model, engine.run, 0, t)) <= tolerance ||
               std::fabs(y - EvaluateFunction(engine.model, engine.run, 0, t - 1)) <= tolerance;
    }
    // A series of hourly values 0, 10, 20 ... (mode 1: held, 0: interpolated).
    static void WriteSeries(const char* path, int mode, int intervals)
    {
        std::string text = "TIM " + std::to_string(mode) + " 3600 " + std::to_string(intervals) + "\nDAT 1\n";
        for (int i = 0; i <= intervals; ++i)
            text += "FTE " + std::to_string(10 * i) + "\n";
        WriteBytes(path, text);
    }
};

TEST_F(FunctionSamplingTest, StepShapesGiveTheirCorners)
{
    struct Case {
        int shape;
        std::vector<float> params;
        double xMax;
        std::vector<SamplePoint> corners;
    } cases[] = {
        {1, {4}, 3600, {{0, 4}, {3600, 4}}},
        {2, {1, 3, 10, 20}, 3600, {{0, 1}, {600, 1}, {1800, 3}, {3600, 3}}},
        {3, {1, 3, 10, 20, 30}, 6000, {{0, 1}, {600, 1}, {1800, 3}, {3600, 3}, {4800, 1}, {6000, 1}}},
        // Period 100 min, 40 at level 1, transitions of 10: two periods.
        {4,
         {0, 10, 100, 40, 10, 0},
         12000,
         {{0, 0},
          {2400, 0},
          {3000, 10},
          {5400, 10},
          {6000, 0},
          {8400, 0},
          {9000, 10},
          {11400, 10},
          {12000, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        const FunctionRecord& f = One("T01", c.shape, c.params);
        const std::vector<SamplePoint> points = Sample(f, 0, c.xMax);
        EXPECT_EQ(points, c.corners);
        for (const SamplePoint& p : points)
            EXPECT_TRUE(OnCurve(p.t, p.y, 1e-4)) << p.t << " " << p.y;
    }
}

TEST_F(FunctionSamplingTest, SineHasSixtyPointsAPeriodOnTheEngineCurve)
{
    struct Case {
        float offset; // minutes
        double xMin, xMax;
        double firstStart; // the period that holds xMin
        int periods;
    } cases[] = {
        {0, 0, 7200, 0, 3},      // until the start passes the end: 0, 3600, 7200
        {30, 0, 7200, -1800, 3}, // offset half a period: starts before xMin
        {-600, 100, 3000, 0, 1}, // an offset ten periods back starts at the period of xMin
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        const FunctionRecord& f = One("T01", 5, {5, 2, 60, c.offset});
        const std::vector<SamplePoint> points = Sample(f, c.xMin, c.xMax);
        ASSERT_EQ(points.size(), static_cast<std::size_t>(60 * c.periods));
        for (int k = 0; k < c.periods; ++k) {
            const double start = c.firstStart + 3600.0 * k;
            EXPECT_EQ(std::count_if(points.begin(), points.end(),
                                    [&](const SamplePoint& p) { return p.t >= start && p.t < start + 3600; }),
                      60);
        }
        EXPECT_DOUBLE_EQ(points.front().t, c.firstStart);
        for (const SamplePoint& p : points)
            EXPECT_TRUE(OnCurve(p.t, p.y, 1e-4)) << p.t << " " << p.y;
    }
}

TEST_F(FunctionSamplingTest, HalfSinePulsesStartAndEndAtZero)
{
    // Pulses of 50 min every 100 min, top 8.
    const FunctionRecord& f = One("P01", 6, {8, 100, 50, 0});
    const std::vector<SamplePoint> points = Sample(f, 0, 12000);
    ASSERT_EQ(points.size(), 3u * 32u);
    for (int k = 0; k < 3; ++k) {
        const SamplePoint* pulse = &points[static_cast<std::size_t>(32 * k)];
        EXPECT_EQ(pulse[0], (SamplePoint{6000.0 * k, 0}));
        EXPECT_EQ(pulse[30], (SamplePoint{6000.0 * k + 3000, 0}));
        EXPECT_EQ(pulse[31], (SamplePoint{6000.0 * (k + 1), 0}));
        EXPECT_NEAR(pulse[15].y, 8, 1e-12); // the top, halfway
    }
    for (const SamplePoint& p : points)
        EXPECT_TRUE(OnCurve(p.t, p.y, 1e-4)) << p.t << " " << p.y;
}

TEST_F(FunctionSamplingTest, DegenerateShapesGiveNoPoints)
{
    struct Case {
        int shape;
        std::vector<float> params;
    } cases[] = {
        {4, {1, 2, 0, 10, 5, 0}}, // no period
        {5, {1, 2, -60, 0}},      // negative period
        {6, {1, 0, 10, 0}},       // no period
        {6, {1, 100, 0, 0}},      // no pulse length
        {7, {1, 2, 3, 4, 5, 6}},  // no such shape
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        EXPECT_TRUE(Sample(One("T01", c.shape, c.params), 0, 3600).empty());
    }
}

TEST_F(FunctionSamplingTest, SeriesIsAStaircaseWhenHeldAndAPointAStepWhenInterpolated)
{
    for (int mode : {1, 0}) {
        SCOPED_TRACE(mode);
        WriteSeries("day.fte", mode, 24);
        const FunctionRecord& f = One("T01", 0, {}, "day.fte");
        const std::vector<SamplePoint> points = Sample(f, 0, 86400);
        // Steps from 0 while t < 86400 + 3600: 25 of them.
        ASSERT_EQ(points.size(), mode == 1 ? 50u : 25u);
        for (int i = 0; i <= 24; ++i) {
            const double t = 3600.0 * i, v = 10.0 * i;
            if (mode == 1) {
                EXPECT_EQ(points[static_cast<std::size_t>(2 * i)], (SamplePoint{t, v}));
                EXPECT_EQ(points[static_cast<std::size_t>(2 * i + 1)], (SamplePoint{t + 3600, v}));
            } else {
                EXPECT_EQ(points[static_cast<std::size_t>(i)], (SamplePoint{t, v}));
            }
        }
        // Within the range (past its end the file starts over).
        for (const SamplePoint& p : points)
            if (p.t <= 86400) {
                EXPECT_TRUE(OnCurve(p.t, p.y, 1e-4)) << p.t << " " << p.y;
            }
        EXPECT_EQ(f.inUse, 0u); // the load mark is cleared again
    }
    // From the step at or before the start of the range.
    WriteSeries("day.fte", 0, 24);
    const std::vector<SamplePoint> points = Sample(One("T01", 0, {}, "day.fte"), 5000, 9000);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points.front().t, 3600);
    EXPECT_EQ(points.back().t, 10800);
}

TEST_F(FunctionSamplingTest, SeriesWithoutAStepIsNotSampled)
{
    // No series loaded: the stepping loop would never advance.
    int calls = 0;
    FunctionSampleData data;
    data.step = 0;
    data.seriesValue = [&](double) { return ++calls, 1.0; };
    SampleRequest r;
    r.letter = 'T';
    r.shape = 0;
    r.xMin = 0;
    r.xMax = 3600;
    EXPECT_TRUE(SampleFunction(r, data).empty());
    EXPECT_EQ(calls, 0);
}

TEST_F(FunctionSamplingTest, PropertyTableGetsALeadInAndATail)
{
    WriteBytes("lambda.fla", "10 1.0\n20 1.5\n30 1.2\n");
    const FunctionRecord& f = One("L01", 0, {}, "lambda.fla");
    const std::vector<SamplePoint> wide = Sample(f, 0, 40);
    EXPECT_EQ(wide, (std::vector<SamplePoint>{{0, 1.0}, {10, 1.0}, {20, 1.5}, {30, 1.2f}, {40, 1.2f}}));
    for (const SamplePoint& p : wide)
        EXPECT_NEAR(p.y, EvaluatePropertyTable(engine.model, engine.run, 0, static_cast<float>(p.t)), 1e-6)
            << p.t;
    // Within the table's own range: its points only.
    EXPECT_EQ(Sample(f, 10, 30).size(), 3u);
}

TEST_F(FunctionSamplingTest, UnreadableFilesGiveTheEngineMessage)
{
    WriteBytes("bad.fla", "10 1.0\n5 2.0\n"); // the argument decreases
    struct Case {
        const char* name;
        const char* path;
        const char* message;
    } cases[] = {
        {"L01", "missing.fla", "Failed to open file\nmissing.fla"},
        {"L01", "bad.fla", "Syntax error in file bad.fla\nLine 2"},
        {"T01", "missing.fte", "Failed to open file\nmissing.fte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        SampleRequest r;
        r.xMin = 0;
        r.xMax = 100;
        std::string error;
        EXPECT_TRUE(
            SampleGraphFunction(engine.model, engine.run, One(c.name, 0, {}, c.path), r, &error).empty());
        EXPECT_EQ(error, c.message);
        EXPECT_EQ(common::ErrorCode(), 0);
        EXPECT_EQ(engine.model.functions[0].inUse, 0u);
    }
}

TEST_F(FunctionSamplingTest, TooManyPointsAreReducedPerPixelColumnOverTheWholeRange)
{
    struct Case {
        float periodMinutes;
        std::size_t limit;
    } cases[] = {
        {1, 10000},        // 2880 periods of 60 points: beyond the limit
        {0.001f, 1000000}, // 2.9 million periods: reduced while sampling
    };
    const double xMax = 172800;
    const int columns = 400;
    const double width = xMax / columns;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.periodMinutes);
        const FunctionRecord& f = One("T01", 5, {5, 2, c.periodMinutes, 0});
        const std::vector<SamplePoint> points = Sample(f, 0, xMax, c.limit, columns);
        ASSERT_LE(points.size(), c.limit);
        ASSERT_FALSE(points.empty());
        EXPECT_LE(points.front().t, width);
        EXPECT_GE(points.back().t, xMax - width); // the curve reaches the end of the range
        // Each column keeps the sine's lowest and highest value, 3 and 7.
        std::vector<double> low(columns, 1e9), high(columns, -1e9);
        for (const SamplePoint& p : points) {
            const int col = std::clamp(static_cast<int>(p.t / width), 0, columns - 1);
            low[static_cast<std::size_t>(col)] = std::min(low[static_cast<std::size_t>(col)], p.y);
            high[static_cast<std::size_t>(col)] = std::max(high[static_cast<std::size_t>(col)], p.y);
            // (The engine's own minutes lose the phase of the finest sine.)
            if (c.periodMinutes >= 1) {
                EXPECT_TRUE(OnCurve(p.t, p.y, 2e-3)) << p.t;
            }
        }
        for (int col = 0; col < columns; ++col) {
            EXPECT_NEAR(low[static_cast<std::size_t>(col)], 3, 1e-9) << col;
            EXPECT_NEAR(high[static_cast<std::size_t>(col)], 7, 1e-9) << col;
        }
        for (std::size_t i = 1; i < points.size(); ++i)
            EXPECT_LE(points[i - 1].t, points[i].t);
    }
}

TEST_F(FunctionSamplingTest, PointsThatFitAreKeptAsTheyAre)
{
    const FunctionRecord& f = One("T01", 5, {5, 2, 60, 0});
    SampleRequest r;
    r.xMin = 0;
    r.xMax = 7200;
    r.limit = 180; // exactly the three periods
    std::string error;
    EXPECT_EQ(SampleGraphFunction(engine.model, engine.run, f, r, &error).size(), 180u);
    r.limit = 179;
    EXPECT_LT(SampleGraphFunction(engine.model, engine.run, f, r, &error).size(), 179u);
}

} // namespace
} // namespace gelmar::test
