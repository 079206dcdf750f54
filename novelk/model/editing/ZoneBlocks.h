// Convert Void and Split Zones turn a marked zone of cells into one-cell
// blocks of a colour; Split Zones first marks one face-connected region of a
// colour by a flood fill.
#pragma once
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <cstdint>
#include <vector>

namespace novelk {

// Appends a one-cell block of the colour for every cell inside the colour's
// zone box whose mark is set (marks indexed as the cell raster, i + j nx +
// k nx ny). Returns the number of blocks added; it stops early when the block
// array holds 65535 blocks.
// Recolours the face-connected region of oldColour that holds cell (i, j, k)
// in the raster with newColour, marks its cells in visited (one entry per
// cell, grown and zeroed when too small) and stores the region's cell box as
// the new colour's zone box. stack is scratch. Nothing happens for a cell
// outside the grid.
void FloodFillColourZone(ModelStore& m, CellRaster& cells, int i, int j, int k, int oldColour, int newColour,
                         std::vector<std::uint32_t>& visited, std::vector<std::int64_t>& stack);

std::size_t ConvertZoneToBlocks(ModelStore& m, int colour, const std::vector<std::uint32_t>& marks);

} // namespace novelk
