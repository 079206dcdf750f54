// Questions the other parts ask of the colour table. A used colour is one
// whose in-use flag is set.
#pragma once
#include "novelk/model/store/ModelStore.h"

namespace novelk {

// A used colour of type BC_FREE, BC_SKY, BC_NOSKY or TRANSMAT.
bool HasRadiatingColours(const ModelStore& m);
// A used colour of type BC_FREE, BC_SKY, BC_NOSKY, BC_FRE_S or TRANSMAT (the
// view-factor run is needed; without one the run keeps no radiation zones).
bool HasViewFactorColours(const ModelStore& m);
// A used EQUIMAT colour.
bool HasEquimatColours(const ModelStore& m);
// A used colour whose type is not MATERIAL, TRANSMAT, BC_SIMPL or BC_FRE_S
// with a non-zero rule.
bool HasLongWaveColours(const ModelStore& m);
// The used BC_SIMPL colours carry exactly two distinct temperatures.
bool HasTwoSimpleBcTemperatures(const ModelStore& m);
// The used boundary colours describe exactly two environment temperatures:
// BC_SIMPL and BC_FRE_S by `temp` (none when h and flux are 0; a flux makes
// the answer false), BC_SKY by `tair` (false when it differs from `trad` or
// has a flux), BC_NOSKY always false.
bool HasTwoBoundaryTemperatures(const ModelStore& m);

} // namespace novelk
