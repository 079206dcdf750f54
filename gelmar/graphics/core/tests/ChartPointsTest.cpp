// Point storage of a chart series and the polylines its points become:
// the limit of a series, breaks at the gap value, dropped far points, and
// batches of 1000 points that share their joining point.
#include "gelmar/graphics/core/ChartPoints.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace gelmar::test {
namespace {

TEST(ChartPointsTest, FullSeriesRefusesPointsAndKeepsItsContents)
{
    ChartPointStore store(5);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(store.Add(i, 10 * i));
    EXPECT_TRUE(store.Full());
    EXPECT_FALSE(store.Add(99, 99));
    ASSERT_EQ(store.Count(), 5);
    EXPECT_EQ(store[4].x, 4);
    EXPECT_EQ(store[4].y, 40);

    // A batch takes what still fits.
    ChartPointStore batch(5);
    const double xs[] = {1, 2, 3, 4}, ys[] = {5, 6, 7, 8};
    EXPECT_EQ(batch.AddMany(4, xs, ys), 4);
    EXPECT_EQ(batch.AddMany(4, xs, ys), 1);
    EXPECT_EQ(batch.AddMany(4, xs, ys), 0);
    EXPECT_EQ(batch[4].x, 1);
    batch.Clear();
    EXPECT_EQ(batch.Count(), 0);
    EXPECT_TRUE(batch.Add(1, 1));
}

TEST(ChartPointsTest, ASeriesHoldsAMillionPoints)
{
    ChartPointStore store;
    for (int i = 0; i < kChartPointLimit; ++i)
        ASSERT_TRUE(store.Add(i, i));
    EXPECT_FALSE(store.Add(0, 0));
    EXPECT_EQ(store.Count(), 1000000);
    EXPECT_EQ(store[999999].x, 999999);
}

class PolylineTest : public ::testing::Test {
  protected:
    PolylineTest()
    {
        // One unit a pixel on both axes; the plot from (0,0) to (1000,1000).
        x.minimum = y.minimum = 0;
        x.unitsPerPixel = y.unitsPerPixel = 1;
        map.xAxis = &x;
        map.yAxis = &y;
        map.plot = CRect(0, 0, 1000, 1000);
    }
    std::vector<std::vector<CPoint>> Walk(const std::vector<ChartPoint>& points)
    {
        std::vector<std::vector<CPoint>> lines;
        std::vector<CPoint> buffer(kPolylineBatch);
        WalkSeriesPolylines(points.data(), static_cast<int>(points.size()), map, buffer.data(),
                            [&](const CPoint* p, int n) { lines.emplace_back(p, p + n); });
        return lines;
    }
    ChartAxis x, y;
    SeriesMapping map;
};

TEST_F(PolylineTest, LongLinesAreDrawnInBatchesThatShareTheirJoins)
{
    // 2500 points on distinct pixels: every consecutive pair is a segment.
    std::vector<ChartPoint> points;
    for (int i = 0; i < 2500; ++i)
        points.push_back({static_cast<double>(i % 7), static_cast<double>(i) / 3});
    const auto lines = Walk(points);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 1000u);
    EXPECT_EQ(lines[1].front(), lines[0].back());
    EXPECT_EQ(lines[2].front(), lines[1].back());
    std::size_t segments = 0;
    for (const auto& l : lines)
        segments += l.size() - 1;
    EXPECT_EQ(segments, points.size() - 1);
}

TEST_F(PolylineTest, GapValueSplitsAndFarOrRepeatedPointsAddNothing)
{
    struct Case {
        const char* what;
        std::vector<ChartPoint> points;
        std::vector<std::vector<CPoint>> lines;
    } cases[] = {
        {"gap", {{10, 0}, {20, 10}, {999, 20}, {30, 30}, {40, 40}}, {{{0, 990}, {10, 980}}, {{30, 970}, {40, 960}}}},
        {"far", {{10, 0}, {10, 10}, {1e9, 20}, {10, 30}, {10, -20000}}, {{{0, 990}, {10, 990}, {30, 990}}}},
        {"repeat", {{10, 0}, {10, 0.2}, {12, 5}}, {{{0, 990}, {5, 988}}}},
        {"single", {{10, 0}, {999, 5}, {10, 6}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Walk(c.points), c.lines);
    }
    // A collapsed axis (no units per pixel) draws nothing.
    y.unitsPerPixel = 0;
    EXPECT_TRUE(Walk({{1, 1}, {2, 2}}).empty());
}

} // namespace
} // namespace gelmar::test
