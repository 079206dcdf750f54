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

TEST_F(MeshFixturesTest, RandomModelsGiveSoundMeshes)
{
    // Rectangles and discs of a few colours at random mesh sizes, some with
    // a boundary colour and staircase smoothing.
    for (int seed = 0; seed < 150; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(static_cast<unsigned>(seed));
        model = BitmapModel();
        LoadMaterialColours(model);
        build = MeshBuild();
        const int w = 10 + static_cast<int>(rng() % 40), h = 10 + static_cast<int>(rng() % 40);
        AllocatePixels(model, w, h, 1);
        const int shapes = static_cast<int>(rng() % 14);
        for (int i = 0; i < shapes; ++i) {
            const int colour = rng() % 5 == 0 ? 1 : 2 + static_cast<int>(rng() % 5);
            const int x = static_cast<int>(rng() % static_cast<unsigned>(w));
            const int y = static_cast<int>(rng() % static_cast<unsigned>(h));
            if (rng() % 2)
                Fill(x, y, static_cast<int>(rng() % static_cast<unsigned>(w)) + 1,
                     static_cast<int>(rng() % static_cast<unsigned>(h)) + 1, colour);
            else
                Disc(x, y, 1 + rng() % 15, colour);
        }
        for (int c = 1; c < 7; ++c)
            model.colours[static_cast<std::size_t>(c)].tric = 0.3f + static_cast<float>(rng() % 100) / 15.0f;
        if (rng() % 3 == 0)
            SetColour(6, BC_SIMPL, 1, 0, 7.7f);
        if (rng() % 4 == 0)
            model.calc.strm = static_cast<float>(rng() % 6) / 10.0f;
        Finish();
        ASSERT_NO_THROW(Triangulate());
        if (build.triangles.empty())
            continue; // only boundary colours drawn
        ExpectSoundMesh(false);
        if (HasFailure())
            break;
    }
}

TEST_F(MeshTest, MeshFileReadsBackAsBuilt)
{
    // A hole of a boundary colour gives border edges; the mesh sizes under
    // 1/16 pixel still end (lattice points stay at least one unit apart).
    for (const float tric : {2.0f, 0.01f}) {
        SCOPED_TRACE(tric);
        model = BitmapModel();
        LoadMaterialColours(model);
        build = MeshBuild();
        AllocatePixels(model, tric < 1 ? 6 : 20, tric < 1 ? 5 : 14, 1);
        Fill(2, 2, 4, 3, 2);
        Fill(tric < 1 ? 4 : 9, 2, tric < 1 ? 5 : 14, 4, 3);
        SetColour(3, BC_SIMPL, 1, 20, 7.7f);
        MeshSize(tric);
        Finish();
        Triangulate();
        ExpectSoundMesh(true);
        WriteMeshFile(model, build.contours, build.triangles, ".");

        BitmapModel copy = model;
        Mesh mesh;
        ReadMeshFile(copy, ".", mesh);
        const std::vector<MeshVertex> points = PointsOf(build);
        ASSERT_EQ(mesh.points.size(), points.size());
        for (std::size_t k = 0; k < points.size(); ++k) {
            EXPECT_EQ(mesh.points[k].x, points[k].x);
            EXPECT_EQ(mesh.points[k].y, points[k].y);
        }
        ASSERT_EQ(mesh.triangles.size(), build.triangles.size());
        for (std::size_t k = 0; k < build.triangles.size(); ++k) {
            const MeshTriangle &a = mesh.triangles[k], &b = build.triangles[k];
            EXPECT_EQ(a.colour, b.colour);
            EXPECT_EQ(a.onContour, b.onContour);
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(a.v[i], b.v[i]);
        }
        EXPECT_FALSE(mesh.borders.empty());
        for (const BorderEdge& e : mesh.borders) {
            EXPECT_EQ(e.boundary, 3);
            EXPECT_TRUE(e.material == 1 || e.material == 2);
        }
    }
}

} // namespace
} // namespace dralo::test

namespace dralo::test {
namespace {

TEST_F(MeshTest, AFrontThatCannotCloseIsATriangulationError)
{
    // A contour that crosses itself (a bow tie) leaves front edges without
    // any valid apex: the colour stops with error 8 instead of a partial mesh.
    model = BitmapModel();
    LoadMaterialColours(model);
    ColourRecord& colour = model.colours[1];
    colour.present = true;
    colour.type = MATERIAL;
    colour.tric = 100;
    ContourSet c;
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{160, 160}, std::pair{160, 0}, std::pair{0, 160}}) {
        ContourVertex v;
        v.x = x;
        v.y = y;
        c.vertices.push_back(v);
    }
    for (int k = 0; k < 4; ++k) {
        ContourEdge e;
        e.start = k;
        e.end = (k + 1) % 4;
        e.prev = (k + 3) % 4;
        e.next = (k + 1) % 4;
        e.high = 1;
        e.low = -1;
        e.code = kDiagonal;
        c.edges.push_back(e);
    }
    c.heads.push_back(0);
    std::vector<MeshTriangle> triangles;
    try {
        TriangulateZones(model, c, triangles, host);
        ADD_FAILURE() << "no error";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Message(), "Triangulation failed in colour 1");
    }
}

} // namespace
} // namespace dralo::test
