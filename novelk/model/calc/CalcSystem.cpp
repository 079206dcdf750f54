// The calculation commands and the work of their progress windows.
#include "novelk/model/calc/CalcSystem.h"

#include "novelk/model/calc/Assembly.h"
#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/calc/ResultFiles.h"
#include "novelk/model/calc/Solver.h"
#include "novelk/model/calc/SurfaceRules.h"
#include "novelk/model/calc/ViewFactors.h"
#include "novelk/model/calc/Zones.h"
#include "novelk/model/editing/GridLines.h"
#include "novelk/model/files/DataFile.h"
#include "novelk/model/store/ColourQueries.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/TempFiles.h"

#include <utility>

namespace novelk {

namespace {

// Runs the work, catching what ends it early.
template <class Work> WorkOutcome Guarded(Work&& work)
{
    return common::RunGuarded<EngineError>(std::forward<Work>(work));
}

void CalculateCycles(ModelStore& m, RunState& run, EngineHost& host)
{
    FreeWorkArrays(run, WorkGroup::CellsAndNodes, host);
    FreeWorkArrays(run, WorkGroup::Solver, host);
    RasteriseBlocks(m, run, host);
    BuildNodeNumbering(m, run, host);
    if (HasViewFactorColours(m))
        PrepareRadiationZones(m, run, host);
    host.ShowNodeCount(run.unknowns);
    BuildMatrixStructure(m, run, host);
    ClearNodeTemperatures(run);
    ReadSolutionFile(m, run);

    run.readouts.cycleChange = 0;
    bool cycleTest = false, rulesChanged = false;
    const bool rules = HasLongWaveColours(m) && m.calc.recalcCen != 0;
    const int cycles = CalculationCycleCount(m);
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (run.resultsLoaded) {
            SavePreviousTemperatures(run);
            cycleTest = true;
        }
        host.ShowCycle(cycle);
        if (rules) {
            if (run.resultsLoaded)
                ComputeColourExtremes(m, run);
            if (ApplySurfaceRules(m, run, host, false, run.resultsLoaded)) {
                rulesChanged = true;
                ComputeCavityAirConductances(m, run);
            }
        }
        AssembleCoefficients(m, run, host);
        FactoriseIncompleteCholesky(run, host);
        RunConjugateGradient(m, run, host);
        if (cycleTest && CheckCycleChange(m, run, host))
            break;
    }
    WriteSolutionFile(m, run, host);
    if (HasRadiatingColours(m))
        WriteFluxFile(m, run);
    if (rulesChanged) {
        // The derived values belong to the model: it is saved with them.
        WriteDataFile(m, m.dataFilePath);
        host.SetModified(false);
    }
}

void ShowError(const WorkOutcome& outcome, EngineHost& host)
{
    if (outcome.error)
        host.MessageBox(outcome.error->Message(), MessageStyle::Ok);
}

} // namespace

int CalculationCycleCount(const ModelStore& m)
{
    if ((HasRadiatingColours(m) && m.calc.linearRadiation == 0) ||
        (HasLongWaveColours(m) && m.calc.recalcCen == 1))
        return m.calc.cycles;
    return 1;
}

WorkOutcome RunCalculation(ModelStore& m, RunState& run, EngineHost& host)
{
    WorkOutcome outcome = Guarded([&] { CalculateCycles(m, run, host); });
    FreeWorkArrays(run, WorkGroup::Solver, host);
    run.cenValuesCurrent = true;
    return outcome;
}

WorkOutcome RunViewFactorWork(const ModelStore& m, RunState& run, EngineHost& host)
{
    FreeWorkArrays(run, WorkGroup::Solver, host);
    WorkOutcome outcome = Guarded([&] {
        RasteriseBlocks(m, run, host);
        BuildNodeNumbering(m, run, host);
        ComputeViewFactors(m, run, host);
    });
    FreeWorkArrays(run, WorkGroup::Solver, host);
    return outcome;
}

CalcResult RunCalcSystem(ModelStore& m, RunState& run, UndoHistory& history, EngineHost& host)
{
    if (m.dataFilePath.empty())
        return CalcResult::NotStarted;
    if (IsMinimumGrid(m) &&
        host.MessageBox("Current grid is minimum grid.\nConsider grid refinement.\n\nContinue calculation ?",
                        MessageStyle::YesNo) != MessageAnswer::Yes)
        return CalcResult::NotStarted;
    history.Clear();
    WorkOutcome outcome;
    if (HasRadiatingColours(m)) {
        bool compute = true;
        if (FileExists(SelectViewFactorFile(m.dataFilePath))) {
            const MessageAnswer answer = host.MessageBox("Recalculate view factors ?", MessageStyle::YesNoCancel);
            if (answer == MessageAnswer::Cancel)
                return CalcResult::NotStarted;
            compute = answer == MessageAnswer::Yes;
        }
        if (compute)
            host.RunProgressWindow(ProgressWindow::ViewFactors,
                                   [&] { outcome = RunViewFactorWork(m, run, host); });
    }
    // Esc in the view-factor window ends the command as well: the
    // calculation would find no view factors, or stale ones.
    if (outcome.Normal())
        host.RunProgressWindow(ProgressWindow::Calculation, [&] { outcome = RunCalculation(m, run, host); });
    ShowError(outcome, host);
    if (!outcome.error && !run.temperature.empty())
        host.ShowTemperatures();
    SaveUndoRecord(history, m, kUndoBaseline, 0, 0, host);
    return common::ResultOf(outcome);
}

CalcResult RunCalcViewFactors(ModelStore& m, RunState& run, UndoHistory& history, EngineHost& host)
{
    if (m.dataFilePath.empty())
        return CalcResult::NotStarted;
    history.Clear();
    WorkOutcome outcome = WorkOutcome::Aborted();
    host.RunProgressWindow(ProgressWindow::ViewFactors, [&] { outcome = RunViewFactorWork(m, run, host); });
    ShowError(outcome, host);
    SaveUndoRecord(history, m, kUndoBaseline, 0, 0, host);
    return common::ResultOf(outcome);
}

} // namespace novelk
