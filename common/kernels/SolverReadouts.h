// The solver's state as the calculation window shows it: the iteration
// counter, the largest change of the last iteration and the two divergences
// copied into the host's read-outs, which the host then shows.
#pragma once
#include "common/core/EngineHost.h"
#include "common/kernels/ConjugateGradient.h"

namespace kernels {

void ShowSolverReadouts(const SolverState& s, common::SolverReadouts& readouts, common::EngineHostBase& host);

} // namespace kernels
