// The solve of one calculation cycle: the incomplete-Cholesky factor of the
// assembled matrix and preconditioned conjugate gradients judged by the
// largest change of a step and the object and node divergence of the heat
// balance; and the test between cycles.
#pragma once
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

namespace novelk {

class EngineHost;

void FactoriseIncompleteCholesky(RunState& run, EngineHost& host);
// Solves from the present temperatures when results are loaded, else from 0
// (and from then on results are loaded). The read-outs go to the host at
// every step and once more after the last, which shows one step more than
// were made. Esc ends it by EscAbort.
void RunConjugateGradient(const ModelStore& m, RunState& run, EngineHost& host);

void ClearNodeTemperatures(RunState& run);
void SavePreviousTemperatures(RunState& run);
// Stores and shows the largest change of an unknown since the previous
// cycle; true when it is at most mxdc.
bool CheckCycleChange(const ModelStore& m, RunState& run, EngineHost& host);

} // namespace novelk
