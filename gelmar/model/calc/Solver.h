// The engine's side of the node-system solve: the incomplete-Cholesky factor
// and preconditioned conjugate gradients on the work arrays, with the stop
// limits of the model and the read-outs shown through the host; the uniform
// start that skips the solve while every boundary holds one temperature.
#pragma once

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

void FactoriseIncompleteCholesky(RunState& run, EngineHost& host);
// Solves from the present solution. 0 when an iteration changed nothing
// (further cycles of the step are not needed), else 1.
int SolveConjugateGradient(ModelStore& model, RunState& run, EngineHost& host);
// When no heat enters and every fixed temperature equals the common one:
// fills the solution with it, marks it valid and returns true.
bool UniformStart(ModelStore& model, RunState& run);

} // namespace gelmar
