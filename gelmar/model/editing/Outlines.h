// Outline edges with which the 3D view highlights the faces of one colour (the
// Colours and Clip Colours tables, a material BC) or the faces between the two
// colours of a border-face BC. The edges are kept in the model store's outline
// list of the view state as maximal straight runs of outline grid edges.
#pragma once
#include "gelmar/model/store/CellRaster.h"
#include "gelmar/model/store/Records.h"

#include <cstddef>

namespace gelmar {

class EngineHost;
struct ModelStore;
struct ViewState;

// Grows the outline list to at least n records, keeping the old ones.
bool GrowOutlineSegmentArray(ViewState& view, std::size_t n);
// Frees the list and clears its count and capacity.
void FreeOutlineSegments(ViewState& view);

// Rebuilds the list with the outline edges of the colour's visible faces (the
// records of the visible-face list that are drawn and belong to the colour).
void BuildColourOutline(const ModelStore& m, ViewState& view, EngineHost& host, int colour);
// Rebuilds the list with the outline edges of the visible faces that lie
// between the two colours of the border-face BC row.
void BuildColourPairOutline(const ModelStore& m, ViewState& view, EngineHost& host, std::size_t row);

// The edge tests, for one unit grid edge running along `axis` from the line
// point p (its other two coordinates are line indices), over the four cells
// around it as the clip box shows them.
// Not an outline edge of the colour when exactly two of the four cells have
// the colour and they share a face (the edge lies inside a flat face).
bool IsOutlineEdge(const CellRaster& cells, int axis, const std::uint16_t p[3], int colour);
// Not an outline edge of an interface when the four cells, in order around
// the edge, split into two side-by-side halves of one colour each.
bool IsPairOutlineEdge(const CellRaster& cells, int axis, const std::uint16_t p[3]);

} // namespace gelmar
