// Values of a sparse symmetric node matrix on its pattern: the diagonal per
// row and one value per lower element. Assembly adds conductances here; the
// factorisation and the solver read them.
#pragma once

#include "common/kernels/SymmetricPattern.h"

#include <initializer_list>
#include <span>
#include <vector>

namespace kernels {

class SymmetricMatrix {
  public:
    // Sized to the pattern, all values 0.0. The pattern must outlive the matrix.
    explicit SymmetricMatrix(const SymmetricPattern& pattern);

    const SymmetricPattern& Pattern() const { return *pattern_; }
    std::vector<double>& Diagonal() { return diagonal_; }
    const std::vector<double>& Diagonal() const { return diagonal_; }
    std::vector<double>& Lower() { return lower_; }
    const std::vector<double>& Lower() const { return lower_; }

    // Every diagonal and lower value back to 0.0.
    void Clear();
    // The stored value of element (a, b) = (b, a) with a != b; a coupling
    // the pattern lacks is a fault of the caller (std::logic_error).
    double& Element(Index a, Index b);
    // Every diagonal that is exactly 0.0 becomes 1.0, so that a node without
    // any coupling stays solvable.
    void FixZeroDiagonals();

  private:
    const SymmetricPattern* pattern_;
    std::vector<double> diagonal_;
    std::vector<double> lower_;
};

// Zeroes every value of the matrix, the right-hand side and each work vector
// before an assembly; the solution the caller keeps elsewhere stays. Polls
// Esc at the end.
void ClearSystemValues(SymmetricMatrix& a, std::span<double> rhs, std::initializer_list<std::span<double>> work,
                       const EscCheck& esc);

} // namespace kernels
