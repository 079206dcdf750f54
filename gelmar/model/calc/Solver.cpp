// Solver calls of the transient run over the work arrays.
#include "gelmar/model/calc/Solver.h"

#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>

namespace gelmar {

namespace {

kernels::EscCheck EngineEsc()
{
    return [] {
        CheckEscAbort();
        return false;
    };
}

void ShowSolverProgress(const kernels::SolverState& s)
{
    Host().ShowSolverProgress(s.iterations, s.largestChange, s.objectDivergence, s.nodeDivergence);
}

} // namespace

void FactoriseIncompleteCholesky()
{
    g_work.factor.Factorise(*g_work.matrix, EngineEsc(), &g_work.solverWork.team);
}

int SolveConjugateGradient()
{
    if (!g_run.solutionValid) {
        // The first solve of a run starts from x = 0 (r = b).
        g_run.solutionValid = true;
        g_run.fluxesValid = false;
    }
    const kernels::SolverLimits limits{g_model.iterations, g_model.maxDeltaT, g_model.maxObjectDivergence,
                                       g_model.maxNodeDivergence};
    kernels::SolverHooks hooks;
    hooks.esc = EngineEsc();
    hooks.progress = ShowSolverProgress;
    const kernels::SolveOutcome outcome = kernels::SolveConjugateGradient(
        *g_work.matrix, g_work.factor, g_work.rhs.data(), g_work.solution.data(), g_work.solverWork,
        g_run.solver, limits, hooks);
    if (outcome == kernels::SolveOutcome::Settled)
        return g_run.temperatureDependent ? 1 : 0;
    return 1;
}

bool UniformStart()
{
    bool failed = false;
    auto heat = [&](float q) {
        if (q != 0.0f)
            failed = true;
    };
    auto fixed = [&](float t) {
        if (failed)
            return;
        if (g_run.uniformPending) {
            g_run.commonTemperature = t;
            g_run.uniformPending = false;
        } else if (t != g_run.commonTemperature) {
            failed = true;
        }
    };
    for (const ColourRecord& c : g_model.colours) {
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
    for (std::int32_t n = 0; n < g_model.nodeBcs.count && !failed; ++n) {
        const NodeBcRecord& r = g_model.nodeBcs[n];
        r.type == 0 ? fixed(r.temperature) : heat(r.power);
    }
    for (std::int32_t n = 0; n < g_model.borderBcs.count && !failed; ++n) {
        const BorderFaceBcRecord& r = g_model.borderBcs[n];
        r.type == 0 ? fixed(r.temperature) : heat(r.flux);
    }
    for (std::int32_t n = 0; n < g_model.materialBcs.count && !failed; ++n) {
        const MaterialBcRecord& r = g_model.materialBcs[n];
        r.type == 0 ? fixed(r.temperature) : heat(r.power);
    }
    if (!failed && AnySolarNodePower())
        failed = true;
    if (failed)
        return false;
    if (g_run.uniformPending) {
        g_run.commonTemperature = 0.0f;
        g_run.uniformPending = false;
    }
    std::fill(g_work.solution.begin(), g_work.solution.end(), static_cast<double>(g_run.commonTemperature));
    g_run.solutionValid = true;
    return true;
}

} // namespace gelmar
