// Vector operations of the conjugate-gradient solver over all rows of a
// system. Each one polls Esc once at its end, as the solver's progress relies
// on it. They run on the team's threads (without a team on the calling
// thread) in fixed blocks of rows, so their results do not depend on the
// number of threads.
#pragma once

#include "common/kernels/Parallel.h"
#include "common/kernels/SymmetricMatrix.h"

namespace kernels {

// y = A·v with the diagonal and every lower element in both its row and its
// column. y must not alias v.
void MultiplyMatrixVector(const SymmetricMatrix& a, const double* v, double* y, const EscCheck& esc,
                          ThreadTeam* team = nullptr);
// y = A·v over the rows [first, end) alone, each row gathered whole from its
// lower and its upper elements; y must not alias v.
void MultiplyMatrixVectorRows(const SymmetricMatrix& a, const double* v, double* y, Index first, Index end);
// Σ u_i·v_i over n entries.
double DotProduct(Index n, const double* u, const double* v, const EscCheck& esc, ThreadTeam* team = nullptr);
// out = x + s·y over n entries (out may alias x or y).
void AddScaledVector(Index n, const double* x, double s, const double* y, double* out, const EscCheck& esc,
                     ThreadTeam* team = nullptr);
void CopyVector(Index n, const double* from, double* to, const EscCheck& esc, ThreadTeam* team = nullptr);

} // namespace kernels
