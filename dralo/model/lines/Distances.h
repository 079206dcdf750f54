// Distances: horizontal, vertical or free lines between two pixels that give
// lengths and widths to the derived results, and the distances of the frame
// method set up automatically.
#pragma once
#include "dralo/model/store/BitmapModel.h"
#include "dralo/model/store/ProgramParameters.h"

namespace dralo {

// Record k: the four coordinates unset, mode, direction, state and side 0,
// no working value, no enforced U value.
void ResetDistance(BitmapModel& m, int k);
// Sets the state of every placed distance: outside (reaching outside the
// bitmap), extent (X: x1 and x2 are the least and greatest x of a present
// colour; Y alike), one colour (X: row y1 holds one colour from x1 to x2 and
// another just beyond both ends; Y alike), free otherwise.
void ValidateDistances(BitmapModel& m);
// Length of distance k in metres: X on one row |x2 - x1| + 1 pixels (side
// 1: the rest of the width), Y alike, ANY the pixel diagonal with 1 added to
// the larger difference; 0 for a distance out of range, not placed or
// reaching outside the bitmap.
double GetDistanceLength(const BitmapModel& m, int k);
// For a model without distances whose frame colour `cfrm` is present and
// that has exactly two boundary temperatures: the frame width along the
// borders whose U value can be computed and the panels beside it, with the
// report settings that use them.
void ComputeFrameWidths(BitmapModel& m, const ProgramParameters& p);
// The distances are those ComputeFrameWidths makes along x (direction 0) or
// y (1): one to three LOCKED distances on one row (column), the first one the
// frame, the others panels from the bitmap's border to the frame.
bool IsStandardFrameLayout(const BitmapModel& m, int direction);

} // namespace dralo
