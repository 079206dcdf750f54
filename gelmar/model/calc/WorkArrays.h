// The calculation's process-wide work arrays beside the model store: the
// cell-colour raster of the blocks, the node number of every grid point, the
// node matrix with its vectors and factor, the heat-flow records of a step
// and the run state of the time loop. Arrays are allocated by kind and freed
// by group; every allocation failure ends in error code 1.
#pragma once
#include "common/kernels/ConjugateGradient.h"
#include "common/kernels/ResultFiles.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace gelmar {

struct ModelStore;

// One line of a heat-flow file: a radiating face and its flow density.
using HeatFlowRecord = kernels::FluxRecord;

struct WorkArrays {
    // Cell colours, index i + j*nx + k*nx*ny; 0xFFFF (read as -1) is void.
    std::vector<std::uint16_t> cellColours;
    kernels::Index layerSize = 0;
    // Node numbers of the grid points, index i + j*(nx+1) + k*(nx+1)*(ny+1):
    // -1 none, -2, -3, ... boundary records, 0, 1, ... calculation nodes.
    std::vector<std::int32_t> nodeIndex;
    kernels::Index rowStride = 0, layerStride = 0;
    kernels::Index gridNodeCount = 0; // G
    kernels::Index rowCount = 0;      // N: G plus the rows of the radiation zones

    // The node matrix and its vectors of one value per row.
    std::unique_ptr<kernels::SymmetricPattern> pattern;
    std::unique_ptr<kernels::SymmetricMatrix> matrix;
    kernels::IncompleteCholeskyFactor factor;
    kernels::SolverWork solverWork;
    // keptRhs, previous and previous2 are empty until a step has ended.
    std::vector<double> rhs, keptRhs, previous, previous2;
    std::vector<double> solution; // stays after a run for the output windows

    std::vector<HeatFlowRecord> heatFlows;
    // The report buffer: one value per valid report item and report step.
    std::vector<std::int32_t> outputIndex;
    std::size_t reportFill = 0; // values written into it
};

struct RunState;

// The arrays AllocWorkArray allocates; the zone, view-factor, solar and
// output arrays belong to their own parts of the engine.
enum class WorkArrayKind {
    CellColours, // the cell-colour raster (frees the Results group first)
    NodeIndex,   // the node number of every grid point
    MatrixRows,  // right-hand side and solution, one value per row
    Solution,    // the solution alone
    HeatFlows,   // count heat-flow records
    OutputIndex, // the report buffer of count values
};
void AllocWorkArray(ModelStore& model, RunState& run, WorkArrayKind kind, kernels::Index count = 0);

// Groups of work arrays that FreeWorkArrays releases.
enum class WorkGroup {
    Calculation, // end of a calculation: the matrix with its vectors and the
                 // radiation zones (cells, nodes, solution, flows and the
                 // report buffer stay)
    AfterEdit,   // after any edit: the report buffer, then the Results group
    Results,     // flows, solution, node and cell arrays
};
void FreeWorkArrays(RunState& run, WorkGroup group);
// Every group: the start of a run.
void FreeAllWorkArrays(RunState& run);

void SetCellColour(ModelStore& model, RunState& run, int colour, int i, int j, int k);
void SetNodeIndex(ModelStore& model, RunState& run, std::int32_t number, int i, int j, int k);
// The colour of cell (i, j, k); -1 outside the grid, for a void cell, and
// where the arrays are missing or smaller than the model's grid.
int GetCellColour(const ModelStore& model, const WorkArrays& work, int i, int j, int k);
// As GetCellColour, and -1 outside the clip box.
int GetCellColourInClip(const ModelStore& model, const WorkArrays& work, int i, int j, int k);
// The node number of grid point (i, j, k); -1 outside 0..nx, 0..ny, 0..nz and
// where the arrays are missing or smaller than the model's grid.
std::int32_t GetNodeIndex(const ModelStore& model, const WorkArrays& work, int i, int j, int k);
void ClearSolution(RunState& run);

// Paints the blocks into a fresh cell array in list order (a later block
// wins).
void RasteriseBlocks(ModelStore& model, RunState& run);
bool CellArrayMissing(RunState& run);
// Rasterises when no cell array exists; a failure leaves its error code set.
void EnsureCellArray(ModelStore& model, RunState& run);

} // namespace gelmar
