// Incomplete-Cholesky factor without fill-in of the grid rows of a symmetric
// node matrix, M = L·Lᵀ on the matrix's own pattern; the zone rows behind the
// grid rows are preconditioned by their diagonal alone.
//
// A pivot that is not positive is not rooted and its column is not divided,
// and a diagonal update that would leave a pivot at zero or below is skipped,
// so the factor always exists. The factor is kept row-scaled (each row of L
// divided by its own pivot, with the pivots' inverses beside it), which lets
// both substitutions multiply instead of divide.
#pragma once

#include "common/kernels/SymmetricMatrix.h"

#include <vector>

namespace kernels {

class IncompleteCholeskyFactor {
  public:
    // Copies the matrix and factorises it; polls Esc every 10000 rows.
    void Factorise(const SymmetricMatrix& matrix, const EscCheck& esc);

    const SymmetricPattern& Pattern() const { return *pattern_; }
    // 1 / pivot per row.
    const double* InversePivots() const { return inversePivot_.data(); }
    // L(n, c) / pivot(n) per lower element of the grid rows.
    const double* ScaledLower() const { return scaledLower_.data(); }

  private:
    const SymmetricPattern* pattern_ = nullptr;
    std::vector<double> inversePivot_;
    std::vector<double> scaledLower_;
};

// Forward substitution z = L⁻¹·r, then backward z = L⁻ᵀ·z (in place); each
// polls Esc at its end. Together they give z = M⁻¹·r.
void ApplyPreconditionerForward(const IncompleteCholeskyFactor& factor, const double* r, double* z,
                                const EscCheck& esc);
void ApplyPreconditionerBackward(const IncompleteCholeskyFactor& factor, double* z, const EscCheck& esc);

} // namespace kernels
