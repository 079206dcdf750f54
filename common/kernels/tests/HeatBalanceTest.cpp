// The heat balance against flows worked out from the dense matrix: flows
// into zone rows and a node's own term cross the object's boundary, flows
// between grid nodes cancel.
#include "TestSystems.h"

#include <gtest/gtest.h>

using namespace kernels;
using namespace kernels::test;

TEST(HeatBalance, BoundaryFlowsMatchDenseSums)
{
    for (unsigned seed : {11u, 12u, 13u}) {
        System s = RandomSpd(50, 40, 3, seed);
        Eigen::VectorXd x = Solve(s);
        Eigen::MatrixXd a = ToDense(*s.matrix);
        const int grid = 40;
        // Expected boundary flow of grid node n: b_n - rowsum_n·x_n plus the
        // flows from zone rows, (x_c - x_n)·(-a_nc).
        Eigen::VectorXd expected(grid);
        for (int n = 0; n < grid; ++n) {
            expected(n) = s.b(n) - a.row(n).sum() * x(n);
            for (int c = grid; c < 50; ++c)
                expected(n) += (x(n) - x(c)) * a(n, c);
        }
        std::vector<double> flows(grid);
        HeatBalanceResult hb =
            ComputeHeatBalance(*s.matrix, s.b.data(), x.data(), flows.data(), {}, {});
        double in = 0, out = 0;
        for (int n = 0; n < grid; ++n) {
            EXPECT_NEAR(flows[n], expected(n), 1e-8 * expected.cwiseAbs().maxCoeff());
            (expected(n) >= 0 ? in : out) += expected(n);
        }
        // Solved: heat in = heat out.
        EXPECT_NEAR(hb.heatIn + hb.heatOut, 0.0, 1e-8 * hb.heatIn);
        EXPECT_NEAR(in + out, 0.0, 1e-8 * in);
        EXPECT_LT(hb.objectDivergence, 1e-6f);
    }
}

TEST(HeatBalance, UnsolvedFieldShowsItsImbalance)
{
    System s = GridLaplacian(5, 4, 1);
    Eigen::VectorXd x = Eigen::VectorXd::Constant(20, 10.0);
    HeatBalanceResult hb = ComputeHeatBalance(*s.matrix, s.b.data(), x.data(), nullptr, {}, {});
    // 4 nodes take 2·(20 - 10) each, 4 give 0.5·10 each.
    EXPECT_DOUBLE_EQ(hb.heatIn, 80.0);
    EXPECT_DOUBLE_EQ(hb.heatOut, -20.0);
    EXPECT_FLOAT_EQ(hb.objectDivergence, 60.0f / 100.0f * 200.0f);
    EXPECT_FLOAT_EQ(hb.nodeDivergence, 200.0f);
}

TEST(HeatBalance, RuleForFixedRowsWithoutFlows)
{
    // Node 0 is a fixed-temperature row (1·T = 5) not yet at its value; nodes
    // 1 and 2 are coupled and balanced.
    Eigen::MatrixXd a(3, 3);
    a << 1, 0, 0, 0, 2, -1, 0, -1, 2;
    System s = FromDense(a, Eigen::Vector3d(5, 1, 1), 3);
    Eigen::Vector3d x(3, 1, 1);
    HeatBalanceResult all = ComputeHeatBalance(*s.matrix, s.b.data(), x.data(), nullptr, {}, {});
    EXPECT_DOUBLE_EQ(all.heatIn, 2.0);
    HeatBalanceRule flowsOnly{1e-10, true};
    HeatBalanceResult some =
        ComputeHeatBalance(*s.matrix, s.b.data(), x.data(), nullptr, flowsOnly, {});
    EXPECT_DOUBLE_EQ(some.heatIn, 0.0);
    EXPECT_EQ(some.objectDivergence, 0.0f);
}
