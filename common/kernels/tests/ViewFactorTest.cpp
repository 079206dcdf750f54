// Pair view factors: catalogue values and closed forms, a numerical area
// integral for offset rectangles, invariance under rotations and mirrors,
// reciprocity, the segment formulas and the obstruction rays.
#include "common/kernels/ViewFactor.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace kernels {
namespace {

constexpr double kPi = std::numbers::pi;

ViewFactorFace Face(float x1, float x2, float y1, float y2, float z1, float z2, int orientation)
{
    return {{x1, y1, z1}, {x2, y2, z2}, orientation};
}

double GridArea(const ViewFactorFace& f)
{
    double area = 1.0;
    for (int a = 0; a < 3; ++a) {
        if (a != f.orientation / 2) {
            area *= double(f.hi[a]) - double(f.lo[a]);
        }
    }
    return area;
}

// F12 of two directly opposed a x b rectangles at distance c (closed form).
double ParallelCatalogue(double a, double b, double c)
{
    const double x = a / c;
    const double y = b / c;
    const double r = std::log(std::sqrt((1 + x * x) * (1 + y * y) / (1 + x * x + y * y))) +
                     x * std::sqrt(1 + y * y) * std::atan(x / std::sqrt(1 + y * y)) +
                     y * std::sqrt(1 + x * x) * std::atan(y / std::sqrt(1 + x * x)) - x * std::atan(x) -
                     y * std::atan(y);
    return 2.0 / (kPi * x * y) * r;
}

// F12 from a w x l rectangle to a perpendicular h x l one sharing the edge l.
double PerpendicularCatalogue(double w, double h, double l)
{
    const double W = w / l;
    const double H = h / l;
    const double w2 = W * W;
    const double h2 = H * H;
    const double s = std::sqrt(w2 + h2);
    const double log = 0.25 * (std::log((1 + w2) * (1 + h2) / (1 + w2 + h2)) +
                               w2 * std::log(w2 * (1 + w2 + h2) / ((1 + w2) * (w2 + h2))) +
                               h2 * std::log(h2 * (1 + h2 + w2) / ((1 + h2) * (h2 + w2))));
    return (W * std::atan(1 / W) + H * std::atan(1 / H) - s * std::atan(1 / s) + log) / (kPi * W);
}

// F12 by a midpoint rule over both faces (faces that share no edge).
double NumericalViewFactor(const ViewFactorFace& f1, const ViewFactorFace& f2, int steps)
{
    auto normal = [](const ViewFactorFace& f) {
        std::array<double, 3> n{0, 0, 0};
        n[f.orientation / 2] = (f.orientation & 1) ? 1.0 : -1.0;
        return n;
    };
    auto points = [steps](const ViewFactorFace& f) {
        const int axis = f.orientation / 2;
        const int u = (axis + 1) % 3;
        const int v = (axis + 2) % 3;
        std::vector<std::array<double, 3>> pts;
        for (int s = 0; s < steps; ++s) {
            for (int t = 0; t < steps; ++t) {
                std::array<double, 3> p{};
                p[axis] = f.lo[axis];
                p[u] = f.lo[u] + (s + 0.5) * (double(f.hi[u]) - f.lo[u]) / steps;
                p[v] = f.lo[v] + (t + 0.5) * (double(f.hi[v]) - f.lo[v]) / steps;
                pts.push_back(p);
            }
        }
        return pts;
    };
    const auto n1 = normal(f1);
    const auto n2 = normal(f2);
    const auto p1 = points(f1);
    const auto p2 = points(f2);
    const double da1 = GridArea(f1) / (steps * steps);
    const double da2 = GridArea(f2) / (steps * steps);
    double sum = 0.0;
    for (const auto& a : p1) {
        for (const auto& b : p2) {
            const double d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            const double r2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
            const double c1 = (n1[0] * d[0] + n1[1] * d[1] + n1[2] * d[2]);
            const double c2 = -(n2[0] * d[0] + n2[1] * d[1] + n2[2] * d[2]);
            if (c1 > 0 && c2 > 0) {
                sum += c1 * c2 / (kPi * r2 * r2) * da1 * da2;
            }
        }
    }
    return sum / GridArea(f1);
}

// Permutes the axes (new axis k is old axis perm[k]) and mirrors the axes
// whose bit is set in mirror.
ViewFactorFace Transform(const ViewFactorFace& f, const std::array<int, 3>& perm, int mirror)
{
    ViewFactorFace g{};
    for (int k = 0; k < 3; ++k) {
        g.lo[k] = f.lo[perm[k]];
        g.hi[k] = f.hi[perm[k]];
        if (perm[k] == f.orientation / 2) {
            g.orientation = 2 * k + (f.orientation & 1);
        }
    }
    for (int k = 0; k < 3; ++k) {
        if (mirror & (1 << k)) {
            const float lo = g.lo[k];
            g.lo[k] = -g.hi[k];
            g.hi[k] = -lo;
            if (g.orientation / 2 == k) {
                g.orientation ^= 1;
            }
        }
    }
    return g;
}

double ViewFactor12(const ViewFactorFace& f1, const ViewFactorFace& f2)
{
    return UnobstructedRectangleExchange(f1, f2) / GridArea(f1);
}

TEST(RectangleViewFactor, CatalogueValues)
{
    // Floor looking up and ceiling looking down, unit squares at distance 1.
    const ViewFactorFace floor = Face(0, 1, 0, 1, 0, 0, 5);
    const ViewFactorFace ceiling = Face(0, 1, 0, 1, 1, 1, 4);
    EXPECT_NEAR(ViewFactor12(floor, ceiling), 0.19982, 1e-5);
    // Floor and the wall at x = 0 (solid at x < 0) sharing the edge along y.
    const ViewFactorFace wall = Face(0, 0, 0, 1, 0, 1, 1);
    EXPECT_NEAR(ViewFactor12(floor, wall), 0.20004, 1e-5);
}

TEST(RectangleViewFactor, MatchesClosedFormsForOtherProportions)
{
    struct Case {
        double a, b, c;
    };
    for (const Case& k : {Case{2, 3, 0.5}, Case{0.1, 5, 1}, Case{10, 10, 0.2}, Case{1, 4, 7}}) {
        SCOPED_TRACE(::testing::Message() << k.a << " " << k.b << " " << k.c);
        const ViewFactorFace floor = Face(0, float(k.a), 0, float(k.b), 0, 0, 5);
        const ViewFactorFace ceiling = Face(0, float(k.a), 0, float(k.b), float(k.c), float(k.c), 4);
        EXPECT_NEAR(ViewFactor12(floor, ceiling), ParallelCatalogue(k.a, k.b, k.c), 1e-6);
        // Floor w = a wide, wall h = c high, common edge l = b along y.
        const ViewFactorFace wall = Face(0, 0, 0, float(k.b), 0, float(k.c), 1);
        EXPECT_NEAR(ViewFactor12(floor, wall), PerpendicularCatalogue(k.a, k.c, k.b), 1e-6);
    }
}

TEST(RectangleViewFactor, MatchesAreaIntegralForOffsetRectangles)
{
    struct Case {
        ViewFactorFace f1, f2;
    };
    const Case cases[] = {
        // Parallel, shifted and of different sizes.
        {Face(0, 1, 0, 2, 0, 0, 5), Face(0.5f, 3, 1, 1.5f, 1.5f, 1.5f, 4)},
        // Perpendicular with a gap to the corner and offset along the edge.
        {Face(0.5f, 2, 0, 1, 0, 0, 5), Face(0, 0, 0.5f, 3, 0.3f, 1.2f, 1)},
        // Perpendicular on y and z sides.
        {Face(0, 2, 0, 0, 0.2f, 1, 3), Face(-1, 1, 0.5f, 2, 1.5f, 1.5f, 4)},
    };
    for (const Case& k : cases) {
        const double analytic = ViewFactor12(k.f1, k.f2);
        EXPECT_GT(analytic, 0.01);
        EXPECT_NEAR(analytic, NumericalViewFactor(k.f1, k.f2, 60), 2e-4 + 1e-3 * analytic);
    }
}

TEST(RectangleViewFactor, InvariantUnderRotationsAndMirrorsAndReciprocal)
{
    const ViewFactorFace floor = Face(0, 1.5f, 0, 1, 0, 0, 5);
    const std::vector<ViewFactorFace> partners = {
        Face(0.25f, 1, -0.5f, 2, 0.75f, 0.75f, 4), // parallel
        Face(0, 0, 0.2f, 1.3f, 0, 2, 1),           // perpendicular, at x = 0
        Face(0, 1, 1, 1, 0.1f, 0.9f, 2),           // perpendicular, at y = 1
        Face(1.5f, 1.5f, 0, 1, 0, 1, 0),           // perpendicular, at x = 1.5
    };
    const std::array<std::array<int, 3>, 6> perms = {
        {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
    for (const ViewFactorFace& partner : partners) {
        const double reference = UnobstructedRectangleExchange(floor, partner);
        ASSERT_GT(reference, 0.0);
        for (const auto& perm : perms) {
            for (int mirror = 0; mirror < 8; ++mirror) {
                const ViewFactorFace a = Transform(floor, perm, mirror);
                const ViewFactorFace b = Transform(partner, perm, mirror);
                EXPECT_NEAR(UnobstructedRectangleExchange(a, b), reference, 1e-9);
                EXPECT_NEAR(UnobstructedRectangleExchange(b, a), reference, 1e-9);
            }
        }
    }
}

TEST(RectangleViewFactor, SameSideOrFacingAwayGivesZero)
{
    const ViewFactorFace floor = Face(0, 1, 0, 1, 0, 0, 5);
    // Another floor tile beside it.
    EXPECT_EQ(UnobstructedRectangleExchange(floor, Face(1, 2, 0, 1, 0, 0, 5)), 0.0);
    // A ceiling below the floor.
    EXPECT_EQ(UnobstructedRectangleExchange(floor, Face(0, 1, 0, 1, -1, -1, 4)), 0.0);
    // A wall facing away from the floor (looks -x at x = 0).
    EXPECT_EQ(UnobstructedRectangleExchange(floor, Face(0, 0, 0, 1, 0, 1, 0)), 0.0);
    // A wall that stands wholly below the floor's plane.
    EXPECT_EQ(UnobstructedRectangleExchange(floor, Face(0, 0, 0, 1, -1, 0, 1)), 0.0);
}

TEST(SegmentViewFactor, CrossedStrings)
{
    // A model one cell thick along z: faces are segments in the x-y plane.
    const int thin = 2;
    const ViewFactorFace bottom = Face(0, 1, 0, 0, 0, 1, 3); // looks +y
    const ViewFactorFace side = Face(0, 0, 0, 1, 0, 1, 1);   // looks +x
    EXPECT_NEAR(UnobstructedSegmentExchange(bottom, side, thin), 1 - std::sqrt(0.5), 1e-12);
    // Parallel strips of width 2 at distance 1, opposite: sqrt(w^2 + d^2) - d.
    const ViewFactorFace low = Face(0, 2, 0, 0, 0, 1, 3);
    const ViewFactorFace high = Face(0, 2, 1, 1, 0, 1, 2);
    EXPECT_NEAR(UnobstructedSegmentExchange(low, high, thin), std::sqrt(5.0) - 1.0, 1e-12);
    EXPECT_NEAR(UnobstructedSegmentExchange(high, low, thin), std::sqrt(5.0) - 1.0, 1e-12);
    // Perpendicular strips apart from the corner: near ends (1,0) and (0,1).
    const ViewFactorFace far1 = Face(1, 2, 0, 0, 0, 1, 3);
    const ViewFactorFace far2 = Face(0, 0, 1, 2, 0, 1, 1);
    const double crossed = 0.5 * (2 * std::sqrt(5.0) - std::sqrt(2.0) - std::sqrt(8.0));
    EXPECT_NEAR(UnobstructedSegmentExchange(far1, far2, thin), crossed, 1e-12);
    EXPECT_NEAR(UnobstructedSegmentExchange(far2, far1, thin), crossed, 1e-12);
    // Same side, facing away, or lying across the thin axis: 0.
    EXPECT_EQ(UnobstructedSegmentExchange(low, Face(3, 4, 0, 0, 0, 1, 3), thin), 0.0);
    EXPECT_EQ(UnobstructedSegmentExchange(low, Face(0, 2, -1, -1, 0, 1, 2), thin), 0.0);
    EXPECT_EQ(UnobstructedSegmentExchange(low, Face(0, 1, 0, 1, 1, 1, 4), thin), 0.0);
}

TEST(SegmentViewFactor, OtherThinAxesUseTheirPlanes)
{
    // The same perpendicular pair seen with one cell along y (plane x-z) and
    // along x (plane y-z).
    const double expected = 1 - std::sqrt(0.5);
    EXPECT_NEAR(UnobstructedSegmentExchange(Face(0, 1, 0, 1, 0, 0, 5), Face(0, 0, 0, 1, 0, 1, 1), 1),
                expected, 1e-12);
    EXPECT_NEAR(UnobstructedSegmentExchange(Face(0, 1, 0, 1, 0, 0, 5), Face(0, 1, 0, 0, 0, 1, 3), 0),
                expected, 1e-12);
    EXPECT_EQ(SelectThinAxis(5, 5, 1), 2);
    EXPECT_EQ(SelectThinAxis(5, 1, 1), 2);
    EXPECT_EQ(SelectThinAxis(1, 1, 5), 1);
    EXPECT_EQ(SelectThinAxis(1, 5, 5), 0);
    EXPECT_EQ(SelectThinAxis(2, 5, 5), -1);
}

// Two unit squares facing each other across x = 0 .. 2, with an optional
// screen in the plane x = 1.
std::vector<ViewFactorFace> ScreenedPair(float screenYmax)
{
    std::vector<ViewFactorFace> faces = {Face(0, 0, 0, 1, 0, 1, 1), Face(2, 2, 0, 1, 0, 1, 0)};
    if (screenYmax > -1) {
        faces.push_back(Face(1, 1, -1, screenYmax, -1, 2, 0));
    }
    return faces;
}

// Stream state after k draws from a fresh stream of the seed.
int DrawAfter(std::uint32_t seed, int k)
{
    platform::Rand15 r(seed);
    for (int n = 0; n < k; ++n) {
        r.Next();
    }
    return r.Next();
}

TEST(ObstructionRays, ScreensBlockTheirShareOfTheRays)
{
    const int n = 20000;
    struct Case {
        float screenYmax;
        double share;
    };
    // Rays run between the face diagonals: a screen below y = 0.5 blocks the
    // rays whose two draws average below 0.5, half of them.
    for (const Case& k : {Case{-2, 1.0}, Case{3, 0.0}, Case{0.5f, 0.5}, Case{-0.5f, 1.0}}) {
        const auto faces = ScreenedPair(k.screenYmax);
        const ObstructionScene scene(faces);
        platform::Rand15 rng(99);
        const int m = scene.EstimateUnobstructedFraction(0, 1, n, rng);
        EXPECT_NEAR(double(m) / n, k.share, 0.02) << k.screenYmax;
        EXPECT_EQ(rng.Next(), DrawAfter(99, 2 * n));
    }
}

TEST(ObstructionRays, FacesOnlyTouchingTheRayDoNotBlock)
{
    // Wall faces of a closed cube around the pair's planes: a ray from the
    // x = 0 wall to the x = 1 wall never crosses the other walls.
    std::vector<ViewFactorFace> faces = {Face(0, 0, 0, 1, 0, 1, 1), Face(1, 1, 0, 1, 0, 1, 0),
                                         Face(0, 1, 0, 0, 0, 1, 3), Face(0, 1, 1, 1, 0, 1, 2),
                                         Face(0, 1, 0, 1, 0, 0, 5), Face(0, 1, 0, 1, 1, 1, 4)};
    const ObstructionScene scene(faces);
    platform::Rand15 rng(5);
    EXPECT_EQ(scene.EstimateUnobstructedFraction(0, 1, 1000, rng), 1000);
    EXPECT_EQ(scene.EstimateUnobstructedFraction(0, 2, 1000, rng), 1000);
}

TEST(PairViewFactor, RayCountsAndThresholds)
{
    const auto faces = ScreenedPair(-2); // no screen
    const ObstructionScene scene(faces);
    const double af = UnobstructedRectangleExchange(faces[0], faces[1]); // F = 0.0686 at distance 2
    ASSERT_NEAR(af, ParallelCatalogue(1, 1, 2), 1e-9);
    struct Case {
        int rays;
        RayRounding rounding;
        int expectedRays;
    };
    for (const Case& k : {Case{100, RayRounding::Truncate, 6}, Case{100, RayRounding::Nearest, 7},
                          Case{0, RayRounding::Truncate, 1}, Case{1, RayRounding::Truncate, 1}}) {
        ViewFactorSettings settings;
        settings.rays = k.rays;
        settings.rounding = k.rounding;
        settings.grun = 0.5;
        platform::Rand15 rng(3);
        EXPECT_NEAR(ComputeRectangleViewFactor(scene, 0, 1, settings, rng), af * 0.25, 1e-12);
        EXPECT_EQ(rng.Next(), DrawAfter(3, 2 * k.expectedRays)) << k.rays;
    }
    // Both factors below vwfc, or A*F below 1e-6: no ray is cast.
    ViewFactorSettings strict;
    strict.vwfc = 0.07f;
    platform::Rand15 rng(3);
    EXPECT_EQ(ComputeRectangleViewFactor(scene, 0, 1, strict, rng), 0.0);
    const std::vector<ViewFactorFace> far = {Face(0, 0, 0, 1e-3f, 0, 1e-3f, 1),
                                             Face(9, 9, 0, 1e-3f, 0, 1e-3f, 0)};
    const ObstructionScene farScene(far);
    EXPECT_EQ(ComputeRectangleViewFactor(farScene, 0, 1, ViewFactorSettings{}, rng), 0.0);
    EXPECT_EQ(rng.Next(), DrawAfter(3, 0));
}

TEST(PairViewFactor, PartlyScreenedPairScalesByUnblockedRays)
{
    const auto faces = ScreenedPair(0.5f);
    const ObstructionScene scene(faces);
    ViewFactorSettings settings;
    settings.rays = 200000;
    platform::Rand15 rng(11);
    const double af = UnobstructedRectangleExchange(faces[0], faces[1]);
    EXPECT_NEAR(ComputePairViewFactor(scene, 0, 1, settings, rng) / af, 0.5, 0.02);
}

TEST(PairViewFactor, ThinModelUsesSegmentsTimesCellWidth)
{
    // One cell along z of width 0.3; a corner pair of unit segments.
    const std::vector<ViewFactorFace> faces = {Face(0, 1, 0, 0, 0, 0.3f, 3), Face(0, 0, 0, 1, 0, 0.3f, 1)};
    const ObstructionScene scene(faces);
    ViewFactorSettings settings;
    settings.thinAxis = 2;
    settings.thinWidth = 0.3;
    settings.grun = 2.0;
    platform::Rand15 rng(1);
    EXPECT_NEAR(ComputePairViewFactor(scene, 0, 1, settings, rng), (1 - std::sqrt(0.5)) * 0.3 * 4.0, 1e-6);
}

} // namespace
} // namespace kernels
