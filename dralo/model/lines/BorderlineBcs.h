// The borderline boundary conditions: a temperature or heat flux fixed on
// the line where two colours meet.
#pragma once
#include "dralo/model/store/BitmapModel.h"

namespace dralo {

// Record k: not valid, both colours unset, kind TEMP, both values 0.
void ResetBorderlineBc(BitmapModel& m, int k);
// Record k is valid when both colours are 0..255, no earlier record holds
// the same pair (in either order) and the pair meets along a boundary edge.
void ValidateBorderlineBc(BitmapModel& m, int k);
void ValidateBorderlineBcs(BitmapModel& m);

} // namespace dralo
