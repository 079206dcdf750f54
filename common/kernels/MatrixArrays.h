// The arrays of a matrix and of its pattern as the row loops read them:
// each row's lower elements (start, columns), its mirror (upper start, the
// rows holding its upper elements and their lower positions), the lower
// values and the diagonal.
#pragma once

#include "common/kernels/SymmetricMatrix.h"

namespace kernels {

struct MatrixArrays {
    const LowerPosition* start;
    const Column* col;
    const LowerPosition* upperStart;
    const Column* upperRow;
    const LowerPosition* upperPos;
    const double* lower;
    const double* diagonal;
};

inline MatrixArrays ArraysOf(const SymmetricMatrix& a)
{
    const SymmetricPattern& p = a.Pattern();
    return {p.RowStarts(), p.Columns(), p.UpperStarts(), p.UpperRows(), p.UpperPositions(), a.Lower().data(),
            a.Diagonal().data()};
}

} // namespace kernels
