// Questions about the colours a model uses (in-use flag set): which kinds of
// boundary condition it has, and whether a colour row differs from a fresh one.
#pragma once
#include "parven/model/store/ShapeModel.h"

namespace parven {

// In use, not a MATERIAL, a conductivity other than 1, or a name: the rows
// the Colours table's List Defined shows.
bool IsColourRowNonDefault(const ColourRecord& c);
// A used colour of type BC_FREE, BC_SKY, BC_NOSKY or TRANSMAT.
bool HasRadiatingColours(const ShapeModel& m);
// The same, or BC_FRE_S.
bool HasViewFactorColours(const ShapeModel& m);
bool HasEquimatColours(const ShapeModel& m);
// A used colour whose type is not MATERIAL, TRANSMAT, BC_SIMPL or BC_FRE_S
// and whose surface rule is not 0: the rules then depend on the temperatures.
bool HasLongWaveColours(const ShapeModel& m);
// The used boundary colours give exactly two distinct temperatures and no
// heat flux (the temperature factor needs them): BC_SIMPL and BC_FRE_S with
// neither coefficient nor flux are skipped, with a flux they give false,
// else their temperature counts; BC_SKY counts its air temperature when it
// equals its radiation temperature without flux, else false; BC_NOSKY gives
// false.
bool HasTwoBoundaryTemperatures(const ShapeModel& m);

} // namespace parven
