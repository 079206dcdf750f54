// The steady-state system K T = b of one calculation cycle: conduction
// between the corners of every conductive cell, surface terms where a
// boundary cell meets a conductive cell, imposed powers and fluxes, and the
// radiation and air couplings of the zones. A conductance G between unknowns
// i and j adds G to both diagonals and -G to K_ij; a coupling to a fixed node
// of value T_f adds G to K_ii and G T_f to b_i.
#pragma once
#include "common/kernels/ZoneRadiation.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <cstdint>

namespace novelk {

class EngineHost;

// The law of the radiation coefficients: the temperatures of the present
// solution when there is one and radiation is non-linear, else hrbl.
kernels::RadiationLaw RadiationLawOf(const ModelStore& m, const RunState& run);

// Clears the values (the temperatures stay), then conduction, boundary
// faces, powers and fluxes, zone couplings and the zero diagonals, in this
// order.
void AssembleCoefficients(const ModelStore& m, RunState& run, EngineHost& host);

// The parts, for the tests.
void AssembleCellConductances(const ModelStore& m, RunState& run, EngineHost& host);
void ApplyPowerAndFluxBcs(const ModelStore& m, RunState& run);
void AssembleZoneCouplings(const ModelStore& m, RunState& run, EngineHost& host);

} // namespace novelk
