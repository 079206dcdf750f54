// Whole-model operations on blocks: the clip tests, mirroring an axis,
// turning a one-cell-thick section into a 90-degree corner, clamping the
// blocks to the clip box, rebuilding the blocks of one colour from its cells,
// the size text of a block, and the calls that run a calculation inside its
// modal progress window.
#pragma once
#include "common/kernels/ArrangeBlocks.h"
#include "gelmar/model/store/CellRaster.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gelmar {

// Shown when an operation would need more blocks than the 16-bit block count holds.
inline constexpr const char* kTooManyBlocks = kernels::kArrangeTooManyBlocksText;

// The clipped bounds of one block (x1, x2, y1, y2, z1, z2), set by the clip tests.
extern std::uint16_t g_clipRange[6];

// 0 when the block lies wholly outside the clip box, a block that only touches
// it counting as outside; else 1 with the block's bounds clamped into the clip
// box in g_clipRange.
int ClipBlockRange(std::size_t block);
// As ClipBlockRange, but a block that only touches the clip box is inside.
int ClipBlockRangeInclusive(std::size_t block);

// The six clip-box coordinates.
void ComputeClipCoordinates();

// Reverse the order of the axis's widths and mirror every block on it.
void ReverseGridX();
void ReverseGridY();
void ReverseGridZ();

// Turns a model one cell thick along an axis into a 90-degree corner about
// the axis of revolution (0 X, 1 Y, 2 Z); the flags reverse an axis around the
// turn. A result of more blocks than the block count holds is refused with a
// message, leaving the model unchanged; false then.
bool RevolveModel90(int axis, bool reverseX, bool reverseY, bool reverseZ);

// Clamps every block's bounds into the clip box.
void ReduceBlocksToClip();

// Appends blocks of the colour that cover its cells, growing boxes greedily
// from the cells of the colour's bounding box (ColourRecord::cellBox) in scan
// order; cover holds one entry per cell, 0 = not yet covered, and is marked.
// When the block count would pass its 16-bit limit a message is shown and the
// blocks made so far stay; false then.
bool BuildBlocksFromColourCells(int colour, const CellRaster& cells, std::vector<std::int32_t>& cover);

// "1.2 m x 5 mm x 0.3 m": the block's lengths in metres or millimetres.
std::string FormatBlockSizeText(std::size_t block);

// Run the transient calculation, the view factors or the solar fluxes inside
// their modal progress windows, which the engine host shows. True when the
// run ended normally; otherwise the error code (0 after Esc) is left for the
// caller.
bool RunCalculationDialog();
bool RunViewFactorDialog();
bool RunSolarFluxDialog();

} // namespace gelmar
