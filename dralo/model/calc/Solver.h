// The solve of one calculation cycle and the solution file.
//
// The solve: conjugate gradients preconditioned by the incomplete-Cholesky
// factor from the present temperatures, judged by the largest temperature
// change of an iteration and the object and node divergence of the heat
// balance (differences under 1e-10 K count as none; a node's own exchange
// counts only with coupling flows), with at most `iter` iterations. Esc
// writes "tmp.sol" with the temperatures reached before the run ends.
//
// "tmp.sol", text lines each led by its letter:
//   D <mesh points> <triangles> <border edges> <radiation zones>
//   R <equations> <largest change> <object div.> <node div.>
//   N <temperature>                    one per equation, "%.10f"
//   C <colour> <air temperature>       a free cavity colour's air node
//   I <colour> <lowest> <highest>      per present colour
//   F <colour> <main flow axis>        per present EQUIMAT colour of rule 1..4
#pragma once
#include "dralo/model/calc/RunState.h"
#include "dralo/model/store/BitmapModel.h"

namespace dralo {

class EngineHost;

// The solver's rule for judging the heat balance.
kernels::HeatBalanceRule BalanceRule();

void ClearNodeTemperatures(RunState& run);
// Solves the assembled, factorised system; shows the read-outs at each
// iteration and once more after the last; Esc leaves by EscAbort after
// writing the solution file.
void RunConjugateGradient(BitmapModel& m, RunState& run, EngineHost& host);

// Per present colour, the lowest and highest node temperature over its
// triangles and (for a boundary colour) its border edges.
void ComputeColourTemperatureRanges(BitmapModel& m, const RunState& run);
// Writes "tmp.sol" of the run's working folder after the temperature ranges; EngineError FileOpen when
// it cannot be written.
void WriteSolutionFile(BitmapModel& m, const RunState& run);
// Reads the start values from "tmp.sol" of the run's working folder (else the data file's name with
// ".sol"). A file that does not fit the mesh and the equations, breaks a
// rule or holds a value that is not finite gives zero temperatures, leaves
// the colours as they were and returns false; else its read-outs, air
// temperatures, colour ranges and flow axes are taken and the solution is
// available.
bool ReadSolutionFile(BitmapModel& m, RunState& run);

} // namespace dralo
