// Convert Void and Split Zones turn a marked zone of cells into one-cell
// blocks of a colour.
#pragma once
#include "novelk/model/store/ModelStore.h"

#include <cstdint>
#include <vector>

namespace novelk {

// Appends a one-cell block of the colour for every cell inside the colour's
// zone box whose mark is set (marks indexed as the cell raster, i + j nx +
// k nx ny). Returns the number of blocks added; it stops early when the block
// array holds 65535 blocks.
std::size_t ConvertZoneToBlocks(ModelStore& m, int colour, const std::vector<std::uint32_t>& marks);

} // namespace novelk
