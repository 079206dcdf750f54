// Factor, conjugate gradients and the cycle test over the run's arrays.
#include "novelk/model/calc/Solver.h"

#include "novelk/model/store/EngineHost.h"

#include <algorithm>
#include <cmath>

namespace novelk {

namespace {

kernels::EscCheck EscOf(EngineHost& host)
{
    return [&host] {
        CheckEscAbort(host);
        return false;
    };
}

void Show(RunState& run, EngineHost& host, const kernels::SolverState& s)
{
    SolverReadouts& r = run.readouts;
    r.steps = s.iterations;
    r.largestChange = s.largestChange;
    r.objectDivergence = s.objectDivergence;
    r.nodeDivergence = s.nodeDivergence;
    host.ShowSolverProgress(r);
}

} // namespace

void FactoriseIncompleteCholesky(RunState& run, EngineHost& host)
{
    run.calc.factor.Factorise(*run.calc.matrix, EscOf(host), &run.calc.work.team);
}

void RunConjugateGradient(const ModelStore& m, RunState& run, EngineHost& host)
{
    CalcArrays& c = run.calc;
    if (!run.resultsLoaded) {
        ClearNodeTemperatures(run);
        run.resultsLoaded = true;
        run.fluxesLoaded = false;
    }
    kernels::SolverState& state = c.solver;
    // The last step's change carries over from the previous solve (or the
    // solution file) into the first stop test.
    state.largestChange = run.readouts.largestChange;
    const kernels::SolverLimits limits{m.calc.iterations, m.calc.maxDeltaT, m.calc.maxObjectDivergence,
                                       m.calc.maxNodeDivergence};
    kernels::SolverHooks hooks;
    hooks.esc = EscOf(host);
    hooks.progress = [&](const kernels::SolverState& s) { Show(run, host, s); };
    const kernels::SolveOutcome outcome = kernels::SolveConjugateGradient(
        *c.matrix, c.factor, c.rhs.data(), run.temperature.data(), c.work, state, limits, hooks);
    if (outcome == kernels::SolveOutcome::Settled) {
        // The read-out after the loop counts one step more, as after a full run.
        ++state.iterations;
        Show(run, host, state);
    }
}

void ClearNodeTemperatures(RunState& run)
{
    std::fill(run.temperature.begin(), run.temperature.end(), 0.0);
}

void SavePreviousTemperatures(RunState& run)
{
    run.calc.previous = run.temperature;
}

bool CheckCycleChange(const ModelStore& m, RunState& run, EngineHost& host)
{
    double largest = 0;
    const std::vector<double>& previous = run.calc.previous;
    for (std::size_t n = 0; n < run.temperature.size() && n < previous.size(); ++n)
        largest = std::max(largest, std::abs(run.temperature[n] - previous[n]));
    run.readouts.cycleChange = static_cast<float>(largest);
    host.ShowSolverProgress(run.readouts);
    return run.readouts.cycleChange <= m.calc.maxCycleChange;
}

} // namespace novelk
