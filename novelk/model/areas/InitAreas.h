// Init Areas && U Values: proposes the area boxes A1..A3 and the flanking
// elements U1..U3 of a junction from the geometry. The twelve edges of the
// box of the solid cells are measured as U lines through the element layers
// between two BC_SIMPL environments of different temperatures; beside each
// measured edge the face of the element towards the reference environment
// becomes an area proposal, narrowed to that environment's face region; lines
// that describe the same element are dropped, the proposals trimmed to each
// other, and the first three become the records.
#pragma once
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <array>

namespace novelk {

class EngineHost;

// First and last solid cell (MATERIAL or EQUIMAT) on each axis of the raster
// (inclusive); false when there is none.
struct CellBox {
    std::array<int, 3> lo{}, hi{};
};
bool FindSolidBoundingBox(const ModelStore& m, const CellRaster& cells, CellBox& box);

// The command: the element and area records reset, the raster built from the
// blocks unless a calculation result is loaded, then the proposals (with
// externalDimensions, the `exte` setting, the areas lie on the faces towards
// the colder environment, else towards the warmer), and the areas computed.
// Without a measurable U line the areas become the faces of the solid box at
// its low planes and the element records stay reset. Shows the wait cursor
// through the host; EngineError Memory when the raster cannot be had.
void InitAreasAndUValues(ModelStore& m, RunState& run, EngineHost& host, bool externalDimensions);

} // namespace novelk
