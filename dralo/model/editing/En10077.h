// EN 10077 Preparation: turns a drawn window-frame section into a model for
// the frame calculation of EN ISO 10077-2. Tiny zones of the cavity colour
// go, the cavity colour at two opposite borders becomes the interior and
// exterior environments, the remaining cavities become equivalent
// materials each with a colour of its own, the frame and panel distances
// are set up, the insulation panels are lengthened to the standard's
// length and the interior surface's corners get the reduced heat transfer.
// The settings are the program defaults `npxd`, `ccav`, `cfrm`, `cext`,
// `cint`, `crht`, `tcav`, `ilef`, `inup`, `panl`.
#pragma once
#include "dralo/model/editing/EditSession.h"

namespace dralo {

// The layout a preparation recognised.
enum class FrameLayout { None, XInteriorLeft, XInteriorRight, YInteriorTop, YInteriorBottom };

// Runs the preparation; when anything changed, the end of a whole-bitmap
// edit follows (the bitmap view redrawn as a whole after a resize).
FrameLayout PrepareEn10077Model(EditSession& s);
// No present boundary colour is active: BC_SIMPL and BC_FRE_S colours all
// have `hglo` 0 and `flux` 0, and no BC_SKY or BC_NOSKY colour is present.
bool HasNoActiveBoundaryColours(const BitmapModel& m);
// Every pixel of the border (0 left column, 1 right column, 2 top row, 3
// bottom row) has the colour.
bool IsBorderOfColour(const BitmapModel& m, int side, int colour);

} // namespace dralo
