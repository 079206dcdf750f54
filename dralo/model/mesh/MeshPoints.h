// The points of the mesh besides the contour corners: the contour edges are
// split to the mesh size (`tric`, pixels) of the finer colour beside them,
// and every meshed colour (MATERIAL, EQUIMAT, TRANSMAT) is filled with an
// equilateral lattice of its mesh size that keeps clear of the contours.
// Colours of one mesh size share one lattice.
#pragma once
#include "dralo/model/mesh/Contours.h"

namespace dralo {

class EngineHost;

// Whether the colour's area is triangulated.
bool IsMeshedType(int type);
bool IsMeshedColour(const BitmapModel& m, int colour);

// The lattice spacing of a mesh size, in 1/16 pixel: 16 × tric rounded, and
// at least 2, so that the rows of the lattice (0.866 spacings apart) never
// fall on one another whatever small size a colour has.
std::int32_t LatticeSpacing(float tric);

// Splits each contour edge longer than 16 × the smallest `tric` of the
// meshed colours beside it (2000 pixels when there is none) into equal
// parts; polls Esc every 1001st edge.
void SubdivideContourEdges(const BitmapModel& m, ContourSet& c, EngineHost& host);
// Appends the lattice points of every meshed colour (lattice vertices with
// their colour); polls Esc every 1001st row.
void AddLatticePoints(const BitmapModel& m, ContourSet& c, EngineHost& host);

} // namespace dralo
