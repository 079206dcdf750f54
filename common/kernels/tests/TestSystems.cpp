// Builders of the test systems.
#include "TestSystems.h"

#include <random>
#include <set>
#include <utility>

namespace kernels::test {

System FromLinks(Index rows, Index gridRows, const std::vector<Link>& links, const std::vector<double>& ground,
                 const Eigen::VectorXd& b)
{
    System s;
    s.pattern = std::make_unique<SymmetricPattern>(BuildSymmetricPattern(
        rows, gridRows,
        [&](auto&& link) {
            for (const Link& l : links)
                link(l.a, l.b);
        },
        {}));
    s.matrix = std::make_unique<SymmetricMatrix>(*s.pattern);
    std::vector<double>& d = s.matrix->Diagonal();
    for (Index n = 0; n < rows; ++n)
        d[n] = ground[n];
    for (const Link& l : links) {
        d[l.a] += l.g;
        d[l.b] += l.g;
        s.matrix->Element(l.a, l.b) -= l.g;
    }
    s.b = b;
    return s;
}

System FromDense(const Eigen::MatrixXd& a, const Eigen::VectorXd& b, Index gridRows)
{
    const Index n = a.rows();
    System s;
    auto links = [&](auto&& link) {
        for (Index i = 0; i < n; ++i)
            for (Index j = 0; j < i; ++j)
                if (a(i, j) != 0.0)
                    link(i, j);
    };
    s.pattern = std::make_unique<SymmetricPattern>(BuildSymmetricPattern(n, gridRows, links, {}));
    s.matrix = std::make_unique<SymmetricMatrix>(*s.pattern);
    for (Index i = 0; i < n; ++i) {
        s.matrix->Diagonal()[i] = a(i, i);
        for (Index j = 0; j < i; ++j)
            if (a(i, j) != 0.0)
                s.matrix->Element(i, j) = a(i, j);
    }
    s.b = b;
    return s;
}

System RandomSpd(int rows, int gridRows, int linksPerRow, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> weight(0.1, 10.0);
    std::uniform_int_distribution<int> node(0, rows - 1);
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(rows, rows);
    for (int i = 0; i < rows; ++i) {
        for (int k = 0; k < linksPerRow; ++k) {
            int j = node(rng);
            if (j == i)
                continue;
            double w = weight(rng);
            a(i, j) -= w;
            a(j, i) -= w;
            a(i, i) += w;
            a(j, j) += w;
        }
        a(i, i) += 0.05 * weight(rng);
    }
    Eigen::VectorXd b = Eigen::VectorXd::NullaryExpr(rows, [&] { return 20.0 * weight(rng); });
    return FromDense(a, b, gridRows);
}

System GridLaplacian(int nx, int ny, int nz)
{
    const int n = nx * ny * nz;
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(n, n);
    Eigen::VectorXd b = Eigen::VectorXd::Zero(n);
    auto id = [&](int i, int j, int k) { return i + nx * (j + ny * k); };
    auto link = [&](int p, int q, double g) {
        a(p, q) -= g;
        a(q, p) -= g;
        a(p, p) += g;
        a(q, q) += g;
    };
    for (int k = 0; k < nz; ++k)
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i) {
                int p = id(i, j, k);
                if (i + 1 < nx)
                    link(p, id(i + 1, j, k), 1.0);
                if (j + 1 < ny)
                    link(p, id(i, j + 1, k), 1.0);
                if (k + 1 < nz)
                    link(p, id(i, j, k + 1), 1.0);
                if (i == 0) { // held at 20 °C through a surface conductance
                    a(p, p) += 2.0;
                    b(p) += 2.0 * 20.0;
                }
                if (i == nx - 1)
                    a(p, p) += 0.5; // to 0 °C
            }
    return FromDense(a, b, n);
}

Eigen::MatrixXd ToDense(const SymmetricMatrix& a)
{
    const SymmetricPattern& p = a.Pattern();
    Eigen::MatrixXd m = Eigen::MatrixXd::Zero(p.RowCount(), p.RowCount());
    for (Index i = 0; i < p.RowCount(); ++i) {
        m(i, i) = a.Diagonal()[i];
        for (Index e = p.RowStarts()[i]; e < p.RowStarts()[i + 1]; ++e) {
            m(i, p.Columns()[e]) = a.Lower()[e];
            m(p.Columns()[e], i) = a.Lower()[e];
        }
    }
    return m;
}

SolverLimits TightLimits()
{
    return {10000, 1e-12, 1e-9, 1e-9};
}

Eigen::VectorXd Solve(const System& s, SolverState* state)
{
    IncompleteCholeskyFactor factor;
    factor.Factorise(*s.matrix, {});
    Eigen::VectorXd x = Eigen::VectorXd::Zero(s.b.size());
    SolverWork work;
    SolverState local;
    SolveConjugateGradient(*s.matrix, factor, s.b.data(), x.data(), work, state ? *state : local,
                           TightLimits(), {});
    return x;
}

} // namespace kernels::test
