// Set Reduced Heat Transfer: the corners of an interior surface where it
// meets a material, within 30 mm of the surfaces that run along the heat
// flow, take the reduced-heat-transfer colour `crht` (a BC_SIMPL with rule
// HI_REDUC), as EN ISO 10077-2 asks of window frames.
#pragma once
#include "dralo/model/editing/EditSession.h"

namespace dralo {

// Directions of heat flow.
enum : int { kFlowLeftwards = 0, kFlowRightwards = 1, kFlowUpwards = 2, kFlowDownwards = 3 };

// The command: the wedges, then the end of a whole-bitmap edit.
void RunSetReducedHeatTransfer(EditSession& s, int c, int direction);
// Gives the pixels of boundary colour c in the wedges along its surfaces
// parallel to the heat flow (where they lie against a MATERIAL colour) the
// colour crht, spreads it to the neighbours of isolated crht pixels, and
// sets crht up as BC_SIMPL, rule HI_REDUC, `hglo` 5.0 with c's `temp` and `flux`.
void SetReducedHeatTransfer(BitmapModel& m, int crht, int c, int direction);
// Every pixel of colour r none of whose four neighbours has colour r gives
// its neighbours of colour c the colour r (row order, seeing its own changes).
void SpreadIsolatedPixels(BitmapModel& m, int r, int c);

} // namespace dralo
