// Dissolving a colour: the neighbouring colours grow into its pixels, one
// layer per turn, until it has none left.
#pragma once
#include "dralo/model/store/BitmapModel.h"

namespace dralo {

// Removes colour r by growth. Growing colours take turns in the cyclic order
// 0..255 (r, absent and held-back colours skipped); each claims, within its
// bounding box grown by one pixel, every pixel of r that lies next to one of
// its own pixels in a direction of the current set, and all claimed pixels
// take its colour at once.
// The direction sets (left, lower left, below; and upper left, above, upper
// right, right, lower right) alternate when the order wraps. With holdBack,
// hard materials (MATERIAL, EQUIMAT or TRANSMAT with `lamb` at or above
// hardMaterial) and boundary colours wait until no other colour can grow or
// two rounds passed without progress. `keep` (>= 0) does not grow. The work
// ends when r has no pixel left, or when a round in each direction set with
// nothing held back claims nothing (r then keeps the pixels no colour
// reaches). Statistics are recomputed first and kept up to date.
void DissolveColour(BitmapModel& m, int r, bool holdBack, int keep, float hardMaterial);

} // namespace dralo
