// Benchmark of the equation assembly on a block model in the store: 100 x
// 100 x 100 cells of 1 cm, an inner cube of a material 100 times less
// conductive than the rest, and surface layers on the two x faces (20 °C
// with h = 7.7 and 0 °C with h = 25), about a million nodes.
//
// Reported as counters of one run:
//  (d) assembly_vs_solve: time of the steady assembly (AssembleEquations at
//      step 0, as every cycle of the first step runs it) over the time of one
//      solve of that system (factorisation and conjugate gradients from zero
//      to the model's stop limits); target below 0.2.
// Also shown: transient_assembly_vs_solve (a later step, with the capacity
// terms), and pattern_vs_solve (numbering and matrix pattern, once a run).
//
// The same model, steady, written as a data file and calculated by
// gelmar-calc as a user would, in a process of its own:
//  (f) whole_run_vs_eigen: the wall time of the whole run (reading, numbering,
//      assembly, factorisation, solve, result files) on all cores, over the
//      time Eigen's ConjugateGradient with its IncompleteCholesky (one
//      thread, better of its two orderings, setup included) takes to bring
//      the same system as close to a tightly converged solution as the run's
//      solution file is; target at most 1/3.
//  (g) peak_bytes_per_node: the run's peak resident memory (the whole
//      process) per grid node; target below 200.
//  (h) speedup_whole_run: the run on one thread (SUITE_THREADS=1) over the
//      run on all cores.
// Run times are the best of a few runs: other processes on the machine only
// ever make a run slower.
// SUITE_BENCH_SMALL=1 runs a 12 x 12 x 12 model.
#include "bench/BenchSupport.h"
#include "bench/EigenReference.h"
#include "common/kernels/Parallel.h"
#include "gelmar/model/calc/Assembly.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/Solver.h"
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/ModelStore.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace gelmar;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void AddBlock(ModelStore& m, int colour, int x1, int x2, int y1, int y2, int z1, int z2)
{
    const std::size_t n = m.blocks.count;
    GrowBlockArray(m, n + 1);
    BlockRecord& b = m.blocks[n];
    b = BlockRecord{};
    b.colour = static_cast<std::uint8_t>(colour);
    b.x1 = static_cast<std::uint16_t>(x1);
    b.x2 = static_cast<std::uint16_t>(x2);
    b.y1 = static_cast<std::uint16_t>(y1);
    b.y2 = static_cast<std::uint16_t>(y2);
    b.z1 = static_cast<std::uint16_t>(z1);
    b.z2 = static_cast<std::uint16_t>(z2);
    m.blocks.count = static_cast<std::uint16_t>(n + 1);
}

void BuildModel(Engine& engine, int n)
{
    ResetModel(engine);
    ModelStore& m = engine.model;
    GrowGridLineArrays(m, n + 3);
    for (int a = 0; a < 3; ++a) {
        const int cells = a == 0 ? n + 2 : n;
        m.axes[a].n = static_cast<std::uint16_t>(cells);
        std::fill(m.axes[a].widths.begin(), m.axes[a].widths.begin() + cells, 0.01f);
    }
    ComputeGridCoordinates(m);
    auto colour = [&](int c, ColourType type, float lambda) -> ColourRecord& {
        ColourRecord& r = m.colours[c];
        r = ColourRecord{};
        r.inUse = 1;
        r.type = type;
        r.lambda = lambda;
        return r;
    };
    colour(1, MATERIAL, 1.0f);
    colour(2, MATERIAL, 0.01f);
    ColourRecord& warm = colour(3, BC_SIMPL, 1.0f);
    warm.temperature = 20.0f;
    warm.hGlobal = 7.7f;
    ColourRecord& cold = colour(4, BC_SIMPL, 1.0f);
    cold.temperature = 0.0f;
    cold.hGlobal = 25.0f;
    AddBlock(m, 3, 0, 1, 0, n, 0, n);
    AddBlock(m, 1, 1, n + 1, 0, n, 0, n);
    AddBlock(m, 2, 1 + n / 4, 1 + n - n / 4, n / 4, n - n / 4, n / 4, n - n / 4);
    AddBlock(m, 4, n + 1, n + 2, 0, n, 0, n);
    m.timeStep = 3600;
}

void BM_AssemblyAgainstSolve(benchmark::State& state)
{
    const bool small = bench::Small();
    const int n = small ? 12 : 100;
    NullEngineHost host;
    Engine engine{host};
    for (auto _ : state) {
        BuildModel(engine, n);
        engine.run = RunState{};
        RasteriseBlocks(engine.model, engine.run);
        ResolveFunctionReferences(engine.model, engine.run);
        PrepareConductivities(engine.model, engine.run);
        auto tPattern = Clock::now();
        BuildNodeNumbering(engine.model, engine.run, Host());
        BuildMatrixPattern(engine.model, engine.run, Host());
        const double pattern = Seconds(tPattern);
        EvaluateColourFunctions(engine.model, engine.run, true);

        // The fastest of three steady assemblies.
        double assembly = 1e30;
        for (int rep = 0; rep < 3; ++rep) {
            auto t0 = Clock::now();
            AssembleEquations(engine.model, engine.run, Host(), 0);
            assembly = std::min(assembly, Seconds(t0));
        }
        ClearSolution(engine.run);
        auto tSolve = Clock::now();
        FactoriseIncompleteCholesky(engine.run, Host());
        SolveConjugateGradient(engine.model, engine.run, Host());
        const double solve = Seconds(tSolve);
        const int iterations = engine.run.solver.iterations;

        // A later step: capacities and both time levels.
        engine.run.work.previous = engine.run.work.solution;
        engine.run.work.previous2 = engine.run.work.solution;
        engine.run.work.keptRhs = engine.run.work.rhs;
        engine.run.step = 2;
        engine.run.stepLength = engine.model.timeStep;
        EvaluateColourFunctions(engine.model, engine.run, true);
        double transient = 1e30;
        for (int rep = 0; rep < 3; ++rep) {
            engine.run.work.keptRhs = engine.run.work.rhs;
            auto t0 = Clock::now();
            AssembleEquations(engine.model, engine.run, Host(), 2);
            transient = std::min(transient, Seconds(t0));
        }

        state.counters["nodes"] = double(engine.run.work.gridNodeCount);
        state.counters["assembly_s"] = assembly;
        state.counters["transient_assembly_s"] = transient;
        state.counters["solve_s"] = solve;
        state.counters["solve_iterations"] = iterations;
        state.counters["assembly_vs_solve"] = assembly / solve;
        state.counters["transient_assembly_vs_solve"] = transient / solve;
        state.counters["pattern_vs_solve"] = pattern / solve;
        FreeWorkArrays(engine.run, WorkGroup::Calculation);
        FreeWorkArrays(engine.run, WorkGroup::AfterEdit);
    }
}

// One run of gelmar-calc on the file in the working folder: its wall time,
// and its peak resident memory in bytes. SUITE_THREADS is set to `threads`
// when that is positive, else left out.
struct RunResult {
    double seconds = 1e30;
    long peakBytes = 0;
};

RunResult RunDriver(const std::string& file, int threads)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "SUITE_THREADS=", 14) != 0)
            env.emplace_back(*e);
    if (threads > 0)
        env.push_back("SUITE_THREADS=" + std::to_string(threads));
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string exe = GELMAR_CALC_EXE, arg = file;
    char* argv[] = {exe.data(), arg.data(), nullptr};

    RunResult result;
    pid_t pid = 0;
    auto t0 = Clock::now();
    if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, envp.data()) != 0)
        return result;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return result;
    result.seconds = Seconds(t0);
    result.peakBytes = usage.ru_maxrss * 1024L;
    return result;
}

RunResult BestRun(const std::string& file, int threads, int repeats)
{
    RunResult best;
    for (int rep = 0; rep < repeats; ++rep) {
        const RunResult r = RunDriver(file, threads);
        best.seconds = std::min(best.seconds, r.seconds);
        best.peakBytes = std::max(best.peakBytes, r.peakBytes);
    }
    return best;
}

void BM_WholeRunAgainstEigen(benchmark::State& state)
{
    const bool small = bench::Small();
    const int n = small ? 12 : 100;
    NullEngineHost host;
    Engine engine{host};
    for (auto _ : state) {
        BuildModel(engine, n);
        engine.model.calcDuration = 0;
        engine.model.saveResults = 1;
        const std::string file = "bridge.glm";
        if (!WriteDataFile(engine.model, file)) {
            state.SkipWithError("cannot write the model file");
            return;
        }
        const int repeats = small ? 1 : 3;
        const RunResult all = BestRun(file, 0, repeats);
        const RunResult one = BestRun(file, 1, small ? 1 : 2);
        if (all.seconds >= 1e30 || one.seconds >= 1e30) {
            state.SkipWithError("gelmar-calc failed");
            return;
        }

        // The same system here, solved tightly as the reference.
        engine.run = RunState{};
        RasteriseBlocks(engine.model, engine.run);
        ResolveFunctionReferences(engine.model, engine.run);
        PrepareConductivities(engine.model, engine.run);
        BuildNodeNumbering(engine.model, engine.run, Host());
        BuildMatrixPattern(engine.model, engine.run, Host());
        EvaluateColourFunctions(engine.model, engine.run, true);
        AssembleEquations(engine.model, engine.run, Host(), 0);
        const kernels::Index rows = engine.run.work.rowCount;
        std::vector<double> reference(rows, 0.0);
        {
            kernels::IncompleteCholeskyFactor factor;
            factor.Factorise(*engine.run.work.matrix, {});
            kernels::SolverWork work;
            kernels::SolverState st;
            kernels::SolveConjugateGradient(*engine.run.work.matrix, factor, engine.run.work.rhs.data(),
                                            reference.data(), work, st, {20000, 1e-11f, 1e-8f, 1e-8f}, {});
        }
        // How close the run's solution file came to it ("N value i j k").
        std::vector<double> run(rows, 0.0);
        std::ifstream sol("tmp0000.sol");
        std::string line;
        while (std::getline(sol, line)) {
            if (line.rfind("N ", 0) != 0)
                continue;
            std::istringstream in(line.substr(2));
            double value = 0;
            int i = 0, j = 0, k = 0;
            if (in >> value >> i >> j >> k) {
                const std::int32_t node = GetNodeIndex(engine.model, engine.run.work, i, j, k);
                if (node >= 0 && node < rows)
                    run[node] = value;
            }
        }
        const double runError = bench::MaxDifference(run.data(), reference.data(), rows);
        int eigenIterations = 0;
        const double eigen = bench::EigenSeconds(*engine.run.work.matrix, engine.run.work.rhs.data(),
                                                 reference.data(), std::max(runError, 1e-9), eigenIterations);

        state.counters["nodes"] = double(engine.run.work.gridNodeCount);
        state.counters["threads"] = kernels::MachineThreads();
        state.counters["whole_run_s"] = all.seconds;
        state.counters["whole_run_1t_s"] = one.seconds;
        state.counters["speedup_whole_run"] = one.seconds / all.seconds;
        state.counters["run_error_K"] = runError;
        state.counters["eigen_s"] = eigen;
        state.counters["eigen_iterations"] = eigenIterations;
        state.counters["whole_run_vs_eigen"] = all.seconds / eigen;
        state.counters["peak_bytes_per_node"] =
            double(std::max(all.peakBytes, one.peakBytes)) / double(engine.run.work.gridNodeCount);
        FreeWorkArrays(engine.run, WorkGroup::Calculation);
        FreeWorkArrays(engine.run, WorkGroup::AfterEdit);
    }
}

} // namespace

BENCHMARK(BM_AssemblyAgainstSolve)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_WholeRunAgainstEigen)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
