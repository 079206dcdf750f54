// The ventilation network: the flow checks and their message, the network's
// nodes, two ventilated cavities whose air carries off what the walls
// conduct into them (against a dense reference of the same resistances),
// the air of one cavity following a step in its inflow temperature, the
// singular and diverging networks and a network that never settles.
#include "gelmar/model/ventilation/Ventilation.h"

#include "VentilationFixture.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/Engine.h"

#include <Eigen/Dense>
#include <cmath>

namespace gelmar::test {
namespace {

struct BadFlowCase {
    const char* name;
    int from, to;
    int badFlow; // 1-based number in the message
};

TEST_F(VentilationTest, BadFlowsStopTheRunNamingTheFlow)
{
    const BadFlowCase cases[] = {
        {"from a material", 3, 4, 1}, {"from an equivalent material", 5, 4, 1}, {"from no colour", -1, 4, 1},
        {"to no colour", 2, -1, 1},   {"to a simple surface", 4, 2, 1},         {"second flow bad", 6, 4, 2},
    };
    SetGrid(Uniform(3, 0.1f), Uniform(1, 1), Uniform(1, 1));
    Surface(2, 20, 8);
    Colour(3, MATERIAL);
    Cavity(4, 5);
    Colour(5, EQUIMAT);
    Colour(6, MATERIAL);
    Block(2, 0, 1, 0, 1, 0, 1);
    Block(3, 1, 2, 0, 1, 0, 1);
    Block(4, 2, 3, 0, 1, 0, 1);
    for (const BadFlowCase& c : cases) {
        engine.model.ventFlowCount = 0;
        vent.messages.clear();
        if (c.badFlow == 2)
            Flow(2, 4, 0.01f);
        Flow(c.from, c.to, 0.01f);
        EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed)
            << c.name;
        ASSERT_FALSE(vent.messages.empty()) << c.name;
        EXPECT_EQ(vent.messages.back(), "Syntax error in ventilation flow " + std::to_string(c.badFlow))
            << c.name;
        EXPECT_TRUE(vent.times.empty()) << c.name;
    }
}

TEST_F(VentilationTest, ReceivingCavitiesAreTheNetworkNodes)
{
    Surface(2, 20, 8);
    Cavity(4, 5);
    Cavity(5, 5);
    Cavity(7, 5);
    Flow(2, 5, 0.01f);
    Flow(4, 5, 0.02f); // a second flow into 5: still one node
    Flow(5, 7, 0.01f);
    PrepareVentilationNetwork(engine.model, engine.run);
    EXPECT_EQ(engine.model.colours[5].working.ventilationNode, 0);
    EXPECT_EQ(engine.model.colours[7].working.ventilationNode, 1);
    EXPECT_EQ(engine.model.colours[4].working.ventilationNode, -1);
    EXPECT_EQ(engine.model.colours[2].working.ventilationNode, -1);
    // Every cavity a flow touches gets an air node of its own.
    for (int c : {4, 5, 7})
        EXPECT_EQ(engine.model.colours[c].unlinked, 1) << c;
    EXPECT_EQ(engine.model.colours[2].unlinked, 0);
}

// hot surface | wall | cavity A | wall | cavity B | wall | cold surface, each
// 0.1 m thick and 1 m2; outside air at 5 C flows into A, A's air into B.
class TwoCavityTest : public VentilationTest {
  protected:
    static constexpr double kHot = 20, kCold = 0, kOutside = 5;
    static constexpr double hHot = 10, hA = 5, hB = 4, hCold = 25;
    static constexpr double kWall = 0.5 / 0.1; // W/K through one wall
    static constexpr double kFlow = 0.01;      // m3/s
    static constexpr double kAir = 1.2 * 1000 * kFlow;

    void Build()
    {
        SetGrid(Uniform(7, 0.1f), Uniform(1, 1), Uniform(1, 1));
        Surface(1, kHot, hHot);
        Colour(2, MATERIAL, 0.5f);
        Cavity(3, hA);
        Cavity(4, hB);
        Surface(5, kCold, hCold);
        Surface(6, kOutside, 0); // outside air, in no cell
        const int cells[7] = {1, 2, 3, 2, 4, 2, 5};
        for (int i = 0; i < 7; ++i)
            Block(cells[i], i, i + 1, 0, 1, 0, 1);
        Flow(6, 3, static_cast<float>(kFlow));
        Flow(3, 4, static_cast<float>(kFlow));
    }

    // The steady temperatures of the same resistances: the six wall
    // surfaces and the two airs, in the order T1L T1R TA T2L T2R TB T3L T3R.
    static Eigen::VectorXd Reference()
    {
        Eigen::MatrixXd a = Eigen::MatrixXd::Zero(8, 8);
        Eigen::VectorXd b = Eigen::VectorXd::Zero(8);
        const double u = kWall, g = kAir;
        a.row(0) << hHot + u, -u, 0, 0, 0, 0, 0, 0;
        b(0) = hHot * kHot;
        a.row(1) << -u, u + hA, -hA, 0, 0, 0, 0, 0;
        a.row(2) << 0, -hA, 2 * hA + g, -hA, 0, 0, 0, 0;
        b(2) = g * kOutside;
        a.row(3) << 0, 0, -hA, hA + u, -u, 0, 0, 0;
        a.row(4) << 0, 0, 0, -u, u + hB, -hB, 0, 0;
        a.row(5) << 0, 0, -g, 0, -hB, 2 * hB + g, -hB, 0;
        a.row(6) << 0, 0, 0, 0, 0, -hB, hB + u, -u;
        a.row(7) << 0, 0, 0, 0, 0, 0, -u, u + hCold;
        b(7) = hCold * kCold;
        return a.partialPivLu().solve(b);
    }

    void ExpectSteadyState()
    {
        const Eigen::VectorXd ref = Reference();
        const double wall[6] = {T(1, 0, 0), T(2, 0, 0), T(3, 0, 0), T(4, 0, 0), T(5, 0, 0), T(6, 0, 0)};
        const double airA = ColourAirTemperature(engine.model, engine.run, 3),
                     airB = ColourAirTemperature(engine.model, engine.run, 4);
        const double model[8] = {wall[0], wall[1], airA, wall[2], wall[3], airB, wall[4], wall[5]};
        for (int n = 0; n < 8; ++n)
            EXPECT_NEAR(model[n], ref(n), 1e-5) << n;
        // Each air carries off what the walls conduct into its cavity.
        const double q1 = kWall * (wall[0] - wall[1]), q2 = kWall * (wall[2] - wall[3]),
                     q3 = kWall * (wall[4] - wall[5]);
        EXPECT_NEAR(q1 - q2, kAir * (airA - kOutside), 1e-5 * q1);
        EXPECT_NEAR(q2 - q3, kAir * (airB - airA), 1e-5 * q1);
        // The walls of each cavity are at one temperature across y and z.
        EXPECT_NEAR(T(2, 1, 1), wall[1], 1e-9);
    }
};

TEST_F(TwoCavityTest, AirCarriesOffTheHeatTheWallsConduct)
{
    Build();
    ASSERT_TRUE(Run()) << Messages();
    EXPECT_EQ(Messages().find("Ventilation"), std::string::npos) << Messages();
    ExpectSteadyState();
    EXPECT_TRUE(IsAirTemperatureFixed(engine.model, 3));
    EXPECT_TRUE(IsAirTemperatureFixed(engine.model, 4));
}

TEST_F(TwoCavityTest, SteadyStateStaysThroughLaterSteps)
{
    Build();
    engine.model.calcDuration = 3 * 3600;
    ASSERT_TRUE(Run()) << Messages();
    EXPECT_EQ(vent.times.size(), 4u);
    ExpectSteadyState();
}

TEST_F(TwoCavityTest, FlowFunctionDrivesTheFlow)
{
    Build();
    engine.model.ventFlows[0].flowFunc = FunctionName("V01");
    engine.model.ventFlows[1].flowFunc = FunctionName("V01");
    engine.model.ventFlows[0].flow = engine.model.ventFlows[1].flow = 0;
    Constant("V01", static_cast<float>(kFlow));
    ASSERT_TRUE(Run()) << Messages();
    EXPECT_FLOAT_EQ(engine.model.ventFlows[1].flow, static_cast<float>(kFlow));
    ExpectSteadyState();
}

TEST_F(TwoCavityTest, NetworkThatNeverSettlesEndsTheRunWithAMessage)
{
    Build();
    engine.model.calcDuration = 5 * 3600;
    engine.model.maxDeltaT = -1; // no pass can settle
    engine.model.iterations = 2;
    ASSERT_TRUE(Run());
    const long long last = vent.times.back();
    EXPECT_EQ(vent.messages.back(), "Ventilation network not converged after 100000 cycles at time " +
                                        std::to_string(last) + " s.\nCalculation stopped.");
    EXPECT_LT(vent.times.size(), 6u);
    EXPECT_EQ(engine.run.calcTime, last);
}

TEST_F(VentilationTest, CavityWithoutFlowOrConvectionIsASingularNetwork)
{
    SetGrid(Uniform(5, 0.1f), Uniform(1, 1), Uniform(1, 1));
    Surface(1, 20, 8);
    Colour(2, MATERIAL);
    Cavity(3, 0);
    Surface(4, 0, 8);
    const int cells[5] = {1, 2, 3, 2, 4};
    for (int i = 0; i < 5; ++i)
        Block(cells[i], i, i + 1, 0, 1, 0, 1);
    Flow(1, 3, 0);
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed);
    ASSERT_FALSE(vent.messages.empty());
    EXPECT_EQ(vent.messages.back(), "Error in ventilation system");
}

// One cavity of 1 m3 of air whose surfaces are held at 20 C, fed with
// outside air: the network alone, step by step.
class SingleCavityTest : public VentilationTest {
  protected:
    static constexpr double hA = 10, kFlow = double(0.01f), kSurface = 20;
    static constexpr double kAir = double(1.2f) * 1000 * kFlow;
    static constexpr double kCapacity = 1.2 * 1000 * 1.0;

    void SetUp() override
    {
        VentilationTest::SetUp();
        SetGrid(Uniform(1, 1), Uniform(1, 1), Uniform(1, 1));
        Cavity(3, static_cast<float>(hA));
        Surface(6, 0, 0);
        Block(3, 0, 1, 0, 1, 0, 1);
        RasteriseBlocks(engine.model, engine.run);
        NodeBcRecord& surface = NodeBc(0, 0, 0, 0); // node -2
        surface.temperature = surface.working.previous = static_cast<float>(kSurface);
        Flow(6, 3, static_cast<float>(kFlow));
        RadiationZone zone;
        zone.type = BC_FRE_S;
        RadiatingFace face;
        face.zoneColour = 3;
        face.area = 1;
        face.cornerNodes = {-2, -2, -2, -2};
        face.convection = face.convectionPrevious = -hA / 4;
        zone.faces.push_back(face);
        engine.run.radiation.zones.push_back(zone);
        engine.run.radiation.convectionSum[3] = hA;
        engine.model.maxDeltaT = 1e-12f;
        PrepareVentilationNetwork(engine.model, engine.run);
        engine.run.step = 0;
        engine.run.stepLength = 0;
    }
    // Passes until the network settles (the surfaces do not move).
    void SolveStep()
    {
        EvaluateVentilationFlows(engine.model, engine.run, true);
        int passes = 0;
        while (StepVentilationNetwork(engine.model, engine.run, Host()) != VentilationPass::Settled)
            ASSERT_LT(++passes, 5);
        EndVentilationStep(engine.model, engine.run);
        engine.run.stepLength = engine.model.timeStep;
        ++engine.run.step;
    }
};

TEST_F(SingleCavityTest, AirFollowsAStepInItsInflowTemperature)
{
    engine.model.timeStep = 5;
    const double outside0 = 0, outside1 = 10;
    engine.model.colours[6].temperature = static_cast<float>(outside0);
    SolveStep();
    const double start = (hA * kSurface + kAir * outside0) / (hA + kAir);
    EXPECT_NEAR(ColourAirTemperature(engine.model, engine.run, 3), start, 1e-9);
    EXPECT_NEAR(engine.model.colours[3].temperature, start, 1e-4);
    EXPECT_TRUE(IsAirTemperatureFixed(engine.model, 3));

    engine.model.colours[6].temperature = static_cast<float>(outside1);
    const double end = (hA * kSurface + kAir * outside1) / (hA + kAir);
    const double rate = (hA + kAir) / kCapacity;
    for (int n = 1; n <= 200; ++n) {
        SolveStep();
        // The inflow jumped at the start of step 1: the trapezoidal rule
        // takes half the jump into that step.
        const double t = (n - 0.5) * engine.model.timeStep;
        const double exact = end + (start - end) * std::exp(-rate * t);
        EXPECT_NEAR(ColourAirTemperature(engine.model, engine.run, 3), exact, 0.01) << n;
    }
    EXPECT_NEAR(ColourAirTemperature(engine.model, engine.run, 3), end, 0.01);
}

TEST_F(SingleCavityTest, AirFromACavityOutsideTheNetworkBringsThatCavitysTemperature)
{
    ColourRecord& other = Cavity(8, 3); // receives no flow: no network node
    other.temperature = 30;
    engine.model.ventFlows[0].colourFrom = 8;
    PrepareVentilationNetwork(engine.model, engine.run);
    EXPECT_EQ(other.working.ventilationNode, -1);
    SolveStep();
    EXPECT_NEAR(ColourAirTemperature(engine.model, engine.run, 3), (hA * kSurface + kAir * 30) / (hA + kAir),
                1e-9);
}

TEST_F(SingleCavityTest, DivergesOnlyWhenTheNodeJumpsByAMillion)
{
    engine.run.work.solution.assign(4, 5.0);
    engine.model.colours[3].qConvective = 1e5f; // about 4500 C: far, but no jump of 1e6
    EXPECT_EQ(StepVentilationNetwork(engine.model, engine.run, Host()), VentilationPass::GoingOn);
    EXPECT_EQ(engine.run.work.solution, std::vector<double>(4, 5.0));
    engine.model.colours[3].qConvective = 1e9f; // a jump of about 4.5e7
    EXPECT_EQ(StepVentilationNetwork(engine.model, engine.run, Host()), VentilationPass::Diverging);
    EXPECT_EQ(engine.run.work.solution, std::vector<double>(4, 0.0));
}

} // namespace
} // namespace gelmar::test
