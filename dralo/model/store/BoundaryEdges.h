// The boundary edges of the bitmap: every straight run of pixel sides along
// which the same two colours meet, the bitmap's outline included (colour -1
// outside), built in full or updated inside the box of an edit.
#pragma once
#include "dralo/model/store/BitmapModel.h"

#include <span>
#include <vector>

namespace dralo {

// Recomputes the statistics and the zone counts and rebuilds the edge list:
// maximal runs, horizontal records row by row (corner rows 0..height), then
// vertical records column by column (corner columns 0..width).
void BuildColourBoundaryEdges(BitmapModel& m);
// Only the edge list of the full build.
std::vector<BoundaryEdge> ScanBoundaryEdges(const BitmapModel& m);

// After an edit whose changed pixels are given: optionally updates the
// statistics from them, clears the zone counts, keeps the records outside
// the box of the changed pixels (cutting those that cross it at its sides)
// and scans the box again. Runs that cross the box's sides are then stored
// in pieces; horizontal records still come before vertical ones.
void UpdateColourBoundaryEdges(BitmapModel& m, std::span<const ChangedPixel> changes, bool withStatistics);

} // namespace dralo
