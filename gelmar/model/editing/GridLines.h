// Operations on the per-axis grid of the model store: coordinates of grid
// lines, the rebuilding of an axis from the coordinates of the model's items
// (minimum grid, file insert, reduce to clip), merging of lines, the tests of
// the grid commands, the marking of used lines and the unit and volume texts.
#pragma once
#include "gelmar/model/store/CellRaster.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct ViewState;

// Bits of a grid line's flag byte.
enum : std::uint8_t {
    kLineSelected = 1, // the Grid table's selection
    kLineUsed = 2,     // the line bounds a block or another item
    kLineBand = 4,     // toggled at every used line
};

// Shown when an axis would need more cells than its 16-bit count holds.
inline constexpr char kTooManyGridIntervals[] =
    "Too many grid intervals: an axis holds at most 65535 intervals.";

// Coordinate of grid line i of the axis (0 for line 0), in grid units.
float LineCoordinate(const ModelStore& m, int axis, std::size_t line);

// Coordinates of the six view-box line indices.
void ComputeViewBoxCoordinates(const ModelStore& m, ViewState& view);

// Stores in every block, node BC, output node and output block the
// coordinates of its line indices on the axis, snapped to the length quantum.
void StoreItemCoordinates(ModelStore& m, int axis);

// Rebuilds the axis from the items' stored coordinates: the smallest one
// becomes line 0 (the items and the model origin move with it), every other
// distinct coordinate a grid line; the items get their line indices back and
// the clip box of the axis becomes the whole axis. An axis without items is
// left as it is. More lines than a 16-bit count holds are refused with a
// message, leaving the axis unchanged; false then.
bool RebuildGridFromCoordinates(ModelStore& m, EngineHost& host, int axis);

// -1, 0 or 1 for ascending order.
int CompareCoordinates(float a, float b);

// Line index of every item from its stored coordinate on the axis: 0 for the
// coordinate 0, else the line whose coordinate equals it.
void MapCoordinatesToIndices(ModelStore& m, int axis);

// Merges the cells a..b (a < b < n) of the axis into one by removing the
// lines a+1..b, except a line on which an item lies. False when a..b is not
// such a range.
bool MergeGridLines(ModelStore& m, int axis, std::size_t a, std::size_t b);

// True when no cell of the layer `index` of the axis has a conductive colour.
bool IsGridPlaneVoid(const ModelStore& m, const CellRaster& cells, int axis, std::size_t index);

// True when every line of every axis is a block bound or a node-BC point.
bool IsMinimumGrid(const ModelStore& m);

// Sets the used bit on the lines of blocks, node BCs, output nodes and output
// blocks (clearing it elsewhere) and derives the band bit from it.
void MarkUsedGridLines(ModelStore& m);

// "[m]", "[dm]", "[cm]", "[mm]", "[%g mm]" or "[%g m]" for a grid unit.
std::string GridUnitLabelFor(float unit);
// The label of the model's grid unit.
std::string FormatGridUnitLabel(const ModelStore& m);

// Volume of the cells of the colour, in m3, dm3, cm3 or mm3.
std::string FormatColourVolumeText(const ModelStore& m, const CellRaster& cells, int colour);

} // namespace gelmar
