// Grid lines of the three axes and the items that refer to them. Whenever an
// axis's lines change (minimum grid, merging cells, inserting a file,
// transforming blocks, Reduce to Clip) the items first take real coordinates
// on that axis (StoreAxisCoordinates), the lines are rebuilt from
// coordinates, and the items get line indices back (RemapAxisIndices): blocks
// and node BCs the line at their coordinate, area and element boxes the
// nearest line. Also the minimum-grid test, the used-line flags, the unit
// label and the volume text of a colour.
#pragma once
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <cstddef>
#include <string>

namespace novelk {

// Coordinate of each item's line indices on the axis, snapped to the length
// quantum: both bounds of every block, the point of every node BC, both
// bounds of A1..A3 and U1..U3.
void StoreAxisCoordinates(ModelStore& m, int axis);

// Rebuilds the axis so that its only lines are the distinct stored block
// bounds and node-BC points: the lowest becomes line 0 (every item and the
// insertion origin move with it), the clip box of the axis becomes the whole
// axis, and the items get their indices back. An axis without blocks and node
// BCs stays as it is. EngineError TooManyGridIntervals (more than 65535
// cells) or Memory leave the model unchanged.
void CreateMinimumGrid(ModelStore& m, int axis);

// Line indices from the stored coordinates: blocks and node BCs the line at
// exactly their coordinate (found by halving; should one be missing, the
// nearest), area and element boxes the nearest line, ties to the lower.
void RemapAxisIndices(ModelStore& m, int axis);

// Removes lines a+1..b (a < b <= n) of the axis, keeping any on which a block
// bound or node BC lies; false when a..b is not such a range.
bool MergeGridLines(ModelStore& m, int axis, std::size_t a, std::size_t b);

// True when no cell of plane `index` of the axis has a conductive colour.
bool IsGridPlaneVoid(const ModelStore& m, const CellRaster& cells, int axis, std::size_t index);

// True when every line 0..n of every axis is a block bound or a node-BC point.
bool IsMinimumGrid(const ModelStore& m);

// Sets the used bit on the lines of block bounds and node BCs (clearing it
// elsewhere) and the band bit: from line 1 on, the parity after toggling at
// each used line.
void MarkUsedGridLines(ModelStore& m);

// -1, 0 or 1: the order of coordinates in sorts and searches.
int CompareFloats(float a, float b);

// "[m]", "[dm]", "[cm]", "[mm]" for the usual grid units, else "[%g mm]" up
// to 0.01 m and "[%g m]" above.
std::string FormatGridUnitLabel(float gridUnit);

// Volume of the cells of the colour: "%.3g" in mm3, cm3, dm3 or m3.
std::string FormatColourVolumeText(const ModelStore& m, const CellRaster& cells, int colour);

} // namespace novelk
