// The grid edits of the Grid and Minimum Grid tables, on the model store:
// inserting an interval, splitting intervals by hand (geometric, maximum mesh
// width, border meshes) or automatically, the minimum grid and the scaling of
// its intervals, and changing the grid unit. Every edit keeps the line indices
// of blocks, node BCs, output nodes, output blocks and the clip box on the
// grid lines they were on.
#pragma once
#include "common/kernels/GridSplit.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gelmar {

class EngineHost;
struct ModelStore;

// The split methods and their settings are the block programs' shared ones.
using kernels::AutoSplitSettings;
using kernels::GradedWidths;
using kernels::SplitSettings;
using kernels::SplitWidths;
using kernels::kSplitBorder1;
using kernels::kSplitBorder12;
using kernels::kSplitBorder2;
using kernels::kSplitGeometric;
using kernels::kSplitMaximum;

// Auto Split of one axis: every cell whose layer holds a conductive colour is
// replaced by the pieces of kernels::AutoSplitCell.
bool AutoSplitAxis(ModelStore& m, EngineHost& host, int axis, const AutoSplitSettings& settings);

// Replaces cell `cell` of the axis by cells of the given widths; the lines
// above it, the clip box and the items' indices move up with it. Refused with
// a message (false) when the axis would pass its 16-bit count.
bool ReplaceGridCell(ModelStore& m, EngineHost& host, int axis, std::size_t cell,
                     const std::vector<float>& widths);
// Raises every stored index of the axis above line `line` by k, and the clip
// box's bounds above it.
void ShiftGridIndices(ModelStore& m, int axis, std::size_t line, std::size_t k);

// Inserts an interval of width 1 before or after cell `cell`: the items that
// start at the new interval's far side move with it, a range across it grows.
bool InsertGridInterval(ModelStore& m, EngineHost& host, int axis, std::size_t cell, bool after);

// The minimum grid of an axis: only the lines that bound blocks or carry node
// BCs, with lines 0 and n. map[i] is the minimum-grid interval of cell i.
struct MinimumGridAxis {
    std::vector<std::size_t> map;
    std::vector<double> widths;
};
MinimumGridAxis BuildMinimumGridAxis(const ModelStore& m, int axis);
// Gives minimum-grid interval k the width by scaling the cells that map to it.
bool ScaleMinimumGridInterval(ModelStore& m, int axis, const MinimumGridAxis& grid, std::size_t k,
                              double width);

// Sets the grid unit (metres per grid length); with transformWidths the
// widths are rescaled so that the model keeps its size in metres. A unit that
// is not above 0 is refused with "Grid unit must be greater than 0 m".
bool ChangeGridUnit(ModelStore& m, EngineHost& host, float unit, bool transformWidths);

} // namespace gelmar
