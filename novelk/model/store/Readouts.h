// The read-outs of a calculation that its progress window shows and the
// results keep: the solver's of the last solve (or of the solution file
// read) and the change between the last two cycles.
#pragma once

namespace novelk {

struct SolverReadouts {
    int steps = 0;                // steps of the last solve (shown one more)
    float largestChange = 0;      // K, of the last step
    float objectDivergence = 200; // %, of the last heat-balance check
    float nodeDivergence = 200;   // %
    float cycleChange = 0;        // K, largest change of an unknown between the last two cycles
};

} // namespace novelk
