// Solar surfaces: which faces are solar or shading, the surface groups and
// their areas, face directions and incidence, the shading ray test and the
// sky-view estimate against the open sky and a known obstacle band.
#include "gelmar/model/solar/SolarSurfaces.h"

#include "SolarFixture.h"
#include "gelmar/model/store/Errors.h"
#include "platform/core/Random.h"

#include <cmath>

namespace gelmar::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

class SolarSurfacesTest : public SolarTest {
  protected:
    // A 3 x 3 slab of material (colour 1) one cell thick under a solar sky
    // colour (2).
    void BuildSlab()
    {
        SetGrid({1, 1, 1}, {1, 1, 1}, {1, 1});
        Colour(1, MATERIAL);
        Colour(2, BC_SKY, true);
        Block(1, 0, 3, 0, 3, 0, 1);
        Block(2, 0, 3, 0, 3, 1, 2);
        Rasterise();
    }
};

TEST_F(SolarSurfacesTest, FaceDirectionsOfTheSixOrientations)
{
    BuildSiteRotation(engine.model, engine.run); // model x north, y west, z up
    struct Case {
        int orientation;
        float tilt, azimuth;
    } cases[] = {{5, 0, 180}, {4, 180, 180}, {3, 90, 90}, {2, 90, 270}, {0, 90, 0}, {1, 90, 180}};
    for (const Case& c : cases) {
        const FaceDirection d = SetFaceDirection(engine.run, c.orientation);
        EXPECT_NEAR(d.tilt, c.tilt, 1e-4) << c.orientation;
        EXPECT_NEAR(d.azimuth, c.azimuth, 1e-4) << c.orientation;
    }
    // The sun below the horizon strikes an upward face from behind.
    engine.run.sun.altitude = -10;
    engine.run.sun.azimuth = 45;
    EXPECT_LT(ComputeIncidence(engine.run, SetFaceDirection(engine.run, 5)), 0.0f);
    EXPECT_FALSE(engine.run.sun.visible);
    // A wall facing the sun squarely at altitude h: cos(theta) = cos h.
    engine.run.sun.altitude = 25;
    engine.run.sun.azimuth = 90;
    EXPECT_NEAR(ComputeIncidence(engine.run, SetFaceDirection(engine.run, 3)), std::cos(25 * kPi / 180),
                1e-6);
    EXPECT_TRUE(engine.run.sun.visible);
}

TEST_F(SolarSurfacesTest, RayLengthAndPlaneOffset)
{
    SetGrid({1, 2, 3, 4}, {1, 3}, {2});
    ComputeShadingRayLength(engine.model, engine.run);
    ComputeShadingPlaneOffset(engine.model, engine.run);
    EXPECT_FLOAT_EQ(engine.run.solar.rayLength, 20.0f);
    EXPECT_FLOAT_EQ(engine.run.solar.planeOffset, 0.002f);
}

TEST_F(SolarSurfacesTest, OneCellFaceGivesFourQuarterGroups)
{
    SetGrid({2}, {3}, {1, 1});
    engine.model.gridUnit = 0.5f;
    Colour(1, MATERIAL);
    Colour(2, BC_SIMPL, true);
    Block(2, 0, 1, 0, 1, 1, 2);
    Block(1, 0, 1, 0, 1, 0, 1);
    Rasterise();
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    ASSERT_EQ(engine.run.solar.solarFaces.size(), 1u);
    EXPECT_EQ(engine.run.solar.solarFaces[0].orientation, 5);
    ASSERT_EQ(engine.run.solar.groups.size(), 4u);
    const int corners[2][2] = {{3, 1}, {2, 0}}; // by point offset x, y
    for (const SurfaceGroup& g : engine.run.solar.groups) {
        EXPECT_EQ(g.k, 1);
        EXPECT_EQ(g.orientation, 5);
        EXPECT_EQ(g.corner, corners[g.i][g.j]);
        EXPECT_EQ(g.node, Node(g.i, g.j, g.k));
        EXPECT_EQ(g.colour, 1);
        EXPECT_FLOAT_EQ(g.area, 0.25f * 2 * 3 * 0.25f);
    }
    ASSERT_EQ(engine.run.solar.records.size(), 4u);
}

TEST_F(SolarSurfacesTest, NeighbouringCellFacesShareGridPointsWithOwnCorners)
{
    SetGrid({1, 1}, {1}, {1, 1});
    Colour(1, MATERIAL);
    Colour(2, BC_SKY, true);
    Block(1, 0, 2, 0, 1, 0, 1);
    Block(2, 0, 2, 0, 1, 1, 2);
    Rasterise();
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    ASSERT_EQ(engine.run.solar.groups.size(), 8u);
    int shared = 0;
    for (std::size_t n = 1; n < engine.run.solar.groups.size(); ++n) {
        const SurfaceGroup &a = engine.run.solar.groups[n - 1], &b = engine.run.solar.groups[n];
        if (a.node == b.node) {
            ++shared;
            EXPECT_NE(a.corner, b.corner);
        }
    }
    EXPECT_EQ(shared, 2); // the two points on the middle line
}

TEST_F(SolarSurfacesTest, SolarFacesNeedASolidAgainstASolarColour)
{
    // Solar-flagged BC_NOSKY is not a solar colour.
    SetGrid({1}, {1}, {1, 1});
    Colour(1, MATERIAL);
    Colour(2, BC_NOSKY, true);
    Block(1, 0, 1, 0, 1, 0, 1);
    Block(2, 0, 1, 0, 1, 1, 2);
    Rasterise();
    EXPECT_FALSE(HasSolarColours(engine.model, engine.run));
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    EXPECT_TRUE(engine.run.solar.groups.empty());

    // The solar colour below the solid: the face turns to the solid's side.
    engine.model.colours[2].type = BC_SKY;
    engine.model.blocks[0].z1 = 1, engine.model.blocks[0].z2 = 2;
    engine.model.blocks[1].z1 = 0, engine.model.blocks[1].z2 = 1;
    Rasterise();
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    ASSERT_EQ(engine.run.solar.solarFaces.size(), 1u);
    EXPECT_EQ(engine.run.solar.solarFaces[0].orientation, 4);
    for (const SurfaceGroup& g : engine.run.solar.groups)
        EXPECT_EQ(g.corner >> 2 & 1, 1); // the solid lies above the plane
}

TEST_F(SolarSurfacesTest, EquivalentMaterialBesideASolarColourStopsTheRun)
{
    SetGrid({1, 1}, {1}, {1});
    Colour(5, EQUIMAT);
    Colour(2, BC_SKY, true);
    Block(5, 0, 1, 0, 1, 0, 1);
    Block(2, 1, 2, 0, 1, 0, 1);
    Rasterise();
    ASSERT_TRUE(HasSolarColours(engine.model, engine.run));
    std::string message;
    EXPECT_EQ(CaughtError([this] { CheckSolarContacts(engine.model, engine.run); }, &message),
              ErrorCode::SolarContact);
    EXPECT_EQ(message, "EQUIMAT (colour 5) touches solar zone (colour 2)");
    engine.model.colours[2].solar = 0;
    HasSolarColours(engine.model, engine.run);
    EXPECT_NO_THROW(CheckSolarContacts(engine.model, engine.run));
}

TEST_F(SolarSurfacesTest, OpenSkyGivesSkyViewOneAndTheObstacleBandItsShare)
{
    BuildSlab();
    platform::srand15(1);
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    ASSERT_EQ(engine.run.solar.groups.size(), 36u);
    // Only a direction drawn exactly on the horizon (a zero draw, about one
    // in 32768) grazes the surface and meets the slab's far side.
    for (const SurfaceGroup& g : engine.run.solar.groups)
        EXPECT_GE(g.skyView, 0.9996f);

    // An obstacle all round up to 5 degrees hides sin(5 deg) of the
    // directions an upward face sees (altitudes are drawn as asin(u)).
    engine.model.sunObstacles[0] = {-180, 180, 0, 5};
    engine.model.sunObstacleCount = 1;
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    for (const SurfaceGroup& g : engine.run.solar.groups)
        EXPECT_NEAR(g.skyView, 1 - std::sin(5 * kPi / 180), 0.015);
}

TEST_F(SolarSurfacesTest, AModelOneCellThickCopiesTheLowerPlanesSkyView)
{
    // A wall facing +x, one cell thick along z, with a solid fin in front of
    // it on y 0..1 that hides part of the sky of the points at y = 0 and 1.
    SetGrid({1, 1, 1, 1}, {1, 1, 1}, {1});
    Colour(1, MATERIAL);
    Colour(2, BC_SKY, true);
    Block(1, 0, 2, 0, 3, 0, 1);
    Block(2, 2, 4, 0, 3, 0, 1);
    Block(1, 2, 4, 0, 1, 0, 1);
    Rasterise();
    platform::srand15(5);
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    int upper = 0;
    for (const SurfaceGroup& g : engine.run.solar.groups) {
        if (g.k != 1)
            continue;
        ++upper;
        bool matched = false;
        for (const SurfaceGroup& lower : engine.run.solar.groups) {
            if (lower.k == 0 && lower.i == g.i && lower.j == g.j && lower.orientation == g.orientation) {
                EXPECT_EQ(g.skyView, lower.skyView);
                matched = true;
            }
        }
        EXPECT_TRUE(matched);
    }
    EXPECT_GT(upper, 0);
    // The rays stay in the plane, their directions uniform in angle; the
    // wall sees the half circle towards +x. From y = 1 the fin hides every
    // direction with a -y part; from y = 3 those more than 45 degrees off +x
    // (the fin ends 2 units out, 2 units away).
    float far = 0, near = 1;
    for (const SurfaceGroup& g : engine.run.solar.groups) {
        if (g.orientation == 1 && g.i == 2 && g.j == 3)
            far = g.skyView;
        if (g.orientation == 1 && g.i == 2 && g.j == 1)
            near = g.skyView;
    }
    EXPECT_NEAR(near, 0.5f, 0.02f);
    EXPECT_NEAR(far, 0.75f, 0.02f);
}

TEST_F(SolarSurfacesTest, ATowerShadesThePointBehindIt)
{
    // Slab 6 x 3 cells, a tower three cells high on x 3..4; north is +x.
    SetGrid({1, 1, 1, 1, 1, 1}, {1, 1, 1}, {1, 1, 1, 1});
    Colour(1, MATERIAL);
    Colour(2, BC_SKY, true);
    Block(1, 0, 6, 0, 3, 0, 1);
    Block(2, 0, 6, 0, 3, 1, 4);
    Block(1, 3, 4, 0, 3, 1, 4);
    Rasterise();
    PrepareSolarSurfaces(engine.model, engine.run, Host(), false);
    BuildSiteRotation(engine.model, engine.run);
    engine.run.sun.altitude = 30;
    engine.run.sun.azimuth = 180; // the sun in the north, behind the tower
    EXPECT_TRUE(IsRayBlocked(engine.model, engine.run, Host(), 2.0f, 1.5f, 1.0f));
    EXPECT_FALSE(IsRayBlocked(engine.model, engine.run, Host(), 5.0f, 1.5f, 1.0f));
    engine.run.sun.azimuth = 0; // in the south
    EXPECT_FALSE(IsRayBlocked(engine.model, engine.run, Host(), 2.0f, 1.5f, 1.0f));
    EXPECT_TRUE(IsRayBlocked(engine.model, engine.run, Host(), 5.0f, 1.5f, 1.0f));
    // High enough to look over the tower from two cells away: tan h > 3 / 1.
    engine.run.sun.azimuth = 180;
    engine.run.sun.altitude = 75;
    EXPECT_FALSE(IsRayBlocked(engine.model, engine.run, Host(), 2.0f, 1.5f, 1.0f));
}

} // namespace
} // namespace gelmar::test
