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

void RunTransientCalculation(ModelStore& model, RunState& run, EngineHost& host)
{
    ModelStore& m = model;
    CheckGridLengths(m);
    run.step = 0;
    for (int group = 0; group <= 4; ++group)
        FreeWorkArrays(run, group);
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
    const bool ventilated = HasVentilationFlows(model);
    const bool rules = HasRuleColours(model);
    run.temperatureDependent = !ventilated && HasTemperatureDependentMaterials(model, run);
    int cycles = ventilated ? kVentilationCycleLimit : CyclesPerStep(model, run.temperatureDependent);
    const int recompute = rules ? m.recalcCen : 0;

    const int step = std::max(1, m.timeStep);
    if (m.startupDuration % step != 0)
        m.startupDuration += step - m.startupDuration % step;
    ClearSolution(run);
    // The cleared field is no solution: the first solve starts from zero and
    // the rules do not read ranges of an earlier run.
    run.solutionValid = false;
    run.uniformPending = true;
    run.uniformFailed = false;
    run.stepLength = 0;
    run.step = 0;

    long long t = -static_cast<long long>(m.startupDuration);
    bool diverged = false, unsettled = false;
    while (t <= m.calcDuration && !diverged && !unsettled) {
        const int n = run.step;
        run.calcTime = static_cast<std::int32_t>(t);
        host.ShowTimeStep(t, m.startupDuration, m.calcDuration);
        EvaluateColourFunctions(model, run, true);
        if (n > 0 && ApplyControls(model, run))
            EvaluateColourFunctions(model, run, false);
        ComputeZoneConvection(model, run);
        ComputeSolarFluxesForStep(model, run, host, t, n);

        bool settled = false;
        for (int cycle = 1; cycle <= cycles && !settled; ++cycle) {
            host.ShowCycle(cycle);
            if (run.solutionValid && recompute != 0) {
                UpdateColourTemperatureRanges(model, run);
                ApplySurfaceRules(model, run, 1);
                ComputeZoneConvection(model, run);
            }
            if (ventilated && (n > 0 || cycle > 1)) {
                const int network = StepVentilationNetwork(model, run, host);
                if (network == 2) {
                    diverged = true;
                    break;
                }
                if (network == 1 && cycle > 1) {
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
        if (diverged) {
            ReportVentilationDiverging(host, t);
            break;
        }
        // A network that never settles ends the run after this step.
        unsettled = ventilated && !settled;
        if (unsettled)
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
            cycles = 1;
        t += step;
        run.step = n + 1;
        run.stepLength = step;
    }
    if (!diverged)
        t -= step;
    run.calcTime = static_cast<std::int32_t>(t);

    std::error_code ec;
    std::filesystem::remove("view.tmp", ec);
    if (HasReportItems(model))
        WriteReportOutputFile(model, run);
    FreeVentilationMatrix(run);
    FreePropertyTables(run);
    FreeFunctionFileData(run);
}

} // namespace gelmar
