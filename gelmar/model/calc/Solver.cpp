// Solver calls of the transient run over the work arrays.
#include "gelmar/model/calc/Solver.h"
#include "gelmar/model/calc/RunState.h"

#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>

namespace gelmar {

namespace {

kernels::EscCheck EngineEsc(EngineHost& host)
{
    return [&host] {
        CheckEscAbort(host);
        return false;
    };
}

void ShowSolverProgress(EngineHost& host, const kernels::SolverState& s)
{
    host.ShowSolverProgress(s.iterations, s.largestChange, s.objectDivergence, s.nodeDivergence);
}

} // namespace

void FactoriseIncompleteCholesky(RunState& run, EngineHost& host)
{
    run.work.factor.Factorise(*run.work.matrix, EngineEsc(host), &run.work.solverWork.team);
}

int SolveConjugateGradient(ModelStore& model, RunState& run, EngineHost& host)
{
    if (!run.solutionValid) {
        // The first solve of a run starts from x = 0 (r = b).
        run.solutionValid = true;
        run.fluxesValid = false;
    }
    const kernels::SolverLimits limits{model.iterations, model.maxDeltaT, model.maxObjectDivergence,
                                       model.maxNodeDivergence};
    kernels::SolverHooks hooks;
    hooks.esc = EngineEsc(host);
    hooks.progress = [&host](const kernels::SolverState& s) { ShowSolverProgress(host, s); };
    const kernels::SolveOutcome outcome = kernels::SolveConjugateGradient(
        *run.work.matrix, run.work.factor, run.work.rhs.data(), run.work.solution.data(), run.work.solverWork,
        run.solver, limits, hooks);
    if (outcome == kernels::SolveOutcome::Settled)
        return run.temperatureDependent ? 1 : 0;
    return 1;
}

bool UniformStart(ModelStore& model, RunState& run)
{
    bool failed = false;
    auto heat = [&](float q) {
        if (q != 0.0f)
            failed = true;
    };
    auto fixed = [&](float t) {
        if (failed)
            return;
        if (run.uniformPending) {
            run.commonTemperature = t;
            run.uniformPending = false;
        } else if (t != run.commonTemperature) {
            failed = true;
        }
    };
    for (const ColourRecord& c : model.colours) {
        if (!c.inUse || failed)
            continue;
        const int t = c.type;
        if (t == BC_SIMPL || t == BC_FREE || t == BC_SKY || t == BC_NOSKY || t == BC_FRE_S)
            heat(c.flux);
        if (t == BC_FREE || t == BC_FRE_S)
            heat(c.qConvective);
        if (t == BC_SIMPL)
            fixed(c.temperature);
        if (t == BC_SKY || t == BC_NOSKY)
            fixed(c.airTemperature);
    }
    for (std::int32_t n = 0; n < model.nodeBcs.count && !failed; ++n) {
        const NodeBcRecord& r = model.nodeBcs[n];
        r.type == 0 ? fixed(r.temperature) : heat(r.power);
    }
    for (std::int32_t n = 0; n < model.borderBcs.count && !failed; ++n) {
        const BorderFaceBcRecord& r = model.borderBcs[n];
        r.type == 0 ? fixed(r.temperature) : heat(r.flux);
    }
    for (std::int32_t n = 0; n < model.materialBcs.count && !failed; ++n) {
        const MaterialBcRecord& r = model.materialBcs[n];
        r.type == 0 ? fixed(r.temperature) : heat(r.power);
    }
    if (!failed && AnySolarNodePower(run))
        failed = true;
    if (failed)
        return false;
    if (run.uniformPending) {
        run.commonTemperature = 0.0f;
        run.uniformPending = false;
    }
    std::fill(run.work.solution.begin(), run.work.solution.end(), static_cast<double>(run.commonTemperature));
    run.solutionValid = true;
    return true;
}

} // namespace gelmar
