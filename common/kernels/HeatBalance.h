// Heat balance of a solved (or partly solved) node system over its grid rows:
// the flows between each grid node and its neighbours, the node's own term
// (sources, capacity, fixed surroundings: b - (diagonal + Σ couplings)·T) and
// the flows into zone rows, which count as the object's surroundings. Gives
// the object divergence (|in + out| / (in - out) · 200 %) and the node
// divergence (largest |net| / Σ|flows| of a node · 200 %), and optionally the
// boundary flow of every grid node.
#pragma once

#include "common/kernels/Parallel.h"
#include "common/kernels/SymmetricMatrix.h"


namespace kernels {

// Where the programs differ in judging a node's terms.
struct HeatBalanceRule {
    // Temperature differences below this count as 0 (0: only exact ties).
    double negligibleDifference = 0.0;
    // The node's own term counts only when the node has coupling flows.
    bool ownTermNeedsCouplingFlow = false;
};

struct HeatBalanceResult {
    float objectDivergence = 0.0f;
    float nodeDivergence = 0.0f;
    double heatIn = 0.0;  // sum of positive boundary flows
    double heatOut = 0.0; // sum of negative boundary flows (<= 0)
};

// flows: null, or one entry per grid row that receives the node's boundary
// flow (positive into the object). Runs on the team's threads (without a
// team on the calling thread) with the same result for any number.
HeatBalanceResult ComputeHeatBalance(const SymmetricMatrix& a, const double* b, const double* x, double* flows,
                                     const HeatBalanceRule& rule, const EscCheck& esc, ThreadTeam* team = nullptr);

} // namespace kernels
