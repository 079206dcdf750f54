// The solver on several threads: the factor, the substitutions, the matrix
// product, the heat balance and a whole solve give the same bits for any
// number of threads (each solve on several runs its substitutions on the
// team and on one thread alone in its first two iterations, so the whole
// solve also checks that the two mix), on a block grid with zone rows, on a triangle mesh
// numbered at random and on a mesh whose levels are too thin to share; the
// level schedule honours every dependency of the factor; the thread team's
// loops visit every block once.
#include "TestSystems.h"
#include "common/kernels/Parallel.h"
#include "common/kernels/VectorOps.h"

#include <Eigen/Sparse>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <random>
#include <set>
#include <string>

using namespace kernels;
using namespace kernels::test;

namespace {

// A block grid numbered as the block engine numbers its nodes (x outermost,
// z innermost), conductances varying from cell to cell, 20 °C and 0 °C
// through surface terms on the two x faces, and `zones` zone rows behind the
// grid rows, each tied to some grid nodes and to the next zone row.
System BlockGrid(int nx, int ny, int nz, int zones)
{
    const Index grid = Index{nx} * ny * nz, rows = grid + zones;
    auto id = [&](int i, int j, int k) { return (Index{i} * ny + j) * nz + k; };
    std::vector<Link> links;
    std::vector<double> ground(rows, 0.0);
    Eigen::VectorXd b = Eigen::VectorXd::Zero(rows);
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k) {
                const Index p = id(i, j, k);
                const double g = 0.5 + ((i * 7 + j * 13 + k * 29) % 17) / 4.0;
                if (i + 1 < nx)
                    links.push_back({p, id(i + 1, j, k), g});
                if (j + 1 < ny)
                    links.push_back({p, id(i, j + 1, k), 1.1 * g});
                if (k + 1 < nz)
                    links.push_back({p, id(i, j, k + 1), 0.9 * g});
                if (i == 0) {
                    ground[p] += 2.0;
                    b[p] += 40.0;
                }
                if (i == nx - 1)
                    ground[p] += 0.5;
            }
    std::mt19937 rng(7);
    std::uniform_int_distribution<Index> node(0, grid - 1);
    for (int z = 0; z < zones; ++z) {
        for (int k = 0; k < 40; ++k)
            links.push_back({grid + z, node(rng), 0.3});
        if (z + 1 < zones)
            links.push_back({grid + z, grid + z + 1, 0.7});
    }
    return FromLinks(rows, grid, links, ground, b);
}

// A triangle mesh of nx x ny points (each square cut by a diagonal), 20 °C
// along one edge and 0 °C along the opposite one; `shuffled` numbers the
// points at random, else row by row.
System TriangleMesh(int nx, int ny, bool shuffled)
{
    const Index rows = Index{nx} * ny;
    std::vector<Index> number(rows);
    std::iota(number.begin(), number.end(), Index{0});
    if (shuffled)
        std::shuffle(number.begin(), number.end(), std::mt19937(11));
    auto id = [&](int i, int j) { return number[Index{j} * nx + i]; };
    std::vector<Link> links;
    std::vector<double> ground(rows, 0.0);
    Eigen::VectorXd b = Eigen::VectorXd::Zero(rows);
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            if (i + 1 < nx)
                links.push_back({id(i, j), id(i + 1, j), 1.0});
            if (j + 1 < ny)
                links.push_back({id(i, j), id(i, j + 1), 1.0 + 0.01 * (i % 7)});
            if (i + 1 < nx && j + 1 < ny)
                links.push_back({id(i, j), id(i + 1, j + 1), 0.4});
            if (j == 0) {
                ground[id(i, j)] += 3.0;
                b[id(i, j)] += 60.0;
            }
            if (j == ny - 1)
                ground[id(i, j)] += 1.0;
        }
    return FromLinks(rows, rows, links, ground, b);
}

struct Shape {
    const char* id;
    const char* name;
    System (*make)();
    bool levels; // whether the schedule shares the rows out by levels
};

// The block grid with its schedule planned for wavefront tasks of a few
// lines, as a large grid gets it.
System BlockGridInWavefronts()
{
    System s = BlockGrid(30, 28, 32, 4);
    ScheduleLimits limits;
    limits.wavefrontRows = 64;
    limits.wavefrontWidth = 4;
    s.pattern->PlanSchedule(limits);
    return s;
}

const Shape kShapes[] = {
    {"BlockGrid", "block grid with zone rows", [] { return BlockGrid(30, 28, 32, 4); }, true},
    {"BlockGridWavefronts", "block grid in wavefront tasks", BlockGridInWavefronts, true},
    {"ShuffledMesh", "triangle mesh numbered at random", [] { return TriangleMesh(180, 170, true); }, true},
    {"NarrowMesh", "narrow triangle mesh numbered row by row", [] { return TriangleMesh(100, 220, false); }, false},
};

// Two, an odd count, and the machine's.
std::set<int> ThreadCounts()
{
    return {2, 3, MachineThreads()};
}

bool SameBits(const double* a, const double* b, Index n)
{
    return std::memcmp(a, b, static_cast<std::size_t>(n) * sizeof(double)) == 0;
}

// max |b - A·x| from the links' own sums, by a plain loop over the rows.
double Residual(const System& s, const Eigen::VectorXd& x)
{
    const SymmetricPattern& p = *s.pattern;
    Eigen::VectorXd ax = Eigen::VectorXd::Zero(p.RowCount());
    for (Index n = 0; n < p.RowCount(); ++n) {
        ax[n] += s.matrix->Diagonal()[n] * x[n];
        for (Index e = p.RowStarts()[n]; e < p.RowStarts()[n + 1]; ++e) {
            const Index c = p.Columns()[e];
            ax[n] += s.matrix->Lower()[e] * x[c];
            ax[c] += s.matrix->Lower()[e] * x[n];
        }
    }
    return (s.b - ax).lpNorm<Eigen::Infinity>();
}

struct Outcome {
    Eigen::VectorXd x;
    SolverState state;
    std::vector<double> inversePivots, lower, flows, product, preconditioned;
    HeatBalanceResult balance;
};

Outcome RunAll(const System& s, int threads)
{
    const SymmetricPattern& p = *s.pattern;
    const Index rows = p.RowCount(), grid = p.GridRowCount();
    ThreadTeam team(threads);
    Outcome run;
    IncompleteCholeskyFactor factor;
    factor.Factorise(*s.matrix, {}, &team);
    run.inversePivots.assign(factor.InversePivots(), factor.InversePivots() + rows);
    run.lower.assign(factor.Lower(), factor.Lower() + p.GridLowerCount());

    SolverWork work;
    work.team = ThreadTeam(threads);
    run.x = Eigen::VectorXd::Zero(rows);
    SolveConjugateGradient(*s.matrix, factor, s.b.data(), run.x.data(), work, run.state, {400, 1e-9, 1e-6, 1e-4},
                           {});

    run.flows.resize(grid);
    run.balance = ComputeHeatBalance(*s.matrix, s.b.data(), run.x.data(), run.flows.data(), {}, {}, &team);
    run.product.resize(rows);
    MultiplyMatrixVector(*s.matrix, run.x.data(), run.product.data(), {}, &team);
    run.preconditioned.resize(rows);
    ApplyPreconditionerForward(factor, s.b.data(), run.preconditioned.data(), {}, &team);
    ApplyPreconditionerBackward(factor, run.preconditioned.data(), {}, &team);
    return run;
}

class ParallelSolve : public testing::TestWithParam<Shape> {};

} // namespace

// One test per shape, so that they run side by side.
TEST_P(ParallelSolve, EveryThreadCountGivesTheSameBits)
{
    {
        const Shape& shape = GetParam();
        SCOPED_TRACE(shape.name);
        const System s = shape.make();
        ASSERT_GE(s.pattern->GridRowCount(), kParallelRows);
        EXPECT_EQ(s.pattern->Schedule().LevelCount() > 1, shape.levels);
        const Outcome one = RunAll(s, 1);
        // The one-thread solve itself is a solve: the residual is small
        // against the right-hand side, and heat in balances heat out.
        EXPECT_LT(Residual(s, one.x), 1e-6 * s.b.lpNorm<Eigen::Infinity>());
        EXPECT_LT(one.balance.objectDivergence, 1e-4f);
        const Index rows = s.pattern->RowCount();
        for (int threads : ThreadCounts()) {
            SCOPED_TRACE(threads);
            const Outcome many = RunAll(s, threads);
            EXPECT_TRUE(SameBits(many.inversePivots.data(), one.inversePivots.data(), rows));
            EXPECT_TRUE(SameBits(many.lower.data(), one.lower.data(), s.pattern->GridLowerCount()));
            EXPECT_TRUE(SameBits(many.x.data(), one.x.data(), rows));
            EXPECT_EQ(many.state.iterations, one.state.iterations);
            EXPECT_EQ(many.state.largestChange, one.state.largestChange);
            EXPECT_EQ(many.state.objectDivergence, one.state.objectDivergence);
            EXPECT_EQ(many.state.nodeDivergence, one.state.nodeDivergence);
            EXPECT_TRUE(SameBits(many.flows.data(), one.flows.data(), s.pattern->GridRowCount()));
            EXPECT_EQ(many.balance.heatIn, one.balance.heatIn);
            EXPECT_EQ(many.balance.heatOut, one.balance.heatOut);
            EXPECT_TRUE(SameBits(many.product.data(), one.product.data(), rows));
            EXPECT_TRUE(SameBits(many.preconditioned.data(), one.preconditioned.data(), rows));
            ThreadTeam team(threads);
            EXPECT_EQ(DotProduct(rows, one.x.data(), one.product.data(), {}, &team),
                      DotProduct(rows, one.x.data(), one.product.data(), {}));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kernels, ParallelSolve, testing::ValuesIn(kShapes),
                         [](const testing::TestParamInfo<Shape>& info) { return std::string(info.param.id); });

// The substitutions against Eigen's sparse triangular solves with the
// factor as a matrix: L with 1 / (inverse pivot) on its diagonal, z =
// L⁻ᵀ·L⁻¹·r; on one thread and on all.
TEST(IncompleteCholesky, SubstitutionsMatchTriangularSolvesOfTheFactor)
{
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const System s = shape.make();
        const SymmetricPattern& p = *s.pattern;
        const Index rows = p.RowCount();
        IncompleteCholeskyFactor factor;
        factor.Factorise(*s.matrix, {});
        std::vector<Eigen::Triplet<double>> entries;
        for (Index n = 0; n < rows; ++n) {
            entries.emplace_back(n, n, 1.0 / factor.InversePivots()[n]);
            if (n < p.GridRowCount())
                for (Index e = p.RowStarts()[n]; e < p.RowStarts()[n + 1]; ++e)
                    entries.emplace_back(n, p.Columns()[e], factor.Lower()[e]);
        }
        Eigen::SparseMatrix<double> lower(rows, rows);
        lower.setFromTriplets(entries.begin(), entries.end());
        const Eigen::VectorXd r = Eigen::VectorXd::LinSpaced(rows, -1.0, 2.0).array().sin() + s.b.array();
        const Eigen::VectorXd y = lower.triangularView<Eigen::Lower>().solve(r);
        const Eigen::VectorXd expected = lower.transpose().triangularView<Eigen::Upper>().solve(y);
        for (int threads : {1, MachineThreads()}) {
            SCOPED_TRACE(threads);
            ThreadTeam team(threads);
            Eigen::VectorXd z(rows);
            std::vector<double> partials;
            ApplyPreconditionerForward(factor, r.data(), z.data(), {}, &team);
            const double rz = ApplyPreconditionerBackwardWithDot(factor, r.data(), z.data(), partials, &team);
            EXPECT_LT((z - expected).lpNorm<Eigen::Infinity>(), 1e-10 * expected.lpNorm<Eigen::Infinity>());
            EXPECT_NEAR(rz, r.dot(expected), 1e-10 * std::abs(r.dot(expected)));
        }
    }
}

TEST(LevelSchedule, EveryRowComesAfterTheRowsItDependsOn)
{
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const System s = shape.make();
        const SymmetricPattern& p = *s.pattern;
        const LevelSchedule& sc = p.Schedule();
        // Where each row is run: its chunk's level and task.
        std::vector<Index> levelOf(p.GridRowCount(), -1), taskOf(p.GridRowCount(), -1);
        for (Index l = 0; l < sc.LevelCount(); ++l)
            for (Index t = sc.levelStart[l]; t < sc.levelStart[l + 1]; ++t)
                for (Index k = sc.taskStart[t]; k < sc.taskStart[t + 1]; ++k) {
                    const Index c = sc.taskChunks[k];
                    for (Index n = sc.chunkStart[c]; n < sc.chunkStart[c + 1]; ++n) {
                        EXPECT_EQ(levelOf[n], -1) << "row " << n << " twice";
                        levelOf[n] = l;
                        taskOf[n] = t;
                    }
                }
        for (Index n = 0; n < p.GridRowCount(); ++n) {
            ASSERT_GE(levelOf[n], 0) << "row " << n << " never run";
            for (Index e = p.RowStarts()[n]; e < p.RowStarts()[n + 1]; ++e) {
                const Index c = p.Columns()[e];
                if (taskOf[c] == taskOf[n])
                    continue; // the same task runs its chunks in row order
                ASSERT_LT(levelOf[c], levelOf[n]) << n << " depends on " << c;
                const auto first = sc.waitFor.begin() + sc.waitStart[taskOf[n]];
                const auto last = sc.waitFor.begin() + sc.waitStart[taskOf[n] + 1];
                ASSERT_NE(std::find(first, last, taskOf[c]), last) << n << " does not wait for " << c;
                const auto freedFirst = sc.freed.begin() + sc.freedStart[taskOf[c]];
                const auto freedLast = sc.freed.begin() + sc.freedStart[taskOf[c] + 1];
                ASSERT_NE(std::find(freedFirst, freedLast, taskOf[n]), freedLast);
            }
        }
    }
}

TEST(LevelSchedule, BlockGridLevelsAreItsDiagonalPlanes)
{
    // Lines of nodes along z are chunks; chunk (i, j) waits for (i - 1, j) and
    // (i, j - 1), so the levels are the planes i + j constant. The wavefronts
    // of this grid (28 lines of 32 rows per plane) are too narrow.
    const System s = BlockGrid(30, 28, 32, 0);
    const LevelSchedule& sc = s.pattern->Schedule();
    EXPECT_EQ(sc.chunkStart.size(), 30u * 28u + 1u);
    EXPECT_EQ(sc.LevelCount(), 30 + 28 - 1);
}

TEST(LevelSchedule, BlockGridWavefrontsPipelineItsPlanes)
{
    // Tasks of at least 64 rows, doubled while 4 tasks per level remain: 128
    // rows (4 lines) keep 7 tasks per plane, 7 * 30 tasks on 7 + 30 - 1
    // levels; 256 would leave 4 per plane on 33 levels. Task t of plane i
    // is on level t + i and holds consecutive lines of that plane.
    const System s = BlockGridInWavefronts();
    const LevelSchedule& sc = s.pattern->Schedule();
    ASSERT_EQ(sc.TaskCount(), 7 * 30);
    ASSERT_EQ(sc.LevelCount(), 7 + 30 - 1);
    const Index plane = 28 * 32;
    for (Index l = 0; l < sc.LevelCount(); ++l)
        for (Index t = sc.levelStart[l]; t < sc.levelStart[l + 1]; ++t) {
            const Index firstRow = sc.chunkStart[sc.taskChunks[sc.taskStart[t]]];
            const Index i = firstRow / plane, line = firstRow % plane / 32;
            EXPECT_EQ(line % 4, 0);
            EXPECT_EQ(line / 4 + i, l) << "task " << t;
            for (Index k = sc.taskStart[t] + 1; k < sc.taskStart[t + 1]; ++k)
                EXPECT_EQ(sc.taskChunks[k], sc.taskChunks[k - 1] + 1);
            const Index lastChunk = sc.taskChunks[sc.taskStart[t + 1] - 1];
            EXPECT_EQ((sc.chunkStart[lastChunk + 1] - 1) / plane, i);
        }
}

TEST(ThreadTeam, LoopsVisitEveryBlockOnce)
{
    for (int threads : {1, 2, 5}) {
        ThreadTeam team(threads);
        for (Index rows : {Index{0}, Index{100}, kParallelRows, 10 * kBlockRows + 7}) {
            std::vector<std::atomic<int>> visits(BlockCount(rows));
            std::atomic<Index> covered{0};
            ForEachBlock(rows, &team, [&](Index first, Index end, Index block) {
                ++visits[block];
                covered += end - first;
                EXPECT_EQ(first, block * kBlockRows);
            });
            EXPECT_EQ(covered.load(), rows);
            for (auto& v : visits)
                EXPECT_EQ(v.load(), 1);
        }
        // More threads asked for than the team has: the team's size is used.
        std::atomic<int> ran{0};
        team.Run(threads + 3, [&] { ++ran; });
        EXPECT_EQ(ran.load(), threads);
    }
}

TEST(ThreadTeam, SuiteThreadsSetsTheMachineThreads)
{
    const char* before = std::getenv("SUITE_THREADS");
    const std::string saved = before ? before : "";
    unsetenv("SUITE_THREADS");
    const int machine = MachineThreads();
    EXPECT_GE(machine, 1);
    for (auto [text, expected] : {std::pair{"3", 3}, {"12", 12}, {"0", machine}, {"-2", machine},
                                  {"many", machine}, {"4x", machine}, {"", machine}}) {
        setenv("SUITE_THREADS", text, 1);
        EXPECT_EQ(MachineThreads(), expected) << '"' << text << '"';
        EXPECT_EQ(ThreadTeam().Size(), expected) << '"' << text << '"';
    }
    if (before)
        setenv("SUITE_THREADS", saved.c_str(), 1);
    else
        unsetenv("SUITE_THREADS");
}
