// The engine side of the Grid table's mesh commands: the minimum grid built
// from the block geometry, grid lines through plane axis-parallel STL facets,
// merging a range of meshes and merging small meshes into wider neighbours.
// Grid-line coordinates are kept on the model's resolution `reso`
// (common/kernels/AxisLines with the resolution as the length quantum).
#pragma once
#include "parven/model/store/ShapeModel.h"

#include <cstddef>
#include <vector>

namespace parven {

// Building an axis from absolute coordinates: AddGridCoordinate collects a
// coordinate rounded to the resolution; FinishGridAxis sorts the distinct
// ones into the axis (the lowest becomes its origin, the cells lie between
// neighbours) and sets its clip range to all cells. EngineError Memory when
// the axis would have more than kMaxAxisCells cells (the axis then unchanged).
void AddGridCoordinate(std::vector<float>& lines, const ModelSettings& s, double value);
void FinishGridAxis(ShapeModel& m, int axis, std::vector<float>& lines);

// Rebuilds an axis (0 x, 1 y, 2 z) from the blocks: a line at every corner
// coordinate of the SOLID blocks and at the extremes of SOLID corners and STL
// vertices together; no cells when there are no such points. EngineError
// Memory, the axis as it was, when it would have more than kMaxAxisCells.
void CreateMinimumGrid(ShapeModel& m, int axis);

// For each STL block and axis: lines at the block's extremes and at every
// coordinate where its facets perpendicular to the axis have a total area
// above the session's minimum STL area, added to the present lines.
void InsertStlCoordinates(ShapeModel& m);

// Meshes first..last (first < last <= the last mesh) of the axis become one
// of their summed width; the meshes after them move down. The caller
// recomputes the coordinates.
void MergeMeshRange(ShapeModel& m, int axis, std::size_t first, std::size_t last);

// Per axis x, y, z: the first mesh not wider than the session's threshold is
// merged into its previous mesh when that is wider, else into its next mesh
// when that is wider, and the scan starts again, until a scan merges nothing
// (two small neighbours are never merged with each other). The coordinates
// follow.
void MergeSmallMeshes(ShapeModel& m);

} // namespace parven
