// The preconditioned conjugate-gradient loop. One iteration makes four passes
// over the rows: forward substitution; backward substitution with the dot
// product r·z; the new search direction with A·p and p·A·p (taken from the
// lower elements as Σ p_n·(d_n·p_n + 2·Σ L_nc·p_c)); the update of x and r
// with the largest change. Each pass polls Esc at its end.
#include "common/kernels/ConjugateGradient.h"

#include "common/kernels/VectorOps.h"

#include <algorithm>
#include <cmath>

namespace kernels {

namespace {

// Backward substitution in place, returning r·z.
double BackwardWithDot(const IncompleteCholeskyFactor& factor, const double* r, double* z)
{
    const SymmetricPattern& p = factor.Pattern();
    const Index rows = p.RowCount(), grid = p.GridRowCount();
    const Index* start = p.RowStarts();
    const Column* col = p.Columns();
    const double* l = factor.ScaledLower();
    const double* inv = factor.InversePivots();
    double rho = 0.0;
    for (Index n = rows - 1; n >= grid; --n) {
        z[n] *= inv[n];
        rho += r[n] * z[n];
    }
    for (Index n = grid - 1; n >= 0; --n) {
        const double v = z[n];
        const double zn = v * inv[n];
        z[n] = zn;
        rho += r[n] * zn;
        for (Index e = start[n]; e < start[n + 1]; ++e)
            z[col[e]] -= l[e] * v;
    }
    return rho;
}

// p = z + beta·p (p = z when first), then z = A·p; returns p·A·p.
double DirectionAndProduct(const SymmetricMatrix& a, bool first, double beta, double* p, double* z)
{
    const SymmetricPattern& pat = a.Pattern();
    const Index* start = pat.RowStarts();
    const Column* col = pat.Columns();
    const double* l = a.Lower().data();
    const double* d = a.Diagonal().data();
    double pap = 0.0;
    for (Index n = 0; n < pat.RowCount(); ++n) {
        const double pn = first ? z[n] : z[n] + beta * p[n];
        p[n] = pn;
        double lowerSum = 0.0;
        for (Index e = start[n]; e < start[n + 1]; ++e) {
            lowerSum += l[e] * p[col[e]];
            z[col[e]] += l[e] * pn;
        }
        const double dp = d[n] * pn;
        z[n] = dp + lowerSum;
        pap += pn * (dp + 2.0 * lowerSum);
    }
    return pap;
}

// x += alpha·p, r -= alpha·q; returns the largest |alpha·p|.
double Update(Index rows, double alpha, const double* p, const double* q, double* x, double* r)
{
    double largest = 0.0;
    for (Index n = 0; n < rows; ++n) {
        const double dx = alpha * p[n];
        x[n] += dx;
        largest = std::max(largest, std::abs(dx));
        r[n] -= alpha * q[n];
    }
    return largest;
}

} // namespace

SolveOutcome SolveConjugateGradient(const SymmetricMatrix& a, const IncompleteCholeskyFactor& factor,
                                    const double* b, double* x, SolverWork& work, SolverState& state,
                                    const SolverLimits& limits, const SolverHooks& hooks)
{
    const Index rows = a.Pattern().RowCount();
    work.r.resize(rows);
    work.z.resize(rows);
    work.p.resize(rows);
    double* r = work.r.data();
    double* z = work.z.data();
    double* p = work.p.data();
    const EscCheck& esc = hooks.esc;
    auto show = [&] {
        if (hooks.progress)
            hooks.progress(state);
    };
    auto balance = [&] {
        HeatBalanceResult result = ComputeHeatBalance(a, b, x, work.balance, nullptr, hooks.balanceRule, esc);
        state.objectDivergence = result.objectDivergence;
        state.nodeDivergence = result.nodeDivergence;
        state.balanceCountdown = state.balanceInterval;
    };

    state.iterations = 0;
    state.balanceInterval = state.balanceCountdown = 10;
    state.objectDivergence = state.nodeDivergence = 200.0f;
    // r = b - A·x (with x = 0 exactly b).
    MultiplyMatrixVector(a, x, z, esc);
    AddScaledVector(rows, b, -1.0, z, r, esc);

    double rhoPrevious = 0.0;
    while (state.iterations < limits.iterations) {
        if (state.largestChange < limits.largestChange && state.objectDivergence < limits.objectDivergence &&
            state.nodeDivergence < limits.nodeDivergence)
            break;
        const bool first = state.iterations == 0;
        ++state.iterations;
        show();

        ApplyPreconditionerForward(factor, r, z, esc);
        const double rho = BackwardWithDot(factor, r, z);
        PollEsc(esc);
        const double beta = first || rhoPrevious == 0.0 ? 0.0 : rho / rhoPrevious;
        rhoPrevious = rho;
        const double pap = DirectionAndProduct(a, first, beta, p, z);
        PollEsc(esc);
        // p·A·p is 0 only for p = 0 (nothing left to change): no step then.
        const double alpha = pap != 0.0 ? rho / pap : 0.0;
        const double largest = Update(rows, alpha, p, z, x, r);
        state.largestChange = static_cast<float>(largest);
        PollEsc(esc);

        if (--state.balanceCountdown <= 0)
            balance();
        if (state.balanceInterval > 1 && 10.0 * limits.largestChange > state.largestChange &&
            10.0 * limits.objectDivergence > state.objectDivergence &&
            10.0 * limits.nodeDivergence > state.nodeDivergence)
            state.balanceInterval = state.balanceCountdown = 1;
        if (largest < 1e-30) {
            balance();
            return SolveOutcome::Settled;
        }
    }
    ++state.iterations;
    show();
    return SolveOutcome::Finished;
}

} // namespace kernels
