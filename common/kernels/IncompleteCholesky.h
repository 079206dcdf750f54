// Incomplete-Cholesky factor without fill-in of the grid rows of a symmetric
// node matrix, M = L·Lᵀ on the matrix's own pattern; the zone rows behind the
// grid rows are preconditioned by their diagonal alone.
//
// A pivot that is not positive is not rooted and its column is not divided,
// and a diagonal update that would leave a pivot at zero or below is skipped,
// so the factor always exists. The pivots are kept as their inverses, so
// that both substitutions multiply instead of divide.
//
// The factorisation and the substitutions follow the pattern's level
// schedule: rows of one level run on several threads at once, each row by
// the same arithmetic as on one thread, so the factor and every substitution
// are the same for any number of threads. They run on the team's threads, or
// on the calling thread alone without a team.
#pragma once

#include "common/kernels/Parallel.h"
#include "common/kernels/SymmetricMatrix.h"

#include <vector>

namespace kernels {

class IncompleteCholeskyFactor {
  public:
    // Copies the matrix and factorises it; polls Esc every 10000 rows.
    void Factorise(const SymmetricMatrix& matrix, const EscCheck& esc, ThreadTeam* team = nullptr);

    const SymmetricPattern& Pattern() const { return *pattern_; }
    // 1 / pivot per row.
    const double* InversePivots() const { return inversePivot_.data(); }
    // L(n, c) per lower element of the grid rows.
    const double* Lower() const { return lower_.data(); }

  private:
    const SymmetricPattern* pattern_ = nullptr;
    std::vector<double> inversePivot_;
    std::vector<double> lower_;
};

// Forward substitution z = L⁻¹·r, then backward z = L⁻ᵀ·z (in place); each
// polls Esc at its end. Together they give z = M⁻¹·r.
void ApplyPreconditionerForward(const IncompleteCholeskyFactor& factor, const double* r, double* z,
                                const EscCheck& esc, ThreadTeam* team = nullptr);
void ApplyPreconditionerBackward(const IncompleteCholeskyFactor& factor, double* z, const EscCheck& esc,
                                 ThreadTeam* team = nullptr);
// The backward substitution that also returns r·z of its result, summed in
// an order fixed by the pattern; `partials` is its scratch. Polls no Esc.
double ApplyPreconditionerBackwardWithDot(const IncompleteCholeskyFactor& factor, const double* r, double* z,
                                          std::vector<double>& partials, ThreadTeam* team = nullptr);

} // namespace kernels
