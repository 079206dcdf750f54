// Loops over explicit arrays in fixed blocks of rows. On several threads the
// matrix product gathers each row from its lower elements and from its
// mirror (the upper elements), so that every row is written by one thread; on
// one thread it walks the lower elements once, gathering each row and
// scattering its mirror. Both add a row's terms in the same order (diagonal,
// lower elements, upper elements by ascending row), so they give the same
// bits.
#include "common/kernels/VectorOps.h"

#include "common/kernels/MatrixArrays.h"

#include <algorithm>
#include <vector>

namespace kernels {

void MultiplyMatrixVectorRows(const SymmetricMatrix& a, const double* v, double* y, Index first, Index end)
{
    const auto [start, col, upperStart, upperRow, upperPos, l, d] = ArraysOf(a);
    for (Index n = first; n < end; ++n) {
        double sum = d[n] * v[n];
        for (Index e = start[n]; e < start[n + 1]; ++e)
            sum += l[e] * v[col[e]];
        for (Index u = upperStart[n]; u < upperStart[n + 1]; ++u)
            sum += l[upperPos[u]] * v[upperRow[u]];
        y[n] = sum;
    }
}

namespace {

// Each row's sum is set when its row is reached; the later rows then add
// their elements in that row's column.
void MultiplyInRowOrder(const SymmetricMatrix& a, const double* v, double* y)
{
    const SymmetricPattern& p = a.Pattern();
    const LowerPosition* start = p.RowStarts();
    const Column* col = p.Columns();
    const double* l = a.Lower().data();
    const double* d = a.Diagonal().data();
    for (Index n = 0; n < p.RowCount(); ++n) {
        const double vn = v[n];
        double sum = d[n] * vn;
        for (Index e = start[n]; e < start[n + 1]; ++e) {
            sum += l[e] * v[col[e]];
            y[col[e]] += l[e] * vn;
        }
        y[n] = sum;
    }
}

} // namespace

void MultiplyMatrixVector(const SymmetricMatrix& a, const double* v, double* y, const EscCheck& esc, ThreadTeam* team)
{
    if (OnOneThread(team, a.Pattern().RowCount()))
        MultiplyInRowOrder(a, v, y);
    else
        ForEachBlock(a.Pattern().RowCount(), team,
                     [&](Index first, Index end, Index) { MultiplyMatrixVectorRows(a, v, y, first, end); });
    PollEsc(esc);
}

double DotProduct(Index n, const double* u, const double* v, const EscCheck& esc, ThreadTeam* team)
{
    std::vector<double> partials(BlockCount(n));
    ForEachBlock(n, team, [&](Index first, Index end, Index block) {
        double sum = 0.0;
        for (Index i = first; i < end; ++i)
            sum += u[i] * v[i];
        partials[block] = sum;
    });
    PollEsc(esc);
    return SumInOrder(partials);
}

void AddScaledVector(Index n, const double* x, double s, const double* y, double* out, const EscCheck& esc,
                     ThreadTeam* team)
{
    ForEachBlock(n, team, [&](Index first, Index end, Index) {
        for (Index i = first; i < end; ++i)
            out[i] = x[i] + s * y[i];
    });
    PollEsc(esc);
}

void CopyVector(Index n, const double* from, double* to, const EscCheck& esc, ThreadTeam* team)
{
    ForEachBlock(n, team, [&](Index first, Index end, Index) { std::copy(from + first, from + end, to + first); });
    PollEsc(esc);
}

} // namespace kernels
