// The reference of the solver benchmarks: Eigen's ConjugateGradient with its
// IncompleteCholesky on the same matrix as ours, timed to a given accuracy.
// Eigen runs on one thread here.
#pragma once
#include "common/kernels/SymmetricMatrix.h"

#include <Eigen/IterativeLinearSolvers>
#include <Eigen/Sparse>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

namespace bench {

// The symmetric node matrix as an Eigen matrix holding both triangles.
inline Eigen::SparseMatrix<double> EigenMatrixOf(const kernels::SymmetricMatrix& a)
{
    const kernels::SymmetricPattern& p = a.Pattern();
    const Eigen::Index rows = Eigen::Index(p.RowCount());
    std::vector<Eigen::Triplet<double>> t;
    t.reserve(std::size_t(rows + 2 * p.LowerCount()));
    for (Eigen::Index r = 0; r < rows; ++r) {
        t.emplace_back(r, r, a.Diagonal()[std::size_t(r)]);
        for (kernels::Index e = p.RowStarts()[r]; e < p.RowStarts()[r + 1]; ++e) {
            t.emplace_back(r, p.Columns()[e], a.Lower()[std::size_t(e)]);
            t.emplace_back(p.Columns()[e], r, a.Lower()[std::size_t(e)]);
        }
    }
    Eigen::SparseMatrix<double> m(rows, rows);
    m.setFromTriplets(t.begin(), t.end());
    return m;
}

// Eigen's preconditioner as its conjugate-gradient loop calls it: once
// before the first iteration and once after each, when the iterate has
// just been updated in place. Counts the iterations until the iterate first
// lies within the accuracy of the reference, and ends the loop there.
template <class Preconditioner> class AccuracyProbe {
  public:
    struct Reached {};
    AccuracyProbe(const Preconditioner& inner, const Eigen::VectorXd& x, const Eigen::VectorXd& reference,
                  double accuracy)
        : m_inner(inner), m_x(x), m_reference(reference), m_accuracy(accuracy)
    {
    }
    template <class Rhs> Eigen::VectorXd solve(const Rhs& r) const
    {
        if ((m_x - m_reference).template lpNorm<Eigen::Infinity>() < m_accuracy)
            throw Reached{};
        ++iterations;
        return m_inner.solve(r);
    }
    mutable int iterations = 0;

  private:
    const Preconditioner& m_inner;
    const Eigen::VectorXd& m_x;
    const Eigen::VectorXd& m_reference;
    double m_accuracy;
};

// Seconds (factorisation and iterations) Eigen needs to come within the
// accuracy (largest difference) of the reference solution: the iterations
// that get there are counted once on Eigen's own loop with the probe above,
// then Eigen's solver is timed with that many (a few more should its own
// sums round differently); 1e30 when 100000 do not get there.
template <class Ordering>
double EigenTimeToAccuracy(const Eigen::SparseMatrix<double>& a, const Eigen::VectorXd& b,
                           const Eigen::VectorXd& reference, double accuracy, int& iterations)
{
    using Clock = std::chrono::steady_clock;
    auto seconds = [](Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); };
    using Factor = Eigen::IncompleteCholesky<double, Eigen::Lower, Ordering>;
    using Cg = Eigen::ConjugateGradient<Eigen::SparseMatrix<double>, Eigen::Lower | Eigen::Upper, Factor>;
    Cg cg;
    const Clock::time_point t0 = Clock::now();
    cg.compute(a);
    const double setup = seconds(t0);

    const int limit = 100000;
    int needed = -1;
    {
        Eigen::VectorXd x = Eigen::VectorXd::Zero(b.size());
        const AccuracyProbe<Factor> probe(cg.preconditioner(), x, reference, accuracy);
        Eigen::Index iters = limit;
        double tolerance = 1e-300;
        try {
            Eigen::internal::conjugate_gradient(a, b, x, probe, iters, tolerance);
        } catch (const typename AccuracyProbe<Factor>::Reached&) {
            needed = probe.iterations;
        }
    }
    if (needed < 0)
        return 1e30;

    cg.setTolerance(1e-300);
    auto within = [&](int k, double& spent) {
        cg.setMaxIterations(k);
        const Clock::time_point t1 = Clock::now();
        const Eigen::VectorXd x = cg.solve(b);
        spent = seconds(t1);
        return (x - reference).lpNorm<Eigen::Infinity>() < accuracy;
    };
    double spent = 0.0;
    while (!within(needed, spent)) {
        needed += std::max(1, needed / 100);
        if (needed > limit)
            return 1e30;
    }
    // The better of two timed solves with that count: other processes on
    // the machine only ever make a solve slower.
    double again = 0.0;
    within(needed, again);
    iterations = needed;
    return setup + std::min(spent, again);
}

// Eigen's time to the accuracy with the better of its AMD and natural
// orderings; iterations of that one.
inline double EigenSeconds(const kernels::SymmetricMatrix& a, const double* b, const double* reference,
                           double accuracy, int& iterations)
{
    const Eigen::SparseMatrix<double> m = EigenMatrixOf(a);
    const Eigen::Index rows = m.rows();
    Eigen::Map<const Eigen::VectorXd> eb(b, rows), eref(reference, rows);
    int amdIterations = 0, naturalIterations = 0;
    const double amd = EigenTimeToAccuracy<Eigen::AMDOrdering<int>>(m, eb, eref, accuracy, amdIterations);
    const double natural = EigenTimeToAccuracy<Eigen::NaturalOrdering<int>>(m, eb, eref, accuracy, naturalIterations);
    iterations = amd <= natural ? amdIterations : naturalIterations;
    return std::min(amd, natural);
}

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

} // namespace bench
