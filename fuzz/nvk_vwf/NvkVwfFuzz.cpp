// libFuzzer target for Novelk's view-factor file: the input is written as
// "tmp.vwf" beside a small model with two cavities; the calculation's zone
// set-up reads it, links the faces, numbers the zone nodes and builds and
// assembles the system on it; the summary reader reads it too. A face may
// only link to a radiation node of its zone's file zone. Any crash or
// sanitizer finding is a fault.
#include "common/kernels/ViewFactorFile.h"
#include "fuzz/NvkFuzzModel.h"
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

namespace {

// 5 x 3 x 3 cells of material with a BC_FREE cavity and a TRANSMAT cell.
novelk::ModelStore Build()
{
    novelk::ModelStore m =
        fuzzing::NovelkModel({5, 3, 3}, {{1, 0, 5, 0, 3, 0, 3}, {13, 1, 2, 1, 2, 1, 2}, {16, 3, 4, 1, 2, 1, 2}});
    m.colours[13].type = novelk::BC_FREE;
    m.colours[16].type = novelk::TRANSMAT;
    m.calc.linearRadiation = 0;
    return m;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static novelk::NullEngineHost host;
    static novelk::ModelStore model = Build();
    fuzzing::WriteFuzzInput("tmp.vwf", data, size);
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
