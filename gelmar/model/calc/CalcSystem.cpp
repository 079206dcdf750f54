// The check-and-run sequences of "Calc System" and "Calc Solar Fluxes"
// and their error messages.
#include "gelmar/model/calc/CalcSystem.h"
#include "gelmar/model/calc/RunState.h"

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

void ShowCalcErrorMessage(EngineHost& host, const EngineError& error)
{
    if (error.Code() != ErrorCode::Bitmap)
        host.MessageBox(error.Message(), MessageStyle::Ok);
}

void FinishCalcCommand(ModelStore& model, UndoHistory& history, EngineHost& host, const WorkOutcome& outcome, std::initializer_list<ErrorCode> mapped)
{
    if (outcome.HasError() &&
        (mapped.size() == 0 || std::find(mapped.begin(), mapped.end(), outcome.Code()) != mapped.end()))
        ShowCalcErrorMessage(host, *outcome.error);
    ClearPendingError();
    SaveUndoRecord(history, model, host, kUndoBaseline, 0, 0);
}

WorkOutcome RunCalculationWindow(ModelStore& model, RunState& run, EngineHost& host)
{
    // Declared before the run so that its clean-up follows the outcome on
    // every path.
    TransientRunCleanup cleanup(model, run);
    return RunGuarded([&host, &model, &run, &cleanup] {
        RunPlan plan = PrepareTransientRun(model, run, host);
        while (TransientStepDue(model, plan))
            StepTransientRun(model, run, host, plan);
        FinishTransientRun(model, run, plan);
        cleanup.MarkFinished();
    });
}

namespace {

// The clean-up of a solar flux run on every path out of its scope: the
// calculation's work arrays are freed; a run that was not marked finished
// (an error or Esc) also frees the property tables and sets the calculation
// time back one step.
class SolarFluxRunCleanup {
  public:
    SolarFluxRunCleanup(ModelStore& model, RunState& run) : model_(model), run_(run) {}
    ~SolarFluxRunCleanup()
    {
        if (!finished_) {
            FreePropertyTables(run_);
            run_.calcTime -= model_.timeStep;
        }
        FreeWorkArrays(run_, WorkGroup::Calculation);
    }
    SolarFluxRunCleanup(const SolarFluxRunCleanup&) = delete;
    SolarFluxRunCleanup& operator=(const SolarFluxRunCleanup&) = delete;
    void MarkFinished() { finished_ = true; }

  private:
    ModelStore& model_;
    RunState& run_;
    bool finished_ = false;
};

} // namespace

WorkOutcome RunSolarFluxWindow(ModelStore& model, RunState& run, EngineHost& host)
{
    // Declared before the run so that its clean-up follows the outcome on
    // every path.
    SolarFluxRunCleanup cleanup(model, run);
    return RunGuarded([&host, &model, &run, &cleanup] {
        RunSolarFluxCalculation(model, run, host);
        cleanup.MarkFinished();
    });
}

namespace {

// A grid interval without a finite positive length is refused before any
// question or run.
bool GridLengthsRefused(ModelStore& model, EngineHost& host)
{
    const std::optional<GridLengthFault> fault = FindGridLengthFault(model);
    if (!fault)
        return false;
    ShowCalcErrorMessage(host, GridLengthError(model, *fault));
    return true;
}

CalcSystemResult ResultOf(const WorkOutcome& outcome)
{
    if (outcome.HasError())
        return CalcSystemResult::Failed;
    return outcome.Normal() ? CalcSystemResult::Done : CalcSystemResult::Aborted;
}

} // namespace

CalcSystemResult RunCalcSolarFluxes(ModelStore& model, RunState& run, UndoHistory& history, EngineHost& host)
{
    if (model.dataFilePath.empty())
        return CalcSystemResult::NotStarted;
    if (GridLengthsRefused(model, host))
        return CalcSystemResult::Failed;
    ClearUndoHistory(history);
    WorkOutcome outcome;
    if (HasRadiatingColours(model)) {
        outcome = PrepareViewFactorFile(model, run, host);
        if (outcome.end == WorkOutcome::End::Esc)
            return CalcSystemResult::NotStarted;
    }
    if (!outcome.HasError())
        outcome = RunSolarFluxDialog(model, run, host);
    FinishCalcCommand(model, history, host, outcome);
    return ResultOf(outcome);
}

WorkOutcome RunProgressWork(ModelStore& model, RunState& run, EngineHost& host, ProgressWindow window)
{
    switch (window) {
    case ProgressWindow::Calculation:
        return RunCalculationWindow(model, run, host);
    case ProgressWindow::ViewFactors:
        return RunViewFactorWindow(model, run, host);
    case ProgressWindow::SolarFluxes:
        return RunSolarFluxWindow(model, run, host);
    }
    return WorkOutcome::Aborted();
}

CalcSystemResult RunCalcSystem(ModelStore& model, RunState& run, UndoHistory& history, EngineHost& host)
{
    if (model.dataFilePath.empty())
        return CalcSystemResult::NotStarted;
    if (GridLengthsRefused(model, host))
        return CalcSystemResult::Failed;
    if (IsMinimumGrid(model) &&
        host.MessageBox(
            "Current grid is minimum grid.\nConsider grid refinement.\n\nContinue calculation ?",
            MessageStyle::YesNo) != MessageAnswer::Yes)
        return CalcSystemResult::NotStarted;
    ClearUndoHistory(history);
    WorkOutcome outcome;
    if (HasRadiatingColours(model)) {
        outcome = PrepareViewFactorFile(model, run, host);
        if (outcome.end == WorkOutcome::End::Esc)
            return CalcSystemResult::NotStarted;
    }
    if (!outcome.HasError())
        outcome = RunCalculationDialog(model, run, host);
    FinishCalcCommand(model, history, host, outcome);
    if (outcome.Normal() && !run.work.solution.empty())
        host.ShowStepTemperatures();
    return ResultOf(outcome);
}

} // namespace gelmar
