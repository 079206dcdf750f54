// Snapshots of the model and the undo and redo commands.
#include "novelk/model/editing/UndoRedo.h"

#include "novelk/model/store/EngineHost.h"

#include <algorithm>
#include <new>

namespace novelk {

namespace {

template <typename T, typename Size> std::vector<T> CopyOf(const RecordArray<T, Size>& a)
{
    return {a.data.begin(), a.data.begin() + static_cast<std::ptrdiff_t>(a.count)};
}

template <typename T, typename Size> void RestoreInto(RecordArray<T, Size>& a, const std::vector<T>& v)
{
    std::copy(v.begin(), v.end(), a.data.begin());
    a.count = static_cast<Size>(v.size());
}

void TakeSnapshot(const ModelStore& m, UndoRecord& r)
{
    r.gridUnit = m.gridUnit;
    for (std::size_t k = 0; k < 3; ++k) {
        const GridAxis& a = m.axes[k];
        r.widths[k].assign(a.widths.begin(), a.widths.begin() + a.n);
        r.insertionOrigin[k] = m.insertionOrigin[k];
        r.clipLo[k] = m.clipLo[k];
        r.clipHi[k] = m.clipHi[k];
    }
    r.blocks = CopyOf(m.blocks);
    r.colours = m.colours;
    r.nodeBcs = CopyOf(m.nodeBcs);
    r.borderBcs = CopyOf(m.borderBcs);
    r.materialBcs = CopyOf(m.materialBcs);
    r.areas = m.areas;
    r.elements = m.elements;
    r.calc = m.calc;
    r.title = m.title;
    r.outlines = CopyOf(m.outlines);
}

// Refills the open windows from the model, sets the modified flag (clear at
// a baseline) and updates all views.
void RefreshWindows(EngineHost& host, const UndoRecord& current)
{
    host.RefillTables();
    host.UpdateModelView();
    host.SetModified(current.kind != kUndoBaseline);
    host.UpdateAllViews();
}

} // namespace

bool SaveUndoRecord(UndoHistory& history, const ModelStore& m, int kind, int a1, int a2, EngineHost& host)
{
    try {
        UndoRecord r;
        r.kind = kind;
        r.a1 = a1;
        r.a2 = a2;
        TakeSnapshot(m, r);
        history.Push(std::move(r));
    } catch (const std::bad_alloc&) {
        host.MessageBox("Not enough memory", MessageStyle::Ok);
        return false;
    }
    return true;
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
    // The results belong to the state that was undone.
    FreeWorkArrays(run, WorkGroup::CellsAndNodes, host);
    RefreshWindows(host, *history.Current());
    RefreshViewsAfterUndo(host, kind, a1, a2);
    return true;
}

bool Redo(UndoHistory& history, ModelStore& m, RunState& run, EngineHost& host)
{
    if (!history.StepForward())
        return false;
    const UndoRecord& r = *history.Current();
    if (!RestoreUndoRecord(r, m, run, host)) {
        history.StepBack();
        return false;
    }
    RefreshWindows(host, r);
    RefreshViewsAfterUndo(host, r.kind, r.a1, r.a2);
    return true;
}

bool RestoreUndoRecord(const UndoRecord& r, ModelStore& m, RunState& run, EngineHost& host)
{
    std::size_t cells = 0;
    for (const std::vector<float>& w : r.widths)
        cells = std::max(cells, w.size());
    if (!(GrowGridLineArrays(m, cells) && GrowBlockArray(m, r.blocks.size()) &&
          GrowNodeBcArray(m, r.nodeBcs.size()) && GrowBorderBcArray(m, r.borderBcs.size()) &&
          GrowMaterialBcArray(m, r.materialBcs.size()) && GrowOutlineSegmentArray(m, r.outlines.size()))) {
        host.MessageBox("Not enough memory", MessageStyle::Ok);
        return false;
    }
    bool countsChanged = false;
    for (std::size_t k = 0; k < 3; ++k)
        countsChanged |= r.widths[k].size() != m.axes[k].n;
    if (countsChanged)
        FreeWorkArrays(run, WorkGroup::CellsAndNodes, host);

    m.gridUnit = r.gridUnit;
    for (std::size_t k = 0; k < 3; ++k) {
        GridAxis& a = m.axes[k];
        std::copy(r.widths[k].begin(), r.widths[k].end(), a.widths.begin());
        a.n = static_cast<std::uint16_t>(r.widths[k].size());
        m.insertionOrigin[k] = r.insertionOrigin[k];
    }
    RestoreInto(m.blocks, r.blocks);
    m.colours = r.colours;
    RestoreInto(m.nodeBcs, r.nodeBcs);
    RestoreInto(m.borderBcs, r.borderBcs);
    RestoreInto(m.materialBcs, r.materialBcs);
    m.areas = r.areas;
    m.elements = r.elements;
    RestoreInto(m.outlines, r.outlines);
    for (std::size_t k = 0; k < 3; ++k) {
        m.clipLo[k] = r.clipLo[k];
        m.clipHi[k] = r.clipHi[k];
    }
    m.calc = r.calc;
    m.title = r.title;
    ComputeGridCoordinates(m);
    ComputeModelExtent(m);
    return true;
}

void RefreshViewsAfterUndo(EngineHost& host, int kind, int a1, int a2)
{
    if (kind >= kUndoGrid && kind <= kUndoTitle)
        host.GoToUndoItem(kind, a1, a2);
}

} // namespace novelk
