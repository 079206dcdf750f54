// The edits of the Blocks table on the model store: a typed colour or bound,
// inserting, deleting, duplicating and moving blocks, the selection flags,
// recolouring, Transform Coordinates and Insert File, and the colours'
// in-use flags that every block edit recomputes. Counts stay within the
// 16-bit block count: an edit that would pass it is refused with a message
// and changes nothing.
#pragma once
#include "common/kernels/BlockRows.h"
#include "gelmar/model/store/ModelStore.h"

#include <string>
#include <string_view>

namespace gelmar {

class EngineHost;
struct ParameterSet;
struct RunState;
struct ViewState;

// A block's selection mark in its flags.
constexpr std::uint32_t kBlockSelected = 1;
inline bool IsBlockSelected(const BlockRecord& b)
{
    return (b.flags & kBlockSelected) != 0;
}
// Clears every block's mark; true when some block was marked.
bool ClearBlockSelection(ModelStore& m);
// The selected blocks as one range (kernels::FindSelectionRange).
kernels::SelectionRange BlockSelectionRange(const ModelStore& m);

// Marks in use exactly the colours that blocks have, then applies the
// surface rules; returns ApplySurfaceRules' answer (1: a surface coefficient
// changed).
int UpdateUsedColours(ModelStore& m, RunState& run);

// A block's bounds as the shared bound rules see them, and back.
kernels::BlockBox BoxOf(const BlockRecord& b);
void SetBox(BlockRecord& b, const kernels::BlockBox& box);

// Text typed into column 2 (colour, 0..255; it also becomes the colour of new
// blocks) or 3..8 (the bounds) of block `block`. False when the text was
// refused (nothing changed).
bool EditBlockCell(ModelStore& m, ViewState& view, std::size_t block, int column, std::string_view text);

// A new block at index `at` (0..count) with the block defaults: the current
// colour, cells 0..1 on each axis (the top layer in the R/C/L naming).
bool InsertBlock(ModelStore& m, const ViewState& view, EngineHost& host, std::size_t at);
// Removes every selected block, keeping the order of the others; the count
// of blocks removed.
std::size_t DeleteSelectedBlocks(ModelStore& m);
// Copies of the (contiguous) selection after block `focus`, which moves to
// the selection's last block when it lay inside it; the copies become the
// selection. False (with a message) past the block count's limit.
bool DuplicateSelection(ModelStore& m, EngineHost& host, std::size_t focus);
// Moves the contiguous selection next to block `focus`, which lies outside
// it: up until its first block is at focus, or down until its last one is.
void MoveSelection(ModelStore& m, std::size_t focus);
// Switch Select Downward (step +1) or Upward (-1) from block `start`: toggles
// blocks while their mark equals the one start had; with sameColour only the
// blocks of that colour count (the others are passed over).
void ToggleBlockRun(ModelStore& m, std::size_t start, int step, bool sameColour, int colour);
// Every block of colour `from` gets colour `to`; the number recoloured.
std::size_t RecolourBlocks(ModelStore& m, int from, int to);

// Transform Coordinates on the selected blocks: the items' coordinates are
// taken from the grid, the selected blocks transformed about the model
// origin, and the grid rebuilt from the coordinates. A transform that would
// leave a block without thickness, or a grid past its limit, is refused with
// a message and changes nothing.
bool TransformSelectedBlocks(ModelStore& m, EngineHost& host, const kernels::TransformSettings& settings);

// Shown when a transform would flatten a block.
inline constexpr char kBlockWithoutThickness[] =
    "The transformation leaves a block without thickness; nothing was changed.";

// Insert File: the blocks of the data file at `path` join the model after
// block `focus` (keeping their order) and become the selection; the grid is
// rebuilt so that both models keep their coordinates. The number of blocks
// added (0 when the file could not be read, which the reader reported, or
// when it would pass the block count's limit).
std::size_t InsertBlocksFromFile(ModelStore& m, const ParameterSet& defaults, EngineHost& host,
                                 const std::string& path, std::size_t focus);

} // namespace gelmar
