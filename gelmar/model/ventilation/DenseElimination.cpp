// Dense Gaussian elimination with partial pivoting over row pointers.
#include "gelmar/model/ventilation/DenseElimination.h"

#include <cmath>
#include <utility>

namespace gelmar {

bool SolveDenseWithPivoting(std::span<double* const> rows)
{
    const std::size_t n = rows.size();
    for (std::size_t j = 0; j < n; ++j) {
        std::size_t pivot = j;
        double largest = std::fabs(rows[j][j]);
        for (std::size_t r = j + 1; r < n; ++r)
            if (std::fabs(rows[r][j]) > largest) {
                largest = std::fabs(rows[r][j]);
                pivot = r;
            }
        if (largest == 0.0)
            return false;
        if (pivot != j)
            for (std::size_t c = j; c <= n; ++c)
                std::swap(rows[j][c], rows[pivot][c]);
        for (std::size_t r = j + 1; r < n; ++r) {
            const double factor = rows[r][j] / rows[j][j];
            if (factor == 0.0)
                continue;
            for (std::size_t c = j; c <= n; ++c)
                rows[r][c] -= factor * rows[j][c];
        }
    }
    for (std::size_t j = n; j-- > 0;) {
        double sum = rows[j][n];
        for (std::size_t c = j + 1; c < n; ++c)
            sum -= rows[j][c] * rows[c][n];
        rows[j][n] = sum / rows[j][j];
    }
    return true;
}

} // namespace gelmar
