// libFuzzer target for Dralo's result readers. The first byte picks the
// reader, the rest is the file:
//  0: the mesh file "tmp.tri"; a mesh read whole gets its neighbour links,
//     and every index it holds must be a point or a triangle.
//  1: the solution file "tmp.sol" against a small mesh made at the start; a
//     solution taken must hold finite temperatures, one per equation, and
//     what the writer writes of it must be read back to the same values.
// The work happens in a folder of the process's own. Any crash or sanitizer
// finding is a fault.
#include "dralo/model/Engine.h"
#include "dralo/model/calc/Solver.h"
#include "dralo/model/check/ModelCheck.h"
#include "dralo/model/mesh/MeshBuild.h"
#include "dralo/model/mesh/MeshFile.h"
#include "dralo/model/store/BoundaryEdges.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"
#include "fuzz/FuzzInput.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace {

struct Base {
    dralo::BitmapModel model;
    dralo::Mesh mesh;
};

// A 3 x 2 pixel section of two materials and a boundary colour, meshed.
const Base& TheBase()
{
    static const Base base = [] {
        Base b;
        dralo::NullEngineHost host;
        dralo::LoadMaterialColours(b.model);
        dralo::AllocatePixels(b.model, 3, 2, 1);
        b.model.pixels[1] = 2;
        b.model.pixels[2] = 3;
        b.model.colours[3].type = dralo::BC_SIMPL;
        for (dralo::ColourRecord& c : b.model.colours)
            c.tric = 1;
        dralo::BuildColourBoundaryEdges(b.model);
        dralo::CheckCalculationModel(b.model, host);
        dralo::MeshBuild build;
        dralo::BuildMesh(b.model, build, host);
        dralo::WriteMeshFile(b.model, build.contours, build.triangles, ".");
        dralo::ReadMeshFile(b.model, ".", b.mesh);
        return b;
    }();
    return base;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const bool inFolder = [] {
        const std::string folder = fuzz::OwnFileName("");
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        return true;
    }();
    (void)inFolder;
    const Base& base = TheBase();
    dralo::NullEngineHost host;

    if (data[0] % 2 == 0) {
        if (!fuzz::WriteInput(dralo::kMeshFileName, data + 1, size - 1))
            return 0;
        dralo::BitmapModel model = base.model;
        dralo::Mesh mesh;
        try {
            dralo::ReadMeshFile(model, ".", mesh);
        } catch (const dralo::EngineError&) {
            return 0;
        }
        const std::size_t points = mesh.points.size();
        for (const dralo::MeshTriangle& t : mesh.triangles)
            for (std::int32_t v : t.v)
                if (v < 0 || static_cast<std::size_t>(v) >= points)
                    __builtin_trap();
        for (const dralo::BorderEdge& e : mesh.borders)
            if (e.start < 0 || e.end < 0 || static_cast<std::size_t>(e.start) >= points ||
                static_cast<std::size_t>(e.end) >= points)
                __builtin_trap();
        try {
            dralo::BuildMeshNeighbours(mesh, host);
        } catch (const dralo::EngineError&) {
        }
        return 0;
    }

    if (!fuzz::WriteInput(dralo::kSolutionFileName, data + 1, size - 1))
        return 0;
    dralo::Engine engine(host);
    engine.model = base.model;
    dralo::BitmapModel& model = engine.model;
    dralo::RunState& run = engine.run;
    run.mesh = base.mesh;
    run.equations = static_cast<kernels::Index>(run.mesh.points.size());
    if (!dralo::ReadSolutionFile(model, run)) {
        for (double t : run.temperature)
            if (t != 0.0)
                __builtin_trap();
        return 0;
    }
    if (run.temperature.size() != static_cast<std::size_t>(run.equations))
        __builtin_trap();
    for (double t : run.temperature)
        if (!std::isfinite(t))
            __builtin_trap();
    dralo::WriteSolutionFile(model, run);
    dralo::RunState again;
    again.mesh = base.mesh;
    again.equations = run.equations;
    dralo::BitmapModel second = base.model;
    if (!dralo::ReadSolutionFile(second, again))
        __builtin_trap();
    for (std::size_t n = 0; n < run.temperature.size(); ++n)
        if (std::abs(again.temperature[n] - run.temperature[n]) > 1e-9 * (1 + std::abs(run.temperature[n])))
            __builtin_trap();
    return 0;
}
