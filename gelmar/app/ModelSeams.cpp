// Defaults of the model seams: small direct implementations where the rule
// is plain (grid and colour checks, the view-factor file name), and a clear
// message where the engine part has not joined the build.
#include "gelmar/app/ModelSeams.h"

#include "common/core/ErrorCode.h"
#include "gelmar/model/EngineHost.h"
#include "gelmar/model/ModelStore.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace gelmar {

namespace {

// Every grid line of every axis bounds a block or carries a node BC.
bool IsMinimumGridDefault()
{
    const ModelStore& m = g_model;
    std::vector<bool> used[3];
    for (int a = 0; a < 3; ++a)
        used[a].assign(size_t(m.axes[size_t(a)].n) + 1, false);
    auto mark = [&](int a, int line) {
        if (line >= 0 && size_t(line) < used[a].size())
            used[a][size_t(line)] = true;
    };
    for (int b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& r = m.blocks[size_t(b)];
        mark(0, r.x1), mark(0, r.x2), mark(1, r.y1), mark(1, r.y2), mark(2, r.z1), mark(2, r.z2);
    }
    for (int n = 0; n < m.nodeBcs.count; ++n) {
        const NodeBcRecord& r = m.nodeBcs[size_t(n)];
        mark(0, r.i), mark(1, r.j), mark(2, r.k);
    }
    for (const auto& axis : used)
        for (bool u : axis)
            if (!u)
                return false;
    return true;
}

bool HasRuleColoursDefault()
{
    for (const ColourRecord& c : g_model.colours)
        if (c.inUse && c.rule != 0 &&
            (c.type == BC_FREE || c.type == BC_SKY || c.type == BC_NOSKY || c.type == EQUIMAT))
            return true;
    return false;
}

// Marks the cells of every block; a model too large to mark is taken to
// have void cells (the conversion then finds out).
bool HasVoidCellsDefault()
{
    const ModelStore& m = g_model;
    const size_t nx = m.axes[0].n, ny = m.axes[1].n, nz = m.axes[2].n;
    const size_t cells = nx * ny * nz;
    if (cells == 0)
        return false;
    if (cells > (size_t(1) << 27))
        return true;
    std::vector<bool> filled(cells, false);
    for (int b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& r = m.blocks[size_t(b)];
        for (size_t k = r.z1; k < std::min<size_t>(r.z2, nz); ++k)
            for (size_t j = r.y1; j < std::min<size_t>(r.y2, ny); ++j)
                for (size_t i = r.x1; i < std::min<size_t>(r.x2, nx); ++i)
                    filled[(k * ny + j) * nx + i] = true;
    }
    for (bool f : filled)
        if (!f)
            return true;
    return false;
}

std::string ViewFactorFileDefault()
{
    std::error_code ec;
    if (std::filesystem::exists("tmp.vwf", ec))
        return "tmp.vwf";
    return std::filesystem::path(g_model.dataFilePath).replace_extension(".vwf").string();
}

// The engine part behind a run has not joined the build: say so and stop
// the run as a failure without an error code of its own.
void RunNotAvailable()
{
    Host().MessageBox(platform::LoadString(IDS_NOT_CALCULATED), MessageStyle::Ok);
    common::RaiseAbort();
}

} // namespace

namespace {

ModelSeams Defaults()
{
    ModelSeams s;
    s.clearUndo = [] {};
    s.saveUndo = [](int) {};
    s.canUndo = [] { return false; };
    s.canRedo = [] { return false; };
    s.undo = [] {};
    s.redo = [] {};
    s.isMinimumGrid = IsMinimumGridDefault;
    s.hasRuleColours = HasRuleColoursDefault;
    s.hasTemperatureDependentMaterials = [] { return false; };
    s.viewFactorFile = ViewFactorFileDefault;
    s.runTransient = RunNotAvailable;
    s.runViewFactors = RunNotAvailable;
    s.runSolarFluxes = RunNotAvailable;
    s.writeReportOutput = [] {};
    s.freeWorkArrays = [] {};
    s.freeRunData = [] {};
    s.temperaturesInMemory = [] { return false; };
    s.reportCheckError = [](int) {};
    s.revolve = [](int, int, int, int) {};
    s.reduceToClip = [] {};
    s.convertVoidToBlocks = [](int) {};
    s.hasVoidCells = HasVoidCellsDefault;
    s.syntaxErrorLine = [] { return 0; };
    s.importFile = [](const std::string&) {
        Host().MessageBox("Import of this file format is not available.", MessageStyle::Ok);
        return false;
    };
    return s;
}

} // namespace

ModelSeams& Seams()
{
    static ModelSeams seams = Defaults();
    return seams;
}

void ResetSeams()
{
    Seams() = Defaults();
}

} // namespace gelmar
