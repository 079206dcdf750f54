// The preconditioned conjugate-gradient loop. One iteration: forward
// substitution; backward substitution with the dot product r·z; the new
// search direction with A·p, then p·A·p; the update of x and r with the
// largest change. Each of the four steps polls Esc at its end. Every pass
// runs on the work's thread team (or on the calling thread alone where that
// was timed faster); sums are taken in fixed blocks (or per
// task of the factor's schedule), so that the iterates are the same for any
// number of threads.
#include "common/kernels/ConjugateGradient.h"

#include "common/kernels/Parallel.h"
#include "common/kernels/VectorOps.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace kernels {

namespace {

// p = z + beta·p (p = z when first), then z = A·p; returns p·A·p. On one
// thread in a single pass over the rows: a row's lower neighbours have their
// new p already, and its own p goes into the rows below as it is scattered.
double DirectionAndProduct(const SymmetricMatrix& a, bool first, double beta, double* p, double* z,
                           std::vector<double>& partials, ThreadTeam* team)
{
    const SymmetricPattern& pat = a.Pattern();
    const Index rows = pat.RowCount();
    partials.assign(BlockCount(rows), 0.0);
    // p·z of the rows [from, end), added in row order.
    auto blockDot = [&](Index from, Index end, Index block) {
        double sum = 0.0;
        for (Index n = from; n < end; ++n)
            sum += p[n] * z[n];
        partials[block] = sum;
    };
    if (OnOneThread(team, rows)) {
        const LowerPosition* start = pat.RowStarts();
        const Column* col = pat.Columns();
        const double* l = a.Lower().data();
        const double* d = a.Diagonal().data();
        for (Index n = 0; n < rows; ++n) {
            const double pn = first ? z[n] : z[n] + beta * p[n];
            p[n] = pn;
            double sum = d[n] * pn;
            for (Index e = start[n]; e < start[n + 1]; ++e) {
                sum += l[e] * p[col[e]];
                z[col[e]] += l[e] * pn;
            }
            z[n] = sum;
        }
        ForEachBlock(rows, nullptr, blockDot);
    } else {
        ForEachBlock(rows, team, [&](Index from, Index end, Index) {
            for (Index n = from; n < end; ++n)
                p[n] = first ? z[n] : z[n] + beta * p[n];
        });
        // Each block's products are summed while they are still in the cache.
        ForEachBlock(rows, team, [&](Index from, Index end, Index block) {
            MultiplyMatrixVectorRows(a, p, z, from, end);
            blockDot(from, end, block);
        });
    }
    return SumInOrder(partials);
}

// x += alpha·p, r -= alpha·q; returns the largest |alpha·p|.
double Update(Index rows, double alpha, const double* p, const double* q, double* x, double* r,
              std::vector<double>& partials, ThreadTeam* team)
{
    partials.assign(BlockCount(rows), 0.0);
    ForEachBlock(rows, team, [&](Index first, Index end, Index block) {
        double largest = 0.0;
        for (Index n = first; n < end; ++n) {
            const double dx = alpha * p[n];
            x[n] += dx;
            largest = std::max(largest, std::abs(dx));
            r[n] -= alpha * q[n];
        }
        partials[block] = largest;
    });
    double largest = 0.0;
    for (double b : partials)
        largest = std::max(largest, b);
    return largest;
}

// Where a group of an iteration's passes runs: on the team, or on the
// calling thread alone. On a busy machine, where a team thread may be held
// back for a whole time slice, the waits of the passes (at every step of the
// schedule in the substitutions, at the end of each loop in the others) can
// cost more than the threads save. So each solve times the group once on the
// team and once alone (its first two iterations, and again every kRetime
// iterations) and otherwise runs it the way whose better one of its last
// kKept timings is faster: other processes only ever make a pass slower, so
// one pass that another process held back does not decide the way for long.
// Both ways give the same bits.
class Placement {
  public:
    Placement(ThreadTeam* team, bool shared) : team_(team), shared_(shared) {}

    // The team to run the group on (null: alone); then End() after it.
    ThreadTeam* Begin()
    {
        const int phase = count_++ % kRetime;
        timed_ = shared_ && phase < 2;
        alone_ = shared_ && (timed_ ? phase == 1 : aloneTimes_.Best() < teamTimes_.Best());
        started_ = std::chrono::steady_clock::now();
        return alone_ ? nullptr : team_;
    }
    void End()
    {
        if (timed_)
            (alone_ ? aloneTimes_ : teamTimes_)
                .Add(std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count());
    }

  private:
    static constexpr int kRetime = 32;
    static constexpr int kKept = 3;
    // The last kKept timings of one way.
    struct Timings {
        double seconds[kKept] = {};
        int count = 0;
        void Add(double s) { seconds[count++ % kKept] = s; }
        double Best() const
        {
            double best = seconds[0];
            for (int i = 1; i < std::min(count, kKept); ++i)
                best = std::min(best, seconds[i]);
            return best;
        }
    };
    ThreadTeam* team_;
    bool shared_;
    int count_ = 0;
    bool timed_ = false, alone_ = false;
    std::chrono::steady_clock::time_point started_;
    Timings teamTimes_, aloneTimes_;
};

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
    ThreadTeam* team = &work.team;
    const EscCheck& esc = hooks.esc;
    auto show = [&] {
        if (hooks.progress)
            hooks.progress(state);
    };
    // Where the present group of passes runs; the heat balance follows the
    // product and updates.
    ThreadTeam* on = team;
    auto balance = [&] {
        HeatBalanceResult result = ComputeHeatBalance(a, b, x, nullptr, hooks.balanceRule, esc, on);
        state.objectDivergence = result.objectDivergence;
        state.nodeDivergence = result.nodeDivergence;
        state.balanceCountdown = state.balanceInterval;
    };

    state.iterations = 0;
    state.balanceInterval = state.balanceCountdown = 10;
    state.objectDivergence = state.nodeDivergence = 200.0f;
    // r = b - A·x (with x = 0 exactly b).
    MultiplyMatrixVector(a, x, z, esc, team);
    AddScaledVector(rows, b, -1.0, z, r, esc, team);

    // The substitutions, and the product and updates of the iteration.
    const Index grid = factor.Pattern().GridRowCount();
    Placement substitutions(team, !OnOneThread(team, grid) && factor.Pattern().Schedule().LevelCount() > 1);
    Placement passes(team, !OnOneThread(team, rows));
    double rhoPrevious = 0.0;
    while (state.iterations < limits.iterations) {
        if (state.largestChange < limits.largestChange && state.objectDivergence < limits.objectDivergence &&
            state.nodeDivergence < limits.nodeDivergence)
            break;
        const bool first = state.iterations == 0;
        ++state.iterations;
        show();

        on = substitutions.Begin();
        ApplyPreconditionerForward(factor, r, z, esc, on);
        const double rho = ApplyPreconditionerBackwardWithDot(factor, r, z, work.partials, on);
        substitutions.End();
        PollEsc(esc);
        const double beta = first || rhoPrevious == 0.0 ? 0.0 : rho / rhoPrevious;
        rhoPrevious = rho;
        on = passes.Begin();
        const double pap = DirectionAndProduct(a, first, beta, p, z, work.partials, on);
        PollEsc(esc);
        // p·A·p is 0 only for p = 0 (nothing left to change): no step then.
        const double alpha = pap != 0.0 ? rho / pap : 0.0;
        const double largest = Update(rows, alpha, p, z, x, r, work.partials, on);
        passes.End();
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
