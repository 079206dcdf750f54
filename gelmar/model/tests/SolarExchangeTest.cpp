// Solar power behind glazing: the exchange system against a dense reference
// solve, one bounce without diffuse reflection, and the energy balance of a
// glazed cavity over a whole step (absorbed + passed out + reflected at the
// outer surfaces = incident).
#include "gelmar/model/solar/SolarExchange.h"

#include "SolarFixture.h"
#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/solar/SolarFlux.h"

#include <Eigen/Dense>
#include <random>
#include <tuple>

namespace gelmar::test {
namespace {

TEST(ExchangeSystem, MatchesADenseSolve)
{
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> u(-1, 1);
    for (std::size_t n : {1u, 2u, 5u, 12u}) {
        Eigen::MatrixXd a(n, n);
        Eigen::VectorXd b(n);
        std::vector<double> m(n * (n + 1));
        for (std::size_t r = 0; r < n; ++r) {
            for (std::size_t c = 0; c < n; ++c)
                a(r, c) = u(gen) + (r == c ? 0.2 : 0.0);
            b(r) = u(gen);
        }
        for (std::size_t r = 0; r < n; ++r) {
            for (std::size_t c = 0; c < n; ++c)
                m[r * (n + 1) + c] = a(r, c);
            m[r * (n + 1) + n] = b(r);
        }
        EliminateExchangeSystem(Host(), m, n);
        const Eigen::VectorXd x = a.partialPivLu().solve(b);
        for (std::size_t r = 0; r < n; ++r)
            EXPECT_NEAR(m[r * (n + 1) + n], x(r), 1e-9) << n;
    }
    // A zero column: its unknown becomes 0, the others still solve.
    std::vector<double> m = {2, 0, 4, 0, 0, 5};
    EliminateExchangeSystem(Host(), m, 2);
    EXPECT_DOUBLE_EQ(m[2], 2.0);
    EXPECT_DOUBLE_EQ(m[5], 0.0);
}

// A one-cell cavity (colour 5) in a shell of colour 1, glazed (colour 3) on
// top, under a solar sky of colour 2; its six faces form one zone with the
// catalogue view factors of a cube.
class GlazedCavityTest : public SolarTest {
  protected:
    void SetUp() override
    {
        SolarTest::SetUp();
        SetGrid({1, 1, 1}, {1, 1, 1}, {1, 1, 1, 1});
        Colour(1, MATERIAL).solarReflection = 0.3f;
        Colour(3, MATERIAL).solarTransmission = 0.6f;
        engine.model.colours[3].solarReflection = 0.1f;
        Colour(5, BC_NOSKY);
        Colour(2, BC_SIMPL, true);
        Block(1, 0, 3, 0, 3, 0, 3);
        Block(5, 1, 2, 1, 2, 1, 2);
        Block(3, 1, 2, 1, 2, 2, 3);
        Block(2, 0, 3, 0, 3, 3, 4);
        Rasterise();
        engine.run.solar.zones = {CubeZone({1, 1, 1}, {1, 1, 1, 1, 1, 3})};
        GrowFunctionArray(engine.model, 2);
        engine.model.functions.count = 2;
        engine.model.functions[0].name = FunctionName("G01");
        engine.model.functions[1].name = FunctionName("D01");
        engine.run.solar.hooks.evaluate = [](int f, double) { return f == 0 ? 700.0f : 150.0f; };
        engine.model.day0 = 172;
        engine.model.timeStep = 3600;
        FindSolarFunctions(engine.model, engine.run, true);
        BuildSiteRotation(engine.model, engine.run);
    }

    // The zone of a one-cell cavity in a grid of unit cells, with the owner
    // colours of its -x, +x, -y, +y, -z, +z faces.
    static SolarZone CubeZone(std::array<int, 3> cavity, std::array<int, 6> owners)
    {
        SolarZone z;
        z.type = BC_NOSKY;
        const int step[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
        for (int d = 0; d < 6; ++d) {
            SolarZoneFace f;
            f.cell = {cavity[0] + step[d][0], cavity[1] + step[d][1], cavity[2] + step[d][2]};
            const int o = d ^ 1; // the side of the owning cell towards the cavity
            const int axis = o / 2, u = (axis + 1) % 3, v = (axis + 2) % 3;
            f.geometry.orientation = o;
            for (int a = 0; a < 3; ++a) {
                f.geometry.lo[a] = static_cast<float>(f.cell[a]);
                f.geometry.hi[a] = static_cast<float>(f.cell[a] + 1);
            }
            if (o & 1)
                f.geometry.lo[axis] = f.geometry.hi[axis];
            else
                f.geometry.hi[axis] = f.geometry.lo[axis];
            f.zoneColour = 5;
            f.ownerColour = owners[d];
            f.area = 1;
            const int du[4] = {0, 1, 1, 0}, dv[4] = {0, 0, 1, 1};
            for (int c = 0; c < 4; ++c) {
                f.corners[c][axis] = f.cell[axis] + (o & 1);
                f.corners[c][u] = f.cell[u] + du[c];
                f.corners[c][v] = f.cell[v] + dv[c];
            }
            z.faces.push_back(f);
            z.fileFaces.push_back(f.geometry);
            z.fileAreas.push_back(1);
            z.fileOwnerColours.push_back(f.ownerColour);
            z.fileFaceOfFace.push_back(d);
        }
        // Catalogue view factors inside a cube: opposite and adjacent faces.
        z.viewFactors.resize(kernels::PackedSize(6));
        for (std::size_t i = 1; i < 6; ++i)
            for (std::size_t j = 0; j < i; ++j)
                z.viewFactors[kernels::PackedIndex(i, j)] = i / 2 == j / 2 ? 0.199825 : 0.200044;
        return z;
    }

    // F(a -> b) as a dense matrix.
    Eigen::MatrixXd ViewFactors()
    {
        Eigen::MatrixXd f(6, 6);
        for (int a = 0; a < 6; ++a)
            for (int b = 0; b < 6; ++b)
                f(a, b) = ZoneViewFactor(engine.run, 0, a, b);
        return f;
    }
};

TEST_F(GlazedCavityTest, ExchangeSolvesTheSystemOfReflectedPower)
{
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    ASSERT_EQ(engine.run.solar.zoneFaces.size(), 6u);
    ASSERT_EQ(engine.run.solar.exchangeFaces.size(), 6u);
    Eigen::VectorXd p(6);
    for (int d = 0; d < 6; ++d)
        p(d) = 10.0 * (d + 1);
    auto load = [&] {
        for (int d = 0; d < 6; ++d)
            engine.run.solar.zoneFaces[static_cast<std::size_t>(engine.run.solar.zoneFaceOf[0][d])]
                .reflected = static_cast<float>(p(d));
    };
    const Eigen::MatrixXd f = ViewFactors();

    // Without diffuse reflection: one bounce, x_b = sum_a F(a->b) P_a.
    std::fill(std::begin(engine.run.solar.diffuseReflection), std::end(engine.run.solar.diffuseReflection),
              0.0f);
    load();
    SolveZoneExchange(engine.run, Host());
    const Eigen::VectorXd once = f.transpose() * p;
    for (int b = 0; b < 6; ++b)
        EXPECT_NEAR(engine.run.solar.exchangeFaces[b].exchanged, once(b), 1e-4);

    // With it: (I - F^T diag(rho)) x = F^T P, no face behind the glazing.
    Eigen::VectorXd rho(6);
    for (int d = 0; d < 6; ++d) {
        rho(d) = d == 5 ? 0.1 : 0.3;
        engine.run.solar.diffuseReflection[d == 5 ? 3 : 1] = static_cast<float>(rho(d));
    }
    load();
    SolveZoneExchange(engine.run, Host());
    const Eigen::MatrixXd system = Eigen::MatrixXd::Identity(6, 6) - f.transpose() * rho.asDiagonal();
    const Eigen::VectorXd x = system.partialPivLu().solve(once);
    for (int b = 0; b < 6; ++b)
        EXPECT_NEAR(engine.run.solar.exchangeFaces[b].exchanged, x(b), 1e-3);

    // Nothing reflected: nothing exchanged.
    p.setZero();
    load();
    SolveZoneExchange(engine.run, Host());
    for (int b = 0; b < 6; ++b)
        EXPECT_EQ(engine.run.solar.exchangeFaces[b].exchanged, 0.0f);
}

TEST_F(GlazedCavityTest, EnergyIsConservedThroughTheGlazing)
{
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    ASSERT_EQ(engine.run.solar.transmissionNodes.size(), 4u);
    ComputeSolarFluxesForStep(engine.model, engine.run, Host(), 12 * 3600, 1);
    ASSERT_GT(engine.run.sun.altitude, 0);
    // What the outer surfaces take in and reflect, from the groups.
    double entering = 0, reflectedOut = 0;
    for (const SurfaceGroup& g : engine.run.solar.groups) {
        const double rho = engine.model.colours[g.colour].solarReflection;
        const double taken = g.area * (g.absorbedDirect + g.absorbedDiffuse);
        entering += taken;
        reflectedOut += taken * rho / (1 - rho);
    }
    ASSERT_GT(entering, 1000.0);
    double absorbed = 0;
    for (const SunlitNodeRecord& r : engine.run.solar.records)
        absorbed += static_cast<double>(r.area) * r.flux;
    // Diffuse light that meets the glazing from inside and passes it leaves
    // the model; so does the share of the cube's view factors short of 1.
    const ExchangeFace& glazing = engine.run.solar.exchangeFaces[5];
    const double passedOut = (1 - 0.1) * 0.6 * glazing.exchanged;
    EXPECT_GT(absorbed, 0.4 * entering);
    EXPECT_NEAR(absorbed + passedOut, entering, 1e-4 * entering);
    // The node sources hold the same power as the records.
    double sources = 0;
    for (const SolarNodeSource& s : SolarNodeSourceList(engine.run))
        sources += s.power;
    EXPECT_NEAR(sources, absorbed, 1e-4 * absorbed);
    EXPECT_GT(reflectedOut, 0.0);
    // The cavity's floor takes sun (by the walls and the exchange).
    double floorFlux = 0;
    for (const SunlitNodeRecord& r : engine.run.solar.records) {
        if (r.k == 1 && r.orientation == 5 && r.colour == 1)
            floorFlux += r.area * r.flux;
    }
    EXPECT_GT(floorFlux, 0.0);
}

TEST_F(GlazedCavityTest, WithoutATransparentSolidNothingIsFollowed)
{
    engine.model.colours[3].solarTransmission = 0;
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    EXPECT_TRUE(engine.run.solar.zoneFaces.empty());
    EXPECT_TRUE(engine.run.solar.transmissionNodes.empty());
    for (const SurfaceGroup& g : engine.run.solar.groups)
        EXPECT_EQ(g.link, -1);
    ComputeSolarFluxesForStep(engine.model, engine.run, Host(), 12 * 3600, 1);
    for (const SunlitNodeRecord& r : engine.run.solar.records) {
        if (r.k < 3) {
            EXPECT_EQ(r.flux, 0.0f); // the cavity's faces receive nothing
        }
    }
}

TEST_F(GlazedCavityTest, FaceBeyondTheGlazingAndItsNode)
{
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    int face = -1, node = -1;
    // From the glazing's top corner point (2, 2, 3) down through the glazing.
    FindFaceBeyond(engine.model, engine.run, 2, 2, 3, 5, 0, face, &node);
    ASSERT_GE(face, 0);
    EXPECT_EQ(face, engine.run.solar.zoneFaceOf[0][5]);
    ASSERT_GE(node, 0);
    const TransmissionNode& t = engine.run.solar.transmissionNodes[static_cast<std::size_t>(node)];
    EXPECT_EQ(t.node, Node(2, 2, 2));
    EXPECT_EQ(std::tuple(t.i, t.j, t.k), std::tuple(2, 2, 2));
    // From the shell's top: opaque material behind, no face.
    FindFaceBeyond(engine.model, engine.run, 0, 0, 3, 5, 3, face, &node);
    EXPECT_EQ(face, -1);
    EXPECT_EQ(node, -1);
}

TEST_F(GlazedCavityTest, DirectPowerBeyondCapacityGoesToTheNearestOpenFaces)
{
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    std::fill(std::begin(engine.run.solar.directIrradiance), std::end(engine.run.solar.directIrradiance),
              100.0f);
    const int floor = engine.run.solar.zoneFaceOf[0][4];
    // Within the capacity (100 W on 1 m2) the face keeps it all.
    DepositDirectPower(engine.run, 60, floor, 1.5f, 1.5f, 1.0f);
    EXPECT_FLOAT_EQ(engine.run.solar.zoneFaces[static_cast<std::size_t>(floor)].direct, 60);
    // 240 W more: the floor and the three faces nearest to the point (the
    // walls it touches first, in list order on equal distance) take it alike.
    DepositDirectPower(engine.run, 240, floor, 1.0f, 1.0f, 1.0f);
    double total = 0;
    int takers = 0;
    for (const ZoneFacePower& p : engine.run.solar.zoneFaces) {
        total += p.direct;
        if (p.taken) {
            ++takers;
        }
    }
    EXPECT_NEAR(total, 300, 1e-3);
    EXPECT_EQ(takers, 3); // 240 W exceed the floor's 40 W and one wall's 100 W
    for (const ZoneFacePower& p : engine.run.solar.zoneFaces) {
        if (p.taken && &p != &engine.run.solar.zoneFaces[static_cast<std::size_t>(floor)]) {
            EXPECT_NEAR(p.direct, 80, 1e-3);
        }
    }
    EXPECT_NEAR(engine.run.solar.zoneFaces[static_cast<std::size_t>(floor)].direct, 140, 1e-3);

    // Transmitted power at a node where faces face the ray: shared by area.
    for (ZoneFacePower& p : engine.run.solar.zoneFaces)
        p.direct = 0;
    int t = -1, face = -1;
    FindFaceBeyond(engine.model, engine.run, 1, 1, 3, 5, 3, face, &t);
    ASSERT_GE(t, 0);
    engine.run.solar.transmissionNodes[static_cast<std::size_t>(t)].pending = 30;
    DepositPatchAtNode(engine.model, engine.run, t, -1, -1, 0); // faces of orientation 1 and 3 at (1, 1, 2)
    EXPECT_NEAR(
        engine.run.solar.zoneFaces[static_cast<std::size_t>(engine.run.solar.zoneFaceOf[0][0])].direct, 15,
        1e-4);
    EXPECT_NEAR(
        engine.run.solar.zoneFaces[static_cast<std::size_t>(engine.run.solar.zoneFaceOf[0][2])].direct, 15,
        1e-4);
    EXPECT_EQ(engine.run.solar.transmissionNodes[static_cast<std::size_t>(t)].pending, 0.0f);
}

TEST_F(GlazedCavityTest, ClearGlazingAbsorbsNothing)
{
    engine.model.colours[3].solarTransmission = 1;
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    ComputeSolarFluxesForStep(engine.model, engine.run, Host(), 12 * 3600, 1);
    for (const SunlitNodeRecord& r : engine.run.solar.records) {
        if (r.colour == 3) {
            EXPECT_EQ(r.flux, 0.0f) << r.i << " " << r.j << " " << r.k;
        }
    }
    double absorbed = 0;
    for (const SunlitNodeRecord& r : engine.run.solar.records) {
        if (r.k < 3)
            absorbed += r.area * r.flux;
    }
    EXPECT_GT(absorbed, 100.0); // the cavity takes what the glazing lets through
}

TEST_F(GlazedCavityTest, SolarAndFreeSolarZonesAddNoRecordsOfTheirOwn)
{
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    const std::size_t groups = engine.run.solar.groups.size();
    EXPECT_EQ(engine.run.solar.records.size(), groups + 6 * 4);

    // A zone of type BC_FRE_S takes no part in the passes and the exchange.
    engine.run.solar.zones[0].type = BC_FRE_S;
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    EXPECT_EQ(engine.run.solar.records.size(), groups);
    EXPECT_TRUE(engine.run.solar.zoneFaces.empty());
    EXPECT_TRUE(engine.run.solar.exchangeFaces.empty());

    // A cavity of a solar colour: its faces are solar faces with groups, and
    // the zone adds no records.
    engine.run.solar.zones[0].type = BC_SKY;
    for (SolarZoneFace& f : engine.run.solar.zones[0].faces)
        f.zoneColour = 7;
    Colour(7, BC_SKY, true).inUse = 1;
    engine.model.blocks[1].colour = 7;
    Rasterise();
    PrepareSolarSurfaces(engine.model, engine.run, Host(), true);
    EXPECT_EQ(engine.run.solar.records.size(), engine.run.solar.groups.size());
    EXPECT_GT(engine.run.solar.groups.size(), groups);
}

// Two cavities above each other with one glazing cell between them.
class TwoCavitiesTest : public GlazedCavityTest {
  protected:
    void SetUp() override
    {
        GlazedCavityTest::SetUp();
        SetGrid({1, 1, 1}, {1, 1, 1}, {1, 1, 1, 1, 1});
        engine.model.blocks.count = 0;
        Block(1, 0, 3, 0, 3, 0, 5);
        Block(5, 1, 2, 1, 2, 1, 2);
        Block(3, 1, 2, 1, 2, 2, 3);
        Block(6, 1, 2, 1, 2, 3, 4);
        Colour(6, BC_NOSKY);
        Colour(2, BC_SKY, true); // no solar surface is needed here
        Rasterise();
        engine.run.solar.zones = {CubeZone({1, 1, 1}, {1, 1, 1, 1, 1, 3}),
                                  CubeZone({1, 1, 3}, {1, 1, 1, 1, 3, 1})};
        for (SolarZoneFace& f : engine.run.solar.zones[1].faces)
            f.zoneColour = 6;
        PrepareSolarExchange(engine.model, engine.run);
        SetDiffuseReflection(engine.model, engine.run);
    }
    // Reference: the system of the exchange written out densely.
    Eigen::VectorXd Reference(const Eigen::VectorXd& p)
    {
        const int n = 12;
        Eigen::MatrixXd m = Eigen::MatrixXd::Identity(n, n);
        Eigen::VectorXd rhs = Eigen::VectorXd::Zero(n);
        for (int z = 0; z < 2; ++z)
            for (int a = 0; a < 6; ++a)
                for (int b = 0; b < 6; ++b) {
                    const double f = ZoneViewFactor(engine.run, z, a, b);
                    const int c = engine.run.solar.zones[z].fileOwnerColours[a];
                    rhs(6 * z + b) += f * p(6 * z + a);
                    m(6 * z + b, 6 * z + a) -= engine.run.solar.diffuseReflection[c] * f;
                    // The glazing faces see each other through the layer.
                    const bool glazing = (z == 0 && a == 5) || (z == 1 && a == 4);
                    if (glazing && engine.run.solar.diffuseReflection[3] < 1) {
                        const int behind = z == 0 ? 6 + 4 : 5;
                        m(6 * z + b, behind) -= (1 - engine.run.solar.diffuseReflection[3]) *
                                                engine.run.solar.transmission[3] * f;
                    }
                }
        return m.partialPivLu().solve(rhs);
    }
};

TEST_F(TwoCavitiesTest, LightReflectedInOneCavityReachesTheOtherThroughTheGlazing)
{
    ASSERT_EQ(engine.run.solar.exchangeFaces.size(), 12u);
    EXPECT_EQ(FindFaceBehind(engine.run, 5), 10);
    EXPECT_EQ(FindFaceBehind(engine.run, 10), 5);
    EXPECT_EQ(FindFaceBehind(engine.run, 0), -1);
    Eigen::VectorXd p = Eigen::VectorXd::Zero(12);
    p(4) = 50; // the lower cavity's floor
    engine.run.solar.zoneFaces[static_cast<std::size_t>(engine.run.solar.zoneFaceOf[0][4])].reflected = 50;
    SolveZoneExchange(engine.run, Host());
    const Eigen::VectorXd x = Reference(p);
    for (int b = 0; b < 12; ++b)
        EXPECT_NEAR(engine.run.solar.exchangeFaces[b].exchanged, x(b), 1e-3) << b;
    EXPECT_GT(engine.run.solar.exchangeFaces[6].exchanged, 0.1f); // a wall of the upper cavity

    // Glazing that reflects all diffuse light passes none.
    engine.model.colours[3].reflectionFunc = FunctionName("R00");
    engine.model.colours[3].solarReflection = 1;
    SetDiffuseReflection(engine.model, engine.run);
    engine.run.solar.zoneFaces[static_cast<std::size_t>(engine.run.solar.zoneFaceOf[0][4])].reflected = 50;
    SolveZoneExchange(engine.run, Host());
    for (int b = 6; b < 12; ++b)
        EXPECT_EQ(engine.run.solar.exchangeFaces[b].exchanged, 0.0f) << b;
}

} // namespace
} // namespace gelmar::test
