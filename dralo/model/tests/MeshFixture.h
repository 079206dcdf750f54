// What the mesh and calculation tests share: models drawn from rows of
// characters or filled rectangles, the mesh built from them, its checks
// (orientation, edge use, cover of the pixel centres, areas) and the
// reading back of the result files.
#pragma once
#include "dralo/model/mesh/MeshBuild.h"
#include "dralo/model/mesh/MeshFile.h"
#include "dralo/model/tests/ModelFixture.h"

#include <string>
#include <vector>

namespace dralo::test {

class MeshTest : public ModelTest {
  protected:
    // Fills the rectangle of pixels [x0, x1) × [y0, y1) with the colour.
    void Fill(int x0, int y0, int x1, int y1, int colour);
    // The pixels inside the circle around (cx, cy) (pixel centres) with the colour.
    void Disc(double cx, double cy, double r, int colour);
    // Statistics and boundary edges after drawing with Fill and Disc.
    void Finish();
    // Every present colour gets the mesh size.
    void MeshSize(float tric);
    // The model check and the whole triangulation into build.
    void Triangulate();

    // The checks of a finished mesh; `exactAreas` when no staircase was
    // smoothed, so every colour covers exactly its pixels.
    void ExpectSoundMesh(bool exactAreas);

    MeshBuild build;
};

// Twice the signed area of a triangle (positive for the orientation of the
// mesh), in (1/16 pixel)².
long long DoubleArea(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c);
// The mesh points of a build as the file holds them.
std::vector<MeshVertex> PointsOf(const MeshBuild& b);

} // namespace dralo::test
