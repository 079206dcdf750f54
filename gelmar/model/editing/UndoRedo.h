// Undo and redo by whole snapshots of the model: every edit ends by saving an
// UndoRecord that holds a copy of the model with the kind of the edit and the
// table cell where it happened. The records form a list with a
// current record (common::UndoHistory); Undo steps back to the previous
// snapshot and copies it into the store, Redo steps forward. The list holds
// at most kUndoLimit records.
#pragma once
#include "common/core/SharedChunks.h"
#include "common/core/UndoHistory.h"
#include "gelmar/model/store/ModelStore.h"

#include <cstddef>

namespace gelmar {

class EngineHost;
struct RunState;

// Kinds of edit; a baseline after a whole-model change has kind -1.
enum UndoKind : int {
    kUndoBaseline = -1,
    kUndoGrid = 0,
    kUndoMinimumGrid,
    kUndoBlocks,
    kUndoColours,
    kUndoNodeBcs,
    kUndoBorderBcs,
    kUndoMaterialBcs,
    kUndoFunctions,
    kUndoSolarData,
    kUndoClip,
    kUndoCalcParameters,
    kUndoTitle,
    kUndoOutputNodes,
    kUndoOutputBlocks,
    kUndoReport,
    kUndoSunObstacles,
    kUndoVentilation,
    kUndoControls,
};

// Most snapshots kept, the current one included.
constexpr std::size_t kUndoLimit = 102;

// A snapshot: the model after an edit, with the kind of the edit and the
// table cell where it happened.
struct UndoRecord {
    int kind = kUndoBaseline;
    int a1 = 0, a2 = 0; // row and column (or item and field) of the edited cell
    ModelStore model;   // the model but for its blocks and long lists, kept below
    // Shared chunk by chunk with the snapshot before where the blocks are
    // the same: an edit of one block of a large model copies little.
    common::SharedChunks<BlockRecord> blocks;
    // The lists that may run to many records are shared in the same way.
    common::SharedChunks<NodeBcRecord> nodeBcs;
    common::SharedChunks<BorderFaceBcRecord> borderBcs;
    common::SharedChunks<MaterialBcRecord> materialBcs;
    common::SharedChunks<OutputNodeRecord> outputNodes;
    common::SharedChunks<OutputBlockRecord> outputBlocks;
    common::SharedChunks<ReportItemRecord> reportItems;
    common::SharedChunks<ControlRecord> controls;
};

// The snapshots of one program, oldest first, with a current record.
class UndoHistory : public common::UndoHistory<UndoRecord> {
  public:
    UndoHistory() : common::UndoHistory<UndoRecord>(kUndoLimit) {}
};

// Saves a snapshot of the model after an edit of the given kind (kind -1: a
// baseline after a model was created, opened or rebuilt as a whole). The
// records that could have been redone are discarded and the list is trimmed
// to its limit. When the snapshot cannot be allocated "Not enough memory" is
// shown and the history stays as it was; false then.
bool SaveUndoRecord(UndoHistory& history, const ModelStore& m, EngineHost& host, int kind, int a1, int a2);

// The menu commands: step back or forward, copy that snapshot into the
// model, refresh the views and bring back the window of the edit. They do
// nothing (false) when there is no record to step to.
bool Undo(UndoHistory& history, ModelStore& m, RunState& run, EngineHost& host);
bool Redo(UndoHistory& history, ModelStore& m, RunState& run, EngineHost& host);
bool CanUndo(const UndoHistory& history);
bool CanRedo(const UndoHistory& history);

// Frees every record.
void ClearUndoHistory(UndoHistory& history);
// Frees every record newer than the current one.
void DropRedoRecords(UndoHistory& history);
// Copies the snapshot into the model, except what a snapshot does not stand
// for (the temperature and heat-flux scales, the view angles, the save and
// report frequencies, the RCL flag, the older orientation values, the grid
// lines' flags, the block base and the data-file path); the model's arrays
// keep at least their capacities. When a cell count changes the run's results go. False (with a
// message) when the memory for it cannot be had, the model then unchanged.
bool RestoreUndoRecord(const UndoRecord& record, ModelStore& m, RunState& run, EngineHost& host);
// Refills the open views, updates the 3D view, sets the modified flag (clear
// at a baseline) and updates all views of the document.
void RefreshViewsAfterUndo(const UndoHistory& history, EngineHost& host);
// Shows the window of the edit of the given kind at the given cell.
void GoToUndoItem(EngineHost& host, int kind, int a1, int a2);

// Number of records and position of the current one (0 = oldest); -1 when
// the list is empty.
std::size_t UndoRecordCount(const UndoHistory& history);
long long CurrentUndoIndex(const UndoHistory& history);
// The current record, or nullptr.
const UndoRecord* CurrentUndoRecord(const UndoHistory& history);

} // namespace gelmar
