// Reading and writing a large data file (65,535 blocks, 10,000 grid lines per
// axis), each reported as a ratio against reading the same bytes with a
// plain fgets line loop measured in the same run. SUITE_BENCH_SMALL=1 takes a
// small model.
#include "bench/BenchSupport.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string kPath = "bench-model.glm";
const std::string kOutPath = "bench-written.glm";

// Builds the model in an engine of its own and writes it once; the
// benchmarks read it.
void PrepareFile()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const std::size_t cells = bench::Small() ? 100 : 10000;
    const std::size_t blocks = bench::Small() ? 1000 : 65535;
    gelmar::NullEngineHost host;
    gelmar::Engine engine{host};
    gelmar::ModelStore& m = engine.model;
    gelmar::GrowGridLineArrays(m, cells + 100);
    for (gelmar::GridAxis& a : m.axes) {
        a.n = static_cast<std::uint16_t>(cells);
        for (std::size_t i = 0; i < cells; ++i)
            a.widths[i] = 0.01f + 0.001f * static_cast<float>(i % 7);
    }
    for (int c = 0; c < 256; ++c) {
        m.colours[c].inUse = 1;
        m.colours[c].name = "Colour " + std::to_string(c);
    }
    gelmar::GrowBlockArray(m, blocks);
    m.blocks.count = static_cast<std::uint16_t>(blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        gelmar::BlockRecord& r = m.blocks[b];
        r.colour = static_cast<std::uint8_t>(b % 256);
        r.x1 = static_cast<std::uint16_t>(b % cells);
        r.x2 = static_cast<std::uint16_t>(r.x1 + 1);
        r.y1 = static_cast<std::uint16_t>((b / cells) % cells);
        r.y2 = static_cast<std::uint16_t>(r.y1 + 1);
        r.z1 = static_cast<std::uint16_t>((b * 7) % cells);
        r.z2 = static_cast<std::uint16_t>(r.z1 + 1);
    }
    gelmar::WriteDataFile(m, kPath);
}

void BM_ReadDataFile(benchmark::State& state)
{
    gelmar::NullEngineHost host;
    gelmar::Engine engine{host};
    gelmar::SetHost(&host);
    PrepareFile();
    bench::RunAgainstLineLoop(state, kPath, [&engine] {
        engine.model.dataFilePath = kPath;
        if (!gelmar::ReadDataFile(engine.model, engine.model.dataFilePath, gelmar::ReadMode::Open,
                                  engine.parameters, gelmar::Host()))
            std::abort();
    });
    gelmar::SetHost(nullptr);
}
BENCHMARK(BM_ReadDataFile)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_WriteDataFile(benchmark::State& state)
{
    gelmar::NullEngineHost host;
    gelmar::Engine engine{host};
    PrepareFile();
    engine.model.dataFilePath = kPath;
    gelmar::ReadDataFile(engine.model, engine.model.dataFilePath, gelmar::ReadMode::Open, engine.parameters,
                         gelmar::Host());
    bench::RunAgainstLineLoop(state, kPath, [&engine] {
        if (!gelmar::WriteDataFile(engine.model, kOutPath))
            std::abort();
    });
}
BENCHMARK(BM_WriteDataFile)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
