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

// Fills an array of the restored model from the record's shared copy, with
// at least the capacity the model has now.
template <typename T, typename Size>
void RestoreInto(RecordArray<T, Size>& a, const common::SharedChunks<T>& c, const RecordArray<T, Size>& now)
{
    const std::size_t size = std::max<std::size_t>(c.size(), static_cast<std::size_t>(now.capacity));
    if (static_cast<std::size_t>(a.capacity) < size && !a.Grow(size))
        throw std::bad_alloc();
    c.CopyTo(a.data.data());
    a.count = static_cast<Size>(c.size());
}

// Shares a list of the model chunk by chunk with the same list of the
// snapshot before.
template <typename T, typename Size>
void Share(common::SharedChunks<T>& copy, const RecordArray<T, Size>& a, const UndoRecord* previous,
           common::SharedChunks<T> UndoRecord::*list)
{
    copy.Assign(a.data.data(), static_cast<std::size_t>(a.count), previous ? &(previous->*list) : nullptr);
}

// The model of the record as the model becomes on a restore: what a snapshot
// does not stand for stays as it is now, and no array shrinks.
ModelStore Restored(const UndoRecord& r, const ModelStore& now)
{
    ModelStore m = r.model;
    RestoreInto(m.blocks, r.blocks, now.blocks);
    RestoreInto(m.nodeBcs, r.nodeBcs, now.nodeBcs);
    RestoreInto(m.borderBcs, r.borderBcs, now.borderBcs);
    RestoreInto(m.materialBcs, r.materialBcs, now.materialBcs);
    RestoreInto(m.outputNodes, r.outputNodes, now.outputNodes);
    RestoreInto(m.outputBlocks, r.outputBlocks, now.outputBlocks);
    RestoreInto(m.reportItems, r.reportItems, now.reportItems);
    RestoreInto(m.controls, r.controls, now.controls);
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
        UndoRecord r{kind, a1, a2, m, {}, {}, {}, {}, {}, {}, {}, {}};
        r.model.blocks = {};
        r.model.nodeBcs = {};
        r.model.borderBcs = {};
        r.model.materialBcs = {};
        r.model.outputNodes = {};
        r.model.outputBlocks = {};
        r.model.reportItems = {};
        r.model.controls = {};
        const UndoRecord* previous = history.Current();
        Share(r.blocks, m.blocks, previous, &UndoRecord::blocks);
        Share(r.nodeBcs, m.nodeBcs, previous, &UndoRecord::nodeBcs);
        Share(r.borderBcs, m.borderBcs, previous, &UndoRecord::borderBcs);
        Share(r.materialBcs, m.materialBcs, previous, &UndoRecord::materialBcs);
        Share(r.outputNodes, m.outputNodes, previous, &UndoRecord::outputNodes);
        Share(r.outputBlocks, m.outputBlocks, previous, &UndoRecord::outputBlocks);
        Share(r.reportItems, m.reportItems, previous, &UndoRecord::reportItems);
        Share(r.controls, m.controls, previous, &UndoRecord::controls);
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
