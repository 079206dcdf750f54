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
    std::vector<std::int32_t> outputIndex;
};

// State of the present (or last) run and of the results in memory.
struct RunState {
    std::int32_t step = 0;       // step counter n: 0 is the steady start-up step
    std::int32_t stepLength = 0; // s; 0 until the first step is done
    kernels::SolverState solver;
    bool temperatureDependent = false; // decided once at the start of a run
    bool solutionValid = false;
    bool fluxesValid = false;
    float commonTemperature = 0.0f; // of the uniform start
    bool uniformPending = true;
    bool uniformFailed = false;
};

extern WorkArrays g_work;
extern RunState g_run;

// Kinds of AllocWorkArray handled here; the zone, view-factor, solar and
// output kinds belong to their own parts of the engine.
enum WorkArrayKind : int {
    kCellColourArray = 0,
    kNodeIndexArray = 1,
    kMatrixRowArrays = 4,
    kSolutionVector = 8,
    kHeatFlowRecords = 9,
    kOutputIndexTable = 15,
};
void AllocWorkArray(int kind, kernels::Index count = 0);
// Group 0: end of a calculation (keeps cells, nodes, solution, flows and
// output tables); 1: after any edit (output table, then group 2); 2: flows,
// solution, node and cell arrays.
void FreeWorkArrays(int group);

void SetCellColour(int colour, int i, int j, int k);
// -1 outside the grid or for a void cell.
int GetCellColour(int i, int j, int k);
// As GetCellColour, and -1 outside the clip box.
int GetCellColourInClip(int i, int j, int k);
void SetNodeIndex(std::int32_t number, int i, int j, int k);
// -1 outside 0..nx, 0..ny, 0..nz.
std::int32_t GetNodeIndex(int i, int j, int k);
// The three queries over a given model and its work arrays (the pictures
// read a model that is handed to them); -1 also where the arrays are missing
// or smaller than the model's grid.
int GetCellColour(const ModelStore& model, const WorkArrays& work, int i, int j, int k);
int GetCellColourInClip(const ModelStore& model, const WorkArrays& work, int i, int j, int k);
std::int32_t GetNodeIndex(const ModelStore& model, const WorkArrays& work, int i, int j, int k);
void ClearSolution();

// Paints the blocks into a fresh cell array in list order (a later block
// wins).
void RasteriseBlocks();
bool CellArrayMissing();
// Rasterises when no cell array exists; a failure leaves its error code set.
void EnsureCellArray();

} // namespace gelmar
