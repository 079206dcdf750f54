// The time loop of the transient calculation.
#include "gelmar/model/calc/TransientRun.h"
#include "gelmar/model/solar/SolarFlux.h"
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/radiation/ViewFactorFile.h"

#include "gelmar/model/calc/Assembly.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/FiniteChecks.h"
#include "gelmar/model/controls/Controls.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/output/OutputReport.h"
#include "gelmar/model/calc/Solver.h"
#include "gelmar/model/calc/StepFiles.h"
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/ventilation/Ventilation.h"
#include "gelmar/model/calc/WorkArrays.h"

#include <filesystem>
#include <system_error>

namespace gelmar {

namespace {

bool IsFrequencyStep(long long t, int frequency)
{
    const long long step = g_model.timeStep;
    return t >= 0 && (t / step) % std::max(1, frequency) == 0;
}

} // namespace

int CyclesPerStep(bool temperatureDependent)
{
    const bool nonLinearRadiation = g_model.linearRadiation == 0 && HasRadiatingColours();
    const bool rules = g_model.recalcCen != 0 && HasRuleColours();
    return temperatureDependent || nonLinearRadiation || rules ? std::max(1, g_model.cycles) : 1;
}

void RunTransientCalculation()
{
    ModelStore& m = g_model;
    CheckGridLengths(m);
    g_run.step = 0;
    for (int group = 0; group <= 4; ++group)
        FreeWorkArrays(group);
    RemoveStepFiles();
    CheckVentilationFlows(0);
    FindSolarFunctions(true);
    ResolveFunctionReferences();
    CollectFunctionFiles();
    LoadPropertyTables();
    PrepareVentilationNetwork();
    RasteriseBlocks();
    PrepareConductivities();
    BuildSiteRotation();

    BuildNodeNumbering();
    SetSolarRunInputs();
    LoadViewFactors();
    CollectSolarZones();
    Host().ShowNodeCount(g_work.gridNodeCount);
    BuildMatrixPattern();
    CheckSolarContacts();
    PrepareSolarSurfaces(true);
    EvaluateControls();
    SizeOutputBuffer();

    // Whether a material depends on temperature is decided here, once: the
    // solver and the cycle count use this answer for the whole run.
    const bool ventilated = HasVentilationFlows();
    const bool rules = HasRuleColours();
    g_run.temperatureDependent = !ventilated && HasTemperatureDependentMaterials();
    int cycles = ventilated ? kVentilationCycleLimit : CyclesPerStep(g_run.temperatureDependent);
    const int recompute = rules ? m.recalcCen : 0;

    const int step = std::max(1, m.timeStep);
    if (m.startupDuration % step != 0)
        m.startupDuration += step - m.startupDuration % step;
    ClearSolution();
    // The cleared field is no solution: the first solve starts from zero and
    // the rules do not read ranges of an earlier run.
    g_run.solutionValid = false;
    g_run.uniformPending = true;
    g_run.uniformFailed = false;
    g_run.stepLength = 0;
    g_run.step = 0;

    long long t = -static_cast<long long>(m.startupDuration);
    bool diverged = false, unsettled = false;
    while (t <= m.calcDuration && !diverged && !unsettled) {
        const int n = g_run.step;
        m.calcTime = static_cast<std::int32_t>(t);
        Host().ShowTimeStep(t, m.startupDuration, m.calcDuration);
        EvaluateColourFunctions(true);
        if (n > 0 && ApplyControls())
            EvaluateColourFunctions(false);
        ComputeZoneConvection();
        ComputeSolarFluxesForStep(t, n);

        bool settled = false;
        for (int cycle = 1; cycle <= cycles && !settled; ++cycle) {
            Host().ShowCycle(cycle);
            if (g_run.solutionValid && recompute != 0) {
                UpdateColourTemperatureRanges();
                ApplySurfaceRules(1);
                ComputeZoneConvection();
            }
            if (ventilated && (n > 0 || cycle > 1)) {
                const int network = StepVentilationNetwork();
                if (network == 2) {
                    diverged = true;
                    break;
                }
                if (network == 1 && cycle > 1) {
                    settled = true;
                    break;
                }
            }
            AssembleEquations(n);
            CheckEquationsFinite(g_work);
            if (!ventilated && n > 0)
                AdvanceTimeLevel();
            if (!g_run.uniformFailed && cycle == 1) {
                settled = UniformStart();
                if (settled)
                    break;
                g_run.uniformFailed = true;
            }
            FactoriseIncompleteCholesky();
            // With ventilation only the steady step ends on a settled field,
            // and not before the network has had its first pass.
            settled = SolveConjugateGradient() == 0 && (!ventilated || (n == 0 && cycle > 1));
            CheckSolutionFinite(g_work, g_run);
        }
        if (diverged) {
            ReportVentilationDiverging(t);
            break;
        }
        // A network that never settles ends the run after this step.
        unsettled = ventilated && !settled;
        if (unsettled)
            ReportVentilationNotSettled(t);

        if (ventilated || n == 0) {
            AdvanceTimeLevel();
            EndVentilationStep();
        }
        UpdateColourTemperatureRanges();
        ComputeColourHeatFlows();
        CheckColourResultsFinite(m);
        Host().ShowStepTemperatures();
        if (m.saveResults && IsFrequencyStep(t, m.saveFrequency)) {
            WriteSolutionFile();
            if (HasRadiatingColours())
                WriteFluxFile();
        }
        if (HasReportItems() && IsFrequencyStep(t, m.reportFrequency))
            FormatReportRow();
        if (!ventilated && n == 0)
            cycles = 1;
        t += step;
        g_run.step = n + 1;
        g_run.stepLength = step;
    }
    if (!diverged)
        t -= step;
    m.calcTime = static_cast<std::int32_t>(t);

    std::error_code ec;
    m.sharedPath = "view.tmp";
    std::filesystem::remove(m.sharedPath, ec);
    if (HasReportItems())
        WriteReportOutputFile();
    FreeVentilationMatrix();
    FreePropertyTables();
    FreeFunctionFileData();
}

} // namespace gelmar
