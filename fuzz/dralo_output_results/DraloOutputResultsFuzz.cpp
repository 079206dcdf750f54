// libFuzzer target for the readers behind Dralo's outputs and reports. The
// first byte picks the file the rest replaces; the other files are those of
// a one-triangle mesh written at the start:
//  0..3: "tmp.tri", "tmp.sol", "tmp.flw", "tmp.flx" read by ReadResults;
//        read whole, every index must be a point and the radiation edges
//        sorted; a failure must carry its message;
//  4:    the colour-scale file, which never holds more entries than counted.
// The work happens in a folder of the process's own. Any crash or sanitizer
// finding is a fault.
#include "common/core/ColourScale.h"
#include "common/core/EngineError.h"
#include "dralo/model/results/MeshResults.h"
#include "fuzz/FuzzInput.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

const char* const kNames[] = {"tmp.tri", "tmp.sol", "tmp.flw", "tmp.flx"};
const char* const kBase[] = {
    "D 3 1 1 1\nP 1 0 0\nP 2 16 0\nP 3 0 16\nT 1 1 -2 3\nB 1 3 1 1 2\nA 3 2 3\n",
    "D 3 1 1 1\nR 3 0 0 0\nN 1\nN 2\nN 3\nN 4\nC 3 1.5\nI 1 1 3\n",
    "D 3 1 1\nT 0 0.5 1\nB 3 1 0\n",
    "D 3\nN 1\nN 2\nN 3\n",
};

bool WriteText(const char* name, const char* text)
{
    return fuzz::WriteInput(name, reinterpret_cast<const std::uint8_t*>(text), std::strlen(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    fuzz::EnterOwnFolder();
    const int pick = data[0] % 5;
    if (pick == 4) {
        if (!fuzz::WriteInput("RainbowColor.rgb", data + 1, size - 1))
            return 0;
        common::ColourScale scale;
        try {
            common::LoadProgramColourScale(".", false, scale);
        } catch (const common::EngineError& e) {
            if (e.Message().empty())
                __builtin_trap();
            return 0;
        }
        if (scale.entries.empty())
            __builtin_trap();
        return 0;
    }
    for (int k = 0; k < 4; ++k) {
        const bool ok = k == pick ? fuzz::WriteInput(kNames[k], data + 1, size - 1) : WriteText(kNames[k], kBase[k]);
        if (!ok)
            return 0;
    }
    dralo::BitmapModel model;
    model.colours[3].type = dralo::BC_FREE;
    dralo::MeshResults r;
    try {
        dralo::ReadResults(model, ".", r);
    } catch (const dralo::EngineError& e) {
        if (e.Message().empty())
            __builtin_trap();
        return 0;
    }
    const std::size_t points = r.points.size();
    for (const dralo::ResultTriangle& t : r.triangles)
        for (std::int32_t v : t.v)
            if (v < 0 || static_cast<std::size_t>(v) >= points)
                __builtin_trap();
    for (std::size_t e = 0; e < r.radiationEdges.size(); ++e) {
        const dralo::RadiationEdge& edge = r.radiationEdges[e];
        if (edge.start < 0 || edge.end < 0 || static_cast<std::size_t>(edge.start) >= points ||
            static_cast<std::size_t>(edge.end) >= points || (e > 0 && r.radiationEdges[e - 1].start > edge.start))
            __builtin_trap();
    }
    return 0;
}
