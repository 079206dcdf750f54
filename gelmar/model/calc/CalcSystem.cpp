// The check-and-run sequences of "Calc System" and "Calc Solar Fluxes"
// and their error messages.
#include "gelmar/model/calc/CalcSystem.h"

#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/FiniteChecks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/TransientRun.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/output/OutputReport.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorDriver.h"
#include "gelmar/model/solar/SolarRun.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/ventilation/Ventilation.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace gelmar {

void ShowCalcErrorMessage(const EngineError& error)
{
    if (error.Code() != ErrorCode::Bitmap)
        Host().MessageBox(error.Message(), MessageStyle::Ok);
}

void FinishCalcCommand(const WorkOutcome& outcome, std::initializer_list<ErrorCode> mapped)
{
    if (outcome.HasError() &&
        (mapped.size() == 0 || std::find(mapped.begin(), mapped.end(), outcome.Code()) != mapped.end()))
        ShowCalcErrorMessage(*outcome.error);
    ClearPendingError();
    SaveUndoRecord(g_engine.history, g_model, Host(), kUndoBaseline, 0, 0);
}

WorkOutcome RunCalculationWindow()
{
    const WorkOutcome outcome = RunGuarded([] { RunTransientCalculation(); });
    if (!outcome.Normal()) {
        if (HasReportItems())
            WriteReportOutputFile();
        FreeVentilationMatrix();
        FreePropertyTables();
        FreeFunctionFileData();
        g_run.calcTime -= g_model.timeStep;
    }
    FreeWorkArrays(0);
    return outcome;
}

WorkOutcome RunSolarFluxWindow()
{
    const WorkOutcome outcome = RunGuarded([] { RunSolarFluxCalculation(); });
    if (!outcome.Normal()) {
        FreePropertyTables();
        g_run.calcTime -= g_model.timeStep;
    }
    FreeWorkArrays(0);
    return outcome;
}

namespace {

// A grid interval without a finite positive length is refused before any
// question or run.
bool GridLengthsRefused()
{
    const std::optional<GridLengthFault> fault = FindGridLengthFault(g_model);
    if (!fault)
        return false;
    ShowCalcErrorMessage(GridLengthError(g_model, *fault));
    return true;
}

CalcSystemResult ResultOf(const WorkOutcome& outcome)
{
    if (outcome.HasError())
        return CalcSystemResult::Failed;
    return outcome.Normal() ? CalcSystemResult::Done : CalcSystemResult::Aborted;
}

} // namespace

CalcSystemResult RunCalcSolarFluxes()
{
    if (g_model.dataFilePath.empty())
        return CalcSystemResult::NotStarted;
    if (GridLengthsRefused())
        return CalcSystemResult::Failed;
    ClearUndoHistory(g_engine.history);
    WorkOutcome outcome;
    if (HasRadiatingColours(g_model)) {
        outcome = PrepareViewFactorFile();
        if (outcome.end == WorkOutcome::End::Esc)
            return CalcSystemResult::NotStarted;
    }
    if (!outcome.HasError())
        outcome = RunSolarFluxDialog(Host());
    FinishCalcCommand(outcome);
    return ResultOf(outcome);
}

WorkOutcome RunProgressWork(ProgressWindow window)
{
    switch (window) {
    case ProgressWindow::Calculation:
        return RunCalculationWindow();
    case ProgressWindow::ViewFactors:
        return RunViewFactorWindow();
    case ProgressWindow::SolarFluxes:
        return RunSolarFluxWindow();
    }
    return WorkOutcome::Aborted();
}

CalcSystemResult RunCalcSystem()
{
    if (g_model.dataFilePath.empty())
        return CalcSystemResult::NotStarted;
    if (GridLengthsRefused())
        return CalcSystemResult::Failed;
    if (IsMinimumGrid(g_model) &&
        Host().MessageBox(
            "Current grid is minimum grid.\nConsider grid refinement.\n\nContinue calculation ?",
            MessageStyle::YesNo) != MessageAnswer::Yes)
        return CalcSystemResult::NotStarted;
    ClearUndoHistory(g_engine.history);
    WorkOutcome outcome;
    if (HasRadiatingColours(g_model)) {
        outcome = PrepareViewFactorFile();
        if (outcome.end == WorkOutcome::End::Esc)
            return CalcSystemResult::NotStarted;
    }
    if (!outcome.HasError())
        outcome = RunCalculationDialog(Host());
    FinishCalcCommand(outcome);
    if (outcome.Normal() && !g_work.solution.empty())
        Host().ShowStepTemperatures();
    return ResultOf(outcome);
}

} // namespace gelmar
