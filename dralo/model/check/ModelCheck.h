// The model check before meshing: boundary conditions must be consistent,
// and the radiation zones are numbered. A radiation zone is a 4-connected
// area of non-solid pixels (types BC_SIMPL .. TRANSMAT) grown from a colour
// of type BC_FREE .. TRANSMAT; every such colour lies in exactly one zone,
// and boundary colours of different type never touch. Adiabatic boundary
// colours (BC_SIMPL or BC_FRE_S with `hglo` 0 and `flux` 0) take no part.
#pragma once
#include "dralo/model/store/BitmapModel.h"

namespace dralo {

class EngineHost;

// Sets every colour's adiabatic mark and radiation zone and the model's
// zone count, which it returns. Throws EngineError SeparatedZones (with the
// colour) or TouchingBcTypes (with the two colours, the smaller first), and
// EscAbort when the user presses Esc (polled every 10001st pixel).
int CheckCalculationModel(BitmapModel& m, EngineHost& host);

} // namespace dralo
