// libFuzzer target for the solar file readers: the input becomes the
// sunlit-node file (first byte even) or a flux file (odd) and is read back;
// a sunlit-node file that is accepted must hold only valid records, and a
// flux file never gives more fluxes than there are records. Any crash or
// sanitizer finding is a fault.
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/solar/SolarFiles.h"
#include "gelmar/model/solar/SolarState.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr int kNodes = 1000;

void FixedRecords(gelmar::SolarState& solar)
{
    solar.records.clear();
    for (int n = 0; n < 8; ++n) {
        gelmar::SunlitNodeRecord r;
        r.node = 100 - 10 * n;
        r.orientation = static_cast<std::uint8_t>(n % 6);
        r.colour = static_cast<std::uint8_t>(n % 3);
        r.area = 0.25f;
        r.fileLine = n;
        solar.records.push_back(r);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Every input starts from a freshly started engine.
    gelmar::NullEngineHost host;
    gelmar::Engine engine(host);
    gelmar::ModelStore& model = engine.model;
    gelmar::RunState& run = engine.run;
    run.solar.solar = true;
    run.solar.grid.gridNodes = kNodes;
    model.saveFrequency = 1;
    model.timeStep = 600;

    const bool nodesFile = size == 0 || data[0] % 2 == 0;
    const std::string path = gelmar::SolarFileName(model, 0, nodesFile ? ".sfd" : ".sfx");
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    if (nodesFile) {
        if (gelmar::ReadSunlitNodesFile(model, run, host)) {
            for (const gelmar::SunlitNodeRecord& r : run.solar.records) {
                if (r.node < 0 || r.node >= kNodes || r.orientation > 5 || !(r.area > 0))
                    __builtin_trap();
            }
        } else if (!run.solar.records.empty()) {
            __builtin_trap();
        }
    } else {
        FixedRecords(run.solar);
        std::remove("tmp0000.sfd");
        gelmar::ReadSolarFluxFile(model, run, host, 0);
        if (run.solar.records.size() != 8)
            __builtin_trap();
    }
    std::remove(path.c_str());
    return 0;
}
