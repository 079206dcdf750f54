// The face-connected region of one colour in a cell raster, recoloured from
// one of its cells (the Split Zones commands of the block programs give one
// region of a colour a colour of its own this way).
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kernels {

// The region's first and last cell on each axis (inclusive).
struct CellBoxIndices {
    std::array<int, 3> lo{};
    std::array<int, 3> hi{};
};

// Recolours every cell of oldColour face-connected to the start cell with
// newColour, depth first with an explicit stack (neighbours tried in the
// order -x, +x, -y, +y, -z, +z). Cells are compared by their whole colour
// number, so a void cell (0xFFFF) never joins a region of colour 255.
// cells holds n[0]·n[1]·n[2] colours at i + j·n[0] + k·n[0]·n[1]; visited
// (one entry per cell, grown and zeroed when too small; a caller may keep it
// between fills) marks the cells done; stack is scratch. False, changing
// nothing, when the start cell lies outside the grid.
bool FloodFillColourRegion(std::span<std::uint16_t> cells, const int n[3], std::array<int, 3> start,
                           int oldColour, int newColour, std::vector<std::uint8_t>& visited,
                           std::vector<std::int64_t>& stack, CellBoxIndices& box);

} // namespace kernels
