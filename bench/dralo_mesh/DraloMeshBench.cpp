// The whole triangulation of a section (model check, contours, mesh points,
// advancing front and the writing of "tmp.tri" in the working folder) at four
// mesh sizes, each 1/√2 of the one before, so that every step about doubles
// the triangles. The section: 800 x 400 pixels (200 x 100 with
// SUITE_BENCH_SMALL=1) of layers, rectangles and discs of material (the discs
// give staircases to smooth) between two boundary strips.
//
// Reported, from the shortest of five runs of each size:
//  per_doubling_max: the largest growth of the time per doubling of the
//      triangles between neighbouring sizes, (t2 / t1) ^ (1 / log2(n2 / n1)),
//      of the thread's CPU time (and of the real time beside it); target at
//      most 2.3 (near-linear cost).
//  per_doubling_overall: the same from the smallest to the largest size,
//      less exposed to a moment of load.
//  the triangles and both times of each size.
#include "bench/BenchSupport.h"
#include "dralo/model/Engine.h"
#include "dralo/model/check/ModelCheck.h"
#include "dralo/model/mesh/MeshBuild.h"
#include "dralo/model/mesh/MeshFile.h"
#include "dralo/model/store/BitmapModel.h"
#include "dralo/model/store/BoundaryEdges.h"
#include "dralo/model/store/EngineHost.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <time.h>

namespace {

constexpr float kSizes[4] = {4.0f, 2.828427f, 2.0f, 1.414214f};

dralo::BitmapModel Section()
{
    dralo::BitmapModel m;
    dralo::LoadMaterialColours(m);
    const int w = bench::Small() ? 200 : 800, h = w / 2;
    dralo::AllocatePixels(m, w, h, 1);
    auto fill = [&](int x0, int y0, int x1, int y1, int colour) {
        for (int y = std::max(0, y0); y < std::min(h, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(w, x1); ++x)
                m.pixels[static_cast<std::size_t>(dralo::PixelIndex(m, x, y))] = static_cast<std::uint8_t>(colour);
    };
    for (int layer = 0; layer < 6; ++layer)
        fill(w / 8 + layer * w / 8, 0, w / 8 + layer * w / 8 + w / 16, h, 2 + layer);
    std::mt19937 rng(7);
    for (int shape = 0; shape < 40; ++shape) {
        const int cx = static_cast<int>(rng() % static_cast<unsigned>(w));
        const int cy = static_cast<int>(rng() % static_cast<unsigned>(h));
        const int r = 3 + static_cast<int>(rng() % static_cast<unsigned>(w / 20));
        const int colour = 10 + static_cast<int>(rng() % 20);
        if (shape % 2 == 0) {
            fill(cx - r, cy - r / 2, cx + r, cy + r / 2, colour);
        } else {
            for (int y = cy - r; y < cy + r; ++y)
                for (int x = cx - r; x < cx + r; ++x)
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r)
                        fill(x, y, x + 1, y + 1, colour);
        }
    }
    fill(0, 0, 2, h, 40);
    fill(w - 2, 0, w, h, 41);
    for (int c : {40, 41}) {
        dralo::ColourRecord& r = m.colours[static_cast<std::size_t>(c)];
        r.type = dralo::BC_SIMPL;
        r.hglo = 7.7f;
        r.temp = c == 40 ? 20.0f : 0.0f;
    }
    dralo::BuildColourBoundaryEdges(m);
    return m;
}

std::size_t g_triangles[4];
double g_cpuSeconds[4] = {1e30, 1e30, 1e30, 1e30}; // shortest of the runs

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

void Triangulation(benchmark::State& state, int k)
{
    dralo::NullEngineHost host;
    dralo::Engine engine(host);
    engine.model = Section();
    dralo::BitmapModel& m = engine.model;
    for (dralo::ColourRecord& c : m.colours)
        c.tric = kSizes[k];
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        dralo::CheckCalculationModel(m, host);
        dralo::MeshBuild build;
        dralo::BuildMesh(m, build, host);
        dralo::WriteMeshFile(m, build.contours, build.triangles, engine.run.workFolder);
        g_triangles[k] = build.triangles.size();
        g_cpuSeconds[k] = std::min(g_cpuSeconds[k], ThreadCpuSeconds() - start);
    }
    state.counters["triangles"] = static_cast<double>(g_triangles[k]);
}

} // namespace

int main(int argc, char** argv)
{
    for (int k = 0; k < 4; ++k)
        benchmark::RegisterBenchmark(("Triangulation" + std::to_string(k)).c_str(), Triangulation, k)
            ->Repetitions(5)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    bench::ShortestTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::remove(dralo::kMeshFileName);

    // Both figures from the shortest of the runs of each size: the real
    // time and the thread's CPU time (the steadier of the two on a loaded
    // machine, which the ratio is taken from).
    double worst = 0, worstReal = 0;
    for (int k = 0; k < 4; ++k)
        std::printf("size %d: triangles %zu, real %.2f ms, cpu %.2f ms\n", k, g_triangles[k],
                    reporter.Times().at("Triangulation" + std::to_string(k)), g_cpuSeconds[k] * 1e3);
    for (int k = 0; k + 1 < 4; ++k) {
        const double doublings = std::log2(double(g_triangles[k + 1]) / double(g_triangles[k]));
        worst = std::max(worst, std::pow(g_cpuSeconds[k + 1] / g_cpuSeconds[k], 1.0 / doublings));
        const double real = reporter.Times().at("Triangulation" + std::to_string(k + 1)) /
                            reporter.Times().at("Triangulation" + std::to_string(k));
        worstReal = std::max(worstReal, std::pow(real, 1.0 / doublings));
    }
    std::printf("per_doubling_max %.3f cpu, %.3f real (target at most 2.3)\n", worst, worstReal);
    const double overall = std::pow(g_cpuSeconds[3] / g_cpuSeconds[0], 1.0 / std::log2(double(g_triangles[3]) / double(g_triangles[0])));
    std::printf("per_doubling_overall %.3f cpu (smallest to largest size)\n", overall);
    return 0;
}
