// Solar fluxes of a step: the absorbed global irradiance of an open
// horizontal face, night and overcast steps, a shaded face, and the node
// sources of opaque surfaces and of glazing spread through its depth.
#include "gelmar/model/solar/SolarFlux.h"

#include "SolarFixture.h"
#include "gelmar/model/solar/SolarFiles.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numeric>

namespace gelmar::test {
namespace {

class SolarFluxTest : public SolarTest {
  protected:
    void SetUp() override
    {
        SolarTest::SetUp();
        GrowFunctionArray(g_model, 2);
        g_model.functions.count = 2;
        g_model.functions[0].name = FunctionName("G01");
        g_model.functions[1].name = FunctionName("D01");
        g_solar.hooks.evaluate = [this](int f, double) { return f == 0 ? global : diffuse; };
        g_model.day0 = 172;
        g_model.timeStep = 3600;
        g_model.latitude = 50.78f;
        g_model.longitude = 4.37f;
        g_model.timeZone = 1.0f;
    }
    void Prepare()
    {
        Rasterise();
        FindSolarFunctions(g_model, g_run, true);
        BuildSiteRotation(g_model, g_run);
        PrepareSolarSurfaces(g_model, g_run, Host(), true);
    }
    double TotalPower() const
    {
        double sum = 0;
        for (const SolarNodeSource& s : SolarNodeSourceList(g_run))
            sum += s.power;
        return sum;
    }

    float global = 600;
    float diffuse = 200;
};

TEST_F(SolarFluxTest, OpenHorizontalFaceAbsorbsTheGlobalIrradiance)
{
    SetGrid({1, 1, 1}, {1, 1, 1}, {1, 1});
    Colour(1, MATERIAL).solarReflection = 0;
    Colour(2, BC_SKY, true);
    AddBlock(1, 0, 3, 0, 3, 0, 1);
    AddBlock(2, 0, 3, 0, 3, 1, 2);
    Prepare();
    for (SurfaceGroup& g : g_solar.groups)
        g.skyView = 1; // the open sky, without the estimate's sampling
    ComputeSolarFluxesForStep(g_model, g_run, Host(), 12 * 3600, 1);
    ASSERT_GT(g_sun.altitude, 0);
    ASSERT_EQ(g_solar.records.size(), 36u);
    for (const SunlitNodeRecord& r : g_solar.records)
        EXPECT_NEAR(r.flux, global, 1e-3 * global);
    // Opaque surfaces: the whole power on the surface nodes.
    EXPECT_NEAR(TotalPower(), global * 9.0, 1e-3 * global * 9);
    EXPECT_NEAR(SolarNodePower(g_run, Node(0, 0, 1)), global * 0.25, 1e-3 * global);
    EXPECT_NEAR(SolarNodePower(g_run, Node(1, 1, 1)), global * 1.0, 1e-3 * global);

    // Overcast (G <= D): no direct part, the diffuse less its reflection.
    g_model.colours[1].solarReflection = 0.3f;
    SetDiffuseReflection(g_model, g_run);
    global = 150, diffuse = 150;
    ComputeSolarFluxesForStep(g_model, g_run, Host(), 12 * 3600, 2);
    for (const SurfaceGroup& g : g_solar.groups)
        EXPECT_EQ(g.absorbedDirect, 0.0f);
    for (const SunlitNodeRecord& r : g_solar.records)
        EXPECT_NEAR(r.flux, 150 * 0.7, 1e-3);
    for (const SolarNodeSource& s : SolarNodeSourceList(g_run))
        EXPECT_GT(s.previous, 0.0f); // the power of the step before

    // At night every flux is 0 and no flux file is left.
    g_model.saveResults = 1;
    std::ofstream(SolarFileName(g_model, 0, ".sfx")) << "1\n";
    ComputeSolarFluxesForStep(g_model, g_run, Host(), 0, 3);
    EXPECT_LT(g_sun.altitude, 0);
    for (const SunlitNodeRecord& r : g_solar.records)
        EXPECT_EQ(r.flux, 0.0f);
    EXPECT_EQ(TotalPower(), 0.0);
    EXPECT_FALSE(std::filesystem::exists(SolarFileName(g_model, 0, ".sfx")));
}

TEST_F(SolarFluxTest, TheFaceBehindATowerGetsNoDirectSun)
{
    // In the southern hemisphere the noon sun stands in the north (+x), so
    // the tower on x 3..4 shades the slab south of it.
    g_model.latitude = -50;
    SetGrid({1, 1, 1, 1, 1, 1, 1}, {1, 1, 1}, {1, 1, 1, 1});
    Colour(1, MATERIAL).solarReflection = 0;
    Colour(2, BC_SKY, true);
    AddBlock(1, 0, 7, 0, 3, 0, 1);
    AddBlock(2, 0, 7, 0, 3, 1, 4);
    AddBlock(1, 3, 4, 0, 3, 1, 4);
    Prepare();
    ComputeSolarFluxesForStep(g_model, g_run, Host(), 12 * 3600 + 1800, 1);
    ASSERT_GT(std::fabs(g_sun.azimuth - 180), 0);
    ASSERT_LT(std::fabs(g_sun.azimuth - 180), 20);
    int south = 0, north = 0;
    for (const SurfaceGroup& g : g_solar.groups) {
        if (g.orientation != 5 || g.k != 1 || g.j == 0 || g.j == 3)
            continue;
        if (g.i < 3) {
            ++south;
            EXPECT_EQ(g.absorbedDirect, 0.0f) << g.i;
            EXPECT_EQ(g.shading, 0);
        } else if (g.i > 4) {
            ++north;
            EXPECT_GT(g.absorbedDirect, 0.0f) << g.i;
            EXPECT_EQ(g.shading, 1);
        }
    }
    EXPECT_GT(south, 0);
    EXPECT_GT(north, 0);
    // The tower's north wall faces the sun.
    EXPECT_GT(g_solar.directIrradiance[1], 0.0f);
    EXPECT_EQ(g_solar.directIrradiance[0], 0.0f);
}

TEST_F(SolarFluxTest, BeamNormalIrradianceStaysBoundedNearTheHorizon)
{
    EXPECT_NEAR(BeamNormalIrradiance(500, 30, 172), 1000, 1e-3);
    EXPECT_LE(BeamNormalIrradiance(50, 0.01f, 172), 1353 * 1.033);
    EXPECT_GT(BeamNormalIrradiance(50, 0.01f, 172), 1300);
    EXPECT_EQ(BeamNormalIrradiance(50, 0, 172), 0.0f);
    EXPECT_EQ(BeamNormalIrradiance(50, -3, 172), 0.0f);
    EXPECT_EQ(BeamNormalIrradiance(0, 40, 172), 0.0f);
}

TEST_F(SolarFluxTest, GlazingSpreadsItsPowerThroughItsDepth)
{
    // Opaque cell, two cells of glazing, the solar colour on top.
    SetGrid({1}, {1}, {1, 1, 1, 1});
    Colour(1, MATERIAL);
    Colour(3, MATERIAL).solarTransmission = 0.5f;
    Colour(2, BC_SKY, true);
    AddBlock(1, 0, 1, 0, 1, 0, 1);
    AddBlock(3, 0, 1, 0, 1, 1, 3);
    AddBlock(2, 0, 1, 0, 1, 3, 4);
    Prepare();
    ASSERT_EQ(g_solar.records.size(), 4u);
    const std::array<int, 3> end = FindTransparentEnd(g_model, g_run, 0, 0, 3, 5, 3);
    EXPECT_EQ(end, (std::array<int, 3>{0, 0, 1}));
    // Every node of the glazing's depth can take power.
    EXPECT_EQ(SolarNodeSourceList(g_run).size(), 12u);
    for (SunlitNodeRecord& r : g_solar.records)
        r.flux = 10;
    SolarNodeSources(g_model, g_run, Host());
    const double p = 0.25 * 10; // one record's power
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            EXPECT_NEAR(SolarNodePower(g_run, Node(i, j, 3)), p / 4, 1e-6);
            EXPECT_NEAR(SolarNodePower(g_run, Node(i, j, 2)), p / 2, 1e-6);
            EXPECT_NEAR(SolarNodePower(g_run, Node(i, j, 1)), p / 4, 1e-6);
        }
    EXPECT_NEAR(TotalPower(), 4 * p, 1e-6);
}

TEST_F(SolarFluxTest, TransmittedShareIsNotAbsorbedAtTheSurface)
{
    SetGrid({1}, {1}, {1, 1});
    Colour(3, MATERIAL).solarTransmission = 0.25f;
    g_model.colours[3].solarReflection = 0;
    Colour(2, BC_SKY, true);
    AddBlock(3, 0, 1, 0, 1, 0, 1);
    AddBlock(2, 0, 1, 0, 1, 1, 2);
    Prepare();
    for (SurfaceGroup& g : g_solar.groups)
        g.skyView = 1;
    ComputeSolarFluxesForStep(g_model, g_run, Host(), 12 * 3600, 1);
    for (const SunlitNodeRecord& r : g_solar.records)
        EXPECT_NEAR(r.flux, 0.75 * global, 1e-3 * global);
}

} // namespace
} // namespace gelmar::test
