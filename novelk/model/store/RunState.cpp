// The cell raster and the release of the work arrays.
#include "novelk/model/store/RunState.h"

#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace novelk {

void FreeWorkArrays(RunState& run, WorkGroup group, EngineHost& host)
{
    switch (group) {
    case WorkGroup::Solver:
        run.calc = CalcArrays{};
        break;
    case WorkGroup::CellsAndNodes:
        host.FreeOutputBuffers();
        std::vector<kernels::FluxRecord>().swap(run.fluxes);
        run.fluxesLoaded = false;
        std::vector<double>().swap(run.temperature);
        std::vector<std::int32_t>().swap(run.nodeIndex);
        run.gridUnknowns = run.unknowns = 0;
        std::vector<std::uint16_t>().swap(run.cells.colour);
        run.cells.n[0] = run.cells.n[1] = run.cells.n[2] = 0;
        run.resultsLoaded = false;
        break;
    }
}

void SetCellColour(CellRaster& cells, int colour, std::size_t i, std::size_t j, std::size_t k)
{
    cells.colour[cells.Index(i, j, k)] = static_cast<std::uint16_t>(colour);
}

int GetCellColour(const CellRaster& cells, long long i, long long j, long long k)
{
    if (cells.colour.empty() || i < 0 || j < 0 || k < 0 || static_cast<std::size_t>(i) >= cells.n[0] ||
        static_cast<std::size_t>(j) >= cells.n[1] || static_cast<std::size_t>(k) >= cells.n[2])
        return -1;
    return static_cast<std::int16_t>(cells.colour[cells.Index(
        static_cast<std::size_t>(i), static_cast<std::size_t>(j), static_cast<std::size_t>(k))]);
}

int GetClippedCellColour(const ModelStore& m, const CellRaster& cells, long long i, long long j, long long k)
{
    const long long p[3] = {i, j, k};
    for (int a = 0; a < 3; ++a)
        if (p[a] < m.clipLo[a] || p[a] >= m.clipHi[a])
            return -1;
    return GetCellColour(cells, i, j, k);
}

bool IsCellRasterMissing(const RunState& run)
{
    return run.cells.colour.empty();
}

void RasteriseBlocks(const ModelStore& m, RunState& run, EngineHost& host)
{
    FreeWorkArrays(run, WorkGroup::CellsAndNodes, host);
    const std::size_t n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    CellRaster& cells = run.cells;
    try {
        cells.colour.assign(n[0] * n[1] * n[2], kVoidCell);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    } catch (const std::length_error&) {
        throw EngineError::Memory();
    }
    for (int a = 0; a < 3; ++a)
        cells.n[a] = n[a];
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& r = m.blocks[b];
        // Bounds beyond the grid never come from a file or an edit; clamp all the same.
        const std::size_t x2 = std::min<std::size_t>(r.x2, n[0]), y2 = std::min<std::size_t>(r.y2, n[1]),
                          z2 = std::min<std::size_t>(r.z2, n[2]);
        for (std::size_t k = r.z1; k < z2; ++k)
            for (std::size_t j = r.y1; j < y2; ++j) {
                std::uint16_t* row = cells.colour.data() + cells.Index(0, j, k);
                for (std::size_t i = r.x1; i < x2; ++i)
                    row[i] = r.colour;
            }
    }
}

void EnsureCellArray(const ModelStore& m, RunState& run, EngineHost& host)
{
    if (!IsCellRasterMissing(run))
        return;
    try {
        RasteriseBlocks(m, run, host);
    } catch (const EngineError&) {
    } catch (const EscAbort&) {
    }
}

} // namespace novelk
