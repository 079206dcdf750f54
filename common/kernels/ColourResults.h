// The per-colour results of a solved block grid over explicit data: the
// lowest and highest node value over each colour's cells with the grid
// points where they occur, and the heat flowing into the object through each
// boundary colour, summed from the nodes' boundary flows of a heat balance.
#pragma once
#include "common/kernels/NodeNumbering.h"

#include <cstdint>
#include <functional>
#include <span>

namespace kernels {

struct ColourExtremes {
    float lowest = 9.0e9f;
    float highest = -9.0e9f;
    std::uint16_t lowestPoint[3] = {};
    std::uint16_t highestPoint[3] = {};
};

struct ColourFlows {
    float in = 0;  // sum of the positive node flows, W
    float out = 0; // sum of the negated negative ones, W (>= 0)
};

// extremes holds 256 entries: those of the colours with reset[colour] start
// again from 9e9 and -9e9; then every cell with a colour passes the value
// (value(node), never called with -1) of each of its eight corner points
// that has a node. Cells are visited i outermost, k innermost, corners i,
// then j, then k from the cell's index to index + 1; a value strictly below
// the lowest (above the highest) replaces it with its point, so ties keep
// the first point met.
void ComputeColourExtremes(const CellGrid& cells, const NodeGrid& nodes,
                           const std::function<double(std::int32_t node)>& value, std::span<const bool> reset,
                           std::span<ColourExtremes> extremes);

// flows holds 256 entries: those with reset[colour] become 0; then every
// cell of a colour with collect[colour] adds the boundary flow nodeFlows[n]
// of each of its eight corner unknowns n (below nodeFlows.size()) to its
// colour's in or out and sets it to 0, so that a node shared by several
// cells counts once, for the first cell met (cells i outermost, k innermost).
void DistributeColourHeatFlows(const CellGrid& cells, const NodeGrid& nodes, std::span<double> nodeFlows,
                               std::span<const bool> reset, std::span<const bool> collect,
                               std::span<ColourFlows> flows);

} // namespace kernels
