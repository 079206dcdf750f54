// Value storage and element look-up of the symmetric node matrix.
#include "common/kernels/SymmetricMatrix.h"

#include <algorithm>
#include <stdexcept>

namespace kernels {

SymmetricMatrix::SymmetricMatrix(const SymmetricPattern& pattern)
    : pattern_(&pattern), diagonal_(pattern.RowCount(), 0.0), lower_(pattern.LowerCount(), 0.0)
{
}

void SymmetricMatrix::Clear()
{
    std::fill(diagonal_.begin(), diagonal_.end(), 0.0);
    std::fill(lower_.begin(), lower_.end(), 0.0);
}

double& SymmetricMatrix::Element(Index a, Index b)
{
    Index pos = pattern_->Find(std::max(a, b), std::min(a, b));
    if (pos < 0)
        throw std::logic_error("matrix element outside the pattern");
    return lower_[pos];
}

void SymmetricMatrix::FixZeroDiagonals()
{
    for (double& d : diagonal_)
        if (d == 0.0)
            d = 1.0;
}

void ClearSystemValues(SymmetricMatrix& a, std::span<double> rhs, std::initializer_list<std::span<double>> work,
                       const EscCheck& esc)
{
    a.Clear();
    std::fill(rhs.begin(), rhs.end(), 0.0);
    for (std::span<double> v : work)
        std::fill(v.begin(), v.end(), 0.0);
    PollEsc(esc);
}

} // namespace kernels
