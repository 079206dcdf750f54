// Undo and redo by snapshots. Every change of the model records a snapshot;
// Undo and Redo move along the list and restore the model, then reopen the
// place where the change was made. Pixels are kept economically: a snapshot
// holds either the pixels changed since the previous snapshot (with their
// old and new colours) or a run-length image of the whole bitmap, which the
// following snapshots share. The history holds at most 101 snapshots.
#pragma once
#include "common/core/UndoHistory.h"
#include "dralo/model/store/BitmapModel.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dralo {

class EngineHost;

// Kinds of change, and the window each belongs to.
enum UndoKind : int {
    kUndoBase = -1,         // after opening, saving or calculating
    kUndoPixels = 0,        // a pixel or colour edit (the bitmap window)
    kUndoMeasures = 1,      // the Measures table
    kUndoColours = 2,       // the Colours table
    kUndoDistances = 3,     // the Distances table
    kUndoBorderline = 4,    // the Borderline BCs table
    kUndoCalcParameters = 5,
    kUndoBorderU = 6,       // the Border U Values table
    kUndoDerived = 7,       // the Derived Thermal Properties dialog
    kUndoTitle = 8,
};

constexpr std::size_t kUndoLimit = 101;

struct UndoRecord {
    int kind = kUndoBase;
    int row = 0, column = 0; // the edited cell
    std::int32_t width = 0, height = 0;
    // Pairs (colour, count 1..255) row after row, runs cut at each row's
    // end; shared with the neighbouring snapshots of the same image.
    std::shared_ptr<const std::vector<std::uint8_t>> image;
    BitmapViewState view;
    std::vector<ChangedPixel> changed; // since the previous snapshot
    float pixs = 0, tris = 0;
    // All 256 records, so that an edit of a colour without pixels is undone too.
    std::array<ColourRecord, kColourCount> colours;
    std::array<DistanceRecord, kDistanceCapacity> distances;
    std::int32_t ndis = 0;
    std::array<BorderlineBcRecord, kBorderlineBcCapacity> borderlineBcs;
    std::int32_t nbor = 0;
    CalcParameters calc;
    ReportSettings report;
    std::string title;
};

class UndoHistory : public common::UndoHistory<UndoRecord> {
  public:
    UndoHistory() : common::UndoHistory<UndoRecord>(kUndoLimit) {}
};

// Records a snapshot of the kind after a change at (row, column). With
// withPixels (or as the first snapshot) the changed-pixel list goes into it
// when it holds 1 to capacity-1 entries, else the whole bitmap is compressed
// into a new image; the list is emptied. The first snapshot always has an
// image. When the memory cannot be had, "Not enough memory" is shown, nothing
// is recorded and the result is false.
bool SaveUndoRecord(UndoHistory& undo, BitmapModel& m, int kind, int row, int column, bool withPixels,
                    EngineHost& host);
// Replaces the newest snapshot's colour records by the model's (after a
// pixel edit updated the statistics).
void RefreshSnapshotColours(UndoHistory& undo, const BitmapModel& m);

// Undo and Redo; false, changing nothing, when there is no snapshot to step to.
bool UndoEdit(UndoHistory& undo, BitmapModel& m, EngineHost& host);
bool RedoEdit(UndoHistory& undo, BitmapModel& m, EngineHost& host);

// The run-length image of the bitmap.
std::vector<std::uint8_t> CompressBitmapImage(const BitmapModel& m);

} // namespace dralo
