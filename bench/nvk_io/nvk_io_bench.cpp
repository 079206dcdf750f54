// Reading and writing a large Novelk data file (65,535 blocks, 10,000 grid
// lines per axis), each reported as a ratio against reading the same bytes
// with a plain fgets line loop measured in the same run. SUITE_BENCH_SMALL=1
// takes a small model.
#include "bench/BenchSupport.h"
#include "novelk/model/files/DataFile.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string kPath = "bench-model.nvk";
const std::string kOutPath = "bench-written.nvk";

struct Program {
    novelk::NullEngineHost host;
    novelk::ProgramParameters defaults;
    novelk::ModelStore model;
    novelk::RunState run;
};

Program& TheProgram()
{
    static Program program;
    return program;
}

// Builds the model and writes it once; the benchmarks read it.
void PrepareModel()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    Program& p = TheProgram();
    novelk::ModelStore& m = p.model;
    const std::size_t cells = bench::Small() ? 100 : 10000;
    const std::size_t blocks = bench::Small() ? 1000 : 65535;
    novelk::ResetModel(m, p.defaults);
    novelk::GrowGridLineArrays(m, cells + 100);
    for (novelk::GridAxis& a : m.axes) {
        a.n = static_cast<std::uint16_t>(cells);
        for (std::size_t i = 0; i < cells; ++i)
            a.widths[i] = 0.01f + 0.001f * static_cast<float>(i % 7);
    }
    for (std::size_t c = 0; c < novelk::kColourCount; ++c) {
        m.colours[c].inUse = 1;
        m.colours[c].name = "Colour " + std::to_string(c);
    }
    novelk::GrowBlockArray(m, blocks);
    m.blocks.count = static_cast<std::uint16_t>(blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        novelk::BlockRecord& r = m.blocks[b];
        r = novelk::BlockRecord{};
        r.colour = static_cast<std::uint8_t>(b % 256);
        r.x1 = static_cast<std::uint16_t>(b % cells);
        r.x2 = static_cast<std::uint16_t>(r.x1 + 1);
        r.y1 = static_cast<std::uint16_t>((b / cells) % cells);
        r.y2 = static_cast<std::uint16_t>(r.y1 + 1);
        r.z1 = static_cast<std::uint16_t>((b * 7) % cells);
        r.z2 = static_cast<std::uint16_t>(r.z1 + 1);
    }
    novelk::WriteDataFile(m, kPath);
}

void BM_ReadDataFile(benchmark::State& state)
{
    PrepareModel();
    Program& p = TheProgram();
    bench::RunAgainstLineLoop(state, kPath, [&p] {
        novelk::ReadDataFile(p.model, p.run, p.defaults, p.host, kPath, novelk::ReadMode::Open);
    });
}
BENCHMARK(BM_ReadDataFile)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_WriteDataFile(benchmark::State& state)
{
    PrepareModel();
    Program& p = TheProgram();
    novelk::ReadDataFile(p.model, p.run, p.defaults, p.host, kPath, novelk::ReadMode::Open);
    bench::RunAgainstLineLoop(state, kPath, [&p] { novelk::WriteDataFile(p.model, kOutPath); });
}
BENCHMARK(BM_WriteDataFile)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
