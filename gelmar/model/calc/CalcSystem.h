// "Calc System" as one sequence that the program's command and the
// command-line driver both run: the model checks and questions, the view
// factors when the model radiates, the transient run as its progress window
// runs it, and the message of the error code afterwards; and the same for
// "Calc Solar Fluxes".
#pragma once
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/Errors.h"

#include <initializer_list>

namespace gelmar {

struct ModelStore;
struct RunState;
class UndoHistory;

enum class CalcSystemResult {
    NotStarted, // no data file, or the user declined a question
    Done,       // the run ended normally
    Aborted,    // the user pressed Esc
    Failed,     // an error code was reported (and reset)
};

// The undo history is cleared before the run and takes a new baseline
// after it.
CalcSystemResult RunCalcSystem(ModelStore& model, RunState& run, UndoHistory& history, EngineHost& host);
// The run as the calculation progress window makes it: the transient run,
// clean-up after a failure or Esc, and group 0 freed in every case.
WorkOutcome RunCalculationWindow(ModelStore& model, RunState& run, EngineHost& host);
// The work of a progress window: the calculation as above, the view factors
// (group 0 freed, blocks rasterised, nodes numbered, ComputeViewFactors, the
// radiation tables and group 0 freed again), or the solar fluxes.
WorkOutcome RunProgressWork(ModelStore& model, RunState& run, EngineHost& host, ProgressWindow window);
// Shows the message of an error as the calculation commands map it (nothing
// for a bitmap error); the pending code is not reset.
void ShowCalcErrorMessage(EngineHost& host, const EngineError& error);
// The end of a calculation command: the message of the outcome's error when
// the command maps its code (every code when `mapped` is empty), the pending
// code reset, a new undo baseline.
void FinishCalcCommand(ModelStore& model, UndoHistory& history, EngineHost& host, const WorkOutcome& outcome, std::initializer_list<ErrorCode> mapped = {});

// "Calc Solar Fluxes": the view-factor step of Calc System, then the
// solar-flux run in its window and the message of its error.
CalcSystemResult RunCalcSolarFluxes(ModelStore& model, RunState& run, UndoHistory& history, EngineHost& host);
// The solar-flux run as its progress window makes it, as
// RunCalculationWindow does for the transient run.
WorkOutcome RunSolarFluxWindow(ModelStore& model, RunState& run, EngineHost& host);

} // namespace gelmar
