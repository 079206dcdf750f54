// The mesh steps in their order.
#include "dralo/model/mesh/MeshBuild.h"

#include "dralo/model/mesh/MeshPoints.h"

namespace dralo {

void BuildMesh(BitmapModel& m, MeshBuild& b, EngineHost& host)
{
    ContourSet& c = b.contours;
    BuildContourEdges(m, c, host);
    SortContourEdges(c, host);
    SmoothContourStaircases(c, host);
    CleanContours(c, host);
    if (m.calc.strm > 0.01f) {
        SimplifyContours(c, m.calc.strm, host);
        CleanContours(c, host);
    }
    CompactContourVertices(c);
    ScaleContourCoordinates(c, 3);
    SubdivideContourEdges(m, c, host);
    AddLatticePoints(m, c, host);
    TriangulateZones(m, c, b.triangles, host);
}

} // namespace dralo
