// Small systems for the kernel tests: patterns and matrices built from Eigen
// matrices, random SPD systems and grid Laplacians, and the solve limits of a
// tight solve.
#pragma once

#include "common/kernels/ConjugateGradient.h"

#include <Eigen/Dense>
#include <memory>
#include <vector>

namespace kernels::test {

// A pattern, its matrix and the right-hand side, kept together.
struct System {
    std::unique_ptr<SymmetricPattern> pattern;
    std::unique_ptr<SymmetricMatrix> matrix;
    Eigen::VectorXd b;
};

// A coupling of conductance g between two nodes.
struct Link {
    Index a, b;
    double g;
};

// The system of a conductance network, built sparse (for systems too large
// for a dense matrix): each link adds g to both diagonals and -g to its
// element; `ground` adds to the diagonal (a coupling to 0 °C) and b is the
// right-hand side.
System FromLinks(Index rows, Index gridRows, const std::vector<Link>& links, const std::vector<double>& ground,
                 const Eigen::VectorXd& b);

// The system of a dense symmetric matrix: every non-zero below the diagonal
// becomes a coupling.
System FromDense(const Eigen::MatrixXd& a, const Eigen::VectorXd& b, Index gridRows);

// Random sparse SPD system: a weighted graph Laplacian of random links plus
// positive diagonal terms, with right-hand side; the last rows play zones.
System RandomSpd(int rows, int gridRows, int linksPerRow, unsigned seed);

// Laplacian of an nx·ny·nz grid of nodes with unit links; the nodes of the
// first x layer see 20 °C and those of the last 0 °C through surface terms.
System GridLaplacian(int nx, int ny, int nz);

Eigen::MatrixXd ToDense(const SymmetricMatrix& a);

// Solves to the kernel's tightest read-outs.
SolverLimits TightLimits();

// Factorises and solves from x = 0; returns x.
Eigen::VectorXd Solve(const System& s, SolverState* state = nullptr);

} // namespace kernels::test
