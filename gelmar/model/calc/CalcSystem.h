// "Calc System" as one sequence that the program's command and the
// command-line driver both run: the model checks and questions, the view
// factors when the model radiates, the transient run as its progress window
// runs it, and the message of the error code afterwards; and the same for
// "Calc Solar Fluxes".
#pragma once
#include "gelmar/model/store/EngineHost.h"

namespace gelmar {

enum class CalcSystemResult {
    NotStarted, // no data file, or the user declined a question
    Done,       // the run ended normally
    Aborted,    // the user pressed Esc
    Failed,     // an error code was reported (and reset)
};

CalcSystemResult RunCalcSystem();
// The run as the calculation progress window makes it: the transient run,
// clean-up after an exception, and group 0 freed in every case. True when
// it ended normally; otherwise the error code is left for the caller.
bool RunCalculationWindow();
// The work of a progress window: the calculation as above, the view factors
// (group 0 freed, blocks rasterised, nodes numbered, ComputeViewFactors, the
// radiation tables and group 0 freed again), or the solar fluxes (not part of this build: a
// message and false). True when the work ended normally; otherwise the error
// code (0 after Esc) is left for the caller.
bool RunProgressWork(ProgressWindow window);
// Shows the message of an error code as the calculation commands map it
// (nothing for 0, 6 and unknown codes); the code is not reset.
void ShowCalcErrorMessage(int code);

// "Calc Solar Fluxes": the view-factor step of Calc System, then the
// solar-flux run in its window and the message of the error code.
CalcSystemResult RunCalcSolarFluxes();
// The solar-flux run as its progress window makes it, as
// RunCalculationWindow does for the transient run.
bool RunSolarFluxWindow();

} // namespace gelmar
