// Conjugate-gradient solve of a symmetric node system A·x = b, preconditioned
// by the incomplete-Cholesky factor, judged on three read-outs: the largest
// temperature change of the last iteration, the object divergence and the
// node divergence (from the heat balance), against the limits, with at most
// a given number of iterations.
#pragma once

#include "common/kernels/HeatBalance.h"
#include "common/kernels/IncompleteCholesky.h"

#include <functional>
#include <vector>

namespace kernels {

struct SolverLimits {
    int iterations = 0;       // largest number of iterations of one solve
    double largestChange = 0; // K
    double objectDivergence = 0;
    double nodeDivergence = 0; // percent
};

// The read-outs and the balance schedule. The engine keeps this between
// solves: the largest change carries over into the next solve's first stop
// test.
struct SolverState {
    int iterations = 0;
    float largestChange = 0.0f;
    float objectDivergence = 200.0f;
    float nodeDivergence = 200.0f;
    int balanceInterval = 10;
    int balanceCountdown = 10;
};

struct SolverHooks {
    EscCheck esc;
    // Shown at the start of every iteration and once after the last.
    std::function<void(const SolverState&)> progress;
    HeatBalanceRule balanceRule;
};

// Vectors of one value per row, the partial sums of the reductions, and the
// threads the solve runs on (by default as many as the machine offers; the
// iterates are the same for any number).
struct SolverWork {
    std::vector<double> r, z, p;
    std::vector<double> partials;
    ThreadTeam team;
};

enum class SolveOutcome {
    Finished, // the stop test passed or the iteration limit was reached
    Settled,  // an iteration changed no temperature by 1e-30 K or more
};

// Solves from the present x (the start guess). The factor must be of the same
// matrix. Leaves through the engine's abort exception on Esc, x holding the
// last iterate.
SolveOutcome SolveConjugateGradient(const SymmetricMatrix& a, const IncompleteCholeskyFactor& factor,
                                    const double* b, double* x, SolverWork& work, SolverState& state,
                                    const SolverLimits& limits, const SolverHooks& hooks);

} // namespace kernels
