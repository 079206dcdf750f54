// libFuzzer target for Novelk's view-factor file: the input is written as
// "tmp.vwf" beside a small model with two cavities; the calculation's zone
// set-up reads it, links the faces, numbers the zone nodes and builds and
// assembles the system on it; the summary reader reads it too. A face may
// only link to a radiation node of its zone's file zone. Any crash or
// sanitizer finding is a fault.
#include "common/kernels/ViewFactorFile.h"
#include "novelk/model/calc/Assembly.h"
#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/calc/ViewFactors.h"
#include "novelk/model/calc/Zones.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

// 5 x 3 x 3 cells of material with a BC_FREE cavity and a TRANSMAT cell.
void Build(novelk::ModelStore& m)
{
    using namespace novelk;
    const novelk::ProgramParameters defaults;
    ResetModel(m, defaults);
    GrowGridLineArrays(m, 8);
    for (int a = 0; a < 3; ++a) {
        m.axes[std::size_t(a)].n = a == 0 ? 5 : 3;
        for (int c = 0; c < m.axes[std::size_t(a)].n; ++c)
            m.axes[std::size_t(a)].widths[std::size_t(c)] = 1.0f;
        m.clipHi[a] = m.axes[std::size_t(a)].n;
    }
    ComputeGridCoordinates(m);
    const int blocks[3][7] = {{1, 0, 5, 0, 3, 0, 3}, {13, 1, 2, 1, 2, 1, 2}, {16, 3, 4, 1, 2, 1, 2}};
    for (const auto& b : blocks) {
        GrowBlockArray(m, m.blocks.count + 1u);
        BlockRecord& r = m.blocks[m.blocks.count++];
        r.colour = std::uint8_t(b[0]);
        r.x1 = std::uint16_t(b[1]), r.x2 = std::uint16_t(b[2]), r.y1 = std::uint16_t(b[3]);
        r.y2 = std::uint16_t(b[4]), r.z1 = std::uint16_t(b[5]), r.z2 = std::uint16_t(b[6]);
        m.colours[b[0]].inUse = 1;
    }
    m.colours[13].type = BC_FREE;
    m.colours[16].type = TRANSMAT;
    m.dataFilePath = "fuzz.nvk";
    m.calc.linearRadiation = 0;
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
    if (std::FILE* f = std::fopen("tmp.vwf", "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    novelk::RunState run;
    try {
        novelk::RasteriseBlocks(model, run, host);
        novelk::BuildNodeNumbering(model, run, host);
        novelk::PrepareRadiationZones(model, run, host);
        for (const novelk::CavityZone& zone : run.calc.zones)
            for (const novelk::ZoneFace& f : zone.faces)
                if (f.radiationNode >= 0 &&
                    run.calc.radiationNodes[std::size_t(f.radiationNode)].fileZone != zone.fileZone)
                    __builtin_trap();
        novelk::BuildMatrixStructure(model, run, host);
        run.resultsLoaded = true; // non-linear radiation at 0 °C
        novelk::AssembleCoefficients(model, run, host);
    } catch (const novelk::EngineError&) {
    }
    kernels::ViewFactorSummaryTable table;
    try {
        novelk::ReadViewFactorSummary(model, table);
    } catch (const novelk::EngineError&) {
    }
    return 0;
}
