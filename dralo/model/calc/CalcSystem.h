// "Calc System": the calculation of the model as its window runs it, and
// the command around it. The window's work, in order: with a new
// triangulation the model check, the contours, mesh points and triangles
// and "tmp.tri"; always the mesh read back with its neighbours, the
// borderline BCs, the matrix structure and the start values from
// "tmp.sol"; then the cycles (the rule-based values, assembly, factor,
// solve); after the last the data file rewritten when the rules changed a
// value, the flow directions and "tmp.sol", "tmp.flw" and "tmp.flx". Every
// failure ends the work at once and is handed back; Esc ends it without a
// message and without the flow files; the work arrays are released in
// every case.
#pragma once
#include "common/core/WorkOutcome.h"
#include "dralo/model/calc/RunState.h"
#include "dralo/model/editing/UndoRedo.h"
#include "dralo/model/files/ModelFiles.h"
#include "dralo/model/store/Errors.h"

namespace dralo {

class EngineHost;

using CalcResult = common::CalcResult;
// How the work ended: normally, by Esc (no error), or by an engine error.
using WorkOutcome = common::WorkOutcome<EngineError>;

// The cycles of a calculation: `cycl` when radiating colours meet
// non-linear radiation or rule colours meet the recalculation (`ccen`),
// else 1.
int CalculationCycleCount(const BitmapModel& m);

// Whether a mesh of an earlier calculation exists ("tmp.tri" of the working
// folder, or the data file's name with ".tri"): the program then asks
// whether to triangulate anew.
bool MeshFileExists(const BitmapModel& m, const std::string& workFolder);

// The calculation window's work. startupColours: the colour table the
// data file is written against (see WriteDataFile).
WorkOutcome RunCalculation(BitmapModel& m, RunState& run, const ColourTable& startupColours, EngineHost& host,
                           bool triangulate);

// The command: nothing without a data file; else the undo list is cleared,
// the calculation runs in its window, a failure's message is shown, and
// the undo list starts again from the model as it now is.
CalcResult RunCalcSystem(BitmapModel& m, RunState& run, UndoHistory& undo, const ColourTable& startupColours,
                         EngineHost& host, bool triangulate);

} // namespace dralo
