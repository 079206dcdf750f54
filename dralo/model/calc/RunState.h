// The work arrays of one calculation: the mesh read back from "tmp.tri",
// the node conditions of the borderline BCs, the sparse system over the
// equations (the mesh points first, then the radiation nodes behind them),
// its incomplete-Cholesky factor, the temperatures and the solver's state
// and read-outs. Owned by the program (or the driver, or a test) and handed
// to the calculation; every array is released at the end of a run, only
// the read-outs and the solution-available flag stay.
#pragma once
#include "common/kernels/ConjugateGradient.h"
#include "dralo/model/mesh/MeshFile.h"
#include "dralo/model/radiation/CavityRadiation.h"
#include "dralo/model/store/EngineHost.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dralo {

// Node kinds.
enum : std::uint8_t { kNodeFree = 0, kNodeFixed = 1, kNodeHeatInput = 2 };

struct RunState {
    // The working folder of the result files (the program's current folder).
    std::string workFolder = ".";
    Mesh mesh;
    // Equations: the mesh points, then the radiation nodes of the zones.
    kernels::Index equations = 0;

    // Per equation, set by the borderline BCs.
    std::vector<std::uint8_t> nodeKind;
    std::vector<float> fixedTemperature; // °C, for kNodeFixed
    std::vector<float> heatInput;        // W/m, for kNodeHeatInput
    // The radiation zones whose nodes follow the mesh points.
    CavityRadiation radiation;

    std::unique_ptr<kernels::SymmetricPattern> pattern;
    std::unique_ptr<kernels::SymmetricMatrix> matrix;
    kernels::IncompleteCholeskyFactor factor;
    std::vector<double> rhs;
    std::vector<double> temperature; // °C per equation
    kernels::SolverWork work;
    kernels::SolverState solver;

    SolverReadouts readouts;
    // Set when a solution was read or the solver has started once; cleared
    // by a solution file that does not fit and by any change of the model.
    bool solutionAvailable = false;
};

// Sizes the node arrays for the equations: every node free, no heat input.
// std::bad_alloc when memory is short (error 1 of the run).
void AllocNodeArrays(RunState& run);
// Releases every array of the run (the mesh, the system, the solver's);
// the read-outs and the flag stay.
void FreeWorkArrays(RunState& run);

} // namespace dralo
