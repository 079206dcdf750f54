// The snapshot history of undo and redo.
#include "gelmar/model/editing/UndoRedo.h"

#include "common/core/UndoHistory.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/StaleResults.h"

#include <algorithm>
#include <new>

namespace gelmar {

namespace {

common::UndoHistory<UndoRecord> g_history(kUndoLimit);

template <typename T, typename Size> std::vector<T> CopyOf(const RecordArray<T, Size>& a)
{
    return {a.data.begin(), a.data.begin() + static_cast<std::ptrdiff_t>(a.count)};
}

template <typename T, typename Size> void RestoreInto(RecordArray<T, Size>& a, const std::vector<T>& v)
{
    std::copy(v.begin(), v.end(), a.data.begin());
    a.count = static_cast<Size>(v.size());
}

void TakeSnapshot(UndoRecord& r, const UndoRecord* previous)
{
    const ModelStore& m = g_model;
    r.gridUnit = m.gridUnit;
    for (int k = 0; k < 3; ++k) {
        const GridAxis& a = m.axes[k];
        r.widths[k].assign(a.widths.begin(), a.widths.begin() + a.n);
        r.origin[k] = m.origin[k];
        r.clipLo[k] = m.clipLo[k];
        r.clipHi[k] = m.clipHi[k];
    }
    r.blocks.Assign(m.blocks.data.data(), m.blocks.count, previous ? &previous->blocks : nullptr);
    r.colours = m.colours;
    r.nodeBcs = CopyOf(m.nodeBcs);
    r.borderBcs = CopyOf(m.borderBcs);
    r.materialBcs = CopyOf(m.materialBcs);
    r.functions = CopyOf(m.functions);
    r.outputNodes = CopyOf(m.outputNodes);
    r.outputBlocks = CopyOf(m.outputBlocks);
    r.reportItems = CopyOf(m.reportItems);
    r.sunObstacles.assign(m.sunObstacles.begin(), m.sunObstacles.begin() + m.sunObstacleCount);
    r.ventFlows.assign(m.ventFlows.begin(), m.ventFlows.begin() + m.ventFlowCount);
    r.controls = CopyOf(m.controls);

    r.timeStep = m.timeStep;
    r.startupDuration = m.startupDuration;
    r.calcDuration = m.calcDuration;
    r.day0 = m.day0;
    r.cycles = m.cycles;
    r.iterations = m.iterations;
    r.rays = m.rays;
    r.hrBlack = m.hrBlack;
    r.minViewFactor = m.minViewFactor;
    r.airspaceDeltaT = m.airspaceDeltaT;
    r.maxDeltaT = m.maxDeltaT;
    r.maxObjectDivergence = m.maxObjectDivergence;
    r.maxNodeDivergence = m.maxNodeDivergence;
    r.linearRadiation = m.linearRadiation;
    r.recalcCen = m.recalcCen;

    r.rot1z = m.rot1z;
    r.rot2x = m.rot2x;
    r.rot3z = m.rot3z;
    r.latitude = m.latitude;
    r.longitude = m.longitude;
    r.timeZone = m.timeZone;
    r.groundReflection = m.groundReflection;

    r.title = m.title;
}

// Grows the store's arrays to the record's counts.
bool MakeRoomFor(const UndoRecord& r)
{
    std::size_t cells = 0;
    for (const std::vector<float>& w : r.widths)
        cells = std::max(cells, w.size());
    return GrowGridLineArrays(cells) && GrowBlockArray(r.blocks.size()) &&
           GrowNodeBcArray(r.nodeBcs.size()) && GrowBorderBcArray(r.borderBcs.size()) &&
           GrowMaterialBcArray(r.materialBcs.size()) && GrowFunctionArray(r.functions.size()) &&
           GrowOutputNodeArray(r.outputNodes.size()) && GrowOutputBlockArray(r.outputBlocks.size()) &&
           GrowReportItemArray(r.reportItems.size()) && GrowControlArray(r.controls.size());
}

} // namespace

bool SaveUndoRecord(int kind, int a1, int a2)
{
    try {
        UndoRecord r;
        r.kind = kind;
        r.a1 = a1;
        r.a2 = a2;
        TakeSnapshot(r, g_history.Current());
        g_history.Push(std::move(r));
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return false;
    }
    return true;
}

bool CanUndo()
{
    return g_history.CanUndo();
}

bool CanRedo()
{
    return g_history.CanRedo();
}

bool Undo()
{
    if (!CanUndo())
        return false;
    const UndoRecord& undone = *g_history.Current();
    const int kind = undone.kind, a1 = undone.a1, a2 = undone.a2;
    g_history.StepBack();
    if (!RestoreUndoRecord()) {
        g_history.StepForward();
        return false;
    }
    RefreshViewsAfterUndo();
    GoToUndoItem(kind, a1, a2);
    return true;
}

bool Redo()
{
    if (!g_history.StepForward())
        return false;
    if (!RestoreUndoRecord()) {
        g_history.StepBack();
        return false;
    }
    RefreshViewsAfterUndo();
    const UndoRecord& redone = *g_history.Current();
    GoToUndoItem(redone.kind, redone.a1, redone.a2);
    return true;
}

void ClearUndoHistory()
{
    g_history.Clear();
}

void DropRedoRecords()
{
    g_history.DropRedo();
}

bool RestoreUndoRecord()
{
    if (!g_history.Current())
        return false;
    const UndoRecord& r = *g_history.Current();
    if (!MakeRoomFor(r)) {
        ReportOutOfMemory();
        return false;
    }
    ModelStore& m = g_model;
    bool gridChanged = false;
    for (int k = 0; k < 3; ++k)
        gridChanged |= r.widths[k].size() != m.axes[k].n;
    if (gridChanged)
        ReleaseCalculationResults();

    m.gridUnit = r.gridUnit;
    for (int k = 0; k < 3; ++k) {
        GridAxis& a = m.axes[k];
        std::copy(r.widths[k].begin(), r.widths[k].end(), a.widths.begin());
        a.n = static_cast<std::uint16_t>(r.widths[k].size());
        m.origin[k] = r.origin[k];
        m.clipLo[k] = r.clipLo[k];
        m.clipHi[k] = r.clipHi[k];
    }
    r.blocks.CopyTo(m.blocks.data.data());
    m.blocks.count = static_cast<std::uint16_t>(r.blocks.size());
    m.colours = r.colours;
    RestoreInto(m.nodeBcs, r.nodeBcs);
    RestoreInto(m.borderBcs, r.borderBcs);
    RestoreInto(m.materialBcs, r.materialBcs);
    RestoreInto(m.functions, r.functions);
    RestoreInto(m.outputNodes, r.outputNodes);
    RestoreInto(m.outputBlocks, r.outputBlocks);
    RestoreInto(m.reportItems, r.reportItems);
    std::copy(r.sunObstacles.begin(), r.sunObstacles.end(), m.sunObstacles.begin());
    m.sunObstacleCount = static_cast<std::int32_t>(r.sunObstacles.size());
    std::copy(r.ventFlows.begin(), r.ventFlows.end(), m.ventFlows.begin());
    m.ventFlowCount = static_cast<std::int32_t>(r.ventFlows.size());
    RestoreInto(m.controls, r.controls);

    m.timeStep = r.timeStep;
    m.startupDuration = r.startupDuration;
    m.calcDuration = r.calcDuration;
    m.day0 = r.day0;
    m.cycles = r.cycles;
    m.iterations = r.iterations;
    m.rays = r.rays;
    m.hrBlack = r.hrBlack;
    m.minViewFactor = r.minViewFactor;
    m.airspaceDeltaT = r.airspaceDeltaT;
    m.maxDeltaT = r.maxDeltaT;
    m.maxObjectDivergence = r.maxObjectDivergence;
    m.maxNodeDivergence = r.maxNodeDivergence;
    m.linearRadiation = r.linearRadiation;
    m.recalcCen = r.recalcCen;

    m.rot1z = r.rot1z;
    m.rot2x = r.rot2x;
    m.rot3z = r.rot3z;
    m.latitude = r.latitude;
    m.longitude = r.longitude;
    m.timeZone = r.timeZone;
    m.groundReflection = r.groundReflection;

    m.title = r.title;
    ComputeGridCoordinates();
    ComputeModelExtent();
    return true;
}

void RefreshViewsAfterUndo()
{
    EngineHost& host = Host();
    host.RefillTables();
    host.UpdateModelView();
    const UndoRecord* current = g_history.Current();
    host.SetModified(!current || current->kind != kUndoBaseline);
    host.UpdateAllViews();
}

void GoToUndoItem(int kind, int a1, int a2)
{
    Host().GoToUndoItem(kind, a1, a2);
}

std::size_t UndoRecordCount()
{
    return g_history.Count();
}

long long CurrentUndoIndex()
{
    return g_history.CurrentIndex();
}

const UndoRecord* CurrentUndoRecord()
{
    return g_history.Current();
}

} // namespace gelmar
