// Per-colour statistics of the pixels: presence, pixel count, bounding box
// and the number of 4-connected zones.
#pragma once
#include "dralo/model/store/BitmapModel.h"

#include <span>

namespace dralo {

// Recomputes presence, pixel count and bounding box of every colour in one
// pass (a colour without pixels gets min x = width, min y = height and max
// x = max y = 0).
void ComputeColourStatistics(BitmapModel& m);
// The same from the changed pixels of one edit: each old colour loses a
// pixel, each new colour gains one; a box side that lay on a pixel that left
// its colour is searched again.
void UpdateColourStatistics(BitmapModel& m, std::span<const ChangedPixel> changes);
// Zone count 0 (not counted) for every colour.
void ClearZoneCounts(BitmapModel& m);
// Counts the 4-connected zones of every colour.
void CountColourZones(BitmapModel& m);

} // namespace dralo
