// IC(0) factorisation row by row ("up-looking"): each element of row i is
// reduced by the products of the earlier columns that row i shares with the
// element's column row, in ascending column order, then divided by that
// column's pivot. This is the same arithmetic, in the same order, as the
// column-by-column elimination, while only reading rows of the lower pattern.
#include "common/kernels/IncompleteCholesky.h"

#include <cmath>

namespace kernels {

void IncompleteCholeskyFactor::Factorise(const SymmetricMatrix& matrix, const EscCheck& esc)
{
    pattern_ = &matrix.Pattern();
    const Index rows = pattern_->RowCount();
    const Index grid = pattern_->GridRowCount();
    const Index* start = pattern_->RowStarts();
    const Column* col = pattern_->Columns();
    const double* a = matrix.Lower().data();

    // pivot[n]: √d when d > 0, else d unchanged (its column then stays undivided).
    std::vector<double>& pivot = inversePivot_;
    pivot.assign(matrix.Diagonal().begin(), matrix.Diagonal().end());
    std::vector<double>& l = scaledLower_;
    l.assign(a, a + pattern_->GridLowerCount());

    for (Index i = 0; i < grid; ++i) {
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
        if ((i + 1) % 10000 == 0)
            PollEsc(esc);
    }
    for (Index i = grid; i < rows; ++i)
        if (pivot[i] > 0.0)
            pivot[i] = std::sqrt(pivot[i]);

    // Row-scale L and invert the pivots; a zero pivot (a zero diagonal that
    // was not fixed) acts as 1 so that the preconditioner stays finite.
    for (Index i = 0; i < rows; ++i) {
        const double inv = pivot[i] != 0.0 ? 1.0 / pivot[i] : 1.0;
        pivot[i] = inv;
        if (i < grid)
            for (Index e = start[i]; e < start[i + 1]; ++e)
                l[e] *= inv;
    }
    PollEsc(esc);
}

void ApplyPreconditionerForward(const IncompleteCholeskyFactor& factor, const double* r, double* z,
                                const EscCheck& esc)
{
    const SymmetricPattern& p = factor.Pattern();
    const Index rows = p.RowCount(), grid = p.GridRowCount();
    const Index* start = p.RowStarts();
    const Column* col = p.Columns();
    const double* l = factor.ScaledLower();
    const double* inv = factor.InversePivots();
    for (Index n = 0; n < grid; ++n) {
        double v = r[n] * inv[n];
        for (Index e = start[n]; e < start[n + 1]; ++e)
            v -= l[e] * z[col[e]];
        z[n] = v;
    }
    for (Index n = grid; n < rows; ++n)
        z[n] = r[n] * inv[n];
    PollEsc(esc);
}

void ApplyPreconditionerBackward(const IncompleteCholeskyFactor& factor, double* z, const EscCheck& esc)
{
    const SymmetricPattern& p = factor.Pattern();
    const Index rows = p.RowCount(), grid = p.GridRowCount();
    const Index* start = p.RowStarts();
    const Column* col = p.Columns();
    const double* l = factor.ScaledLower();
    const double* inv = factor.InversePivots();
    for (Index n = rows - 1; n >= grid; --n)
        z[n] *= inv[n];
    for (Index n = grid - 1; n >= 0; --n) {
        const double v = z[n];
        z[n] = v * inv[n];
        for (Index e = start[n]; e < start[n + 1]; ++e)
            z[col[e]] -= l[e] * v;
    }
    PollEsc(esc);
}

} // namespace kernels
