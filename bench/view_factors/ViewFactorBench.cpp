// View factors of a furnished room (tiled walls and a tiled box standing in
// it, so that rays meet obstructions) with 1000, 2000 and 4000 radiating faces
// (100, 200 and 400 with SUITE_BENCH_SMALL=1), each on one and on eight
// threads, three times each. After the runs it prints, from the shortest
// times, the ratios the pair loop is held to: each doubling of faces costs at
// most 4.5 times, eight threads run at least five times faster than one.
#include "bench/BenchSupport.h"
#include "common/kernels/ViewFactorZone.h"
#include "common/kernels/tests/CavityFaces.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using kernels::testing::AddTiledBox;
using kernels::testing::Box3;

struct Room {
    int faces;
    std::array<int, 3> wallTiles;
    std::array<int, 3> boxTiles;
};

// An 8 x 6 x 3 room with a 2 x 2 x 1 box in it; tiles chosen for exact face
// counts of nearly square tiles.
const Room kRooms[] = {
    {100, {5, 5, 2}, {1, 2, 1}},    {200, {8, 5, 4}, {2, 2, 1}},    {400, {11, 9, 4}, {3, 3, 2}},
    {1000, {17, 14, 7}, {5, 5, 2}}, {2000, {24, 21, 9}, {7, 7, 3}}, {4000, {35, 29, 13}, {9, 9, 4}},
};

std::vector<kernels::ViewFactorFace> RoomFaces(const Room& room)
{
    std::vector<kernels::ViewFactorFace> faces;
    AddTiledBox(faces, Box3{{0, 0, 0}, {8, 6, 3}}, room.wallTiles, true);
    AddTiledBox(faces, Box3{{3, 2, 0.5f}, {5, 4, 1.5f}}, room.boxTiles, false);
    return faces;
}

void ZoneViewFactors(benchmark::State& state, const Room& room, unsigned threads)
{
    const auto faces = RoomFaces(room);
    if (static_cast<int>(faces.size()) != room.faces) {
        state.SkipWithError("wrong face count");
        return;
    }
    kernels::ViewFactorSettings settings; // 100 rays per unit view factor, vwfc 1e-4
    kernels::PairLoopOptions options;
    options.threads = threads;
    std::vector<double> matrix(kernels::PackedSize(faces.size()));
    for (auto _ : state) {
        kernels::ComputeZoneViewFactors(faces, settings, matrix, options);
        benchmark::DoNotOptimize(matrix.data());
    }
    state.counters["pairs"] = static_cast<double>(matrix.size());
}

std::string Name(int faces, unsigned threads)
{
    return "ViewFactors/faces:" + std::to_string(faces) + "/threads:" + std::to_string(threads);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<int> sizes =
        bench::Small() ? std::vector<int>{100, 200, 400} : std::vector<int>{1000, 2000, 4000};
    bench::RunSizesAndThreads(
        argc, argv, sizes, {1, 8}, Name,
        [](benchmark::State& state, int size, unsigned threads) {
            for (const Room& room : kRooms) {
                if (room.faces == size) {
                    ZoneViewFactors(state, room, threads);
                }
            }
        },
        "faces");
    return 0;
}
