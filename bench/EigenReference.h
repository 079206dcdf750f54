// The reference solver of the benchmarks: Eigen's conjugate gradients with
// its incomplete-Cholesky preconditioner on the same matrix, timed to the
// fewest iterations that bring it within a given accuracy of a reference
// solution (setup included), with the better of its AMD and natural
// orderings. Eigen runs on one thread here.
#pragma once
#include "common/kernels/SymmetricMatrix.h"

#include <Eigen/IterativeLinearSolvers>
#include <Eigen/Sparse>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

namespace bench {

inline double SecondsSince(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

inline double MaxDifference(const double* u, const double* v, kernels::Index n)
{
    double worst = 0.0;
    for (kernels::Index i = 0; i < n; ++i)
        worst = std::max(worst, std::abs(u[i] - v[i]));
    return worst;
}

inline Eigen::SparseMatrix<double> ToEigen(const kernels::SymmetricMatrix& a)
{
    const kernels::SymmetricPattern& p = a.Pattern();
    const kernels::Index rows = p.RowCount();
    std::vector<Eigen::Triplet<double>> t;
    t.reserve(rows + 2 * p.LowerCount());
    for (kernels::Index n = 0; n < rows; ++n) {
        t.emplace_back(n, n, a.Diagonal()[n]);
        for (kernels::Index e = p.RowStarts()[n]; e < p.RowStarts()[n + 1]; ++e) {
            t.emplace_back(n, p.Columns()[e], a.Lower()[e]);
            t.emplace_back(p.Columns()[e], n, a.Lower()[e]);
        }
    }
    Eigen::SparseMatrix<double> m(rows, rows);
    m.setFromTriplets(t.begin(), t.end());
    return m;
}

template <class Ordering>
double EigenSecondsTo(const Eigen::SparseMatrix<double>& a, const Eigen::VectorXd& b, const Eigen::VectorXd& reference,
                      double accuracy, int& iterations)
{
    using Cg = Eigen::ConjugateGradient<Eigen::SparseMatrix<double>, Eigen::Lower | Eigen::Upper,
                                        Eigen::IncompleteCholesky<double, Eigen::Lower, Ordering>>;
    Cg cg;
    auto t0 = std::chrono::steady_clock::now();
    cg.compute(a);
    const double setup = SecondsSince(t0);
    cg.setTolerance(1e-300);
    auto solveWith = [&](int k, double& seconds) {
        cg.setMaxIterations(k);
        auto t1 = std::chrono::steady_clock::now();
        Eigen::VectorXd x = cg.solve(b);
        seconds = SecondsSince(t1);
        return (x - reference).lpNorm<Eigen::Infinity>() <= accuracy;
    };
    // Doubling, then bisection, for the fewest iterations that reach it.
    double seconds = 0.0;
    int low = 0, high = 8;
    while (!solveWith(high, seconds)) {
        low = high;
        high *= 2;
        if (high > 100000)
            return 1e30;
    }
    while (high - low > 1) {
        const int mid = (low + high) / 2;
        double t;
        if (solveWith(mid, t))
            high = mid;
        else
            low = mid;
    }
    // The best of three timed solves with that count.
    seconds = 1e30;
    for (int rep = 0; rep < 3; ++rep) {
        double t;
        solveWith(high, t);
        seconds = std::min(seconds, t);
    }
    iterations = high;
    return setup + seconds;
}

// Eigen's time to the accuracy, the better of its two orderings.
inline double EigenSeconds(const kernels::SymmetricMatrix& a, const double* b, const double* reference,
                           double accuracy, int& iterations)
{
    const Eigen::SparseMatrix<double> m = ToEigen(a);
    const kernels::Index rows = a.Pattern().RowCount();
    Eigen::Map<const Eigen::VectorXd> eb(b, rows), eref(reference, rows);
    int amdIterations = 0, naturalIterations = 0;
    const double amd = EigenSecondsTo<Eigen::AMDOrdering<int>>(m, eb, eref, accuracy, amdIterations);
    const double natural = EigenSecondsTo<Eigen::NaturalOrdering<int>>(m, eb, eref, accuracy, naturalIterations);
    iterations = amd <= natural ? amdIterations : naturalIterations;
    return std::min(amd, natural);
}

} // namespace bench
