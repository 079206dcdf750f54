// Undo and redo by whole snapshots of the model. After every edit the editing
// command saves an UndoRecord: a copy of everything an edit can change, with
// the kind of the edit and the table cell where it happened. The history (one
// per program, owned beside the model) holds at most 101 records: the current
// one and 100 older ones. Undo copies the older record back into the model,
// brings the open windows up to date and re-opens the window of the undone
// edit at its cell; Redo does the same forward.
#pragma once
#include "common/core/UndoHistory.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <array>
#include <string>
#include <vector>

namespace novelk {

class EngineHost;

// Kinds of edit and the window each belongs to.
enum UndoKind : int {
    kUndoBaseline = -1, // a whole-model change (file opened, created or saved, a calculation, ...)
    kUndoGrid = 0,
    kUndoMinimumGrid = 1,
    kUndoBlocks = 2,
    kUndoColours = 3,
    kUndoNodeBcs = 4,
    kUndoBorderBcs = 5,
    kUndoMaterialBcs = 6,
    kUndoAreas = 7,
    kUndoUValues = 8,
    kUndoClip = 9,
    kUndoCalcParameters = 10, // the Calculation Parameters dialog
    kUndoTitle = 11,          // the Title dialog
};

// Most records kept, the current one included.
constexpr std::size_t kUndoLimit = 101;

struct UndoRecord {
    int kind = kUndoBaseline;
    int a1 = 0, a2 = 0; // row and column of the edited cell

    float gridUnit = 1;
    std::array<std::vector<float>, 3> widths; // one entry per cell of each axis
    float insertionOrigin[3] = {};
    std::vector<BlockRecord> blocks;
    std::array<ColourRecord, kColourCount> colours;
    std::vector<NodeBcRecord> nodeBcs;
    std::vector<BorderFaceBcRecord> borderBcs;
    std::vector<MaterialBcRecord> materialBcs;
    std::array<AreaRecord, kAreaRecords> areas;
    std::array<AreaRecord, kAreaRecords> elements;
    std::uint16_t clipLo[3] = {}, clipHi[3] = {};
    CalculationParameters calc;
    std::string title;
    std::vector<OutlineSegment> outlines;
};

class UndoHistory : public common::UndoHistory<UndoRecord> {
  public:
    UndoHistory() : common::UndoHistory<UndoRecord>(kUndoLimit) {}
};

// Saves a snapshot of the model after an edit of the kind at row a1, column
// a2, dropping the records that could have been redone. When the memory for
// it cannot be had, "Not enough memory" is shown and nothing changes; false.
bool SaveUndoRecord(UndoHistory& history, const ModelStore& m, int kind, int a1, int a2, EngineHost& host);

// The commands: false, changing nothing, when there is no record to step to
// (or the model cannot be grown to hold it: "Not enough memory"). Undo frees
// the calculation results first.
bool Undo(UndoHistory& history, ModelStore& m, RunState& run, EngineHost& host);
bool Redo(UndoHistory& history, ModelStore& m, RunState& run, EngineHost& host);

// Copies the record into the model (the results go when a cell count
// changes) and recomputes the grid coordinates and the extent; false when the
// model's arrays cannot be grown to hold it, the model then unchanged.
bool RestoreUndoRecord(const UndoRecord& r, ModelStore& m, RunState& run, EngineHost& host);

// Brings back the window of an edit of the kind at its cell (kinds 0..11;
// the baseline none).
void RefreshViewsAfterUndo(EngineHost& host, int kind, int a1, int a2);

} // namespace novelk
