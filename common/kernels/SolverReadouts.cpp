// The solver's read-outs.
#include "common/kernels/SolverReadouts.h"

namespace kernels {

void ShowSolverReadouts(const SolverState& s, common::SolverReadouts& readouts, common::EngineHostBase& host)
{
    readouts.steps = s.iterations;
    readouts.largestChange = s.largestChange;
    readouts.objectDivergence = s.objectDivergence;
    readouts.nodeDivergence = s.nodeDivergence;
    host.ShowSolverProgress(readouts);
}

} // namespace kernels
