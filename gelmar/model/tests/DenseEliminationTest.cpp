// Dense elimination against Eigen's LU solve, with rows that need pivoting
// and the extra columns that must stay with their rows.
#include "gelmar/model/ventilation/DenseElimination.h"

#include <Eigen/Dense>
#include <gtest/gtest.h>
#include <vector>

namespace gelmar {
namespace {

// Rows of n coefficients, the right-hand side and one kept value per row.
struct System {
    std::size_t n;
    std::vector<std::vector<double>> rows;
    std::vector<double*> Pointers()
    {
        std::vector<double*> p;
        for (auto& r : rows)
            p.push_back(r.data());
        return p;
    }
};

TEST(DenseEliminationTest, MatchesLuSolveAndKeepsTrailingColumns)
{
    // The first column's first entry is 0: the first step must pivot.
    const std::vector<std::vector<double>> a = {
        {0.0, 2.0, -1.0, 0.5}, {4.0, -1.0, 0.0, 1.0}, {1.0, 1.0, 5.0, -2.0}, {-3.0, 0.0, 2.0, 6.0}};
    const std::vector<double> b = {1.0, -2.0, 3.5, 0.25};
    System s{4, {}};
    Eigen::MatrixXd m(4, 4);
    Eigen::VectorXd rhs(4);
    for (std::size_t i = 0; i < 4; ++i) {
        s.rows.push_back(a[i]);
        s.rows.back().push_back(b[i]);
        s.rows.back().push_back(100.0 + static_cast<double>(i)); // kept value of row i
        for (std::size_t j = 0; j < 4; ++j)
            m(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(j)) = a[i][j];
        rhs(static_cast<Eigen::Index>(i)) = b[i];
    }
    const Eigen::VectorXd x = m.partialPivLu().solve(rhs);
    std::vector<double*> rows = s.Pointers();
    ASSERT_TRUE(SolveDenseWithPivoting(rows));
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(s.rows[i][4], x(static_cast<Eigen::Index>(i)), 1e-12) << i;
        EXPECT_EQ(s.rows[i][5], 100.0 + static_cast<double>(i)) << i;
    }
}

TEST(DenseEliminationTest, ColumnWithoutPivotIsSingular)
{
    System zeroRow{2, {{1.0, 0.0, 1.0}, {0.0, 0.0, 0.0}}};
    std::vector<double*> rows = zeroRow.Pointers();
    EXPECT_FALSE(SolveDenseWithPivoting(rows));
    System dependent{2, {{1.0, 2.0, 1.0}, {2.0, 4.0, 2.0}}};
    rows = dependent.Pointers();
    EXPECT_FALSE(SolveDenseWithPivoting(rows));
}

TEST(DenseEliminationTest, EmptySystemIsSolved)
{
    EXPECT_TRUE(SolveDenseWithPivoting({}));
}

} // namespace
} // namespace gelmar
