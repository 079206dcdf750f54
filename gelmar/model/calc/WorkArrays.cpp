// Allocation, freeing and indexing of the calculation's work arrays.
#include "gelmar/model/calc/WorkArrays.h"

#include "common/core/ErrorCode.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <new>

namespace gelmar {

WorkArrays g_work;
RunState g_run;

namespace {

kernels::Index Cells(int axis)
{
    return g_model.axes[axis].n;
}

template <class T> void Release(std::vector<T>& v)
{
    std::vector<T>().swap(v);
}

void ReleaseMatrix()
{
    g_work.factor = kernels::IncompleteCholeskyFactor{};
    g_work.matrix.reset();
    g_work.pattern.reset();
    g_work.solverWork = kernels::SolverWork{};
    Release(g_work.rhs);
    Release(g_work.keptRhs);
    Release(g_work.previous);
    Release(g_work.previous2);
}

} // namespace

void AllocWorkArray(int kind, kernels::Index count)
{
    WorkArrays& w = g_work;
    try {
        switch (kind) {
        case kCellColourArray:
            FreeWorkArrays(2);
            w.layerSize = Cells(0) * Cells(1);
            w.cellColours.assign(static_cast<std::size_t>(w.layerSize * Cells(2)), 0xFFFF);
            break;
        case kNodeIndexArray:
            w.rowStride = Cells(0) + 1;
            w.layerStride = w.rowStride * (Cells(1) + 1);
            w.nodeIndex.assign(static_cast<std::size_t>(w.layerStride * (Cells(2) + 1)), -1);
            break;
        case kMatrixRowArrays:
            w.rhs.assign(w.rowCount, 0.0);
            w.solution.assign(w.rowCount, 0.0);
            // The earlier time levels are taken when the first step ends
            // (AdvanceTimeLevel); a steady run never needs them.
            Release(w.keptRhs);
            Release(w.previous);
            Release(w.previous2);
            break;
        case kSolutionVector:
            w.solution.assign(w.rowCount, 0.0);
            break;
        case kHeatFlowRecords:
            w.heatFlows.assign(static_cast<std::size_t>(count), HeatFlowRecord{});
            break;
        case kOutputIndexTable:
            w.outputIndex.assign(static_cast<std::size_t>(count), 0);
            break;
        default:
            break;
        }
    } catch (const std::bad_alloc&) {
        common::RaiseError(kErrorMemory);
    } catch (const std::length_error&) {
        common::RaiseError(kErrorMemory);
    }
}

void FreeWorkArrays(int group)
{
    WorkArrays& w = g_work;
    switch (group) {
    case 0:
        ReleaseMatrix();
        // The zone tables with their faces and view-factor triangles; the
        // colours' zone numbers stay for the output windows.
        FreeRadiation();
        break;
    case 1:
        Release(w.outputIndex);
        FreeWorkArrays(2);
        break;
    case 2:
        Release(w.heatFlows);
        Release(w.solution);
        Release(w.nodeIndex);
        Release(w.cellColours);
        // The solar state reads these two arrays: it must not keep them.
        g_solar.grid = SolarGrid{};
        w.gridNodeCount = w.rowCount = 0;
        w.layerSize = w.rowStride = w.layerStride = 0;
        break;
    default:
        // Groups 3, 4 and 5 hold the radiation and solar arrays.
        break;
    }
}

void SetCellColour(int colour, int i, int j, int k)
{
    if (i < 0 || j < 0 || k < 0 || i >= Cells(0) || j >= Cells(1) || k >= Cells(2) ||
        g_work.cellColours.empty())
        return;
    g_work.cellColours[i + j * Cells(0) + k * g_work.layerSize] = static_cast<std::uint16_t>(colour);
}

int GetCellColour(const ModelStore& model, const WorkArrays& work, int i, int j, int k)
{
    const kernels::Index nx = model.axes[0].n, ny = model.axes[1].n, nz = model.axes[2].n;
    if (i < 0 || j < 0 || k < 0 || i >= nx || j >= ny || k >= nz)
        return -1;
    const kernels::Index at = i + j * nx + k * nx * ny;
    if (at >= static_cast<kernels::Index>(work.cellColours.size()))
        return -1;
    return static_cast<std::int16_t>(work.cellColours[static_cast<std::size_t>(at)]);
}

int GetCellColourInClip(const ModelStore& model, const WorkArrays& work, int i, int j, int k)
{
    if (i < model.clipLo[0] || i >= model.clipHi[0] || j < model.clipLo[1] || j >= model.clipHi[1] ||
        k < model.clipLo[2] || k >= model.clipHi[2])
        return -1;
    return GetCellColour(model, work, i, j, k);
}

std::int32_t GetNodeIndex(const ModelStore& model, const WorkArrays& work, int i, int j, int k)
{
    if (i < 0 || j < 0 || k < 0 || i > model.axes[0].n || j > model.axes[1].n || k > model.axes[2].n)
        return -1;
    const kernels::Index at = i + j * work.rowStride + k * work.layerStride;
    if (at >= static_cast<kernels::Index>(work.nodeIndex.size()))
        return -1;
    return work.nodeIndex[static_cast<std::size_t>(at)];
}

int GetCellColour(int i, int j, int k)
{
    return GetCellColour(g_model, g_work, i, j, k);
}

int GetCellColourInClip(int i, int j, int k)
{
    return GetCellColourInClip(g_model, g_work, i, j, k);
}

void SetNodeIndex(std::int32_t number, int i, int j, int k)
{
    if (i < 0 || j < 0 || k < 0 || i > Cells(0) || j > Cells(1) || k > Cells(2) || g_work.nodeIndex.empty())
        return;
    g_work.nodeIndex[i + j * g_work.rowStride + k * g_work.layerStride] = number;
}

std::int32_t GetNodeIndex(int i, int j, int k)
{
    return GetNodeIndex(g_model, g_work, i, j, k);
}

void ClearSolution()
{
    std::fill(g_work.solution.begin(), g_work.solution.end(), 0.0);
}

void RasteriseBlocks()
{
    AllocWorkArray(kCellColourArray);
    const int nx = Cells(0), ny = Cells(1), nz = Cells(2);
    for (std::size_t b = 0; b < g_model.blocks.count; ++b) {
        const BlockRecord& r = g_model.blocks[b];
        // Bounds beyond the grid are clipped, never written past the array.
        for (int k = r.z1; k < std::min<int>(r.z2, nz); ++k)
            for (int j = r.y1; j < std::min<int>(r.y2, ny); ++j)
                for (int i = r.x1; i < std::min<int>(r.x2, nx); ++i)
                    g_work.cellColours[i + j * kernels::Index(nx) + k * g_work.layerSize] = r.colour;
    }
}

bool CellArrayMissing()
{
    return g_work.cellColours.empty();
}

void EnsureCellArray()
{
    if (!CellArrayMissing())
        return;
    try {
        RasteriseBlocks();
    } catch (const common::EngineException&) {
    }
}

} // namespace gelmar
