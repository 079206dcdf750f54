// Isolines of one quad: the levels drawn with their pens, a level through a
// corner drawn once, a saddle's two segments, the single value, levels kept
// inside the range for temperatures but not for fluxes, and very many
// levels.
#include "common/kernels/picture/QuadIsolines.h"

#include <gtest/gtest.h>
#include <vector>

namespace kernels {
namespace {

struct Drawn {
    LinePen pen;
    BandVertex a, b;
};

std::vector<Drawn> Draw(const BandVertex c[4], const IsolineStyle& style)
{
    std::vector<Drawn> out;
    LinePen current;
    DrawQuadIsolines(
        c, style, [&](const LinePen& p) { current = p; },
        [&](const BandVertex& a, const BandVertex& b) {
            out.push_back({current, a, b});
        });
    return out;
}

const LinePen kFirst{RGB(200, 0, 0), 1}, kSecond{RGB(0, 0, 200), 2}, kSingle{RGB(0, 200, 0), 1};

IsolineStyle Style(double lower, double upper, double inc, double inc2)
{
    IsolineStyle s;
    s.lower = lower, s.upper = upper, s.inc = inc, s.inc2 = inc2;
    s.firstPen = kFirst, s.secondPen = kSecond;
    return s;
}

TEST(QuadIsolines, LevelsTakeThePenOfTheirIncrement)
{
    // Values 0..10 along x on a 10 x 10 quad: one vertical line per level.
    const BandVertex c[4] = {{0, 0, 0, 0}, {10, 0, 0, 10}, {10, 10, 0, 10}, {0, 10, 0, 0}};
    const std::vector<Drawn> lines = Draw(c, Style(-100, 100, 1.0, 5.0));
    // Levels 0 and 10 sit on corners: moved up by 0.0001, level 10 then
    // crosses nothing; 0..9 each give one segment.
    ASSERT_EQ(lines.size(), 10u);
    for (int n = 0; n < 10; ++n) {
        EXPECT_NEAR(lines[n].a.x, n + (n == 0 ? 0.0001 : 0.0), 1e-9);
        EXPECT_NEAR(lines[n].b.x, lines[n].a.x, 1e-9);
        EXPECT_EQ(lines[n].pen, n % 5 == 0 ? kSecond : kFirst);
    }
    // A pen of width 0 leaves its levels out.
    IsolineStyle noSecond = Style(-100, 100, 1.0, 5.0);
    noSecond.secondPen.width = 0;
    EXPECT_EQ(Draw(c, noSecond).size(), 8u);
    // The level rule in its own words.
    const IsolineStyle s = Style(0, 1, 0.1, 0.5);
    EXPECT_EQ(PenOfLevel(s, 1.5), kSecond);
    EXPECT_EQ(PenOfLevel(s, 1.50004), kSecond);
    EXPECT_EQ(PenOfLevel(s, -1.0), kSecond);
    EXPECT_EQ(PenOfLevel(s, 1.4), kFirst);
}

TEST(QuadIsolines, TemperaturesStayInTheRangeFluxesDoNot)
{
    const BandVertex c[4] = {{0, 0, 0, 0}, {10, 0, 0, 10}, {10, 10, 0, 10}, {0, 10, 0, 0}};
    // Range 2.5..6.5: levels 3..6.
    const std::vector<Drawn> clamped = Draw(c, Style(2.5, 6.5, 1.0, 5.0));
    ASSERT_EQ(clamped.size(), 4u);
    EXPECT_NEAR(clamped.front().a.value, 3.0, 1e-12);
    EXPECT_NEAR(clamped.back().a.value, 6.0, 1e-12);
    IsolineStyle flux = Style(2.5, 6.5, 1.0, 5.0);
    flux.clamped = false;
    EXPECT_EQ(Draw(c, flux).size(), 10u);
    // A flux quad beyond 1e36 (no flux there) draws nothing.
    const BandVertex none[4] = {{0, 0, 0, 2e36}, {1, 0, 0, 2e36}, {1, 1, 0, 3e36}, {0, 1, 0, 2e36}};
    EXPECT_TRUE(Draw(none, flux).empty());
}

TEST(QuadIsolines, TheSingleValueIsDrawnWhereverTheQuadEnclosesIt)
{
    const BandVertex c[4] = {{0, 0, 0, 0}, {10, 0, 0, 10}, {10, 10, 0, 10}, {0, 10, 0, 0}};
    IsolineStyle s = Style(20, 30, 1.0, 5.0); // the quad lies below the range
    s.singleValue = 4.25;
    s.singlePen = kSingle;
    const std::vector<Drawn> lines = Draw(c, s);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pen, kSingle);
    EXPECT_NEAR(lines[0].a.x, 4.25, 1e-12);
    s.singleValue = 11.0;
    EXPECT_TRUE(Draw(c, s).empty());
}

TEST(QuadIsolines, ASaddleGivesTwoSegmentsJoinedAlongEdgesZeroOneAndTwoThree)
{
    const BandVertex c[4] = {{0, 0, 0, 0}, {10, 0, 0, 10}, {10, 10, 0, 0}, {0, 10, 0, 10}};
    std::vector<std::pair<BandVertex, BandVertex>> segments;
    DrawQuadIsoline(c, 5.0, 1.0, [&](const BandVertex& a, const BandVertex& b) {
        segments.push_back({a, b});
    });
    ASSERT_EQ(segments.size(), 2u);
    // e0 at (5, 0) with e1 at (10, 5); e2 at (5, 10) with e3 at (0, 5).
    EXPECT_DOUBLE_EQ(segments[0].first.x, 5.0);
    EXPECT_DOUBLE_EQ(segments[0].first.y, 0.0);
    EXPECT_DOUBLE_EQ(segments[0].second.x, 10.0);
    EXPECT_DOUBLE_EQ(segments[0].second.y, 5.0);
    EXPECT_DOUBLE_EQ(segments[1].first.x, 5.0);
    EXPECT_DOUBLE_EQ(segments[1].first.y, 10.0);
    EXPECT_DOUBLE_EQ(segments[1].second.x, 0.0);
    EXPECT_DOUBLE_EQ(segments[1].second.y, 5.0);
}

TEST(QuadIsolines, VeryManyLevelsPollEscAndATinyIncrementEnds)
{
    const BandVertex c[4] = {{0, 0, 0, 0}, {10, 0, 0, 1}, {10, 10, 0, 1}, {0, 10, 0, 0}};
    int polls = 0;
    long long levels = 0;
    DrawQuadIsolines(
        c, Style(0, 1, 1e-6, 5.0), [&](const LinePen&) { ++levels; },
        [](const BandVertex&, const BandVertex&) {},
        [&] {
            ++polls;
            return false;
        });
    EXPECT_NEAR(static_cast<double>(levels), 1e6, 2.0);
    EXPECT_EQ(polls, static_cast<int>(levels / 256));
    const BandVertex far[4] = {{0, 0, 0, 1e9}, {10, 0, 0, 1e9 + 1}, {10, 10, 0, 1e9 + 1}, {0, 10, 0, 1e9}};
    long long few = 0;
    DrawQuadIsolines(
        far, Style(0, 2e9, 1e-9, 5.0), [&](const LinePen&) { ++few; },
        [](const BandVertex&, const BandVertex&) {});
    EXPECT_LT(few, 5);
}

} // namespace
} // namespace kernels
