// The nodes of the steady-state network: one per grid point that touches a
// conductive cell (an unknown) or whose temperature a boundary entry fixes,
// numbered over the cell raster, and the sparsity pattern of the symmetric
// system with the couplings of the grid neighbours and the zones.
#pragma once
#include "common/kernels/NodeNumbering.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <array>
#include <cstdint>

namespace novelk {

class EngineHost;

// The raster and node numbers as the kernels see them.
kernels::CellGrid CellGridOf(const RunState& run);
kernels::NodeGrid NodeGridOf(const RunState& run);
// The types of the 256 colours.
std::array<int, kColourCount> ColourTypes(const ModelStore& m);

// Numbers the grid points of the raster (which must exist): the fixed
// entries -2 - n (node BCs, border-face BCs, material BCs; a point numbered
// once, the first rule or entry winning), then the unknowns, i outermost and
// k innermost. Sets the grid-unknown and unknown counts. EngineError Memory
// when the arrays cannot be had; polls Esc at the end.
void BuildNodeNumbering(const ModelStore& m, RunState& run, EngineHost& host);

void SetNodeIndex(RunState& run, std::int32_t n, int i, int j, int k);
// The node number of a grid point; -1 outside 0..nx, 0..ny, 0..nz or before
// numbering.
std::int32_t GetNodeIndex(const RunState& run, long long i, long long j, long long k);
// The temperature of a node: an unknown's present temperature (0 when there
// is none), a fixed entry's temperature; 0 for -1.
double GetNodeValue(const ModelStore& m, const RunState& run, std::int32_t n);
double GetNodeValueAt(const ModelStore& m, const RunState& run, long long i, long long j, long long k);

// The pattern of the system over all unknowns (the zone nodes counted): the
// grid neighbours and every coupling of the zones, each row sized from its
// real couplings; the matrix, right-hand side and temperature vector sized
// to it. EngineError Memory when it cannot be had.
void BuildMatrixStructure(const ModelStore& m, RunState& run, EngineHost& host);

} // namespace novelk
