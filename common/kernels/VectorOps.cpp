// Plain loops over explicit arrays; the matrix product walks the lower
// pattern once, gathering each row and scattering its mirror.
#include "common/kernels/VectorOps.h"

#include <algorithm>

namespace kernels {

void MultiplyMatrixVector(const SymmetricMatrix& a, const double* v, double* y, const EscCheck& esc)
{
    const SymmetricPattern& p = a.Pattern();
    const Index* start = p.RowStarts();
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
    PollEsc(esc);
}

double DotProduct(Index n, const double* u, const double* v, const EscCheck& esc)
{
    double sum = 0.0;
    for (Index i = 0; i < n; ++i)
        sum += u[i] * v[i];
    PollEsc(esc);
    return sum;
}

void AddScaledVector(Index n, const double* x, double s, const double* y, double* out, const EscCheck& esc)
{
    for (Index i = 0; i < n; ++i)
        out[i] = x[i] + s * y[i];
    PollEsc(esc);
}

void CopyVector(Index n, const double* from, double* to, const EscCheck& esc)
{
    std::copy(from, from + n, to);
    PollEsc(esc);
}

} // namespace kernels
