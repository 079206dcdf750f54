// The time loop of the transient calculation.
#include "gelmar/model/calc/TransientRun.h"
#include "gelmar/model/calc/RunState.h"

#include "gelmar/model/calc/Assembly.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/FiniteChecks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/Solver.h"
#include "gelmar/model/calc/StepFiles.h"
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/controls/Controls.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/output/OutputReport.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/solar/SolarFlux.h"
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/ventilation/Ventilation.h"

#include <filesystem>
#include <system_error>

namespace gelmar {

namespace {

bool IsFrequencyStep(ModelStore& model, long long t, int frequency)
{
    const long long step = model.timeStep;
    return t >= 0 && (t / step) % std::max(1, frequency) == 0;
}

} // namespace

int CyclesPerStep(ModelStore& model, bool temperatureDependent)
{
    const bool nonLinearRadiation = model.linearRadiation == 0 && HasRadiatingColours(model);
    const bool rules = model.recalcCen != 0 && HasRuleColours(model);
    return temperatureDependent || nonLinearRadiation || rules ? std::max(1, model.cycles) : 1;
}

RunPlan PrepareTransientRun(ModelStore& model, RunState& run, EngineHost& host)
{
    ModelStore& m = model;
    CheckGridLengths(m);
    run.step = 0;
    FreeAllWorkArrays(run);
    RemoveStepFiles();
    CheckVentilationFlows(model);
    FindSolarFunctions(model, run, true);
    ResolveFunctionReferences(model, run);
    CollectFunctionFiles(model, run);
    LoadPropertyTables(model, run);
    PrepareVentilationNetwork(model, run);
    RasteriseBlocks(model, run);
    PrepareConductivities(model, run);
    BuildSiteRotation(model, run);

    BuildNodeNumbering(model, run, host);
    SetSolarRunInputs(model, run);
    LoadViewFactors(model, run, host);
    CollectSolarZones(model, run);
    host.ShowNodeCount(run.work.gridNodeCount);
    BuildMatrixPattern(model, run, host);
    CheckSolarContacts(model, run);
    PrepareSolarSurfaces(model, run, host, true);
    EvaluateControls(model, run);
    SizeOutputBuffer(model, run);

    // Whether a material depends on temperature is decided here, once: the
    // solver and the cycle count use this answer for the whole run.
    RunPlan plan;
    plan.ventilated = HasVentilationFlows(model);
    run.temperatureDependent = !plan.ventilated && HasTemperatureDependentMaterials(model, run);
    plan.cycles = plan.ventilated ? kVentilationCycleLimit : CyclesPerStep(model, run.temperatureDependent);
    plan.recompute = HasRuleColours(model) ? m.recalcCen : 0;

    plan.timeStep = std::max(1, m.timeStep);
    if (m.startupDuration % plan.timeStep != 0)
        m.startupDuration += plan.timeStep - m.startupDuration % plan.timeStep;
    ClearSolution(run);
    // The cleared field is no solution: the first solve starts from zero and
    // the rules do not read ranges of an earlier run.
    run.solutionValid = false;
    run.uniformPending = true;
    run.uniformFailed = false;
    run.stepLength = 0;
    run.step = 0;
    plan.time = -static_cast<long long>(m.startupDuration);
    return plan;
}

bool TransientStepDue(const ModelStore& model, const RunPlan& plan)
{
    return plan.time <= model.calcDuration && !plan.diverged && !plan.unsettled;
}

void StepTransientRun(ModelStore& model, RunState& run, EngineHost& host, RunPlan& plan)
{
    ModelStore& m = model;
    const long long t = plan.time;
    const bool ventilated = plan.ventilated;
    const int n = run.step;
    run.calcTime = static_cast<std::int32_t>(t);
    host.ShowTimeStep(t, m.startupDuration, m.calcDuration);
    EvaluateColourFunctions(model, run, true);
    if (n > 0 && ApplyControls(model, run))
        EvaluateColourFunctions(model, run, false);
    ComputeZoneConvection(model, run);
    ComputeSolarFluxesForStep(model, run, host, t, n);

    bool settled = false;
    for (int cycle = 1; cycle <= plan.cycles && !settled; ++cycle) {
        host.ShowCycle(cycle);
        if (run.solutionValid && plan.recompute != 0) {
            UpdateColourTemperatureRanges(model, run);
            ApplySurfaceRules(model, run, 1);
            ComputeZoneConvection(model, run);
        }
        if (ventilated && (n > 0 || cycle > 1)) {
            const VentilationPass network = StepVentilationNetwork(model, run, host);
            if (network == VentilationPass::Diverging) {
                plan.diverged = true;
                break;
            }
            if (network == VentilationPass::Settled && cycle > 1) {
                settled = true;
                break;
            }
        }
        AssembleEquations(model, run, host, n);
        CheckEquationsFinite(run.work, run);
        if (!ventilated && n > 0)
            AdvanceTimeLevel(run);
        if (!run.uniformFailed && cycle == 1) {
            settled = UniformStart(model, run);
            if (settled)
                break;
            run.uniformFailed = true;
        }
        FactoriseIncompleteCholesky(run, host);
        // With ventilation only the steady step ends on a settled field,
        // and not before the network has had its first pass.
        settled = SolveConjugateGradient(model, run, host) == 0 && (!ventilated || (n == 0 && cycle > 1));
        CheckSolutionFinite(run.work, run);
    }
    if (plan.diverged) {
        // The step is not completed: the time stays on it.
        ReportVentilationDiverging(host, t);
        return;
    }
    // A network that never settles ends the run after this step.
    plan.unsettled = ventilated && !settled;
    if (plan.unsettled)
        ReportVentilationNotSettled(host, t);

    if (ventilated || n == 0) {
        AdvanceTimeLevel(run);
        EndVentilationStep(model, run);
    }
    UpdateColourTemperatureRanges(model, run);
    ComputeColourHeatFlows(model, run, host);
    CheckColourResultsFinite(m, run);
    host.ShowStepTemperatures();
    if (m.saveResults && IsFrequencyStep(model, t, m.saveFrequency)) {
        WriteSolutionFile(model, run);
        if (HasRadiatingColours(model))
            WriteFluxFile(model, run);
    }
    if (HasReportItems(model) && IsFrequencyStep(model, t, m.reportFrequency))
        FormatReportRow(model, run);
    if (!ventilated && n == 0)
        plan.cycles = 1;
    plan.time = t + plan.timeStep;
    run.step = n + 1;
    run.stepLength = plan.timeStep;
}

void FinishTransientRun(ModelStore& model, RunState& run, const RunPlan& plan)
{
    // The time of the last step computed: a diverged step stays on its own.
    run.calcTime = static_cast<std::int32_t>(plan.diverged ? plan.time : plan.time - plan.timeStep);

    std::error_code ec;
    std::filesystem::remove("view.tmp", ec);
    if (HasReportItems(model))
        WriteReportOutputFile(model, run);
    FreeVentilationMatrix(run);
    FreePropertyTables(run);
    FreeFunctionFileData(run);
}

void RunTransientCalculation(ModelStore& model, RunState& run, EngineHost& host)
{
    RunPlan plan = PrepareTransientRun(model, run, host);
    while (TransientStepDue(model, plan))
        StepTransientRun(model, run, host, plan);
    FinishTransientRun(model, run, plan);
}

TransientRunCleanup::~TransientRunCleanup()
{
    if (!finished_) {
        // A failure while writing the report of a failed run must not replace
        // the first error, nor leave a destructor by an exception.
        try {
            if (HasReportItems(model_))
                WriteReportOutputFile(model_, run_);
        } catch (...) {
        }
        FreeVentilationMatrix(run_);
        FreePropertyTables(run_);
        FreeFunctionFileData(run_);
        run_.calcTime -= model_.timeStep;
    }
    FreeWorkArrays(run_, WorkGroup::Calculation);
}

} // namespace gelmar
