// Gaussian elimination with partial pivoting on a small dense system stored
// as row pointers, each row holding its coefficients and, in the column after
// them, the right-hand side. Rows are exchanged by swapping their values from
// the pivot column on, so that further columns a caller keeps beside a row
// (older values of the same unknown) stay with that row.
#pragma once
#include <cstddef>
#include <span>

namespace gelmar {

// Solves the n x n system in rows[i][0..n-1] with right-hand side rows[i][n];
// the solution replaces the right-hand side. The pivot of column j is the
// first row at or below j with the largest magnitude. False, with the rows
// partly eliminated, when a column has no non-zero pivot.
bool SolveDenseWithPivoting(std::span<double* const> rows);

} // namespace gelmar
