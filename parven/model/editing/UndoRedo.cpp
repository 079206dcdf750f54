// Snapshots of the model and the undo and redo commands.
#include "parven/model/editing/UndoRedo.h"

#include "parven/model/store/Errors.h"

#include <algorithm>
#include <new>

namespace parven {

namespace {

template <typename T, std::size_t N> void RestoreInto(std::vector<T>& v, const common::SharedChunks<T, N>& c)
{
    v.resize(c.size());
    c.CopyTo(v.data());
}

// The model of the record as the model becomes on a restore; the arrays keep
// at least the capacity the model has now.
ShapeModel Restored(const UndoRecord& r, const ShapeModel& now)
{
    ShapeModel m;
    static_cast<ShapeModelBase&>(m) = r.model;
    m.dataFilePath = now.dataFilePath;
    m.session = now.session;
    if (!m.blocks.Grow(std::max<std::size_t>(r.blocks.size(), now.blocks.capacity)))
        throw std::bad_alloc();
    r.blocks.CopyTo(m.blocks.data.data());
    m.blocks.count = static_cast<std::uint32_t>(r.blocks.size());
    RestoreInto(m.stl.vertices, r.vertices);
    RestoreInto(m.stl.triangles, r.triangles);
    return m;
}

bool Restore(const UndoRecord& r, ShapeModel& m, MeshState& mesh, RunState& run, EngineHost& host)
{
    try {
        m = Restored(r, m);
    } catch (const std::bad_alloc&) {
        host.Tell(MemoryText());
        return false;
    }
    mesh = MeshState{};
    run = RunState{};
    host.RefillTables();
    host.SetModified(r.kind != kUndoBaseline);
    host.UpdateAllViews();
    return true;
}

void GoToItem(EngineHost& host, int kind, int a1, int a2)
{
    if (kind >= kUndoGrid && kind <= kUndoTitle)
        host.GoToUndoItem(kind, a1, a2);
}

} // namespace

bool SaveUndoRecord(UndoHistory& history, const ShapeModel& m, int kind, int a1, int a2, EngineHost& host)
{
    try {
        UndoRecord r;
        r.kind = kind;
        r.a1 = a1;
        r.a2 = a2;
        r.model = m;
        const UndoRecord* previous = history.Current();
        r.blocks.Assign(m.blocks.data.data(), m.blocks.count, previous ? &previous->blocks : nullptr);
        r.vertices.Assign(m.stl.vertices.data(), m.stl.vertices.size(), previous ? &previous->vertices : nullptr);
        r.triangles.Assign(m.stl.triangles.data(), m.stl.triangles.size(),
                           previous ? &previous->triangles : nullptr);
        history.Push(std::move(r));
    } catch (const std::bad_alloc&) {
        host.Tell(MemoryText());
        return false;
    }
    return true;
}

bool Undo(UndoHistory& history, ShapeModel& m, MeshState& mesh, RunState& run, EngineHost& host)
{
    if (!history.CanUndo())
        return false;
    const UndoRecord& undone = *history.Current();
    const int kind = undone.kind, a1 = undone.a1, a2 = undone.a2;
    history.StepBack();
    if (!Restore(*history.Current(), m, mesh, run, host)) {
        history.StepForward();
        return false;
    }
    GoToItem(host, kind, a1, a2);
    return true;
}

bool Redo(UndoHistory& history, ShapeModel& m, MeshState& mesh, RunState& run, EngineHost& host)
{
    if (!history.StepForward())
        return false;
    const UndoRecord& r = *history.Current();
    if (!Restore(r, m, mesh, run, host)) {
        history.StepBack();
        return false;
    }
    GoToItem(host, r.kind, r.a1, r.a2);
    return true;
}

void ClearUndoHistory(UndoHistory& history)
{
    history.Clear();
}

} // namespace parven
