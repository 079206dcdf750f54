// The named objects of the 3D view's picks and the reading of selection
// hits: which faces carry which block's name and in which order, the face
// and quad names of the value read-out, the pick region filter against
// points projected through the same camera, and hit records read by hand.
#include "gelmar/graphics/core/ScenePicking.h"

#include "PictureFixture.h"
#include "gelmar/graphics/core/ViewCamera.h"
#include "gelmar/model/store/ViewState.h"

#include <gtest/gtest.h>

namespace gelmar::test {
namespace {

class ScenePickingTest : public PictureTest {
  protected:
    // A material block (colour 1) between a boundary block (colour 2) on its
    // x-min side and empty space elsewhere, then a second material block.
    void Model()
    {
        Grid(Uniform(4, 1), Uniform(1, 1), Uniform(1, 1));
        Material(1, 1.0f, RGB(200, 120, 80));
        Colour(2, BC_SIMPL);
        Block(2, 0, 1, 0, 1, 0, 1);
        Block(1, 1, 2, 0, 1, 0, 1);
        Block(1, 3, 4, 0, 1, 0, 1);
        Build();
    }
};

TEST_F(ScenePickingTest, MaterialViewNamesTheFacesOfEachMaterialBlockInBlockOrder)
{
    Model();
    std::vector<NamedQuad> quads;
    CollectBlockNames(engine.model, ViewKind::Materials, nullptr, engine.view.faces, quads);
    ASSERT_EQ(quads.size(), 12u);
    for (std::size_t n = 0; n < quads.size(); ++n)
        EXPECT_EQ(quads[n].name, n < 6 ? 1u : 2u);
    for (ViewKind kind : {ViewKind::Transparent, ViewKind::Temperatures}) {
        CollectBlockNames(engine.model, kind, nullptr, engine.view.faces, quads);
        EXPECT_TRUE(quads.empty()) << static_cast<int>(kind);
    }
}

TEST_F(ScenePickingTest, BcViewNamesTheBlockInFrontFirstAndEveryFaceAsNoBlockAfterwards)
{
    Model();
    std::vector<NamedQuad> quads;
    CollectBlockNames(engine.model, ViewKind::BoundaryConditions, nullptr, engine.view.faces, quads);
    // The material face against the boundary block once under its name,
    // then all twelve material faces as "no block".
    ASSERT_EQ(quads.size(), 13u);
    EXPECT_EQ(quads[0].name, 0u);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(quads[0].corners[c][0], 1.0f);
    for (std::size_t n = 1; n < quads.size(); ++n)
        EXPECT_EQ(quads[n].name, kNoBlockName);
    // A hidden boundary colour names nothing.
    engine.model.colours[2].clipShow = 0;
    CollectBlockNames(engine.model, ViewKind::BoundaryConditions, nullptr, engine.view.faces, quads);
    for (const NamedQuad& q : quads)
        EXPECT_EQ(q.name, kNoBlockName);
}

TEST_F(ScenePickingTest, FacesAndQuadsOfTheValueReadOut)
{
    Grid(Uniform(3, 1), Uniform(2, 0.5f), Uniform(1, 1));
    Material(1, 1.0f, RGB(200, 120, 80));
    Block(1, 0, 3, 0, 2, 0, 1);
    Build();
    std::vector<NamedQuad> quads;
    CollectFaceNames(engine.model, nullptr, engine.view.faces, quads);
    ASSERT_EQ(quads.size(), static_cast<std::size_t>(engine.view.faces.count));
    for (std::size_t n = 0; n < quads.size(); ++n)
        EXPECT_EQ(quads[n].name, n);
    for (int f = 0; f < engine.view.faces.count; ++f) {
        const FaceRecord& face = engine.view.faces.faces[f];
        CollectQuadNames(engine.model, f, engine.view.faces, quads);
        ASSERT_EQ(static_cast<int>(quads.size()), FaceQuadCount(face));
        std::uint32_t expected = 0;
        ForEachFaceQuad(face, FaceOrientation(face), [&](const GridPoint c[4]) {
            const NamedQuad& q = quads[expected];
            EXPECT_EQ(q.name, expected);
            EXPECT_EQ(q.corners[2][0], GridLineCoordinate(engine.model, 0, c[2].i));
            EXPECT_EQ(q.corners[2][1], GridLineCoordinate(engine.model, 1, c[2].j));
            ++expected;
        });
    }
    CollectQuadNames(engine.model, engine.view.faces.count, engine.view.faces, quads);
    EXPECT_TRUE(quads.empty());
}

TEST_F(ScenePickingTest, TheRegionFilterKeepsWhatMayReachThePickedPixel)
{
    Model();
    ViewCamera camera;
    camera.m_cx = 200, camera.m_cy = 100;
    float azimuth = 20, altitude = 35;
    ViewExtent extent;
    for (int k = 0; k < 3; ++k)
        extent.centre[k] = engine.model.centre[k];
    extent.size = engine.model.halfDiagonal;
    const GlMatrix view = CameraMatrix(camera, {azimuth, altitude}, extent, false);
    double forward[16];
    ForwardPictureMatrix(camera, {azimuth, altitude}, extent, false, forward);
    kernels::PictureMatrix picture;
    picture.SetForward(forward);
    std::vector<NamedQuad> all;
    CollectBlockNames(engine.model, ViewKind::Materials, nullptr, engine.view.faces, all);
    const int viewport[4] = {0, 0, 200, 100};
    for (const NamedQuad& q : all) {
        // The pixel of the quad's centre keeps it; a pixel far from all its
        // corners does not.
        double cx = 0, cy = 0, minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (const auto& c : q.corners) {
            double px, py, depth;
            picture.Project(c[0], c[1], c[2], px, py, depth);
            cx += px / 4, cy += py / 4;
            minX = std::min(minX, px), maxX = std::max(maxX, px);
            minY = std::min(minY, py), maxY = std::max(maxY, py);
        }
        const GlMatrix at =
            MultiplyMatrices(PickProjectionMatrix(camera, extent, cx, 100 - cy, viewport), view);
        EXPECT_TRUE(PickRegionFilter(at).Keep(q.corners));
        const GlMatrix away =
            MultiplyMatrices(PickProjectionMatrix(camera, extent, maxX + 3, 100 - cy, viewport), view);
        EXPECT_FALSE(PickRegionFilter(away).Keep(q.corners));
        const GlMatrix below =
            MultiplyMatrices(PickProjectionMatrix(camera, extent, cx, 100 - (maxY + 3), viewport), view);
        EXPECT_FALSE(PickRegionFilter(below).Keep(q.corners));
        (void)minX, (void)minY;
    }
}

TEST_F(ScenePickingTest, HitsAreReadNearestFirstAndFirstOnTies)
{
    struct Case {
        std::vector<std::uint32_t> buffer;
        int hits;
        std::int64_t nearest, first;
    } cases[] = {
        {{}, 0, -1, -1},
        {{1, 500, 900, 7}, 1, 7, 7},
        {{1, 500, 900, 7, 1, 300, 400, 8, 1, 300, 350, 9}, 3, 8, 7}, // equal depths: the first
        {{2, 800, 900, 4, 5, 1, 100, 200, 6}, 2, 6, 4},              // two names in a record
        {{1, 500, 900, 7, 1, 100}, 2, 7, 7},                         // a record cut off
        {{0, 100, 200, 1, 900, 999, 3}, 2, 3, 3},                    // a record without names
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NearestHitName(c.buffer.data(), c.buffer.size(), c.hits), c.nearest);
        EXPECT_EQ(FirstHitName(c.buffer.data(), c.buffer.size(), c.hits), c.first);
    }
}

} // namespace
} // namespace gelmar::test
