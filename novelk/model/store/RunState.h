// What a calculation builds beside the model and the outputs read after it:
// the cell raster (one colour number per grid cell, indexed i + j nx + k nx
// ny; 0xFFFF void) and whether results are loaded. The program (or the
// driver) owns one RunState next to its ModelStore. The calculation adds its
// node and solver arrays here.
#pragma once
#include "novelk/model/store/ModelStore.h"

#include <cstddef>
#include <cstdint>
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
    Solver = 0,        // solver and zone arrays; the raster and the results stay
    CellsAndNodes = 1, // the raster, the node numbers and the results (and the outputs built on them)
};

struct RunState {
    CellRaster cells;
    bool resultsLoaded = false;
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
