// The incomplete-Cholesky factor and the conjugate-gradient solve against a
// dense Eigen solve of the same matrix, and the solver's stop rules.
#include "TestSystems.h"
#include "common/core/ErrorCode.h"
#include "common/kernels/VectorOps.h"

#include <gtest/gtest.h>

using namespace kernels;
using namespace kernels::test;

namespace {

struct SpdCase {
    int rows, gridRows, links;
    unsigned seed;
};

class RandomSystems : public testing::TestWithParam<SpdCase> {};

} // namespace

TEST_P(RandomSystems, SameAnswerAsDenseSolve)
{
    const SpdCase c = GetParam();
    System s = RandomSpd(c.rows, c.gridRows, c.links, c.seed);
    Eigen::MatrixXd dense = ToDense(*s.matrix);
    Eigen::VectorXd expected = dense.ldlt().solve(s.b);
    SolverState state;
    Eigen::VectorXd x = Solve(s, &state);
    EXPECT_LT((x - expected).lpNorm<Eigen::Infinity>(), 1e-8 * expected.lpNorm<Eigen::Infinity>());
    EXPECT_LT(state.objectDivergence, 1e-6);
    EXPECT_LT(state.nodeDivergence, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Kernels, RandomSystems,
                         testing::Values(SpdCase{1, 1, 0, 1}, SpdCase{12, 12, 2, 2}, SpdCase{40, 40, 3, 3},
                                         SpdCase{60, 50, 2, 4}, SpdCase{80, 64, 4, 5},
                                         SpdCase{120, 100, 1, 6}));

TEST(ConjugateGradient, GridLaplaciansMatchDenseSolve)
{
    for (auto [nx, ny, nz] : {std::tuple{12, 1, 1}, {6, 5, 1}, {5, 4, 3}, {7, 7, 7}}) {
        System s = GridLaplacian(nx, ny, nz);
        Eigen::VectorXd expected = ToDense(*s.matrix).ldlt().solve(s.b);
        Eigen::VectorXd x = Solve(s);
        EXPECT_LT((x - expected).lpNorm<Eigen::Infinity>(), 1e-9) << nx << "x" << ny << "x" << nz;
    }
}

TEST(IncompleteCholesky, ExactOnATreePattern)
{
    // No fill-in is dropped for a tridiagonal matrix, so M = A: applying the
    // preconditioner to A·v gives v back.
    System s = GridLaplacian(9, 1, 1);
    IncompleteCholeskyFactor factor;
    factor.Factorise(*s.matrix, {});
    Eigen::VectorXd v = Eigen::VectorXd::LinSpaced(9, -3.0, 5.0), av(9), z(9);
    av.setZero();
    MultiplyMatrixVector(*s.matrix, v.data(), av.data(), {});
    ApplyPreconditionerForward(factor, av.data(), z.data(), {});
    ApplyPreconditionerBackward(factor, z.data(), {});
    EXPECT_LT((z - v).lpNorm<Eigen::Infinity>(), 1e-12);
}

TEST(IncompleteCholesky, NonPositivePivotLeavesAFiniteFactor)
{
    Eigen::MatrixXd a(3, 3);
    a << -1.0, 0.5, 0.0, 0.5, 2.0, 0.3, 0.0, 0.3, 0.0;
    System s = FromDense(a, Eigen::VectorXd::Ones(3), 3);
    IncompleteCholeskyFactor factor;
    factor.Factorise(*s.matrix, {});
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(std::isfinite(factor.InversePivots()[i]));
    EXPECT_TRUE(std::isfinite(factor.Lower()[0]));
}

namespace {

struct SolveRun {
    SolveOutcome outcome;
    SolverState state;
    std::vector<SolverState> shown;
    Eigen::VectorXd x;
};

SolveRun RunSolve(const System& s, SolverLimits limits, SolverState state = {}, Eigen::VectorXd x0 = {})
{
    IncompleteCholeskyFactor factor;
    factor.Factorise(*s.matrix, {});
    SolveRun run;
    run.x = x0.size() ? x0 : Eigen::VectorXd::Zero(s.b.size());
    run.state = state;
    SolverWork work;
    SolverHooks hooks;
    hooks.progress = [&](const SolverState& st) { run.shown.push_back(st); };
    run.outcome =
        SolveConjugateGradient(*s.matrix, factor, s.b.data(), run.x.data(), work, run.state, limits, hooks);
    return run;
}

} // namespace

TEST(ConjugateGradient, IterationLimitCountsOneMore)
{
    System s = GridLaplacian(6, 5, 4);
    SolveRun none = RunSolve(s, {0, 1e-6, 1, 1});
    EXPECT_EQ(none.outcome, SolveOutcome::Finished);
    EXPECT_EQ(none.state.iterations, 1);
    EXPECT_EQ(none.shown.size(), 1u);
    EXPECT_EQ(none.x, Eigen::VectorXd::Zero(s.b.size()));

    SolveRun one = RunSolve(s, {1, 1e-6, 1, 1});
    EXPECT_EQ(one.state.iterations, 2);
    EXPECT_EQ(one.shown.size(), 2u);
    EXPECT_GT(one.x.norm(), 0.0);
}

TEST(ConjugateGradient, ZeroRightHandSideSettlesAfterOneIteration)
{
    System s = GridLaplacian(4, 4, 1);
    s.b.setZero();
    SolveRun run = RunSolve(s, TightLimits());
    EXPECT_EQ(run.outcome, SolveOutcome::Settled);
    EXPECT_EQ(run.state.iterations, 1);
    EXPECT_EQ(run.x, Eigen::VectorXd::Zero(s.b.size()));
    EXPECT_EQ(run.state.objectDivergence, 0.0f); // one balance was computed
    EXPECT_EQ(run.state.nodeDivergence, 0.0f);
}

TEST(ConjugateGradient, FirstStopWaitsForTheBalanceAfterTheTenthIteration)
{
    // Loose limits that the field meets after a few iterations: the
    // divergences stay 200 % until the first heat balance.
    System s = GridLaplacian(7, 7, 7);
    SolveRun run = RunSolve(s, {100, 1.0, 15, 15});
    ASSERT_EQ(run.shown.size(), 11u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(run.shown[i].objectDivergence, 200.0f) << i;
    EXPECT_LT(run.shown[10].largestChange, 1.0f);
    EXPECT_EQ(run.outcome, SolveOutcome::Finished);
    EXPECT_EQ(run.state.iterations, 11);
}

TEST(ConjugateGradient, CloseToConvergenceBalancesEveryIteration)
{
    System s = GridLaplacian(7, 7, 7);
    SolveRun run = RunSolve(s, {1000, 1e-4, 1e-3, 1e-2});
    size_t switched = 0;
    while (switched < run.shown.size() && run.shown[switched].balanceInterval != 1)
        ++switched;
    ASSERT_GT(switched, 10u);
    ASSERT_LT(switched + 1, run.shown.size());
    // From then on every iteration brings new divergences.
    EXPECT_NE(run.shown[switched + 1].nodeDivergence, run.shown[switched].nodeDivergence);
    EXPECT_LT(run.state.largestChange, 1e-4f);
    EXPECT_LT(run.state.nodeDivergence, 1e-2f);
}

TEST(ConjugateGradient, LargestChangeCarriesIntoTheNextSolve)
{
    // With divergence limits above 200 % only the largest change decides, and
    // that of the previous solve stops this one before any iteration.
    System s = GridLaplacian(5, 5, 1);
    SolverState previous;
    previous.largestChange = 1e-7f;
    SolveRun run = RunSolve(s, {100, 1e-6, 300, 300}, previous);
    EXPECT_EQ(run.state.iterations, 1);
    EXPECT_EQ(run.x, Eigen::VectorXd::Zero(s.b.size()));
}

TEST(ConjugateGradient, StartsFromTheGivenSolution)
{
    System s = GridLaplacian(6, 6, 2);
    Eigen::VectorXd solved = Solve(s);
    SolveRun again = RunSolve(s, TightLimits(), {}, solved);
    EXPECT_LE(again.state.iterations, 12);
    EXPECT_LT((again.x - solved).lpNorm<Eigen::Infinity>(), 1e-9);
}

TEST(ConjugateGradient, EscAbortsWithoutErrorCode)
{
    System s = GridLaplacian(6, 6, 6);
    IncompleteCholeskyFactor factor;
    factor.Factorise(*s.matrix, {});
    Eigen::VectorXd x = Eigen::VectorXd::Zero(s.b.size());
    SolverWork work;
    SolverState state;
    int polls = 0;
    SolverHooks hooks;
    hooks.esc = [&] { return ++polls == 20; };
    common::ResetErrorCode();
    EXPECT_THROW(
        SolveConjugateGradient(*s.matrix, factor, s.b.data(), x.data(), work, state, TightLimits(), hooks),
        common::EngineException);
    EXPECT_EQ(common::ErrorCode(), 0);
    EXPECT_EQ(polls, 20);
    EXPECT_GT(state.iterations, 1);
}

TEST(IncompleteCholesky, ReproducesTheMatrixOnItsPattern)
{
    // A triangulated 5 x 5 grid (each square split by a diagonal, so the
    // elimination updates elements) and two zone rows tied to it: L·Lᵀ must
    // equal A on the pattern of the grid rows, and the zone rows keep only
    // their diagonal.
    const int side = 5, grid = side * side, rows = grid + 2;
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(rows, rows);
    auto link = [&](int p, int q, double g) {
        a(p, q) -= g;
        a(q, p) -= g;
        a(p, p) += g;
        a(q, q) += g;
    };
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i) {
            const int p = i + side * j;
            if (i + 1 < side)
                link(p, p + 1, 1.0 + 0.1 * j);
            if (j + 1 < side)
                link(p, p + side, 0.7 + 0.05 * i);
            if (i + 1 < side && j + 1 < side)
                link(p, p + side + 1, 0.3);
            a(p, p) += 0.01;
        }
    link(3, grid, 2.0);
    link(7, grid, 2.0);
    link(grid, grid + 1, 1.5);
    a(grid + 1, grid + 1) += 0.5;
    System s = FromDense(a, Eigen::VectorXd::Ones(rows), grid);
    IncompleteCholeskyFactor factor;
    factor.Factorise(*s.matrix, {});

    Eigen::MatrixXd l = Eigen::MatrixXd::Zero(rows, rows);
    const SymmetricPattern& p = *s.pattern;
    for (int n = 0; n < rows; ++n) {
        const double pivot = 1.0 / factor.InversePivots()[n];
        l(n, n) = pivot;
        if (n < grid)
            for (Index e = p.RowStarts()[n]; e < p.RowStarts()[n + 1]; ++e)
                l(n, p.Columns()[e]) = factor.Lower()[e];
    }
    Eigen::MatrixXd m = l * l.transpose();
    for (int i = 0; i < grid; ++i)
        for (int j = 0; j <= i; ++j) {
            if (i == j || p.Find(i, j) >= 0) {
                EXPECT_NEAR(m(i, j), a(i, j), 1e-12) << i << "," << j;
            }
        }
    EXPECT_DOUBLE_EQ(m(grid, grid), a(grid, grid));
    EXPECT_DOUBLE_EQ(m(grid + 1, grid + 1), a(grid + 1, grid + 1));
    EXPECT_EQ(m(grid + 1, grid), 0.0);
}

TEST(ConjugateGradient, SystemWithoutRowsSettlesAtOnce)
{
    System s = FromDense(Eigen::MatrixXd(0, 0), Eigen::VectorXd(0), 0);
    SolveRun run = RunSolve(s, TightLimits());
    EXPECT_EQ(run.outcome, SolveOutcome::Settled);
    EXPECT_EQ(run.state.iterations, 1);
    EXPECT_EQ(run.state.objectDivergence, 0.0f);
}
