// libFuzzer target for Novelk's result files: the input is written as
// "tmp.sol" and "tmp.flx" beside a small numbered model with a cavity and
// read by the calculation's readers. A solution read must leave one
// temperature per unknown (all 0 when it was refused), and the heat-flux
// records must be sorted faces of orientation 0..5. Any crash or sanitizer
// finding is a fault.
#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/calc/ResultFiles.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <tuple>

namespace {

// 3 x 2 x 2 cells: a warm and a cold face, material, a free cavity.
void Build(novelk::ModelStore& m)
{
    using namespace novelk;
    const novelk::ProgramParameters defaults;
    ResetModel(m, defaults);
    GrowGridLineArrays(m, 8);
    for (int a = 0; a < 3; ++a) {
        m.axes[std::size_t(a)].n = a == 0 ? 3 : 2;
        for (int c = 0; c < m.axes[std::size_t(a)].n; ++c)
            m.axes[std::size_t(a)].widths[std::size_t(c)] = 1.0f;
        m.clipHi[a] = m.axes[std::size_t(a)].n;
    }
    ComputeGridCoordinates(m);
    const int blocks[4][7] = {{1, 0, 3, 0, 2, 0, 2}, {13, 1, 2, 0, 1, 0, 1}, {10, 0, 1, 0, 2, 0, 2}, {12, 2, 3, 0, 2, 0, 2}};
    for (const auto& b : blocks) {
        GrowBlockArray(m, m.blocks.count + 1u);
        BlockRecord& r = m.blocks[m.blocks.count++];
        r.colour = std::uint8_t(b[0]);
        r.x1 = std::uint16_t(b[1]), r.x2 = std::uint16_t(b[2]), r.y1 = std::uint16_t(b[3]);
        r.y2 = std::uint16_t(b[4]), r.z1 = std::uint16_t(b[5]), r.z2 = std::uint16_t(b[6]);
        m.colours[b[0]].inUse = 1;
    }
    m.colours[10].type = m.colours[12].type = BC_SIMPL;
    m.colours[13].type = BC_FREE;
    m.dataFilePath = "fuzz.nvk";
}

void WriteInput(const char* path, const std::uint8_t* data, std::size_t size)
{
    if (std::FILE* f = std::fopen(path, "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static novelk::NullEngineHost host;
    static novelk::ModelStore model;
    static bool built = false;
    if (!built) {
        Build(model);
        built = true;
    }
    novelk::RunState run;
    novelk::RasteriseBlocks(model, run, host);
    novelk::BuildNodeNumbering(model, run, host);
    WriteInput("tmp.sol", data, size);
    WriteInput("tmp.flx", data, size);

    // The calculation's read (its vector sized to the unknowns) and the
    // read of saved results (the vector made by the reader).
    run.temperature.assign(std::size_t(run.unknowns), 1.0);
    const bool read = novelk::ReadSolutionFile(model, run);
    if (run.temperature.size() != std::size_t(run.unknowns))
        __builtin_trap();
    if (!read && std::any_of(run.temperature.begin(), run.temperature.end(), [](double t) { return t != 0; }))
        __builtin_trap();
    run.temperature.clear();
    novelk::ReadSolutionFile(model, run);
    if (!run.temperature.empty() && run.temperature.size() != std::size_t(run.unknowns))
        __builtin_trap();

    novelk::ReadFluxFile(model, run);
    for (std::size_t r = 0; r < run.fluxes.size(); ++r) {
        const auto& f = run.fluxes[r];
        if (f.direction > 5)
            __builtin_trap();
        if (r > 0) {
            const auto& e = run.fluxes[r - 1];
            if (std::tie(f.i, f.j, f.k, f.direction) < std::tie(e.i, e.j, e.k, e.direction))
                __builtin_trap();
        }
    }
    // The colour results stay where the tables hold them.
    novelk::ComputeColourExtremes(model, run);
    return 0;
}
