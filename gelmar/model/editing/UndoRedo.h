// Undo and redo by whole snapshots of the model: every edit ends by saving an
// UndoRecord that copies the store's editable content with the kind of the
// edit and the table cell where it happened. The records form a list with a
// current record (common::UndoHistory); Undo steps back to the previous
// snapshot and copies it into the store, Redo steps forward. The list holds
// at most kUndoLimit records.
#pragma once
#include "common/core/SharedChunks.h"
#include "gelmar/model/store/ModelStore.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gelmar {

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

struct UndoRecord {
    int kind = kUndoBaseline;
    int a1 = 0, a2 = 0; // row and column (or item and field) of the edited cell

    float gridUnit = 1;
    std::array<std::vector<float>, 3> widths; // one entry per cell of each axis
    float origin[3] = {};
    // Shared chunk by chunk with the snapshot before where the blocks are
    // the same: an edit of one block of a large model copies little.
    common::SharedChunks<BlockRecord> blocks;
    std::array<ColourRecord, kColourCount> colours;
    std::vector<NodeBcRecord> nodeBcs;
    std::vector<BorderFaceBcRecord> borderBcs;
    std::vector<MaterialBcRecord> materialBcs;
    std::vector<FunctionRecord> functions;
    std::vector<OutputNodeRecord> outputNodes;
    std::vector<OutputBlockRecord> outputBlocks;
    std::vector<ReportItemRecord> reportItems;
    std::vector<SunObstacleRecord> sunObstacles;
    std::vector<VentilationFlowRecord> ventFlows;
    std::vector<ControlRecord> controls;
    std::uint16_t clipLo[3] = {}, clipHi[3] = {};

    // Calculation settings.
    std::int32_t timeStep = 0, startupDuration = 0, calcDuration = 0, day0 = 0;
    std::int32_t cycles = 0, iterations = 0, rays = 0;
    float hrBlack = 0, minViewFactor = 0, airspaceDeltaT = 0;
    float maxDeltaT = 0, maxObjectDivergence = 0, maxNodeDivergence = 0;
    std::int32_t linearRadiation = 0, recalcCen = 0;

    // Solar data.
    float rot1z = 0, rot2x = 0, rot3z = 0;
    float latitude = 0, longitude = 0, timeZone = 0, groundReflection = 0;

    std::string title;
};

// Saves a snapshot of the model after an edit of the given kind (kind -1: a
// baseline after a model was created, opened or rebuilt as a whole). The
// records that could have been redone are discarded and the list is trimmed
// to its limit. When the snapshot cannot be allocated "Not enough memory" is
// shown and the history stays as it was; false then.
bool SaveUndoRecord(int kind, int a1, int a2);

// The menu commands: step back or forward, copy that snapshot into the
// store, refresh the views and bring back the window of the edit. They do
// nothing (false) when there is no record to step to.
bool Undo();
bool Redo();
bool CanUndo();
bool CanRedo();

// Frees every record.
void ClearUndoHistory();
// Frees every record newer than the current one.
void DropRedoRecords();
// Copies the current record into the store; false (with a message) when the
// store's arrays cannot be grown to hold it, the store then unchanged.
bool RestoreUndoRecord();
// Refills the open views, updates the 3D view, sets the modified flag (clear
// at a baseline) and updates all views of the document.
void RefreshViewsAfterUndo();
// Shows the window of the edit of the given kind at the given cell.
void GoToUndoItem(int kind, int a1, int a2);

// Number of records and position of the current one (0 = oldest); -1 when
// the list is empty.
std::size_t UndoRecordCount();
long long CurrentUndoIndex();
// The current record, or nullptr.
const UndoRecord* CurrentUndoRecord();

} // namespace gelmar
