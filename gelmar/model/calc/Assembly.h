// Assembly of the node system A·x = b of one cycle of one time step. Step 0
// is a steady state; later steps follow the trapezoidal rule in increment
// form, b = -b' + capacity term + f + f', with b' the previous step's
// right-hand side.
#pragma once

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// Fills the matrix and right-hand side for the step counter given (the run's
// own counter, or 0 for the steady assembly of the heat-flow balance).
void AssembleEquations(ModelStore& model, RunState& run, EngineHost& host, int stepCounter);

} // namespace gelmar
