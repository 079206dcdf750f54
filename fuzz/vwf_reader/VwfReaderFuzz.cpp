// libFuzzer target for the view-factor file: the input is written as
// "tmp.vwf" in the working folder and read by the run's reader and by the
// summary reader. A read that succeeds must leave consistent tables: each
// zone's faces inside the face array and a matrix of its pairs.
#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Every input starts from a freshly started engine.
    gelmar::NullEngineHost host;
    gelmar::Engine engine(host);
    gelmar::RunState& run = engine.run;

    std::FILE* f = std::fopen("tmp.vwf", "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    try {
        gelmar::ReadViewFactorFile(engine.model, run);
        const gelmar::RadiationSet& r = run.radiation;
        std::size_t faces = 0;
        for (const gelmar::RadiationZone& zone : r.fileZones) {
            if (std::size_t(zone.firstFace) != faces ||
                zone.matrix.size() != kernels::PackedSize(std::size_t(zone.faceCount)))
                __builtin_trap();
            faces += std::size_t(zone.faceCount);
        }
        if (faces != r.fileFaces.size())
            __builtin_trap();
        gelmar::CountFacePartners(run, host);
    } catch (const gelmar::EngineError&) {
    }
    try {
        gelmar::ReadViewFactorSummary(engine.model);
    } catch (const gelmar::EngineError&) {
    }
    return 0;
}
