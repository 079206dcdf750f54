// Two-dimensional view factors: catalogue values of the crossed strings,
// clipped pairs against a numerical integration of the view-factor kernel,
// a closed rectangle's sums and reciprocity, the ray estimate of a half
// obstruction, the ray count of a pair, and thread-count independence.
#include "common/kernels/SegmentViewFactor.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace kernels {
namespace {

SegmentViewFactorSettings Unlimited()
{
    SegmentViewFactorSettings settings;
    settings.vwfc = 1e-12;
    return settings;
}

double Length(const ViewSegment& s)
{
    return std::hypot(s.x2 - s.x1, s.y2 - s.y1);
}

// L_a F_ab by midpoint integration of cos1 cos2 / (2 r) over both segments,
// counting only point pairs that lie in front of each other.
double IntegratedExchange(const ViewSegment& a, const ViewSegment& b)
{
    const int n = 600;
    const double la = Length(a);
    const double lb = Length(b);
    // Front normals: the direction vector turned a quarter to the left.
    const double nax = -(a.y2 - a.y1) / la, nay = (a.x2 - a.x1) / la;
    const double nbx = -(b.y2 - b.y1) / lb, nby = (b.x2 - b.x1) / lb;
    double sum = 0;
    for (int p = 0; p < n; ++p) {
        const double t = (p + 0.5) / n;
        const double px = a.x1 + t * (a.x2 - a.x1), py = a.y1 + t * (a.y2 - a.y1);
        for (int q = 0; q < n; ++q) {
            const double s = (q + 0.5) / n;
            const double qx = b.x1 + s * (b.x2 - b.x1), qy = b.y1 + s * (b.y2 - b.y1);
            const double rx = qx - px, ry = qy - py;
            const double r = std::hypot(rx, ry);
            const double c1 = (nax * rx + nay * ry) / r;
            const double c2 = -(nbx * rx + nby * ry) / r;
            if (c1 > 0 && c2 > 0) {
                sum += c1 * c2 / (2 * r);
            }
        }
    }
    return sum * (la / n) * (lb / n);
}

double PairValue(const std::vector<ViewSegment>& segments, const SegmentViewFactorSettings& settings)
{
    std::vector<double> matrix(PackedSize(segments.size()));
    ComputeSegmentZoneViewFactors(segments, settings, matrix);
    return matrix[PackedIndex(1, 0)];
}

TEST(SegmentViewFactors, CatalogueValuesAndClippedPairs)
{
    struct Case {
        const char* name;
        ViewSegment a, b;
        double catalogueFab; // < 0: compare with the integrated kernel only
    };
    const Case cases[] = {
        {"facing parallel strips, w = h", {0, 0, 1, 0}, {1, 1, 0, 1}, std::sqrt(2.0) - 1.0},
        {"perpendicular strips sharing an edge", {0, 0, 1, 0}, {0, 1, 0, 0}, 1.0 - std::sqrt(0.5)},
        {"facing strips, offset and unequal", {0, 0, 3, 0}, {5, 2, 1, 2}, -1},
        {"a strip crossing the other's line is cut at it", {0, 0, 1, 0}, {2, -1, 2, 1}, -1},
        {"a slanted strip partly behind the other", {0, 0, 1.5, 0}, {3, -1, 0, 2}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double x = PairValue({c.a, c.b}, Unlimited());
        const double la = Length(c.a);
        if (c.catalogueFab >= 0) {
            EXPECT_NEAR(x / la, c.catalogueFab, 1e-5);
        }
        EXPECT_NEAR(x, IntegratedExchange(c.a, c.b), 2e-4 * la);
    }
}

TEST(SegmentViewFactors, PairsThatCannotSeeEachOtherGiveZero)
{
    const ViewSegment up{0, 0, 1, 0};
    const struct {
        const char* name;
        ViewSegment other;
    } cases[] = {
        {"behind", {0, -1, 1, -1}},
        {"facing away above", {0, 1, 1, 1}},
        {"on the same line", {2, 0, 3, 0}},
        {"wholly behind the other's line", {2, 1, 2, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PairValue({up, c.other}, Unlimited()), 0.0);
    }
}

TEST(SegmentViewFactors, ClosedTwoByOneRectangleSumsToOneAndIsReciprocal)
{
    // Counter-clockwise, so every side faces the inside.
    const std::vector<ViewSegment> sides = {{0, 0, 2, 0}, {2, 0, 2, 1}, {2, 1, 0, 1}, {0, 1, 0, 0}};
    std::vector<double> matrix(PackedSize(sides.size()));
    ComputeSegmentZoneViewFactors(sides, Unlimited(), matrix);
    std::vector<double> lengths;
    for (const ViewSegment& s : sides) {
        lengths.push_back(Length(s));
    }
    const double longToLong = matrix[PackedIndex(2, 0)] / 2.0;
    const double shortToLong = matrix[PackedIndex(1, 0)] / 1.0;
    EXPECT_NEAR(longToLong, (std::sqrt(5.0) - 1.0) / 2.0, 1e-5); // 0.61803
    EXPECT_NEAR(shortToLong, (3.0 - std::sqrt(5.0)) / 2.0, 1e-5); // 0.38197
    // Reciprocity: the one stored value is L_i F_ij = L_j F_ji, and the
    // integrated kernel gives it from either side.
    EXPECT_NEAR(matrix[PackedIndex(1, 0)], IntegratedExchange(sides[1], sides[0]), 2e-4);
    EXPECT_NEAR(matrix[PackedIndex(1, 0)], IntegratedExchange(sides[0], sides[1]), 2e-4);
    for (std::size_t i = 0; i < sides.size(); ++i) {
        EXPECT_NEAR(ViewFactorRowSum(matrix, lengths, i), 1.0, 1e-12) << "side " << i;
    }
    EXPECT_NEAR(matrix[PackedIndex(3, 1)], std::sqrt(5.0) - 2.0, 1e-9); // the short sides, 2 apart
}

TEST(SegmentViewFactors, ASegmentBlockingHalfTheRaysHalvesTheValue)
{
    // A ray between the strips crosses y = 1 at the mean of its two x; the
    // blocker covers x < 1 there, so half of all rays are blocked.
    const std::vector<ViewSegment> zone = {{0, 0, 2, 0}, {2, 2, 0, 2}, {-1, 1, 1, 1}};
    SegmentViewFactorSettings settings = Unlimited();
    settings.rays = 20000;
    std::vector<double> matrix(PackedSize(zone.size()));
    ComputeSegmentZoneViewFactors(zone, settings, matrix);
    const double x = std::sqrt(8.0) - 2.0;
    const int rays = static_cast<int>(x / 2.0 * settings.rays);
    const double share = matrix[PackedIndex(1, 0)] / x;
    EXPECT_NEAR(share, 0.5, 3.0 * std::sqrt(0.25 / rays));
}

TEST(SegmentViewFactors, RaysPerPair)
{
    const std::vector<ViewSegment> zone = {{0, 0, 1, 0}, {1, 1, 0, 1}};
    const SegmentScene scene(zone);
    // Values drawn: two per ray. A pair under vwfc draws none.
    const struct {
        const char* name;
        int rays;
        double vwfc;
        int expectedDraws;
    } cases[] = {
        {"rays 100, F 0.41421", 100, 1e-4, 2 * 41},
        {"rays 0 still casts one ray", 0, 1e-4, 2},
        {"both factors below vwfc: no rays", 100, 0.5, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SegmentViewFactorSettings settings;
        settings.rays = c.rays;
        settings.vwfc = c.vwfc;
        platform::Rand15 rng(7);
        platform::Rand15 reference(7);
        const double value = ComputeSegmentPairViewFactor(scene, 1, 0, settings, rng);
        EXPECT_EQ(value, c.expectedDraws == 0 ? 0.0 : std::sqrt(2.0) - 1.0);
        for (int d = 0; d < c.expectedDraws; ++d) {
            reference.Next();
        }
        EXPECT_EQ(rng.Next(), reference.Next());
    }
}

TEST(SegmentViewFactors, OneAndEightThreadsGiveTheSameMatrix)
{
    // A comb: a long floor facing up, a ceiling facing down and fins between
    // them, so that most pairs cast partly blocked rays.
    std::vector<ViewSegment> zone;
    for (int k = 0; k < 60; ++k) {
        zone.push_back({double(k), 0, double(k + 1), 0});
        zone.push_back({double(k + 1), 10, double(k), 10});
    }
    for (int k = 1; k < 60; k += 4) {
        zone.push_back({double(k), 1, double(k), 6});
        zone.push_back({double(k), 6, double(k), 1});
    }
    SegmentViewFactorSettings settings;
    settings.rays = 200;
    std::vector<double> one(PackedSize(zone.size()));
    std::vector<double> eight(PackedSize(zone.size()));
    PairLoopOptions options;
    options.threads = 1;
    ComputeSegmentZoneViewFactors(zone, settings, one, options);
    options.threads = 8;
    ComputeSegmentZoneViewFactors(zone, settings, eight, options);
    EXPECT_EQ(one, eight);
    int partlyBlocked = 0;
    for (std::size_t i = 1; i < zone.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            ViewSegment ci, cj;
            if (ClipInFrontOf(zone[i], zone[j], ci) && ClipInFrontOf(zone[j], zone[i], cj)) {
                const double x = CrossedStringsExchange(ci, cj);
                partlyBlocked += one[PackedIndex(i, j)] > 0 && one[PackedIndex(i, j)] < x;
            }
        }
    }
    EXPECT_GT(partlyBlocked, 100);
}

} // namespace
} // namespace kernels
