// Model edits that change the grid or the blocks make the results of an
// earlier calculation stale; they release them through this call.
#pragma once

namespace gelmar {

struct RunState;

// Frees the calculation results that belong to the previous model (the work
// arrays of group 1) and marks the results as no longer current.
void ReleaseCalculationResults(RunState& run);

} // namespace gelmar
