// "Calc System" and "Calc View Factors" as sequences that the program's
// commands and the command-line driver both run: the checks and questions
// (through the engine host), the view-factor run when the model radiates,
// the calculation inside its progress window with its cycles and result
// files, the message of a failure, and the undo baseline afterwards.
#pragma once
#include "common/core/WorkOutcome.h"
#include "novelk/model/editing/UndoRedo.h"
#include "novelk/model/store/Errors.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

namespace novelk {

class EngineHost;

using CalcResult = common::CalcResult;
// How the work of a progress window ended: normally, by Esc (no error), or
// by an engine error.
using WorkOutcome = common::WorkOutcome<EngineError>;

// Cycles of a calculation: cycl when radiating colours meet non-linear
// radiation or rule colours meet the CEN recalculation, else 1.
int CalculationCycleCount(const ModelStore& m);

// The calculation as its progress window runs it: work arrays freed, raster,
// node numbers, zones, matrix structure, the previous solution where there
// is one, the cycles (surface rules, assembly, factor, solve, cycle test),
// "tmp.sol" and "tmp.flx", and the data file written when the rules changed
// a colour. Every failure is caught and handed back; the solver's arrays are
// freed in every case.
WorkOutcome RunCalculation(ModelStore& m, RunState& run, EngineHost& host);
// The view-factor run as its progress window runs it.
WorkOutcome RunViewFactorWork(const ModelStore& m, RunState& run, EngineHost& host);

CalcResult RunCalcSystem(ModelStore& m, RunState& run, UndoHistory& history, EngineHost& host);
CalcResult RunCalcViewFactors(ModelStore& m, RunState& run, UndoHistory& history, EngineHost& host);

} // namespace novelk
