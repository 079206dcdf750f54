// The two visible-face passes (collection with cutting, then the visibility
// probes) on random block models of 2000, 4000 and 8000 blocks (200, 400 and
// 800 with SUITE_BENCH_SMALL=1) in a grid that grows with them, so that the
// density of blocks stays the same. After the runs it prints, from the
// shortest times, the cost of each doubling of the blocks: the box tree keeps
// it near linear (target at most 2.5; a scan of all blocks per face would
// make it 4).
#include "bench/BenchSupport.h"
#include "common/kernels/VisibleFaces.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

struct Model {
    std::vector<kernels::FaceBlock> blocks;
    kernels::FaceClip clip;
};

Model RandomModel(int blocks)
{
    Model m;
    // About one block per 8 cells of a cubic grid.
    const int side = static_cast<int>(std::lround(std::cbrt(8.0 * blocks)));
    std::mt19937 gen(11);
    std::uniform_int_distribution<int> size(1, 4);
    std::uniform_int_distribution<int> colour(0, 3);
    for (int a = 0; a < 3; ++a)
        m.clip.hi[a] = static_cast<std::uint16_t>(side);
    for (int b = 0; b < blocks; ++b) {
        kernels::FaceBlock k;
        k.colour = colour(gen);
        for (int a = 0; a < 3; ++a) {
            const int w = size(gen);
            const int lo = std::uniform_int_distribution<int>(0, side - w)(gen);
            k.lo[a] = static_cast<std::uint16_t>(lo);
            k.hi[a] = static_cast<std::uint16_t>(lo + w);
        }
        m.blocks.push_back(k);
    }
    return m;
}

void VisibleFacePasses(benchmark::State& state, int blocks)
{
    const Model m = RandomModel(blocks);
    std::vector<kernels::BlockFacePiece> faces;
    std::size_t pieces = 0;
    for (auto _ : state) {
        kernels::CollectBlockFacePieces(m.blocks, m.clip, faces);
        pieces = faces.size();
        kernels::KeepVisibleFacePieces(m.blocks, m.clip, true, faces);
        benchmark::DoNotOptimize(faces.data());
    }
    state.counters["pieces"] = static_cast<double>(pieces);
    state.counters["visible"] = static_cast<double>(faces.size());
}

std::string Name(int blocks)
{
    return "VisibleFaces/blocks:" + std::to_string(blocks);
}

} // namespace

int main(int argc, char** argv)
{
    const bool isSmall = bench::Small();
    const std::vector<int> sizes =
        isSmall ? std::vector<int>{200, 400, 800} : std::vector<int>{2000, 4000, 8000};
    for (const int n : sizes) {
        benchmark::RegisterBenchmark(Name(n).c_str(), VisibleFacePasses, n)
            ->Repetitions(3)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    bench::ShortestTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto& times = reporter.Times();
    std::printf("\nCost of doubling the blocks (target at most 2.5):\n");
    for (std::size_t n = 1; n < sizes.size(); ++n) {
        const auto before = times.find(Name(sizes[n - 1]));
        const auto after = times.find(Name(sizes[n]));
        if (before != times.end() && after != times.end() && before->second > 0)
            std::printf("  %d -> %d blocks: %.2f\n", sizes[n - 1], sizes[n], after->second / before->second);
    }
    return 0;
}
