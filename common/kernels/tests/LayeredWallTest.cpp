// A one-dimensional wall assembled by hand as the block engine does it: one
// conductive cell (λ 0.5, 0.2 m thick, 1 m x 1 m) between two surface cells,
// 20 °C with h 7.7 on one side and 0 °C with h 25 on the other. The cell
// conducts along its twelve edges (s/4·area/length each); each surface face
// gives its corners h·A/8 on the diagonal and h·A/16 to each corner next to
// them along the face's edges, plus h·A/4·T on the right-hand side. The
// analytic answer: q = 20 / (1/7.7 + 0.2/0.5 + 1/25) = 35.0957 W/m², surfaces
// at 20 - q/7.7 = 15.4421 °C and q/25 = 1.40383 °C.
#include "TestSystems.h"

#include <array>
#include <gtest/gtest.h>

using namespace kernels;
using namespace kernels::test;

namespace {

// Grid points (i, j, k) with i = 1, 2 (the cell's faces), j, k = 0, 1,
// numbered x outermost, z innermost.
Index NodeAt(int i, int j, int k)
{
    return (i - 1) * 4 + j * 2 + k;
}

struct Wall {
    std::unique_ptr<SymmetricPattern> pattern;
    std::unique_ptr<SymmetricMatrix> a;
    std::vector<double> b;
};

Wall AssembleWall(double lambda, double thickness, double hWarm, double tWarm, double hCold, double tCold)
{
    const double wx = thickness, wy = 1.0, wz = 1.0, s = 1.0;
    Wall w;
    w.pattern = std::make_unique<SymmetricPattern>(
        BuildSymmetricPattern(8, 8,
                              [](auto&& link) {
                                  for (int i = 1; i <= 2; ++i)
                                      for (int j = 0; j <= 1; ++j)
                                          for (int k = 0; k <= 1; ++k) {
                                              if (i == 1)
                                                  link(NodeAt(1, j, k), NodeAt(2, j, k));
                                              if (j == 0)
                                                  link(NodeAt(i, 0, k), NodeAt(i, 1, k));
                                              if (k == 0)
                                                  link(NodeAt(i, j, 0), NodeAt(i, j, 1));
                                          }
                              },
                              {}));
    w.a = std::make_unique<SymmetricMatrix>(*w.pattern);
    w.b.assign(8, 0.0);
    SymmetricMatrix& a = *w.a;

    auto edge = [&](Index p, Index q, double g) {
        a.Diagonal()[p] += lambda * g;
        a.Diagonal()[q] += lambda * g;
        a.Element(p, q) -= lambda * g;
    };
    for (int j = 0; j <= 1; ++j)
        for (int k = 0; k <= 1; ++k)
            edge(NodeAt(1, j, k), NodeAt(2, j, k), s / 4 * wy * wz / wx);
    for (int i = 1; i <= 2; ++i)
        for (int k = 0; k <= 1; ++k)
            edge(NodeAt(i, 0, k), NodeAt(i, 1, k), s / 4 * wx * wz / wy);
    for (int i = 1; i <= 2; ++i)
        for (int j = 0; j <= 1; ++j)
            edge(NodeAt(i, j, 0), NodeAt(i, j, 1), s / 4 * wx * wy / wz);

    auto surface = [&](int i, double h, double t) {
        const double quarter = s * s * wy * wz / 4;
        const std::array<Index, 4> ring{NodeAt(i, 0, 0), NodeAt(i, 1, 0), NodeAt(i, 1, 1), NodeAt(i, 0, 1)};
        for (int c = 0; c < 4; ++c) {
            const Index corner = ring[c];
            a.Diagonal()[corner] += h * quarter / 2;
            for (Index next : {ring[(c + 1) % 4], ring[(c + 3) % 4]})
                if (next < corner)
                    a.Element(corner, next) += h * quarter / 4;
            w.b[corner] += h * quarter * t;
        }
    };
    surface(1, hWarm, tWarm);
    surface(2, hCold, tCold);
    a.FixZeroDiagonals();
    return w;
}

} // namespace

TEST(LayeredWall, SurfaceTemperaturesAndHeatFlow)
{
    Wall w = AssembleWall(0.5, 0.2, 7.7, 20.0, 25.0, 0.0);
    IncompleteCholeskyFactor factor;
    factor.Factorise(*w.a, {});
    std::vector<double> x(8, 0.0);
    SolverWork work;
    SolverState state;
    SolveConjugateGradient(*w.a, factor, w.b.data(), x.data(), work, state, TightLimits(), {});
    for (int j = 0; j <= 1; ++j)
        for (int k = 0; k <= 1; ++k) {
            EXPECT_NEAR(x[NodeAt(1, j, k)], 15.4421, 5e-5);
            EXPECT_NEAR(x[NodeAt(2, j, k)], 1.40383, 5e-6);
        }
    const double q = 20.0 / (1 / 7.7 + 0.2 / 0.5 + 1 / 25.0);
    EXPECT_NEAR(q, 35.0957, 5e-5);

    // Heat balance: what enters on the warm side leaves on the cold side, and
    // every node's boundary flow is its quarter of h·(T_env - T_surface).
    std::vector<double> flows(8);
    HeatBalanceResult hb = ComputeHeatBalance(*w.a, w.b.data(), x.data(), flows.data(), {}, {});
    EXPECT_NEAR(hb.heatIn, q, 1e-9);
    EXPECT_NEAR(hb.heatOut, -q, 1e-9);
    EXPECT_LT(hb.objectDivergence, 1e-9f);
    EXPECT_LT(hb.nodeDivergence, 1e-9f);
    for (int j = 0; j <= 1; ++j)
        for (int k = 0; k <= 1; ++k) {
            EXPECT_NEAR(flows[NodeAt(1, j, k)], 7.7 / 4 * (20.0 - x[NodeAt(1, j, k)]), 1e-9);
            EXPECT_NEAR(flows[NodeAt(2, j, k)], 25.0 / 4 * (0.0 - x[NodeAt(2, j, k)]), 1e-9);
        }
}

TEST(LayeredWall, MirroredWallGivesMirroredField)
{
    Wall w = AssembleWall(0.5, 0.2, 7.7, 20.0, 25.0, 0.0);
    Wall m = AssembleWall(0.5, 0.2, 25.0, 0.0, 7.7, 20.0);
    std::vector<double> x(8, 0.0), y(8, 0.0);
    for (auto [sys, v] : {std::pair{&w, &x}, std::pair{&m, &y}}) {
        IncompleteCholeskyFactor factor;
        factor.Factorise(*sys->a, {});
        SolverWork work;
        SolverState state;
        SolveConjugateGradient(*sys->a, factor, sys->b.data(), v->data(), work, state, TightLimits(), {});
    }
    for (int j = 0; j <= 1; ++j)
        for (int k = 0; k <= 1; ++k)
            EXPECT_NEAR(x[NodeAt(1, j, k)], y[NodeAt(2, j, k)], 1e-9);
}
