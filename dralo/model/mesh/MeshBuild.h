// The whole triangulation of a checked model: contours, their smoothing,
// cleaning and (with `strm` above 0.01 pixel) simplification, the scaling to
// 1/16 pixel, the contour subdivision, the lattices and the advancing front.
#pragma once
#include "dralo/model/mesh/Contours.h"
#include "dralo/model/mesh/Triangulation.h"

#include <vector>

namespace dralo {

class EngineHost;

struct MeshBuild {
    ContourSet contours;
    std::vector<MeshTriangle> triangles;
};

// Runs every step on the model's boundary edges into b (the radiation zones
// and adiabatic marks of the model check must be current).
void BuildMesh(BitmapModel& m, MeshBuild& b, EngineHost& host);

} // namespace dralo
