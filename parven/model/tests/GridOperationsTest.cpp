// Grid operations: the minimum grid, lines through plane STL facets, merging
// meshes, and block points moved with the points equal to them.
#include "parven/model/editing/BlockPoints.h"
#include "parven/model/editing/GridOperations.h"
#include "parven/model/stl/StlFiles.h"
#include "parven/model/tests/ParvenFixture.h"
#include "parven/model/tests/StlTestFiles.h"

#include <numeric>
#include <vector>

namespace {

using namespace parven;
using parven::testing::Cube;
using parven::testing::Facet;
using parven::testing::ParvenTest;

ShapeModel FreshModel()
{
    ShapeModel m;
    ResetModel(m, ProgramParameters{}, DefaultColourTable());
    return m;
}

// Appends a box block from p1 to p8.
void AddBox(ShapeModel& m, std::array<float, 3> p1, std::array<float, 3> p8)
{
    GrowBlockArray(m, m.blocks.count + 1);
    const std::size_t i = m.blocks.count++;
    InitBlock(m, i);
    std::copy(p1.begin(), p1.end(), m.blocks[i].points[0]);
    std::copy(p8.begin(), p8.end(), m.blocks[i].points[7]);
    DeriveBlockCorners(m.blocks[i], false);
}

std::vector<float> Widths(const ShapeModel& m, int axis)
{
    const GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    return {a.widths.begin(), a.widths.begin() + a.n};
}

TEST(GridOperations, MinimumGridOfBoxes)
{
    ShapeModel one = FreshModel();
    AddBox(one, {1, 2, 3}, {4, 6, 8});
    for (int axis = 0; axis < 3; ++axis)
        CreateMinimumGrid(one, axis);
    EXPECT_EQ(Widths(one, 0), (std::vector<float>{3}));
    EXPECT_EQ(Widths(one, 2), (std::vector<float>{5}));
    EXPECT_EQ(one.origin[1], 2.0f);
    EXPECT_EQ(one.clipHi[0], 1);

    ShapeModel two = FreshModel();
    AddBox(two, {0, 0, 0}, {10, 5, 5});
    AddBox(two, {10, 0, 0}, {25.004f, 5, 5}); // on the resolution 0.01: 25
    for (int axis = 0; axis < 3; ++axis)
        CreateMinimumGrid(two, axis);
    EXPECT_EQ(Widths(two, 0), (std::vector<float>{10, 15}));
    EXPECT_EQ(two.axes[0].coords[1], 25.0f);
    EXPECT_EQ(Widths(two, 1), (std::vector<float>{5}));

    ShapeModel points = FreshModel();
    AddBox(points, {0, 0, 0}, {1, 1, 1});
    points.blocks[0].kind = POINT;
    points.axes[0].n = 4;
    CreateMinimumGrid(points, 0);
    EXPECT_EQ(points.axes[0].n, 0);
}

TEST(GridOperations, AnAxisOfTooManyCellsIsRefused)
{
    ShapeModel m = FreshModel();
    for (int i = 0; i < 33000; ++i)
        AddBox(m, {float(i), 0, 0}, {float(i) + 0.5f, 1, 1});
    m.axes[0].n = 1;
    m.axes[0].widths[0] = 7;
    try {
        CreateMinimumGrid(m, 0);
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Code(), ErrorCode::Memory);
    }
    EXPECT_EQ(Widths(m, 0), (std::vector<float>{7}));
}

class StlGridTest : public ParvenTest {};

TEST_F(StlGridTest, LinesThroughPlaneFacetsAndTheExtremes)
{
    // A cube of 3 with a square of 2 by 2 across it at height 1.5.
    std::vector<Facet> facets = Cube(3);
    facets.push_back({{{0, 0, 1.5f}, {2, 0, 1.5f}, {2, 2, 1.5f}}});
    facets.push_back({{{0, 0, 1.5f}, {2, 2, 1.5f}, {0, 2, 1.5f}}});
    parven::testing::WriteBytes("solid.stl", parven::testing::AsciiStl(facets));
    OpenText("nblk=2\nblok=0\nbpnt=0 -1 -1 -1\nbpnt=7 1 1 1\nblok=1\nbsol=1\nbstl=solid\n");
    ShapeModel& m = engine.model;
    // The minimum grid: the box corners and the extremes of all: -1, 1, 3.
    EXPECT_EQ(Widths(m, 2), (std::vector<float>{2, 2}));
    m.session.mesh.minStlArea = 1;
    InsertStlCoordinates(m);
    EXPECT_EQ(Widths(m, 2), (std::vector<float>{1, 1, 0.5f, 1.5f}));
    EXPECT_EQ(m.origin[2], -1.0f);
    EXPECT_EQ(Widths(m, 0), (std::vector<float>{1, 1, 2})); // no facet inside on x
    OpenText("nblk=2\nblok=0\nbpnt=0 -1 -1 -1\nbpnt=7 1 1 1\nblok=1\nbsol=1\nbstl=solid\n");
    m.session.mesh.minStlArea = 4; // the square's area is 4: not above it
    InsertStlCoordinates(m);
    EXPECT_EQ(Widths(m, 2), (std::vector<float>{1, 1, 2}));
}

TEST(GridOperations, MergingMeshes)
{
    struct Case {
        std::vector<float> widths, merged;
    } cases[] = {
        {{0.05f, 0.05f, 1.0f}, {1.1f}},
        {{1.0f, 0.05f, 0.05f, 1.0f}, {1.1f, 1.0f}},
        {{0.05f, 0.05f}, {0.05f, 0.05f}},
        {{0.1f, 2.0f}, {2.1f}},
        {{0.5f}, {0.5f}},
    };
    for (const Case& c : cases) {
        ShapeModel m = FreshModel();
        m.session.mesh.mergeThreshold = 0.1f;
        for (float w : c.widths)
            m.axes[1].widths[m.axes[1].n++] = w;
        MergeSmallMeshes(m);
        const std::vector<float> got = Widths(m, 1);
        ASSERT_EQ(got.size(), c.merged.size()) << c.widths.size();
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_FLOAT_EQ(got[i], c.merged[i]);
        EXPECT_FLOAT_EQ(m.axes[1].coords[got.size() - 1], std::accumulate(got.begin(), got.end(), 0.0f));
    }
    ShapeModel m = FreshModel();
    for (float w : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f})
        m.axes[0].widths[m.axes[0].n++] = w;
    m.axes[0].flags[4] = 1;
    MergeMeshRange(m, 0, 1, 3);
    EXPECT_EQ(Widths(m, 0), (std::vector<float>{1, 9, 5}));
    EXPECT_EQ(m.axes[0].flags[2], 1u);
    MergeMeshRange(m, 0, 2, 3); // beyond the last mesh: nothing
    EXPECT_EQ(m.axes[0].n, 3);
}

TEST(GridOperations, LinkedPointsMoveTogether)
{
    ShapeModel m = FreshModel();
    AddBox(m, {0, 0, 0}, {5, 5, 5});
    AddBox(m, {5, 5, 5}, {9, 9, 9});
    AddBox(m, {1, 0, 0}, {2, 2, 2});
    m.blocks[2].form = PARALLELEPIPED; // its P5..P8 are derived, not defining
    m.blocks[2].points[3][2] = 5;
    DeriveBlockCorners(m.blocks[2], false);
    m.blocks[1].filled = m.blocks[1].edited = 1;
    const float from[3] = {5, 5, 5}, to[3] = {6, 6, 6};
    MoveLinkedPoints(m, from, to); // the switch is off
    EXPECT_EQ(m.blocks[1].points[0][0], 5.0f);
    m.session.linkEqualPoints = true;
    MoveLinkedPoints(m, from, to);
    EXPECT_EQ(m.blocks[0].points[7][0], 6.0f);
    EXPECT_EQ(m.blocks[0].points[4][1], 6.0f); // corners derived again
    EXPECT_EQ(m.blocks[1].points[0][2], 6.0f);
    EXPECT_EQ(m.blocks[1].filled, 0);
    EXPECT_EQ(m.blocks[1].edited, 0);
}

} // namespace
