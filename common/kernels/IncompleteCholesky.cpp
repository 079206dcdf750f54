// IC(0) factorisation row by row ("up-looking"): each element of row i is
// reduced by the products of the earlier columns that row i shares with the
// element's column row, in ascending column order, then divided by that
// column's pivot. This is the same arithmetic, in the same order, as the
// column-by-column elimination, while only reading rows of the lower pattern;
// and a row only reads rows it depends on, so the rows of one level of the
// schedule can be factorised at the same time.
//
// On one thread the rows go in row order, and the backward substitution
// scatters each row into the rows of its lower columns. On several threads
// the rows go level by level, and the backward substitution gathers each row
// from its upper elements (the pattern's mirror) instead, so that every row
// is written by one thread. Both subtract the same products in the same
// order (the upper rows from the highest down), so they give the same bits;
// the partial sums of r·z are kept per task of the schedule either way.
#include "common/kernels/IncompleteCholesky.h"

#include <cmath>

namespace kernels {

namespace {

// Calls row(n) for every row of task t, each chunk in row order; reverse
// takes the chunks last first and each chunk from its last row.
template <class Row> void ForTaskRows(const LevelSchedule& s, Index t, bool reverse, Row&& row)
{
    for (std::int32_t i = 0; i < s.taskStart[t + 1] - s.taskStart[t]; ++i) {
        const std::int32_t c = s.taskChunks[reverse ? s.taskStart[t + 1] - 1 - i : s.taskStart[t] + i];
        if (reverse)
            for (Index n = s.chunkStart[c + 1] - 1; n >= s.chunkStart[c]; --n)
                row(n);
        else
            for (Index n = s.chunkStart[c]; n < s.chunkStart[c + 1]; ++n)
                row(n);
    }
}

// Calls rows(first, end) for every chunk of task t, in the task's order
// (reverse: its chunks last first).
template <class Rows> void ForTaskChunks(const LevelSchedule& s, Index t, bool reverse, Rows&& rows)
{
    for (std::int32_t i = 0; i < s.taskStart[t + 1] - s.taskStart[t]; ++i) {
        const std::int32_t c = s.taskChunks[reverse ? s.taskStart[t + 1] - 1 - i : s.taskStart[t] + i];
        rows(Index{s.chunkStart[c]}, Index{s.chunkStart[c + 1]});
    }
}

Index TaskRows(const LevelSchedule& s, Index t)
{
    Index rows = 0;
    for (std::int32_t k = s.taskStart[t]; k < s.taskStart[t + 1]; ++k)
        rows += s.chunkStart[s.taskChunks[k] + 1] - s.chunkStart[s.taskChunks[k]];
    return rows;
}

bool RowOrder(const SymmetricPattern& p, const ThreadTeam* team)
{
    return OnOneThread(team, p.GridRowCount()) || p.Schedule().LevelCount() <= 1;
}

} // namespace

void IncompleteCholeskyFactor::Factorise(const SymmetricMatrix& matrix, const EscCheck& esc, ThreadTeam* team)
{
    pattern_ = &matrix.Pattern();
    const SymmetricPattern& p = *pattern_;
    const Index rows = p.RowCount();
    const Index grid = p.GridRowCount();
    const LowerPosition* start = p.RowStarts();
    const Column* col = p.Columns();
    const double* a = matrix.Lower().data();

    // pivot[n]: √d when d > 0, else d unchanged (its column then stays undivided).
    std::vector<double>& pivotStore = inversePivot_;
    pivotStore.assign(matrix.Diagonal().begin(), matrix.Diagonal().end());
    lower_.assign(a, a + p.GridLowerCount());
    double* pivot = pivotStore.data();
    double* l = lower_.data();

    auto factoriseRow = [&](Index i) {
        double d = pivot[i];
        for (Index e = start[i]; e < start[i + 1]; ++e) {
            const Index k = col[e];
            double v = l[e];
            // Subtract L(i, j)·L(k, j) over the columns j < k of both rows.
            Index ei = start[i], ek = start[k];
            while (v != 0.0 && ei < e && ek < start[k + 1]) {
                if (col[ei] < col[ek])
                    ++ei;
                else if (col[ek] < col[ei])
                    ++ek;
                else
                    v -= l[ei++] * l[ek++];
            }
            if (pivot[k] > 0.0)
                v /= pivot[k];
            l[e] = v;
            const double reduced = d - v * v;
            if (reduced > 0.0)
                d = reduced;
        }
        pivot[i] = d > 0.0 ? std::sqrt(d) : d;
    };

    const LevelSchedule& s = p.Schedule();
    if (RowOrder(p, team)) {
        for (Index i = 0; i < grid; ++i) {
            factoriseRow(i);
            if ((i + 1) % 10000 == 0)
                PollEsc(esc);
        }
    } else {
        // Levels in runs of at least 10000 rows, with an Esc poll after each run.
        Index level = 0;
        while (level < s.LevelCount()) {
            Index end = level, runRows = 0;
            while (end < s.LevelCount() && runRows < 10000) {
                for (Index t = s.levelStart[end]; t < s.levelStart[end + 1]; ++t)
                    runRows += TaskRows(s, t);
                ++end;
            }
            ForEachTask(s, level, end, false, team, [&](Index t) { ForTaskRows(s, t, false, factoriseRow); });
            level = end;
            PollEsc(esc);
        }
    }

    // Zone rows are rooted alone; a zero pivot (a zero diagonal that was not
    // fixed) acts as 1 so that the preconditioner stays finite.
    ForEachBlock(rows, team, [&](Index first, Index end, Index) {
        for (Index i = first; i < end; ++i) {
            if (i >= grid && pivot[i] > 0.0)
                pivot[i] = std::sqrt(pivot[i]);
            pivot[i] = pivot[i] != 0.0 ? 1.0 / pivot[i] : 1.0;
        }
    });
    PollEsc(esc);
}

void ApplyPreconditionerForward(const IncompleteCholeskyFactor& factor, const double* r, double* z,
                                const EscCheck& esc, ThreadTeam* team)
{
    const SymmetricPattern& p = factor.Pattern();
    const Index rows = p.RowCount(), grid = p.GridRowCount();
    const LowerPosition* start = p.RowStarts();
    const Column* col = p.Columns();
    const double* l = factor.Lower();
    const double* inv = factor.InversePivots();
    const LevelSchedule& s = p.Schedule();
    // The rows [first, end) in order. A row whose last column is the row
    // before takes that row's z from a register rather than from memory, so
    // that a run of dependent rows waits for arithmetic alone; the terms are
    // the same, in the same order.
    auto rowsInOrder = [&](Index first, Index end) {
        double previous = 0.0;
        for (Index n = first; n < end; ++n) {
            double v = r[n];
            const Index e0 = start[n], e1 = start[n + 1];
            const bool chained = n > first && e1 > e0 && col[e1 - 1] == n - 1;
            for (Index e = e0; e < (chained ? e1 - 1 : e1); ++e)
                v -= l[e] * z[col[e]];
            if (chained)
                v -= l[e1 - 1] * previous;
            previous = v * inv[n];
            z[n] = previous;
        }
    };
    if (RowOrder(p, team))
        rowsInOrder(0, grid);
    else
        ForEachTask(s, 0, s.LevelCount(), false, team, [&](Index t) { ForTaskChunks(s, t, false, rowsInOrder); });
    ForEachBlock(rows - grid, team, [&](Index first, Index end, Index) {
        for (Index n = grid + first; n < grid + end; ++n)
            z[n] = r[n] * inv[n];
    });
    PollEsc(esc);
}

namespace {

// The backward substitution; with r, per task and per block of zone rows
// also the partial sums of r·z.
void Backward(const IncompleteCholeskyFactor& factor, const double* r, double* z, double* taskSums,
              double* zoneSums, ThreadTeam* team)
{
    const SymmetricPattern& p = factor.Pattern();
    const Index rows = p.RowCount(), grid = p.GridRowCount();
    const LowerPosition* start = p.RowStarts();
    const Column* col = p.Columns();
    const LowerPosition* upperStart = p.UpperStarts();
    const Column* upperRow = p.UpperRows();
    const LowerPosition* upperPos = p.UpperPositions();
    const double* l = factor.Lower();
    const double* inv = factor.InversePivots();
    const LevelSchedule& s = p.Schedule();

    ForEachBlock(rows - grid, team, [&](Index first, Index end, Index block) {
        double sum = 0.0;
        for (Index n = grid + first; n < grid + end; ++n) {
            z[n] *= inv[n];
            if (r)
                sum += r[n] * z[n];
        }
        if (r)
            zoneSums[block] = sum;
    });

    if (RowOrder(p, team)) {
        // Chunks last first, each from its last row: every task's rows in
        // the order in which the task itself takes them.
        // The row before, when it is a lower column of this row, receives
        // its last term last: that value stays in a register for it.
        for (Index c = static_cast<Index>(s.chunkStart.size()) - 2; c >= 0; --c) {
            double* sum = r ? taskSums + s.taskOfChunk[c] : nullptr;
            const Index first = s.chunkStart[c];
            double carried = 0.0;
            bool carrying = false;
            for (Index n = s.chunkStart[c + 1] - 1; n >= first; --n) {
                const double zn = (carrying ? carried : z[n]) * inv[n];
                z[n] = zn;
                if (sum)
                    *sum += r[n] * zn;
                const Index e0 = start[n], e1 = start[n + 1];
                carrying = n > first && e1 > e0 && col[e1 - 1] == n - 1;
                for (Index e = e0; e < (carrying ? e1 - 1 : e1); ++e)
                    z[col[e]] -= l[e] * zn;
                if (carrying)
                    carried = z[n - 1] - l[e1 - 1] * zn;
            }
        }
        return;
    }
    // The rows [first, end) from the last; a row whose lowest upper row is
    // the row after takes that row's z from a register.
    auto rowsReversed = [&](Index first, Index end, double& sum) {
        double next = 0.0;
        for (Index n = end - 1; n >= first; --n) {
            double v = z[n];
            const Index u0 = upperStart[n];
            const bool chained = n + 1 < end && Index{upperStart[n + 1]} > u0 && upperRow[u0] == n + 1;
            // Upper rows from the highest down; the zone rows among them are left out.
            for (Index u = Index{upperStart[n + 1]} - 1; u >= (chained ? u0 + 1 : u0); --u) {
                const Index m = upperRow[u];
                if (m < grid)
                    v -= l[upperPos[u]] * z[m];
            }
            if (chained)
                v -= l[upperPos[u0]] * next;
            next = v * inv[n];
            z[n] = next;
            if (r)
                sum += r[n] * next;
        }
    };
    ForEachTask(s, 0, s.LevelCount(), true, team, [&](Index t) {
        double sum = 0.0;
        ForTaskChunks(s, t, true, [&](Index first, Index end) { rowsReversed(first, end, sum); });
        if (r)
            taskSums[t] = sum;
    });
}

} // namespace

void ApplyPreconditionerBackward(const IncompleteCholeskyFactor& factor, double* z, const EscCheck& esc,
                                 ThreadTeam* team)
{
    Backward(factor, nullptr, z, nullptr, nullptr, team);
    PollEsc(esc);
}

double ApplyPreconditionerBackwardWithDot(const IncompleteCholeskyFactor& factor, const double* r, double* z,
                                          std::vector<double>& partials, ThreadTeam* team)
{
    const SymmetricPattern& p = factor.Pattern();
    const Index tasks = p.Schedule().TaskCount();
    partials.assign(tasks + BlockCount(p.RowCount() - p.GridRowCount()), 0.0);
    Backward(factor, r, z, partials.data(), partials.data() + tasks, team);
    return SumInOrder(partials);
}

} // namespace kernels
