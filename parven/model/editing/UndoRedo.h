// Undo and redo by whole snapshots of the model. Every edit saves an
// UndoRecord: a copy of the model with the kind of the edit and the table
// cell where it happened; the blocks and the STL vertices and triangles are
// kept in chunks shared with the snapshot before wherever they are the same,
// so a snapshot of a large model costs little, and undo and redo restore
// moved STL geometry from the snapshot, never from the files. The history
// holds at most 101 records: the current one and 100 older ones.
#pragma once
#include "common/core/SharedChunks.h"
#include "common/core/UndoHistory.h"
#include "parven/model/store/EngineHost.h"
#include "parven/model/store/RunStates.h"
#include "parven/model/store/ShapeModel.h"

#include <cstddef>

namespace parven {

// Kinds of edit and the window each brings back.
enum UndoKind : int {
    kUndoBaseline = -1, // a whole-model change (opened, saved, calculated)
    kUndoGrid = 0,      // the Grid table, at the cell
    kUndoBlocks = 1,    // the Blocks table, rows a1..a2
    kUndoBlockPoints = 2,
    kUndoColours = 3,
    kUndoBorderBcs = 4,
    kUndoMaterialBcs = 5,
    kUndoAreas = 6,
    kUndoUValues = 7,
    kUndoClip = 8,
    kUndoCalcParameters = 9, // the Calculation Parameters dialog
    kUndoCoordinates = 10,   // the Coordinates dialog
    kUndoTitle = 11,         // the Title dialog
};

// Most records kept, the current one included.
constexpr std::size_t kUndoLimit = 101;

struct UndoRecord {
    int kind = kUndoBaseline;
    int a1 = 0, a2 = 0; // row and column (or first and last row) of the edit
    ShapeModelBase model;
    common::SharedChunks<BlockRecord> blocks;
    common::SharedChunks<StlVertex, 4096> vertices;
    common::SharedChunks<StlTriangle, 4096> triangles;
};

class UndoHistory : public common::UndoHistory<UndoRecord> {
  public:
    UndoHistory() : common::UndoHistory<UndoRecord>(kUndoLimit) {}
};

// Saves a snapshot of the model after an edit of the kind at a1, a2,
// dropping the records redo could have reached and the oldest beyond the
// limit. When the memory cannot be had, "Not enough memory" is said and the
// history stays as it was; false then.
bool SaveUndoRecord(UndoHistory& history, const ShapeModel& m, int kind, int a1, int a2, EngineHost& host);

// Step back to the older record (Undo) or on to the newer (Redo) and copy it
// into the model: everything but the data-file path and the session
// settings. The mesh and run states start afresh, the open tables refill, the
// modified flag follows the record, and the window of the undone edit (Redo:
// of the new record) comes back at its cell. False, changing nothing, when
// there is no record to step to or the memory for the copy cannot be had.
bool Undo(UndoHistory& history, ShapeModel& m, MeshState& mesh, RunState& run, EngineHost& host);
bool Redo(UndoHistory& history, ShapeModel& m, MeshState& mesh, RunState& run, EngineHost& host);

// Frees every record.
void ClearUndoHistory(UndoHistory& history);

} // namespace parven
