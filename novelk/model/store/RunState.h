// What a calculation builds beside the model and the outputs read after it:
// the cell raster (one colour number per grid cell, indexed i + j nx + k nx
// ny; 0xFFFF void), the node numbers, the temperatures and read-outs of the
// last result, the heat-flux records, and the matrix, vectors and zones of a
// calculation in progress. The program (or the driver) owns one RunState
// next to its ModelStore.
#pragma once
#include "common/kernels/ConjugateGradient.h"
#include "common/kernels/ResultFiles.h"
#include "novelk/model/calc/ZoneRecords.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/Readouts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace novelk {

class EngineHost;

constexpr std::uint16_t kVoidCell = 0xFFFF;

struct CellRaster {
    std::size_t n[3] = {}; // nx, ny, nz when built
    // Colour of each cell; void 0xFFFF; colour + 256 marks a cell during zone
    // building. Empty when no raster exists.
    std::vector<std::uint16_t> colour;

    std::size_t Index(std::size_t i, std::size_t j, std::size_t k) const { return i + n[0] * (j + n[1] * k); }
};

// Groups of work arrays that FreeWorkArrays releases.
enum class WorkGroup {
    Solver = 0,        // solver and zone arrays; the raster, the node numbers and the temperatures stay
    CellsAndNodes = 1, // the raster, the node numbers and the results (and the outputs built on them)
};

constexpr std::array<int, kColourCount> NoZones()
{
    std::array<int, kColourCount> a{};
    for (int& z : a)
        z = -1;
    return a;
}

// The arrays of one calculation: the matrix with its pattern and factor, the
// right-hand side and work vectors, and the zones. Freed at the end of it.
struct CalcArrays {
    std::unique_ptr<kernels::SymmetricPattern> pattern;
    std::unique_ptr<kernels::SymmetricMatrix> matrix;
    kernels::IncompleteCholeskyFactor factor;
    kernels::SolverWork work;
    kernels::SolverState solver;
    std::vector<double> rhs;
    std::vector<double> previous;     // temperatures of the previous cycle
    std::vector<CavityZone> zones;    // found in the raster
    std::array<int, kColourCount> zoneOfColour = NoZones(); // -1: the colour has no zone
    std::vector<RadiationNode> radiationNodes; // read from the view-factor file
    std::vector<FileZone> fileZones;
    bool zonesRead = false;           // the view-factor file was read for this run
};

struct RunState {
    CellRaster cells;
    // Node numbers of the grid points, i + j (nx+1) + k (nx+1)(ny+1): -1 no
    // node, -2 - n the fixed entry n, 0.. the unknowns (grid unknowns first,
    // then the zone nodes). Empty until numbered.
    std::vector<std::int32_t> nodeIndex;
    std::int64_t gridUnknowns = 0;
    std::int64_t unknowns = 0;
    // The temperature of every unknown, °C; kept after a calculation for the
    // outputs.
    std::vector<double> temperature;
    // Temperatures of a solution are present (from a solve or a solution
    // file); later solves start from them and radiation uses them.
    bool resultsLoaded = false;
    SolverReadouts readouts;
    // The heat-flux records of the radiating faces, sorted; loaded once per
    // result (fluxesLoaded), empty when there are none.
    std::vector<kernels::FluxRecord> fluxes;
    bool fluxesLoaded = false;
    // The CEN values of the colours agree with the last calculation; and
    // whether the rules last derived them without results.
    bool cenValuesCurrent = true;
    bool cenWithoutResults = false;
    CalcArrays calc;
};

// Releases a group; asking twice is harmless. CellsAndNodes also has the
// host free the outputs built from the results.
void FreeWorkArrays(RunState& run, WorkGroup group, EngineHost& host);

// Stores the colour in the cell, without a bounds check.
void SetCellColour(CellRaster& cells, int colour, std::size_t i, std::size_t j, std::size_t k);
// The cell's colour as a signed 16-bit number (void reads -1); -1 for an
// index outside 0..n-1 on any axis or when no raster exists.
int GetCellColour(const CellRaster& cells, long long i, long long j, long long k);
// As GetCellColour, and -1 for a cell outside the model's clip box.
int GetClippedCellColour(const ModelStore& m, const CellRaster& cells, long long i, long long j, long long k);
inline int GetCellColourInClip(const ModelStore& m, const CellRaster& cells, long long i, long long j,
                               long long k)
{
    return GetClippedCellColour(m, cells, i, j, k);
}
bool IsCellRasterMissing(const RunState& run);

// Frees the cells and nodes, then paints every block's colour into its cells
// in block order (a later block overwrites an earlier one); other cells stay
// void. EngineError Memory when the raster cannot be had.
void RasteriseBlocks(const ModelStore& m, RunState& run, EngineHost& host);
// RasteriseBlocks when no raster exists; a failure leaves it missing.
void EnsureCellArray(const ModelStore& m, RunState& run, EngineHost& host);

} // namespace novelk
