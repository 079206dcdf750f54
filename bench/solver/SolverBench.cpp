// Benchmark of the node-matrix solver on a block model: 100 x 100 x 100 cells
// of 1 cm, an inner cube of a material 100 times less conductive than the
// rest, 20 °C held on the x = 0 face and 0 °C on the opposite face (the
// points of those faces are fixed nodes, all others unknowns). The matrix is
// assembled as the block engine does it: each cell conducts along its twelve
// edges with λ·s/4·area/length.
//
// Reported as counters of one run, each against a reference measured in the
// same run, on all the machine's cores unless said otherwise:
//  (a) iteration_vs_stream: time of one solver iteration over the time of
//      one streaming pass (on as many threads) over arrays of the same total
//      size as those the iteration works on (the read-only ones read, the
//      vectors read and written); and iteration_vs_bound: the same against
//      a streaming pass over the data one iteration of the method cannot
//      avoid moving (the matrix once, the factor twice, 14 vector passes);
//      target at most 2.
//  (b) time_vs_eigen: time (factorisation + iterations) to come within
//      1e-4 K of a tightly converged solution, over the same for Eigen's
//      ConjugateGradient with its IncompleteCholesky on the same matrix
//      (best of its AMD and natural orderings, one thread); target at most
//      1/3.
//  (c) peak_bytes_per_node: growth of the peak resident memory while the
//      pattern, matrix, factor and solver vectors are built and a solve runs,
//      per unknown; target below 200.
//  (e) speedup_iteration, speedup_solve: the one-thread times of (a) and (b)
//      over the all-core ones, with `threads` threads.
//  (f) the steps of one iteration timed one by one, on all cores and (_1) on
//      one thread, in ms: forward_ms, backward_ms (with r·z), product_ms
//      (new direction, A·p, p·A·p), update_ms (x and r). Timed one by one,
//      the steps always run on the team here; within a solve the
//      substitutions, and the other steps, run on one thread instead when
//      that was timed faster.
// Times are the best of a few repetitions: other processes on the machine
// only ever make a run slower. Also shown: build_vs_solve, the pattern and
// matrix build by hand against the timed solve of (b).
// SUITE_BENCH_SMALL=1 runs a 12 x 12 x 12 model.
#include "bench/BenchSupport.h"
#include "bench/EigenReference.h"
#include "common/core/ErrorCode.h"
#include "common/kernels/ConjugateGradient.h"
#include "common/kernels/VectorOps.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

using namespace kernels;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return bench::SecondsSince(since);
}

struct Model {
    int n; // cells per axis
    double cell = 0.01, s = 1.0;
    double lambdaOuter = 1.0, lambdaInner = 0.01;

    double Lambda(int i, int j, int k) const
    {
        auto inside = [&](int c) { return c >= n / 4 && c < n - n / 4; };
        return inside(i) && inside(j) && inside(k) ? lambdaInner : lambdaOuter;
    }
    bool InGrid(int i, int j, int k) const { return i >= 0 && j >= 0 && k >= 0 && i < n && j < n && k < n; }
    // Unknowns are the points off the two held faces: x outermost, z innermost.
    kernels::Index Node(int i, int j, int k) const
    {
        if (i <= 0 || i >= n)
            return -1;
        return (kernels::Index(i - 1) * (n + 1) + j) * (n + 1) + k;
    }
    kernels::Index Unknowns() const { return kernels::Index(n - 1) * (n + 1) * (n + 1); }
    double Held(int i) const { return i == 0 ? 20.0 : 0.0; }
};

// Conductance of the grid edge from point (i, j, k) one step along axis:
// the four cells around the edge each add λ·s/4·(cell area)/(cell length).
double EdgeConductance(const Model& m, int i, int j, int k, int axis)
{
    double g = 0.0;
    for (int a = -1; a <= 0; ++a)
        for (int b = -1; b <= 0; ++b) {
            int ci = i, cj = j, ck = k;
            if (axis == 0)
                cj += a, ck += b;
            else if (axis == 1)
                ci += a, ck += b;
            else
                ci += a, cj += b;
            if (m.InGrid(ci, cj, ck))
                g += m.Lambda(ci, cj, ck) * m.s / 4 * m.cell * m.cell / m.cell;
        }
    return g;
}

template <class Visit> void ForEachEdge(const Model& m, Visit&& visit)
{
    for (int i = 0; i <= m.n; ++i)
        for (int j = 0; j <= m.n; ++j)
            for (int k = 0; k <= m.n; ++k) {
                if (i < m.n)
                    visit(i, j, k, i + 1, j, k, 0);
                if (j < m.n)
                    visit(i, j, k, i, j + 1, k, 1);
                if (k < m.n)
                    visit(i, j, k, i, j, k + 1, 2);
            }
}

struct Solver {
    kernels::SymmetricPattern pattern;
    std::unique_ptr<kernels::SymmetricMatrix> a;
    std::vector<double> b, x;
    kernels::IncompleteCholeskyFactor factor;
    kernels::SolverWork work;
};

void Build(const Model& m, Solver& s)
{
    const kernels::Index rows = m.Unknowns();
    s.pattern = kernels::BuildSymmetricPattern(
        rows, rows,
        [&](auto&& link) {
            ForEachEdge(m, [&](int i, int j, int k, int i2, int j2, int k2, int) {
                kernels::Index p = m.Node(i, j, k), q = m.Node(i2, j2, k2);
                if (p >= 0 && q >= 0)
                    link(p, q);
            });
        },
        {});
    s.a = std::make_unique<kernels::SymmetricMatrix>(s.pattern);
    s.b.assign(rows, 0.0);
    s.x.assign(rows, 0.0);
    std::vector<double>& d = s.a->Diagonal();
    ForEachEdge(m, [&](int i, int j, int k, int i2, int j2, int k2, int axis) {
        const double g = EdgeConductance(m, i, j, k, axis);
        const kernels::Index p = m.Node(i, j, k), q = m.Node(i2, j2, k2);
        if (p >= 0)
            d[p] += g;
        if (q >= 0)
            d[q] += g;
        if (p >= 0 && q >= 0)
            s.a->Element(p, q) -= g;
        else if (p >= 0)
            s.b[p] += g * m.Held(i2);
        else if (q >= 0)
            s.b[q] += g * m.Held(i);
    });
    s.a->FixZeroDiagonals();
}

// One pass over arrays of the given sizes on the team's threads: the
// read-only ones summed, the vectors read and written.
double StreamSeconds(kernels::Index readOnlyBytes, kernels::Index vectors, kernels::Index rows,
                     kernels::ThreadTeam& team)
{
    std::vector<double> readOnly(readOnlyBytes / sizeof(double), 1.0);
    std::vector<std::vector<double>> vec(vectors, std::vector<double>(rows, 1.0));
    const kernels::Index n = static_cast<kernels::Index>(readOnly.size());
    std::vector<double> sums(kernels::BlockCount(n));
    double best = 1e30;
    for (int rep = 0; rep < 5; ++rep) {
        auto t0 = Clock::now();
        kernels::ForEachBlock(n, &team, [&](kernels::Index first, kernels::Index end, kernels::Index block) {
            double sum = 0.0;
            for (kernels::Index i = first; i < end; ++i)
                sum += readOnly[i];
            sums[block] = sum;
        });
        kernels::ForEachBlock(rows, &team, [&](kernels::Index first, kernels::Index end, kernels::Index) {
            for (auto& v : vec)
                for (kernels::Index i = first; i < end; ++i)
                    v[i] = v[i] * 0.5 + 1.0;
        });
        best = std::min(best, Seconds(t0));
    }
    benchmark::DoNotOptimize(sums.data());
    return best;
}

// The steps of one iteration timed one by one, each the fastest of
// `repeats`, in ms: forward substitution, backward substitution with r·z,
// the new direction with A·p and p·A·p, the update of x and r.
struct Phases {
    double forward = 1e30, backward = 1e30, product = 1e30, update = 1e30;
};

Phases PhaseMilliseconds(Solver& s, int repeats, kernels::ThreadTeam* team)
{
    const kernels::Index rows = s.pattern.RowCount();
    std::vector<double> r(rows, 1.0), z(rows), p(rows, 0.5), x(rows, 0.0), partials;
    auto best = [](double& into, Clock::time_point since) { into = std::min(into, Seconds(since) * 1e3); };
    Phases ms;
    for (int rep = 0; rep < repeats; ++rep) {
        auto t0 = Clock::now();
        kernels::ApplyPreconditionerForward(s.factor, r.data(), z.data(), {}, team);
        best(ms.forward, t0);
        t0 = Clock::now();
        kernels::ApplyPreconditionerBackwardWithDot(s.factor, r.data(), z.data(), partials, team);
        best(ms.backward, t0);
        t0 = Clock::now();
        kernels::AddScaledVector(rows, z.data(), 0.5, p.data(), p.data(), {}, team);
        kernels::MultiplyMatrixVector(*s.a, p.data(), z.data(), {}, team);
        benchmark::DoNotOptimize(kernels::DotProduct(rows, p.data(), z.data(), {}, team));
        best(ms.product, t0);
        t0 = Clock::now();
        kernels::AddScaledVector(rows, x.data(), 1e-9, p.data(), x.data(), {}, team);
        kernels::AddScaledVector(rows, r.data(), -1e-9, z.data(), r.data(), {}, team);
        best(ms.update, t0);
    }
    return ms;
}

// The fastest of `repeats` runs of one iteration-limited solve from zero, per
// iteration.
double SecondsPerIteration(Solver& s, int iterations, int repeats, kernels::SolverWork& work)
{
    double best = 1e30;
    for (int rep = 0; rep < repeats; ++rep) {
        std::fill(s.x.begin(), s.x.end(), 0.0);
        kernels::SolverState state;
        auto t0 = Clock::now();
        SolveConjugateGradient(*s.a, s.factor, s.b.data(), s.x.data(), work, state, {iterations, 0, 0, 0}, {});
        best = std::min(best, Seconds(t0) / iterations);
    }
    return best;
}

// The fastest of `repeats` timed runs of factorisation and `iterations`
// iterations from zero.
double SolveSeconds(Solver& s, int iterations, int repeats, kernels::SolverWork& work)
{
    double best = 1e30;
    for (int rep = 0; rep < repeats; ++rep) {
        std::fill(s.x.begin(), s.x.end(), 0.0);
        kernels::SolverState state;
        auto t0 = Clock::now();
        s.factor.Factorise(*s.a, {}, &work.team);
        SolveConjugateGradient(*s.a, s.factor, s.b.data(), s.x.data(), work, state, {iterations, 0, 0, 0}, {});
        best = std::min(best, Seconds(t0));
    }
    return best;
}

void BM_NodeMatrixSolver(benchmark::State& state)
{
    const bool small = bench::Small();
    Model m{small ? 12 : 100};
    const kernels::Index rows = m.Unknowns();
    const double accuracy = 1e-4;

    for (auto _ : state) {
        // (c) Peak memory of the whole solver path, measured first.
        const long baseline = bench::ProcStatus("VmRSS");
        bench::ResetPeakMemory();
        Solver s;
        auto tBuild = Clock::now();
        Build(m, s);
        const double buildSeconds = Seconds(tBuild);
        s.factor.Factorise(*s.a, {}, &s.work.team);
        kernels::SolverState st;
        SolveConjugateGradient(*s.a, s.factor, s.b.data(), s.x.data(), s.work, st, {20000, 1e-11, 1e-8, 1e-8},
                               {});
        const long peak = bench::ProcStatus("VmHWM");
        const std::vector<double> reference = s.x;

        // (a) Iterations that never meet the stop test, against streaming.
        kernels::SolverWork one;
        one.team = kernels::ThreadTeam(1);
        const int k = small ? 20 : 50;
        const double perIteration = SecondsPerIteration(s, k, 3, s.work);
        const double perIterationOne = SecondsPerIteration(s, k, 2, one);
        const kernels::Index lower = s.pattern.LowerCount();
        const kernels::Index readOnly = lower * (sizeof(kernels::Column) + 8) +
                                        rows * 8 // pattern columns, lower values, diagonal
                                        + s.pattern.GridLowerCount() * 8 + rows * 8; // factor
        const double stream = StreamSeconds(readOnly, 4, rows, s.work.team);          // x, r, z, p
        // The traffic no iteration of the method avoids: the matrix once, the
        // factor once for each substitution, and 14 vector passes (forward
        // with the update of r: r, q in, r, z out; backward with r·z: z, r
        // in, z out; the new direction with the update of x: z, p, x in, p,
        // x out; the product: p in, q out), as 7 vectors read and written.
        const kernels::Index matrixBytes = lower * (sizeof(kernels::Column) + 8) + rows * 8;
        const kernels::Index factorBytes = s.pattern.GridLowerCount() * 8 + rows * 8;
        const double bound = StreamSeconds(matrixBytes + 2 * factorBytes, 7, rows, s.work.team);
        const Phases phases = PhaseMilliseconds(s, 5, &s.work.team);
        const Phases phasesOne = PhaseMilliseconds(s, 3, nullptr);

        // (b) Time to within the accuracy: our iterations counted on an
        // untimed run, then factorisation and that many iterations timed.
        int needed = -1;
        std::fill(s.x.begin(), s.x.end(), 0.0);
        kernels::SolverState probe;
        kernels::SolverHooks watch;
        watch.progress = [&](const kernels::SolverState& p) {
            if (needed < 0 && p.iterations > 1 &&
                bench::MaxDifference(s.x.data(), reference.data(), rows) < accuracy)
                needed = p.iterations - 1;
        };
        // The probe is stopped as the user would, by Esc, once it got there.
        watch.esc = [&] { return needed >= 0; };
        try {
            SolveConjugateGradient(*s.a, s.factor, s.b.data(), s.x.data(), s.work, probe, {20000, 0, 0, 0},
                                   watch);
        } catch (const common::EscAbort&) {
        }
        const double ours = SolveSeconds(s, needed, 3, s.work);
        const double ourError = bench::MaxDifference(s.x.data(), reference.data(), rows);
        const double oursOne = SolveSeconds(s, needed, 2, one);

        int eigenIterations = 0;
        const double eigen = bench::EigenSeconds(*s.a, s.b.data(), reference.data(), accuracy, eigenIterations);

        state.counters["nodes"] = double(rows);
        state.counters["threads"] = s.work.team.Size();
        state.counters["peak_bytes_per_node"] = double(peak - baseline) / rows;
        state.counters["iteration_ms"] = perIteration * 1e3;
        state.counters["stream_ms"] = stream * 1e3;
        state.counters["iteration_vs_stream"] = perIteration / stream;
        state.counters["bound_ms"] = bound * 1e3;
        state.counters["iteration_vs_bound"] = perIteration / bound;
        state.counters["speedup_iteration"] = perIterationOne / perIteration;
        state.counters["forward_ms"] = phases.forward;
        state.counters["backward_ms"] = phases.backward;
        state.counters["product_ms"] = phases.product;
        state.counters["update_ms"] = phases.update;
        state.counters["forward_ms_1"] = phasesOne.forward;
        state.counters["backward_ms_1"] = phasesOne.backward;
        state.counters["product_ms_1"] = phasesOne.product;
        state.counters["update_ms_1"] = phasesOne.update;
        state.counters["ours_s"] = ours;
        state.counters["ours_iterations"] = needed;
        state.counters["ours_error_K"] = ourError;
        state.counters["speedup_solve"] = oursOne / ours;
        state.counters["eigen_s"] = eigen;
        state.counters["eigen_iterations"] = eigenIterations;
        state.counters["time_vs_eigen"] = ours / eigen;
        state.counters["build_s"] = buildSeconds;
        state.counters["build_vs_solve"] = buildSeconds / ours;
    }
}

} // namespace

BENCHMARK(BM_NodeMatrixSolver)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
