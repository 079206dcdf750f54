// The triangulation on small drawn models: sound meshes (orientation, edge
// use, cover of every pixel centre, exact areas without staircases), the
// contour stages on their own, the lattice, and the mesh file read back.
#include "dralo/model/mesh/MeshPoints.h"
#include "dralo/model/mesh/PointTree.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/tests/MeshFixture.h"

#include <algorithm>
#include <functional>
#include <random>

namespace dralo::test {
namespace {

struct Fixture {
    const char* name;
    std::function<void()> draw;
    bool exactAreas;
};

class MeshFixturesTest : public MeshTest {
  protected:
    void Run(const Fixture& f)
    {
        SCOPED_TRACE(f.name);
        model = BitmapModel();
        LoadMaterialColours(model);
        build = MeshBuild();
        f.draw();
        Finish();
        Triangulate();
        ExpectSoundMesh(f.exactAreas);
    }
};

TEST_F(MeshFixturesTest, EveryFixtureGivesASoundMesh)
{
    const Fixture fixtures[] = {
        {"rectangle in a field",
         [this] {
             AllocatePixels(model, 30, 20, 2);
             Fill(8, 5, 20, 15, 1);
             MeshSize(3);
         },
         true},
        {"ring around a boundary hole",
         [this] {
             AllocatePixels(model, 24, 24, 1);
             Fill(8, 8, 16, 14, 3);
             SetColour(3, BC_SIMPL, 1, 20, 7.7f);
             MeshSize(2.5f);
         },
         true},
        {"staircase circle",
         [this] {
             AllocatePixels(model, 32, 32, 2);
             Disc(16, 16, 12, 1);
             MeshSize(2);
         },
         false},
        {"circle with a hole and fine mesh",
         [this] {
             AllocatePixels(model, 28, 28, 2);
             Disc(14, 14, 11, 1);
             Disc(14, 14, 5, 4);
             SetColour(4, BC_SIMPL, 1, 20, 7.7f);
             MeshSize(0.7f);
         },
         false},
        {"one-pixel strips",
         [this] {
             AllocatePixels(model, 20, 16, 1);
             Fill(6, 0, 7, 16, 3);
             Fill(0, 9, 20, 10, 4);
             Fill(12, 2, 13, 8, 5);
             MeshSize(4);
         },
         true},
        {"many colours of many sizes",
         [this] {
             AllocatePixels(model, 36, 24, 1);
             for (int k = 0; k < 6; ++k)
                 Fill(6 * k, k % 2 ? 4 : 0, 6 * k + 6, k % 2 ? 24 : 20, 10 + k);
             Fill(10, 8, 26, 12, 30);
             SetColour(30, BC_SIMPL, 1, 0, 25);
             MeshSize(2);
             const float sizes[] = {1, 1.5f, 3, 0.5f, 6, 2};
             for (int k = 0; k < 6; ++k)
                 model.colours[static_cast<std::size_t>(10 + k)].tric = sizes[k];
         },
         true},
        {"one pixel of its own",
         [this] {
             AllocatePixels(model, 5, 5, 2);
             Fill(2, 2, 3, 3, 1);
             MeshSize(1);
         },
         true},
        {"diagonal staircase and a checkerboard corner",
         [this] {
             AllocatePixels(model, 24, 24, 1);
             for (int y = 0; y < 24; ++y)
                 Fill(0, y, std::min(24, y + 2), y + 1, 2);
             Fill(18, 2, 20, 4, 3);
             Fill(20, 4, 22, 6, 3);
             MeshSize(1.5f);
         },
         false},
    };
    for (const Fixture& f : fixtures)
        Run(f);
}

} // namespace
} // namespace dralo::test
