// libFuzzer target for Novelk's result files: the input is written as
// "tmp.sol" and "tmp.flx" beside a small numbered model with a cavity and
// read by the calculation's readers. A solution read must leave one
// temperature per unknown (all 0 when it was refused), and the heat-flux
// records must be sorted faces of orientation 0..5. Any crash or sanitizer
// finding is a fault.
#include "fuzz/NvkFuzzModel.h"
#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/calc/ResultFiles.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <tuple>

namespace {

// 3 x 2 x 2 cells: a warm and a cold face, material, a free cavity.
novelk::ModelStore Build()
{
    novelk::ModelStore m = fuzzing::NovelkModel(
        {3, 2, 2}, {{1, 0, 3, 0, 2, 0, 2}, {13, 1, 2, 0, 1, 0, 1}, {10, 0, 1, 0, 2, 0, 2}, {12, 2, 3, 0, 2, 0, 2}});
    m.colours[10].type = m.colours[12].type = novelk::BC_SIMPL;
    m.colours[13].type = novelk::BC_FREE;
    return m;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static novelk::NullEngineHost host;
    static novelk::ModelStore model = Build();
    novelk::RunState run;
    novelk::RasteriseBlocks(model, run, host);
    novelk::BuildNodeNumbering(model, run, host);
    fuzzing::WriteFuzzInput("tmp.sol", data, size);
    fuzzing::WriteFuzzInput("tmp.flx", data, size);

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
