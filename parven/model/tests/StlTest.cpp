// STL files: the ASCII and the binary form, bad files, the block's file
// beside the data file, joining and unsharing vertices.
#include "parven/model/stl/StlFiles.h"
#include "parven/model/stl/StlMesh.h"
#include "parven/model/tests/ParvenFixture.h"
#include "parven/model/tests/StlTestFiles.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

namespace {

using namespace parven;
using parven::testing::AsciiStl;
using parven::testing::BinaryStl;
using parven::testing::Cube;
using parven::testing::Facet;
using parven::testing::ParvenTest;
using parven::testing::WriteBytes;

class StlTest : public ParvenTest {
  protected:
    StlMesh Read(const std::string& bytes, bool expectRead = true)
    {
        WriteBytes("mesh.stl", bytes);
        StlMesh mesh;
        EXPECT_EQ(ReadStlFile(mesh, "mesh.stl"), expectRead);
        return mesh;
    }
};

StlVertex At(const StlMesh& m, std::size_t t, int k)
{
    return m.vertices[m.triangles[t].v[k]];
}

TEST_F(StlTest, AsciiVertexLinesIndentedWithSpacesNotTabs)
{
    const std::vector<Facet> facets = {{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}};
    const StlMesh spaces = Read(AsciiStl(facets));
    EXPECT_EQ(spaces.triangles.size(), 1u);
    const StlMesh tabs = Read(AsciiStl(facets, "\t"), false);
    EXPECT_TRUE(tabs.vertices.empty());
    EXPECT_TRUE(tabs.triangles.empty());
}

TEST_F(StlTest, TrianglesStoredAsACBSharingCornersWithoutDegenerateOnes)
{
    const StlMesh m = Read(AsciiStl({{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}},
                                     {{{5, 5, 5}, {5, 5, 5}, {5, 5, 5}}},
                                     {{{1, 0, 0}, {1, 1, 0}, {0, 1, 0}}}}));
    ASSERT_EQ(m.triangles.size(), 2u);
    EXPECT_EQ(At(m, 0, 0), (StlVertex{0, 0, 0}));
    EXPECT_EQ(At(m, 0, 1), (StlVertex{0, 1, 0})); // the file's third vertex second
    EXPECT_EQ(At(m, 0, 2), (StlVertex{1, 0, 0}));
    EXPECT_EQ(m.triangles[1].v[0], m.triangles[0].v[2]); // (1, 0, 0) shared
    EXPECT_EQ(m.triangles[1].v[1], m.triangles[0].v[1]); // (0, 1, 0) shared
    EXPECT_EQ(m.vertices.size(), 5u); // the degenerate facet's one vertex stays, unused
}

TEST_F(StlTest, AFacetWithTwoEqualCornersAddsNoTriangleHoweverFarBackTheyLie)
{
    // The first corner of the last facet is the file's first vertex, nine
    // vertices back when it comes; its third corner is the same point.
    const std::vector<Facet> facets = {{{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}},
                                       {{{3, 0, 0}, {4, 0, 0}, {5, 0, 0}}},
                                       {{{6, 0, 0}, {7, 0, 0}, {8, 0, 0}}},
                                       {{{0, 0, 0}, {9, 9, 9}, {0, 0, 0}}}};
    const StlMesh ascii = Read(AsciiStl(facets));
    EXPECT_EQ(ascii.triangles.size(), 3u);
    const StlMesh binary = Read(BinaryStl(facets));
    EXPECT_EQ(binary.triangles, ascii.triangles);
    EXPECT_EQ(binary.vertices, ascii.vertices);
}

TEST_F(StlTest, AsciiAndBinaryOfOneMeshGiveTheSameRuns)
{
    const auto cube = Cube(2.5f);
    const StlMesh ascii = Read(AsciiStl(cube));
    const StlMesh binary = Read(BinaryStl(cube));
    EXPECT_EQ(ascii.vertices, binary.vertices);
    EXPECT_EQ(ascii.triangles, binary.triangles);
    EXPECT_EQ(ascii.vertices.size(), 8u);
    EXPECT_EQ(ascii.triangles.size(), 12u);
    // A file whose first line says "solid" but is binary reads as binary.
    EXPECT_EQ(Read(BinaryStl(cube, "solid cube")).triangles, ascii.triangles);
    const StlMesh empty = Read(BinaryStl({}));
    EXPECT_TRUE(empty.triangles.empty());
}

TEST_F(StlTest, CoordinatesAreComparedExactly)
{
    const float next = std::nextafter(1.0f, 2.0f);
    const StlMesh m = Read(AsciiStl({{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}, {{{next, 0, 0}, {0, 2, 0}, {0, 0, 2}}},
                                     {{{-0.0f, 1, 0}, {3, 3, 3}, {0, 0, 1}}}}));
    EXPECT_NE(m.triangles[0].v[0], m.triangles[1].v[0]);
    EXPECT_EQ(m.triangles[2].v[0], m.triangles[0].v[2]); // -0 is 0: (0, 1, 0)
}

TEST_F(StlTest, AWrittenBinaryFileReadsAsBinaryWhateverItsNumbersSpell)
{
    // Nine coordinates whose bytes spell three ASCII vertex lines.
    const char text[] = "\nvertex1 2 3\nvertex4 5 6\nvertex7 8 9";
    static_assert(sizeof text == 37);
    float c[9];
    std::memcpy(c, text, sizeof c);
    StlMesh mesh;
    for (int k = 0; k < 9; k += 3)
        mesh.vertices.push_back({c[k], c[k + 1], c[k + 2]});
    mesh.triangles.push_back({{0, 2, 1}}); // written in the file's order 0, 1, 2
    ASSERT_TRUE(WriteBinaryStl(mesh, 0, 1, "written.stl"));
    StlMesh back;
    ASSERT_TRUE(ReadStlFile(back, "written.stl"));
    ASSERT_EQ(back.triangles.size(), 1u);
    EXPECT_TRUE(SameTriangles(back, 0, mesh, 0, 1));
}

TEST_F(StlTest, BadFilesFailAndLeaveTheMeshAsItWas)
{
    const auto cube = Cube(1);
    std::string nanCube = BinaryStl(cube);
    const float nan = std::nanf("");
    std::memcpy(&nanCube[84 + 12 + 4], &nan, 4);
    std::string shortFacet = BinaryStl(cube);
    shortFacet.resize(shortFacet.size() - 1);
    const std::string cases[] = {
        BinaryStl(cube, "x", 0x80000000LL), // 2^31: a negative count
        BinaryStl(cube, "x", 0x7FFFFFFFLL), // far more than the file holds
        BinaryStl(cube, "x", 13),
        nanCube,
        shortFacet,
        std::string(79, ' '),
        "solid x\n facet normal 0 0 1\n  outer loop\n   vertex 1 2\n",
        "vertex nan 0 0\nvertex 1 0 0\nvertex 0 1 0\n",
        "vertex 1e39 0 0\nvertex 1 0 0\nvertex 0 1 0\n",
        "",
    };
    for (const std::string& bytes : cases) {
        WriteBytes("bad.stl", bytes);
        StlMesh before = Read(AsciiStl(cube));
        StlMesh after = before;
        EXPECT_FALSE(ReadStlFile(after, "bad.stl")) << bytes.size();
        EXPECT_EQ(after.vertices, before.vertices);
        EXPECT_EQ(after.triangles, before.triangles);
    }
    StlMesh none;
    EXPECT_FALSE(ReadStlFile(none, "missing.stl"));
}

TEST_F(StlTest, AFailedAsciiPassIsTakenBackBeforeTheBinaryForm)
{
    // A binary file whose header reads as two vertex lines and a bad one.
    const std::vector<Facet> facet = {{{{7, 0, 0}, {0, 7, 0}, {0, 0, 7}}}};
    const StlMesh m = Read(BinaryStl(facet, "vertex 1 2 3\nvertex 4 5 6\nvertex bad\n"));
    ASSERT_EQ(m.vertices.size(), 3u);
    EXPECT_EQ(m.vertices[0], (StlVertex{7, 0, 0}));
    EXPECT_EQ(m.triangles.size(), 1u);
}

// The joining as a sort by coordinates and index would do it: each vertex's
// representative is the lowest index of its coordinates, kept in order.
void ReferenceMerge(StlMesh& mesh)
{
    const std::size_t n = mesh.vertices.size();
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = i;
    const auto key = [&mesh](std::size_t i) {
        const StlVertex& v = mesh.vertices[i];
        return std::make_tuple(v.x, v.y, v.z, i);
    };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    std::vector<std::size_t> representative(n);
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = order[k];
        const bool same = k > 0 && mesh.vertices[order[k - 1]] == mesh.vertices[i];
        representative[i] = same ? representative[order[k - 1]] : i;
    }
    std::vector<std::uint32_t> position(n);
    std::vector<StlVertex> kept;
    for (std::size_t i = 0; i < n; ++i)
        if (representative[i] == i) {
            position[i] = static_cast<std::uint32_t>(kept.size());
            kept.push_back(mesh.vertices[i]);
        }
    for (StlTriangle& t : mesh.triangles)
        for (std::uint32_t& v : t.v)
            v = position[representative[v]];
    mesh.vertices = kept;
}

TEST_F(StlTest, JoiningGivesWhatSortingWouldGive)
{
    std::mt19937 random(3);
    StlMesh mesh;
    for (int i = 0; i < 3000; ++i)
        mesh.vertices.push_back({float(random() % 7), float(random() % 5) * 0.5f, random() % 3 == 0 ? -0.0f : 1.0f});
    for (int t = 0; t < 2000; ++t)
        mesh.triangles.push_back({{std::uint32_t(random() % 3000), std::uint32_t(random() % 3000),
                                   std::uint32_t(random() % 3000)}});
    StlMesh expected = mesh;
    ReferenceMerge(expected);
    MergeDuplicateVertices(mesh);
    EXPECT_EQ(mesh.vertices, expected.vertices);
    EXPECT_EQ(mesh.triangles, expected.triangles);
}

TEST_F(StlTest, AReadJoinsItsOwnVerticesAndAWholeMergeJoinsAcrossBlocks)
{
    WriteBytes("cube.stl", AsciiStl(Cube(1)));
    StlMesh mesh;
    ASSERT_TRUE(ReadStlFile(mesh, "cube.stl"));
    ASSERT_TRUE(ReadStlFile(mesh, "cube.stl"));
    EXPECT_EQ(mesh.vertices.size(), 16u); // each read its own
    EXPECT_TRUE(SameTriangles(mesh, 0, mesh, 12, 12));
    MergeDuplicateVertices(mesh);
    EXPECT_EQ(mesh.vertices.size(), 8u);
    EXPECT_EQ(mesh.triangles[0].v[0], mesh.triangles[12].v[0]);
    // Moving one block's copy leaves the other where it was.
    BlockRecord second;
    second.kind = STL;
    second.firstTriangle = 12;
    second.triangleCount = 12;
    UnshareBlockVertices(mesh, second);
    EXPECT_EQ(mesh.vertices.size(), 16u);
    std::vector<bool> moved(mesh.vertices.size());
    for (std::size_t t = 12; t < 24; ++t)
        for (std::uint32_t v : mesh.triangles[t].v)
            if (!moved[v]) {
                moved[v] = true;
                mesh.vertices[v].x += 10;
            }
    MergeDuplicateVertices(mesh);
    EXPECT_EQ(mesh.vertices.size(), 16u);
    StlMesh original;
    ASSERT_TRUE(ReadStlFile(original, "cube.stl"));
    EXPECT_TRUE(SameTriangles(mesh, 0, original, 0, 12));
    EXPECT_FALSE(SameTriangles(mesh, 12, original, 0, 12));
    EXPECT_EQ(At(mesh, 12, 0).x, At(original, 0, 0).x + 10);
}

TEST_F(StlTest, BlockFilesBesideTheDataFile)
{
    std::filesystem::create_directories("models");
    WriteBytes("models/upper.STL", BinaryStl(Cube(1)));
    WriteBytes("models/empty.stl", BinaryStl({}));
    WriteBytes("models/model.pvn", "nblk=4\nblok=0\nbsol=1\nbstl=upper\nblok=1\nbsol=1\nbstl=gone\n"
                                   "blok=2\nbsol=1\nbstl=empty\nblok=3\nbsol=1\n");
    Open("models/model.pvn");
    const ShapeModel& m = engine.model;
    EXPECT_EQ(m.blocks[0].triangleCount, 12u); // "NAME.STL" when "NAME.stl" is absent
    EXPECT_EQ(m.blocks[1].triangleCount, 0u);
    EXPECT_EQ(StlName(engine.model, m.blocks[1]), "gone"); // the reference stays
    EXPECT_EQ(m.blocks[2].triangleCount, 0u);
    EXPECT_EQ(StlName(engine.model, m.blocks[2]), "empty");
    EXPECT_EQ(m.blocks[3].triangleCount, 0u); // no name, nothing read, nothing said
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Cannot open file models/gone.stl");
    // The whole model's grid spans the cube: its extremes on each axis.
    EXPECT_EQ(m.axes[0].n, 1);
    EXPECT_EQ(m.axes[0].widths[0], 1.0f);
    // Saved, the missing file stays named and nothing is written for it.
    SaveDataFile(engine.model, engine.startColours, "models/saved.pvn");
    EXPECT_EQ(StlName(engine.model, engine.model.blocks[1]), "gone");
    EXPECT_EQ(StlName(engine.model, engine.model.blocks[0]), "upper");
    EXPECT_FALSE(std::filesystem::exists("models/upper-1.stl"));
}

} // namespace
