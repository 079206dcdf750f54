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
        GrowFunctionArray(engine.model, 2);
        engine.model.functions.count = 2;
        engine.model.functions[0].name = FunctionName("G01");
        engine.model.functions[1].name = FunctionName("D01");
        engine.run.solar.hooks.evaluate = [this](int f, double) { return f == 0 ? global : diffuse; };
        engine.model.day0 = 172;
        engine.model.timeStep = 3600;
        engine.model.latitude = 50.78f;
        engine.model.longitude = 4.37f;
        engine.model.timeZone = 1.0f;
    }
    void Prepare()
    {
        Rasterise();
        FindSolarFunctions(engine.model, engine.run, true);
        BuildSiteRotation(engine.model, engine.run);
        PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    }
    double TotalPower()
    {
        double sum = 0;
        for (const SolarNodeSource& s : SolarNodeSourceList(engine.run))
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
    Block(1, 0, 3, 0, 3, 0, 1);
    Block(2, 0, 3, 0, 3, 1, 2);
    Prepare();
    for (SurfaceGroup& g : engine.run.solar.groups)
        g.skyView = 1; // the open sky, without the estimate's sampling
    ComputeSolarFluxesForStep(engine.model, engine.run, Host(), 12 * 3600, 1);
    ASSERT_GT(engine.run.sun.altitude, 0);
    ASSERT_EQ(engine.run.solar.records.size(), 36u);
    for (const SunlitNodeRecord& r : engine.run.solar.records)
        EXPECT_NEAR(r.flux, global, 1e-3 * global);
    // Opaque surfaces: the whole power on the surface nodes.
    EXPECT_NEAR(TotalPower(), global * 9.0, 1e-3 * global * 9);
    EXPECT_NEAR(SolarNodePower(engine.run, Node(0, 0, 1)), global * 0.25, 1e-3 * global);
    EXPECT_NEAR(SolarNodePower(engine.run, Node(1, 1, 1)), global * 1.0, 1e-3 * global);

    // Overcast (G <= D): no direct part, the diffuse less its reflection.
    engine.model.colours[1].solarReflection = 0.3f;
    SetDiffuseReflection(engine.model, engine.run);
    global = 150, diffuse = 150;
    ComputeSolarFluxesForStep(engine.model, engine.run, Host(), 12 * 3600, 2);
    for (const SurfaceGroup& g : engine.run.solar.groups)
        EXPECT_EQ(g.absorbedDirect, 0.0f);
    for (const SunlitNodeRecord& r : engine.run.solar.records)
        EXPECT_NEAR(r.flux, 150 * 0.7, 1e-3);
    for (const SolarNodeSource& s : SolarNodeSourceList(engine.run))
        EXPECT_GT(s.previous, 0.0f); // the power of the step before

    // At night every flux is 0 and no flux file is left.
    engine.model.saveResults = 1;
    std::ofstream(SolarFileName(engine.model, 0, ".sfx")) << "1\n";
    ComputeSolarFluxesForStep(engine.model, engine.run, Host(), 0, 3);
    EXPECT_LT(engine.run.sun.altitude, 0);
    for (const SunlitNodeRecord& r : engine.run.solar.records)
        EXPECT_EQ(r.flux, 0.0f);
    EXPECT_EQ(TotalPower(), 0.0);
    EXPECT_FALSE(std::filesystem::exists(SolarFileName(engine.model, 0, ".sfx")));
}

TEST_F(SolarFluxTest, TheFaceBehindATowerGetsNoDirectSun)
{
    // In the southern hemisphere the noon sun stands in the north (+x), so
    // the tower on x 3..4 shades the slab south of it.
    engine.model.latitude = -50;
    SetGrid({1, 1, 1, 1, 1, 1, 1}, {1, 1, 1}, {1, 1, 1, 1});
    Colour(1, MATERIAL).solarReflection = 0;
    Colour(2, BC_SKY, true);
    Block(1, 0, 7, 0, 3, 0, 1);
    Block(2, 0, 7, 0, 3, 1, 4);
    Block(1, 3, 4, 0, 3, 1, 4);
    Prepare();
    ComputeSolarFluxesForStep(engine.model, engine.run, Host(), 12 * 3600 + 1800, 1);
    ASSERT_GT(std::fabs(engine.run.sun.azimuth - 180), 0);
    ASSERT_LT(std::fabs(engine.run.sun.azimuth - 180), 20);
    int south = 0, north = 0;
    for (const SurfaceGroup& g : engine.run.solar.groups) {
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
    EXPECT_GT(engine.run.solar.directIrradiance[1], 0.0f);
    EXPECT_EQ(engine.run.solar.directIrradiance[0], 0.0f);
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
    Block(1, 0, 1, 0, 1, 0, 1);
    Block(3, 0, 1, 0, 1, 1, 3);
    Block(2, 0, 1, 0, 1, 3, 4);
    Prepare();
    ASSERT_EQ(engine.run.solar.records.size(), 4u);
    const std::array<int, 3> end = FindTransparentEnd(engine.model, engine.run, 0, 0, 3, 5, 3);
    EXPECT_EQ(end, (std::array<int, 3>{0, 0, 1}));
    // Every node of the glazing's depth can take power.
    EXPECT_EQ(SolarNodeSourceList(engine.run).size(), 12u);
    for (SunlitNodeRecord& r : engine.run.solar.records)
        r.flux = 10;
    SolarNodeSources(engine.model, engine.run, Host());
    const double p = 0.25 * 10; // one record's power
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            EXPECT_NEAR(SolarNodePower(engine.run, Node(i, j, 3)), p / 4, 1e-6);
            EXPECT_NEAR(SolarNodePower(engine.run, Node(i, j, 2)), p / 2, 1e-6);
            EXPECT_NEAR(SolarNodePower(engine.run, Node(i, j, 1)), p / 4, 1e-6);
        }
    EXPECT_NEAR(TotalPower(), 4 * p, 1e-6);
}

TEST_F(SolarFluxTest, TransmittedShareIsNotAbsorbedAtTheSurface)
{
    SetGrid({1}, {1}, {1, 1});
    Colour(3, MATERIAL).solarTransmission = 0.25f;
    engine.model.colours[3].solarReflection = 0;
    Colour(2, BC_SKY, true);
    Block(3, 0, 1, 0, 1, 0, 1);
    Block(2, 0, 1, 0, 1, 1, 2);
    Prepare();
    for (SurfaceGroup& g : engine.run.solar.groups)
        g.skyView = 1;
    ComputeSolarFluxesForStep(engine.model, engine.run, Host(), 12 * 3600, 1);
    for (const SunlitNodeRecord& r : engine.run.solar.records)
        EXPECT_NEAR(r.flux, 0.75 * global, 1e-3 * global);
}

} // namespace
} // namespace gelmar::test
