// A 20000 x 10000 pixel section with some hundred zones (2000 x 1000 with
// SUITE_BENCH_SMALL=1): the full build of the boundary edges, the zone count
// and the whole rebuild (statistics, zones and edges) against one pass that
// compares each pixel with its right and lower neighbour; a one-pixel edit's
// update of the edges against the full build; and the process's peak memory
// per pixel. Each ratio is of the shortest times of one run.
#include "bench/BenchSupport.h"
#include "dralo/model/store/BitmapModel.h"
#include "dralo/model/store/BoundaryEdges.h"
#include "dralo/model/store/Statistics.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <utility>
#include <sys/resource.h>

namespace {

dralo::BitmapModel& TheModel()
{
    static dralo::BitmapModel model = [] {
        dralo::BitmapModel m;
        dralo::LoadMaterialColours(m);
        const int w = bench::Small() ? 2000 : 20000, h = bench::Small() ? 1000 : 10000;
        dralo::AllocatePixels(m, w, h, 0);
        // Layers across the section, rectangles and discs of material, some
        // of them overlapping: a few hundred zones.
        std::mt19937 rng(2024);
        for (int layer = 0; layer < 8; ++layer) {
            const int x0 = layer * w / 8;
            for (int y = 0; y < h; ++y)
                std::fill(m.pixels.begin() + static_cast<std::ptrdiff_t>(y) * w + x0,
                          m.pixels.begin() + static_cast<std::ptrdiff_t>(y) * w + x0 + w / 16,
                          static_cast<std::uint8_t>(1 + layer));
        }
        for (int shape = 0; shape < 300; ++shape) {
            const int cx = static_cast<int>(rng() % w), cy = static_cast<int>(rng() % h);
            const int r = 5 + static_cast<int>(rng() % (w / 60));
            const auto colour = static_cast<std::uint8_t>(10 + rng() % 200);
            const bool disc = shape % 2 == 0;
            for (int y = std::max(0, cy - r); y < std::min(h, cy + r); ++y)
                for (int x = std::max(0, cx - r); x < std::min(w, cx + r); ++x)
                    if (!disc || (x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r)
                        m.pixels[static_cast<std::size_t>(x + static_cast<std::int64_t>(y) * w)] = colour;
        }
        dralo::BuildColourBoundaryEdges(m);
        return m;
    }();
    return model;
}

// The reference: every pixel compared with its right and lower neighbour.
void ReferencePass(benchmark::State& state)
{
    const dralo::BitmapModel& m = TheModel();
    const std::int64_t w = m.width, h = m.height;
    for (auto _ : state) {
        std::int64_t differences = 0;
        const std::uint8_t* p = m.pixels.data();
        for (std::int64_t y = 0; y < h; ++y) {
            const std::uint8_t* row = p + y * w;
            const std::uint8_t* below = y + 1 < h ? row + w : row;
            for (std::int64_t x = 0; x < w; ++x)
                differences += (x + 1 < w && row[x] != row[x + 1]) + (row[x] != below[x]);
        }
        benchmark::DoNotOptimize(differences);
    }
}

void EdgeBuild(benchmark::State& state)
{
    const dralo::BitmapModel& m = TheModel();
    for (auto _ : state) {
        std::vector<dralo::BoundaryEdge> edges = dralo::ScanBoundaryEdges(m);
        benchmark::DoNotOptimize(edges.data());
    }
    state.counters["records"] = static_cast<double>(m.edges.size());
}

void ZoneCount(benchmark::State& state)
{
    dralo::BitmapModel& m = TheModel();
    for (auto _ : state)
        dralo::CountColourZones(m);
    int zones = 0;
    for (const dralo::ColourRecord& c : m.colours)
        zones += c.zoneCount;
    state.counters["zones"] = zones;
}

void FullBuild(benchmark::State& state)
{
    dralo::BitmapModel& m = TheModel();
    for (auto _ : state)
        dralo::BuildColourBoundaryEdges(m);
}

// One pixel changed and its edit's update (statistics included), then the
// pixel changed back and updated again: two updates an iteration.
void OnePixelUpdate(benchmark::State& state)
{
    dralo::BitmapModel& m = TheModel();
    const std::int64_t index = dralo::PixelIndex(m, m.width / 3, m.height / 2);
    const std::uint8_t original = m.pixels[static_cast<std::size_t>(index)];
    const std::uint8_t other = original == 250 ? 251 : 250;
    for (auto _ : state) {
        for (const std::uint8_t colour : {other, original}) {
            dralo::SetPixelColour(m, index, colour);
            dralo::UpdateColourBoundaryEdges(m, m.changed.entries, true);
            m.changed.entries.clear();
        }
    }
    state.counters["records"] = static_cast<double>(m.edges.size());
}

double PeakBytesPerPixel()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0 / static_cast<double>(dralo::PixelTotal(TheModel()));
}

} // namespace

int main(int argc, char** argv)
{
    TheModel();
    using Bench = void (*)(benchmark::State&);
    const std::pair<const char*, Bench> benches[] = {{"ReferencePass", ReferencePass}, {"EdgeBuild", EdgeBuild},
                                                     {"ZoneCount", ZoneCount},         {"FullBuild", FullBuild},
                                                     {"OnePixelUpdate", OnePixelUpdate}};
    for (const auto& [name, fn] : benches)
        benchmark::RegisterBenchmark(name, fn)->Repetitions(3)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    bench::ShortestTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto& t = reporter.Times();
    auto time = [&t](const char* name) {
        const auto it = t.find(name);
        return it == t.end() ? 0.0 : it->second;
    };
    const double reference = time("ReferencePass"), full = time("FullBuild");
    const dralo::BitmapModel& m = TheModel();
    std::printf("\n%d x %d pixels, %zu edge records\n", m.width, m.height, m.edges.size());
    if (reference > 0) {
        std::printf("Edge build / reference pass:      %.2f (target at most 3)\n", time("EdgeBuild") / reference);
        std::printf("Zone count / reference pass:      %.2f (target at most 20)\n", time("ZoneCount") / reference);
        std::printf("Full rebuild / reference pass:    %.2f\n", full / reference);
    }
    if (full > 0)
        std::printf("One-pixel update / full rebuild:  %.4f %% (target under 1 %%)\n",
                    100.0 * time("OnePixelUpdate") / 2 / full);
    std::printf("Peak memory per pixel:            %.2f bytes\n", PeakBytesPerPixel());
    return 0;
}
