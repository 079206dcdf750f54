// Dralo's calculation on a section of about 1,000,000 mesh points (a 1000 x
// 1000 pixel section at a mesh size of one pixel; 100 x 100 with
// SUITE_BENCH_SMALL=1): insulation of λ 0.01 crossed by steel studs and
// flanges of λ 100 (four decades apart), 20 °C with h 7.7 on the left and
// 0 °C with h 25 on the right. The mesh, the system and its factor are
// built by the engine as a calculation builds them.
//
// Reported as counters of one run:
//  time_vs_eigen: time (factorisation + iterations) to come within 1e-4 K of
//      a tightly converged solution, over the same for Eigen's
//      ConjugateGradient with its IncompleteCholesky on the same matrix (the
//      better of its AMD and natural orderings); target at most 1.
//  one_thread_vs_eigen: the same with our solver on one thread, as Eigen's.
//  peak_bytes_per_point: growth of the peak resident memory from the
//      triangulation to the end of the tight solve, per mesh point.
//  mesh_s, system_s: the triangulation (with "tmp.tri") and the system's
//      build (mesh read back, neighbours, structure, assembly).
#include "bench/BenchSupport.h"
#include "bench/EigenReference.h"
#include "common/core/ErrorCode.h"
#include "dralo/model/Engine.h"
#include "dralo/model/calc/Assembly.h"
#include "dralo/model/calc/Solver.h"
#include "dralo/model/check/ModelCheck.h"
#include "dralo/model/mesh/MeshBuild.h"
#include "dralo/model/store/BoundaryEdges.h"

#include <Eigen/IterativeLinearSolvers>
#include <Eigen/Sparse>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

dralo::BitmapModel Section()
{
    dralo::BitmapModel m;
    dralo::LoadMaterialColours(m);
    const int n = bench::Small() ? 100 : 1000;
    dralo::AllocatePixels(m, n, n, 1);
    auto fill = [&](int x0, int y0, int x1, int y1, int colour) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                m.pixels[static_cast<std::size_t>(dralo::PixelIndex(m, x, y))] = static_cast<std::uint8_t>(colour);
    };
    // Studs across the section every tenth of its height, each with a
    // flange at both ends.
    for (int k = 0; k < 10; ++k) {
        const int y = k * n / 10 + n / 20;
        fill(2, y, n - 2, y + 3, 2);
        fill(n / 10, y - n / 40, n / 10 + 3, y + n / 40, 2);
        fill(n - n / 10, y - n / 40, n - n / 10 + 3, y + n / 40, 2);
    }
    fill(0, 0, 2, n, 3);
    fill(n - 2, 0, n, n, 4);
    const float lambda[3] = {0.01f, 100.0f};
    for (int c = 1; c <= 4; ++c) {
        dralo::ColourRecord& r = m.colours[static_cast<std::size_t>(c)];
        r.tric = 1;
        if (c <= 2) {
            r.type = dralo::MATERIAL;
            r.lamb = lambda[c - 1];
        } else {
            r.type = dralo::BC_SIMPL;
            r.temp = c == 3 ? 20.0f : 0.0f;
            r.hglo = c == 3 ? 7.7f : 25.0f;
        }
    }
    m.pixs = 0.001f;
    dralo::BuildColourBoundaryEdges(m);
    return m;
}

double MaxDifference(const std::vector<double>& u, const std::vector<double>& v)
{
    double worst = 0.0;
    for (std::size_t i = 0; i < u.size(); ++i)
        worst = std::max(worst, std::abs(u[i] - v[i]));
    return worst;
}

void BM_DraloSolver(benchmark::State& state)
{
    const double accuracy = 1e-4;
    for (auto _ : state) {
        dralo::NullEngineHost host;
        dralo::Engine engine(host);
        engine.model = Section();
        dralo::BitmapModel& m = engine.model;
        dralo::RunState& run = engine.run;
        const long baseline = bench::ProcStatus("VmRSS");
        bench::ResetPeakMemory();

        auto tMesh = Clock::now();
        {
            dralo::CheckCalculationModel(m, host);
            dralo::MeshBuild build;
            dralo::BuildMesh(m, build, host);
            dralo::WriteMeshFile(m, build.contours, build.triangles, run.workFolder);
        }
        const double meshSeconds = Seconds(tMesh);

        auto tSystem = Clock::now();
        dralo::ReadMeshFile(m, run.workFolder, run.mesh);
        dralo::BuildMeshNeighbours(run.mesh, host);
        run.equations = static_cast<kernels::Index>(run.mesh.points.size());
        dralo::ApplyBorderlineBcs(m, run, host);
        dralo::BuildMatrixStructure(run, host);
        dralo::ClearNodeTemperatures(run);
        dralo::AssembleCoefficients(m, run, host);
        const double systemSeconds = Seconds(tSystem);
        dralo::FactorIncompleteCholesky(run, host);

        // The tight solution.
        kernels::SolverHooks hooks;
        hooks.balanceRule = dralo::BalanceRule();
        kernels::SolverState tight;
        kernels::SolveConjugateGradient(*run.matrix, run.factor, run.rhs.data(), run.temperature.data(), run.work,
                                        tight, {200000, 1e-11, 1e-9, 1e-9}, hooks);
        const long peak = bench::ProcStatus("VmHWM");
        const std::vector<double> reference = run.temperature;

        // Our iterations to the accuracy, counted on an untimed probe that
        // is stopped as the user would, by Esc, once it got there.
        int needed = -1;
        std::fill(run.temperature.begin(), run.temperature.end(), 0.0);
        kernels::SolverState probe;
        kernels::SolverHooks watch = hooks;
        watch.progress = [&](const kernels::SolverState& p) {
            if (needed < 0 && p.iterations > 1 && MaxDifference(run.temperature, reference) < accuracy)
                needed = p.iterations - 1;
        };
        watch.esc = [&] { return needed >= 0; };
        try {
            kernels::SolveConjugateGradient(*run.matrix, run.factor, run.rhs.data(), run.temperature.data(),
                                            run.work, probe, {200000, 0, 0, 0}, watch);
        } catch (const common::EngineException&) {
        }

        // Timed: the factor and that many iterations from zero.
        auto timedSolve = [&] {
            std::fill(run.temperature.begin(), run.temperature.end(), 0.0);
            kernels::SolverState timed;
            auto t0 = Clock::now();
            dralo::FactorIncompleteCholesky(run, host);
            kernels::SolveConjugateGradient(*run.matrix, run.factor, run.rhs.data(), run.temperature.data(),
                                            run.work, timed, {needed, 0, 0, 0}, hooks);
            return Seconds(t0);
        };
        const double ours = timedSolve();
        const double ourError = MaxDifference(run.temperature, reference);

        // The same on one thread, as Eigen runs here: on a machine that
        // other processes keep busy a team's threads wait for each other.
        const int threads = run.work.team.Size();
        run.work.team = kernels::ThreadTeam(1);
        const double oneThread = timedSolve();

        const Eigen::Index rows = run.equations;
        const Eigen::SparseMatrix<double> ea = bench::EigenMatrixOf(*run.matrix);
        Eigen::Map<const Eigen::VectorXd> eb(run.rhs.data(), rows), eref(reference.data(), rows);
        int amdIterations = 0, naturalIterations = 0;
        const double amd = bench::EigenTimeToAccuracy<Eigen::AMDOrdering<int>>(ea, eb, eref, accuracy, amdIterations);
        const double natural =
            bench::EigenTimeToAccuracy<Eigen::NaturalOrdering<int>>(ea, eb, eref, accuracy, naturalIterations);

        state.counters["points"] = double(rows);
        state.counters["triangles"] = double(run.mesh.triangles.size());
        state.counters["peak_bytes_per_point"] = double(peak - baseline) / double(rows);
        state.counters["mesh_s"] = meshSeconds;
        state.counters["system_s"] = systemSeconds;
        state.counters["tight_iterations"] = tight.iterations;
        state.counters["ours_s"] = ours;
        state.counters["ours_iterations"] = needed;
        state.counters["ours_error_K"] = ourError;
        state.counters["eigen_amd_s"] = amd;
        state.counters["eigen_amd_iterations"] = amdIterations;
        state.counters["eigen_natural_s"] = natural;
        state.counters["eigen_natural_iterations"] = naturalIterations;
        state.counters["time_vs_eigen"] = ours / std::min(amd, natural);
        state.counters["threads"] = threads;
        state.counters["ours_one_thread_s"] = oneThread;
        state.counters["one_thread_vs_eigen"] = oneThread / std::min(amd, natural);
    }
    std::remove(dralo::kMeshFileName);
}

} // namespace

BENCHMARK(BM_DraloSolver)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
