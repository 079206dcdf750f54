// The snapshot history of undo and redo.
#include "gelmar/model/editing/UndoRedo.h"

#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/StaleResults.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

namespace gelmar {

namespace {

template <typename T, typename Size>
void KeepCapacity(RecordArray<T, Size>& a, const RecordArray<T, Size>& now)
{
    if (a.capacity < now.capacity && !a.Grow(now.capacity))
        throw std::bad_alloc();
}

// The model of the record as the model becomes on a restore: what a snapshot
// does not stand for stays as it is now, and no array shrinks.
ModelStore Restored(const UndoRecord& r, const ModelStore& now)
{
    ModelStore m = r.model;
    const std::size_t blocks = std::max<std::size_t>(r.blocks.size(), now.blocks.capacity);
    if (m.blocks.capacity < blocks && !m.blocks.Grow(blocks))
        throw std::bad_alloc();
    r.blocks.CopyTo(m.blocks.data.data());
    m.blocks.count = static_cast<std::uint16_t>(r.blocks.size());
    m.dataFilePath = now.dataFilePath;
    m.blockBase = now.blockBase;
    m.rcl = now.rcl;
    m.viewAzimuth = now.viewAzimuth;
    m.viewAltitude = now.viewAltitude;
    m.tmin = now.tmin, m.tmax = now.tmax, m.tin1 = now.tin1, m.tin2 = now.tin2, m.tsin = now.tsin;
    m.qmin = now.qmin, m.qmax = now.qmax, m.qin1 = now.qin1, m.qin2 = now.qin2;
    m.saveResults = now.saveResults;
    m.saveFrequency = now.saveFrequency;
    m.reportFrequency = now.reportFrequency;
    m.azimuthNorth = now.azimuthNorth;
    m.altitudeNorth = now.altitudeNorth;
    std::copy(std::begin(now.clipCoord), std::end(now.clipCoord), std::begin(m.clipCoord));
    if (m.gridCapacity < now.gridCapacity && !GrowGridLineArrays(m, now.gridCapacity))
        throw std::bad_alloc();
    // The line flags (the Grid table's selection among them) are the views'.
    for (std::size_t k = 0; k < 3; ++k) {
        m.axes[k].flags = now.axes[k].flags;
        m.axes[k].flags.resize(std::size_t{m.gridCapacity} + 1);
    }
    KeepCapacity(m.blocks, now.blocks);
    KeepCapacity(m.nodeBcs, now.nodeBcs);
    KeepCapacity(m.borderBcs, now.borderBcs);
    KeepCapacity(m.materialBcs, now.materialBcs);
    KeepCapacity(m.functions, now.functions);
    KeepCapacity(m.controls, now.controls);
    KeepCapacity(m.outputNodes, now.outputNodes);
    KeepCapacity(m.outputBlocks, now.outputBlocks);
    KeepCapacity(m.reportItems, now.reportItems);
    ComputeGridCoordinates(m);
    ComputeModelExtent(m);
    return m;
}

} // namespace

bool SaveUndoRecord(UndoHistory& history, const ModelStore& m, EngineHost& host, int kind, int a1, int a2)
{
    try {
        UndoRecord r{kind, a1, a2, m, {}};
        r.model.blocks = {};
        const UndoRecord* previous = history.Current();
        r.blocks.Assign(m.blocks.data.data(), m.blocks.count, previous ? &previous->blocks : nullptr);
        history.Push(std::move(r));
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(host);
        return false;
    }
    return true;
}

bool CanUndo(const UndoHistory& history)
{
    return history.CanUndo();
}

bool CanRedo(const UndoHistory& history)
{
    return history.CanRedo();
}

bool Undo(UndoHistory& history, ModelStore& m, RunState& run, EngineHost& host)
{
    if (!history.CanUndo())
        return false;
    const UndoRecord& undone = *history.Current();
    const int kind = undone.kind, a1 = undone.a1, a2 = undone.a2;
    history.StepBack();
    if (!RestoreUndoRecord(*history.Current(), m, run, host)) {
        history.StepForward();
        return false;
    }
    RefreshViewsAfterUndo(history, host);
    GoToUndoItem(host, kind, a1, a2);
    return true;
}

bool Redo(UndoHistory& history, ModelStore& m, RunState& run, EngineHost& host)
{
    if (!history.StepForward())
        return false;
    if (!RestoreUndoRecord(*history.Current(), m, run, host)) {
        history.StepBack();
        return false;
    }
    RefreshViewsAfterUndo(history, host);
    const UndoRecord& redone = *history.Current();
    GoToUndoItem(host, redone.kind, redone.a1, redone.a2);
    return true;
}

void ClearUndoHistory(UndoHistory& history)
{
    history.Clear();
}

void DropRedoRecords(UndoHistory& history)
{
    history.DropRedo();
}

bool RestoreUndoRecord(const UndoRecord& r, ModelStore& m, RunState& run, EngineHost& host)
{
    ModelStore restored;
    try {
        restored = Restored(r, m);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(host);
        return false;
    }
    bool gridChanged = false;
    for (int k = 0; k < 3; ++k)
        gridChanged |= restored.axes[k].n != m.axes[k].n;
    if (gridChanged)
        ReleaseCalculationResults(run);
    m = std::move(restored);
    return true;
}

void RefreshViewsAfterUndo(const UndoHistory& history, EngineHost& host)
{
    host.RefillTables();
    host.UpdateModelView();
    const UndoRecord* current = history.Current();
    host.SetModified(!current || current->kind != kUndoBaseline);
    host.UpdateAllViews();
}

void GoToUndoItem(EngineHost& host, int kind, int a1, int a2)
{
    host.GoToUndoItem(kind, a1, a2);
}

std::size_t UndoRecordCount(const UndoHistory& history)
{
    return history.Count();
}

long long CurrentUndoIndex(const UndoHistory& history)
{
    return history.CurrentIndex();
}

const UndoRecord* CurrentUndoRecord(const UndoHistory& history)
{
    return history.Current();
}

} // namespace gelmar
