// Whole-model operations on blocks: the clip tests, mirroring an axis,
// turning a one-cell-thick section into a 90-degree corner, clamping the
// blocks to the clip box, rebuilding the blocks of one colour from its cells,
// the size text of a block, and the calls that run a calculation inside its
// modal progress window.
#pragma once
#include "common/kernels/ArrangeBlocks.h"
#include "gelmar/model/store/CellRaster.h"
#include "gelmar/model/store/Errors.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct RunState;

// Shown when an operation would need more blocks than the 16-bit block count holds.
inline constexpr const char* kTooManyBlocks = kernels::kArrangeTooManyBlocksText;

// 0 when the block lies wholly outside the clip box, a block that only touches
// it counting as outside; else 1 with the block's bounds clamped into the clip
// box in range (x1, x2, y1, y2, z1, z2).
int ClipBlockRange(const ModelStore& m, std::size_t block, std::uint16_t range[6]);
// As ClipBlockRange, but a block that only touches the clip box is inside.
int ClipBlockRangeInclusive(const ModelStore& m, std::size_t block, std::uint16_t range[6]);

// The six clip-box coordinates.
void ComputeClipCoordinates(ModelStore& m);

// Reverse the order of the axis's widths and mirror every block on it.
void ReverseGridX(ModelStore& m);
void ReverseGridY(ModelStore& m);
void ReverseGridZ(ModelStore& m);

// Turns a model one cell thick along an axis into a 90-degree corner about
// the axis of revolution (0 X, 1 Y, 2 Z); the flags reverse an axis around the
// turn. A result of more blocks than the block count holds is refused with a
// message, leaving the model unchanged; false then.
bool RevolveModel90(ModelStore& m, RunState& run, EngineHost& host, int axis, bool reverseX, bool reverseY,
                    bool reverseZ);

// Clamps every block's bounds into the clip box.
void ReduceBlocksToClip(ModelStore& m);

// Appends blocks of the colour that cover its cells, growing boxes greedily
// from the cells of the colour's bounding box (ColourRecord::cellBox) in scan
// order; cover holds one entry per cell, 0 = not yet covered, and is marked.
// When the block count would pass its 16-bit limit a message is shown and the
// blocks made so far stay; false then.
bool BuildBlocksFromColourCells(ModelStore& m, EngineHost& host, int colour, const CellRaster& cells,
                                std::vector<std::int32_t>& cover);

// "1.2 m x 5 mm x 0.3 m": the block's lengths in metres or millimetres.
std::string FormatBlockSizeText(const ModelStore& m, std::size_t block);

// Run the transient calculation, the view factors or the solar fluxes inside
// their modal progress windows, which the engine host shows; how the run
// ended.
WorkOutcome RunCalculationDialog(ModelStore& model, RunState& run, EngineHost& host);
WorkOutcome RunViewFactorDialog(ModelStore& model, RunState& run, EngineHost& host);
WorkOutcome RunSolarFluxDialog(ModelStore& model, RunState& run, EngineHost& host);

} // namespace gelmar
