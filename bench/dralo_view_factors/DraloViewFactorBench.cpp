// View factors of a section's cavity: a 200 x 50 rectangle with eight ribs
// rising from its floor (both faces of every rib radiate, so rays meet
// obstructions), cut into 1000, 2000 and 4000 segments (100, 200 and 400 with
// SUITE_BENCH_SMALL=1), each on one and on eight threads, three times each.
// After the runs it prints, from the shortest times, the ratios the pair loop
// is held to: each doubling of segments costs at most 4.5 times, eight
// threads run at least five times faster than one.
#include "bench/BenchSupport.h"
#include "common/kernels/SegmentViewFactor.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Splits the segment from (x1, y1) to (x2, y2) into n pieces.
void AddPieces(std::vector<kernels::ViewSegment>& zone, double x1, double y1, double x2, double y2, int n)
{
    for (int k = 0; k < n; ++k) {
        const double t0 = double(k) / n;
        const double t1 = double(k + 1) / n;
        zone.push_back({x1 + t0 * (x2 - x1), y1 + t0 * (y2 - y1), x1 + t1 * (x2 - x1), y1 + t1 * (y2 - y1)});
    }
}

// Counter-clockwise outline (facing inwards) with 0.68 of the segments, the
// rest on the ribs' two faces.
std::vector<kernels::ViewSegment> RibbedCavity(int segments)
{
    const int ribPieces = segments * 32 / 100 / 16; // per face of each of eight ribs
    const int outline = segments - 16 * ribPieces;
    const int longSide = outline * 4 / 10;
    const int shortSide = outline / 2 - longSide;
    std::vector<kernels::ViewSegment> zone;
    AddPieces(zone, 0, 0, 200, 0, longSide);
    AddPieces(zone, 200, 0, 200, 50, shortSide);
    AddPieces(zone, 200, 50, 0, 50, longSide);
    AddPieces(zone, 0, 50, 0, 0, outline - 2 * longSide - shortSide);
    for (int r = 1; r <= 8; ++r) {
        const double x = 200.0 * r / 9.0;
        AddPieces(zone, x, 0, x, 25, ribPieces);  // faces -x
        AddPieces(zone, x, 25, x, 0, ribPieces);  // faces +x
    }
    return zone;
}

void CavityViewFactors(benchmark::State& state, int segments, unsigned threads)
{
    const auto zone = RibbedCavity(segments);
    if (static_cast<int>(zone.size()) != segments) {
        state.SkipWithError("wrong segment count");
        return;
    }
    kernels::SegmentViewFactorSettings settings; // 100 rays per unit view factor, vwfc 1e-4
    kernels::PairLoopOptions options;
    options.threads = threads;
    std::vector<double> matrix(kernels::PackedSize(zone.size()));
    for (auto _ : state) {
        kernels::ComputeSegmentZoneViewFactors(zone, settings, matrix, options);
        benchmark::DoNotOptimize(matrix.data());
    }
    state.counters["pairs"] = static_cast<double>(matrix.size());
}

std::string Name(int segments, unsigned threads)
{
    return "CavityViewFactors/segments:" + std::to_string(segments) + "/threads:" + std::to_string(threads);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<int> sizes = bench::Small() ? std::vector<int>{100, 200, 400} : std::vector<int>{1000, 2000, 4000};
    bench::RunSizesAndThreads(argc, argv, sizes, {1, 8}, Name, CavityViewFactors, "segments");
    return 0;
}
