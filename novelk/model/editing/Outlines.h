// The outline with which the 3D view marks the selected colour (Colours
// table) or border-face BC (Borderface BCs table): the edges of the visible
// faces that are true edges of the geometry, kept in the model's outline list
// (a list without repeats, part of every undo snapshot). Each face edge is
// judged as a whole by the four cells around its start point, as the cell
// raster and the clip box show them.
#pragma once
#include "novelk/model/editing/FaceList.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

namespace novelk {

// An edge of the region of colour c: not when exactly two of the four cells
// around the edge have the colour and they are neighbours around it (the edge
// then lies inside a flat face).
bool IsColourOutlineEdge(const ModelStore& m, const CellRaster& cells, const OutlineSegment& edge, int c);
// A corner of an interface: not when the four cells split into two
// side-by-side halves of one colour each (a flat boundary).
bool IsInterfaceOutlineEdge(const ModelStore& m, const CellRaster& cells, const OutlineSegment& edge);

// Empties the list and adds each edge of every visible face of the colour's
// region that outlines it: the faces of blocks of colour c and the faces of
// later blocks that border a block of colour c (where a later block covers
// part of a block of the colour, the face between them is the later block's).
// Without a cell raster the list stays empty.
void BuildColourOutline(ModelStore& m, const FaceList& faces, const CellRaster& cells, int c);
// Rebuilds the list from the visible faces between the two colours of
// border-face BC row i (in either order, hidden faces never), keeping the
// edges that are interface corners. Without a cell raster, or for a row that
// does not exist, the list is left as it was.
void BuildBorderFaceOutline(ModelStore& m, const FaceList& faces, const CellRaster& cells, int row);

} // namespace novelk
