// Allocation, freeing and indexing of the calculation's work arrays.
#include "gelmar/model/calc/WorkArrays.h"

#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <new>

namespace gelmar {

namespace {

kernels::Index Cells(ModelStore& model, int axis)
{
    return model.axes[axis].n;
}

template <class T> void Release(std::vector<T>& v)
{
    std::vector<T>().swap(v);
}

void ReleaseMatrix(RunState& run)
{
    run.work.factor = kernels::IncompleteCholeskyFactor{};
    run.work.matrix.reset();
    run.work.pattern.reset();
    run.work.solverWork = kernels::SolverWork{};
    Release(run.work.rhs);
    Release(run.work.keptRhs);
    Release(run.work.previous);
    Release(run.work.previous2);
}

} // namespace

void AllocWorkArray(ModelStore& model, RunState& run, int kind, kernels::Index count)
{
    WorkArrays& w = run.work;
    try {
        switch (kind) {
        case kCellColourArray:
            FreeWorkArrays(run, 2);
            w.layerSize = Cells(model, 0) * Cells(model, 1);
            w.cellColours.assign(static_cast<std::size_t>(w.layerSize * Cells(model, 2)), 0xFFFF);
            break;
        case kNodeIndexArray:
            w.rowStride = Cells(model, 0) + 1;
            w.layerStride = w.rowStride * (Cells(model, 1) + 1);
            w.nodeIndex.assign(static_cast<std::size_t>(w.layerStride * (Cells(model, 2) + 1)), -1);
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
        throw EngineError::Memory();
    } catch (const std::length_error&) {
        throw EngineError::Memory();
    }
}

void FreeWorkArrays(RunState& run, int group)
{
    WorkArrays& w = run.work;
    switch (group) {
    case 0:
        ReleaseMatrix(run);
        // The zone tables with their faces and view-factor triangles; the
        // colours' zone numbers stay for the output windows.
        FreeRadiation(run);
        break;
    case 1:
        Release(w.outputIndex);
        FreeWorkArrays(run, 2);
        break;
    case 2:
        Release(w.heatFlows);
        Release(w.solution);
        Release(w.nodeIndex);
        Release(w.cellColours);
        // The solar state reads these two arrays: it must not keep them.
        run.solar.grid = SolarGrid{};
        w.gridNodeCount = w.rowCount = 0;
        w.layerSize = w.rowStride = w.layerStride = 0;
        break;
    default:
        // Groups 3, 4 and 5 hold the radiation and solar arrays.
        break;
    }
}

void SetCellColour(ModelStore& model, RunState& run, int colour, int i, int j, int k)
{
    if (i < 0 || j < 0 || k < 0 || i >= Cells(model, 0) || j >= Cells(model, 1) || k >= Cells(model, 2) ||
        run.work.cellColours.empty())
        return;
    run.work.cellColours[i + j * Cells(model, 0) + k * run.work.layerSize] = static_cast<std::uint16_t>(colour);
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

void SetNodeIndex(ModelStore& model, RunState& run, std::int32_t number, int i, int j, int k)
{
    if (i < 0 || j < 0 || k < 0 || i > Cells(model, 0) || j > Cells(model, 1) || k > Cells(model, 2) || run.work.nodeIndex.empty())
        return;
    run.work.nodeIndex[i + j * run.work.rowStride + k * run.work.layerStride] = number;
}

void ClearSolution(RunState& run)
{
    std::fill(run.work.solution.begin(), run.work.solution.end(), 0.0);
}

void RasteriseBlocks(ModelStore& model, RunState& run)
{
    AllocWorkArray(model, run, kCellColourArray);
    const int nx = Cells(model, 0), ny = Cells(model, 1), nz = Cells(model, 2);
    for (std::size_t b = 0; b < model.blocks.count; ++b) {
        const BlockRecord& r = model.blocks[b];
        // Bounds beyond the grid are clipped, never written past the array.
        for (int k = r.z1; k < std::min<int>(r.z2, nz); ++k)
            for (int j = r.y1; j < std::min<int>(r.y2, ny); ++j)
                for (int i = r.x1; i < std::min<int>(r.x2, nx); ++i)
                    run.work.cellColours[i + j * kernels::Index(nx) + k * run.work.layerSize] = r.colour;
    }
}

bool CellArrayMissing(RunState& run)
{
    return run.work.cellColours.empty();
}

void EnsureCellArray(ModelStore& model, RunState& run)
{
    if (!CellArrayMissing(run))
        return;
    try {
        RasteriseBlocks(model, run);
    } catch (const EngineError&) {
    }
}

} // namespace gelmar
