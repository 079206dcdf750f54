// The run's arrays.
#include "dralo/model/calc/RunState.h"

namespace dralo {

void AllocNodeArrays(RunState& run)
{
    const std::size_t n = static_cast<std::size_t>(run.equations);
    run.nodeKind.assign(n, kNodeFree);
    run.fixedTemperature.assign(n, 0.0f);
    run.heatInput.assign(n, 0.0f);
}

void FreeWorkArrays(RunState& run)
{
    run.mesh = Mesh();
    run.equations = 0;
    run.nodeKind = {};
    run.fixedTemperature = {};
    run.heatInput = {};
    run.radiation = CavityRadiation();
    run.matrix.reset();
    run.pattern.reset();
    run.factor = kernels::IncompleteCholeskyFactor();
    run.rhs = {};
    run.temperature = {};
    run.work = kernels::SolverWork();
    run.solver = kernels::SolverState();
}

} // namespace dralo
