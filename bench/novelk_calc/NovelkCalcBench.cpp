// Benchmark of Novelk's calculation on a block model: 100 x 100 x 100 cells
// of 1 cm, the two outer layers along x BC_SIMPL (20 °C with h 7.7 and 0 °C
// with h 25), the rest material of lambda 1 with an inner cube of lambda
// 0.01: about a million nodes, the calculation exactly as Calc System's
// window runs it (raster, numbering, matrix structure, assembly, factor,
// solve, result files).
//
// Reported as counters of one run, each against a reference measured in the
// same run:
//  (a) time_vs_eigen: time (factorisation + steps, heat-balance checks
//      included) to come within 1e-4 K of a tightly converged solution, over
//      the same for Eigen's ConjugateGradient with its IncompleteCholesky on
//      the same matrix (the better of its AMD and natural orderings); target
//      at most 1.
//  (b) peak_bytes_per_node: growth of the peak resident memory during the
//      whole calculation, per node; target below 200.
//  (c) setup_vs_solve: the calculation's set-up (raster to factor) over its
//      solve; target below 0.2.
// SUITE_BENCH_SMALL=1 runs a 12 x 12 x 12 model.
#include "bench/BenchSupport.h"
#include "bench/EigenReference.h"
#include "novelk/model/calc/Assembly.h"
#include "novelk/model/calc/CalcSystem.h"
#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/calc/Solver.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// Notes when the calculation's stages begin: the first read-out of the
// solver follows the factorisation, the last one ends the solve. Stops a
// probe by Esc once its temperatures are within the accuracy.
class TimingHost : public novelk::NullEngineHost {
  public:
    void ShowSolverProgress(const novelk::SolverReadouts& r) override
    {
        const Clock::time_point now = Clock::now();
        if (firstProgress == Clock::time_point{})
            firstProgress = now;
        lastProgress = now;
        if (probe != nullptr && needed < 0 && r.steps > 1 && probe->size() == reference.size()) {
            double worst = 0;
            for (std::size_t n = 0; n < reference.size(); ++n)
                worst = std::max(worst, std::abs((*probe)[n] - reference[n]));
            if (worst < accuracy)
                needed = r.steps - 1;
        }
    }
    bool EscPressed() override { return probe != nullptr && needed >= 0; }

    Clock::time_point firstProgress{}, lastProgress{};
    const std::vector<double>* probe = nullptr;
    std::vector<double> reference;
    double accuracy = 1e-4;
    int needed = -1;
};

void BuildModel(novelk::ModelStore& m, int n)
{
    using namespace novelk;
    const ProgramParameters defaults;
    ResetModel(m, defaults);
    GrowGridLineArrays(m, std::size_t(n) + 1);
    for (std::size_t a = 0; a < 3; ++a) {
        m.axes[a].n = std::uint16_t(n);
        std::fill(m.axes[a].widths.begin(), m.axes[a].widths.begin() + n, 10.0f);
        m.clipHi[a] = std::uint16_t(n);
    }
    ComputeGridCoordinates(m);
    m.gridUnit = 0.001f;
    auto colour = [&](int c, int type, float lambda, float t, float h) {
        ColourRecord& r = m.colours[std::size_t(c)];
        r.inUse = 1;
        r.type = type;
        r.lambda = lambda;
        r.temperature = t;
        r.hGlobal = h;
    };
    colour(1, MATERIAL, 1.0f, 0, 0);
    colour(2, MATERIAL, 0.01f, 0, 0);
    colour(10, BC_SIMPL, 1.0f, 20, 7.7f);
    colour(12, BC_SIMPL, 1.0f, 0, 25);
    const std::uint16_t e = std::uint16_t(n), q = std::uint16_t(n / 4), r = std::uint16_t(n - n / 4);
    const BlockRecord blocks[4] = {{1, 1, std::uint16_t(e - 1), 0, e, 0, e, {}, 0},
                                   {2, q, r, q, r, q, r, {}, 0},
                                   {10, 0, 1, 0, e, 0, e, {}, 0},
                                   {12, std::uint16_t(e - 1), e, 0, e, 0, e, {}, 0}};
    GrowBlockArray(m, 4);
    for (const BlockRecord& b : blocks)
        m.blocks[m.blocks.count++] = b;
    m.dataFilePath = "bench.nvk";
    m.calc.cycles = 1;
    m.calc.iterations = 20000;
    m.calc.maxDeltaT = 1e-11f;
    m.calc.maxObjectDivergence = 1e-8f;
    m.calc.maxNodeDivergence = 1e-6f;
}

void BM_NovelkCalculation(benchmark::State& state)
{
    const int n = bench::Small() ? 12 : 100;
    for (auto _ : state) {
        novelk::ModelStore model;
        BuildModel(model, n);
        novelk::RunState run;
        TimingHost host;
        // A solution of an earlier run would start this one warm.
        std::filesystem::remove("tmp.sol");

        // (b) and (c): the whole calculation, solved tightly.
        const long baseline = bench::ProcStatus("VmRSS");
        bench::ResetPeakMemory();
        const Clock::time_point start = Clock::now();
        const novelk::WorkOutcome outcome = novelk::RunCalculation(model, run, host);
        const Clock::time_point end = Clock::now();
        const long peak = bench::ProcStatus("VmHWM");
        if (!outcome.Normal()) {
            state.SkipWithError(outcome.error ? outcome.error->Message().c_str() : "aborted");
            return;
        }
        const double nodes = double(run.unknowns);
        host.reference = run.temperature;
        const double setup = Seconds(start, host.firstProgress);
        const double solve = Seconds(host.firstProgress, host.lastProgress);
        const double files = Seconds(host.lastProgress, end);

        // (a) Our steps to the accuracy counted on an untimed probe, then the
        // factor and that many steps timed.
        novelk::RasteriseBlocks(model, run, host);
        novelk::BuildNodeNumbering(model, run, host);
        novelk::BuildMatrixStructure(model, run, host);
        novelk::AssembleCoefficients(model, run, host);
        novelk::FactoriseIncompleteCholesky(run, host);
        model.calc.maxDeltaT = model.calc.maxObjectDivergence = model.calc.maxNodeDivergence = 0;
        host.probe = &run.temperature;
        try {
            novelk::RunConjugateGradient(model, run, host);
        } catch (const novelk::EscAbort&) {
        }
        host.probe = nullptr;
        model.calc.iterations = host.needed;
        run.resultsLoaded = false; // from 0 again
        run.readouts = {};
        const Clock::time_point t0 = Clock::now();
        novelk::FactoriseIncompleteCholesky(run, host);
        novelk::RunConjugateGradient(model, run, host);
        const double ours = Seconds(t0, Clock::now());
        double ourError = 0;
        for (std::size_t i = 0; i < run.temperature.size(); ++i)
            ourError = std::max(ourError, std::abs(run.temperature[i] - host.reference[i]));

        const Eigen::Index rows = Eigen::Index(run.unknowns);
        const Eigen::SparseMatrix<double> ea = bench::EigenMatrixOf(*run.calc.matrix);
        const Eigen::Map<const Eigen::VectorXd> eb(run.calc.rhs.data(), rows), eref(host.reference.data(), rows);
        int amdSteps = 0, naturalSteps = 0;
        const double amd = bench::EigenTimeToAccuracy<Eigen::AMDOrdering<int>>(ea, eb, eref, host.accuracy, amdSteps);
        const double natural =
            bench::EigenTimeToAccuracy<Eigen::NaturalOrdering<int>>(ea, eb, eref, host.accuracy, naturalSteps);

        state.counters["nodes"] = nodes;
        state.counters["time_vs_eigen"] = ours / std::min(amd, natural);
        state.counters["ours_s"] = ours;
        state.counters["ours_steps"] = host.needed;
        state.counters["ours_error_K"] = ourError;
        state.counters["eigen_amd_s"] = amd;
        state.counters["eigen_amd_steps"] = amdSteps;
        state.counters["eigen_natural_s"] = natural;
        state.counters["eigen_natural_steps"] = naturalSteps;
        state.counters["peak_bytes_per_node"] = double(peak - baseline) / nodes;
        state.counters["setup_vs_solve"] = setup / solve;
        state.counters["setup_s"] = setup;
        state.counters["solve_s"] = solve;
        state.counters["files_s"] = files;
    }
}

} // namespace

BENCHMARK(BM_NovelkCalculation)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
