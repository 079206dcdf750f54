// An air cavity between two solid walls calculated end to end by Calc
// System: the heat through the walls against a one-dimensional series of
// the wall resistances and the cavity's grey-body radiation (with its
// re-radiating remainder) plus convection through the air node; the energy
// balance of the boundary colours; the heat-flow file; the view-factor file
// reused or recomputed; Esc and Cancel in the view-factor step.
#include "CalcModel.h"
#include "common/kernels/ZoneRadiation.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/StepFiles.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorDriver.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/Errors.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace gelmar::test {
namespace {

constexpr int kHot = 0, kWall1 = 1, kWall2 = 2, kCavity = 3, kCold = 4;
constexpr int kCells = 8;          // cells along y and z
constexpr float kCell = 0.125f;    // their width: plates of 1 m x 1 m
constexpr float kGap = 0.1f;       // cavity depth
constexpr float kWallCell = 0.05f; // two cells per wall
constexpr float kOutsideH = 1000.0f, kWallLambda = 50.0f, kAirH = 3.0f;
constexpr float kTHot = 40.0f, kTCold = 0.0f;
constexpr float kEps1 = 0.9f, kEps2 = 0.6f;

// View factor between two parallel, directly opposed a x b rectangles at
// distance c (the closed catalogue form).
double ParallelRectangles(double a, double b, double c)
{
    const double x = a / c, y = b / c;
    const double x1 = std::sqrt(1 + x * x), y1 = std::sqrt(1 + y * y);
    const double pi = std::acos(-1.0);
    return 2 / (pi * x * y) *
           (std::log(std::sqrt((1 + x * x) * (1 + y * y) / (1 + x * x + y * y))) +
            x * y1 * std::atan(x / y1) + y * x1 * std::atan(y / x1) - x * std::atan(x) - y * std::atan(y));
}

struct Reference {
    double q = 0;          // W through the walls
    double t1 = 0, t2 = 0; // surface temperatures of the hot and the cold plate
    double radiation = 0;  // W of it by radiation
};

// Two grey plates of area a, emissivities e1 and e2 and mutual view factor
// f (whose remainders see
// a re-radiating surface when `reradiating`), a conductance `parallel`
// between them beside the radiation, each plate behind a wall and an outer
// surface resistance.
Reference SeriesReference(bool linear, double hrBlack, bool reradiating, double parallel, double e1,
                          double e2)
{
    const double a = 1.0, f = ParallelRectangles(1.0, 1.0, kGap);
    const double side = 1 / (double(kOutsideH) * a) + 2 * double(kWallCell) / (double(kWallLambda) * a);
    const double space = reradiating ? a * f + a * (1 - f) / 2 : a * f;
    const double resistance = (1 - e1) / (e1 * a) + 1 / space + (1 - e2) / (e2 * a);
    auto radiation = [&](double t1, double t2) {
        const double k1 = t1 + 273.16, k2 = t2 + 273.16;
        const double drive = linear ? hrBlack * (t1 - t2) : 5.67e-8 * (k1 * k1 * k1 * k1 - k2 * k2 * k2 * k2);
        return drive / resistance;
    };
    Reference r;
    double lo = kTCold, hi = kTHot;
    for (int n = 0; n < 200; ++n) {
        r.t1 = 0.5 * (lo + hi);
        r.q = (kTHot - r.t1) / side;
        r.t2 = kTCold + r.q * side;
        r.radiation = radiation(r.t1, r.t2);
        const double cavity = r.radiation + parallel * (r.t1 - r.t2);
        (cavity > r.q ? hi : lo) = r.t1;
    }
    return r;
}

// Answers the view-factor question as told; may press Esc once the pair
// loop of the first zone has begun.
class CavityHost : public NullEngineHost {
  public:
    MessageAnswer MessageBox(std::string_view text, MessageStyle style) override
    {
        if (style != MessageStyle::YesNoCancel)
            return NullEngineHost::MessageBox(text, style);
        messages.emplace_back(text);
        return answer;
    }
    void SetProgressText(int item, std::string_view text) override
    {
        NullEngineHost::SetProgressText(item, text);
        if (escInPairLoop && item == kProgressZone)
            escPressed = true;
    }
    void ShowViewFactorCount(long long pairs) override { viewFactorCount = pairs; }
    MessageAnswer answer = MessageAnswer::Yes;
    long long viewFactorCount = -1;
    bool escInPairLoop = false;
};

class CavityCalcTest : public CalcEngineTest {
  protected:
    void SetUp() override
    {
        CalcEngineTest::SetUp();
        SetHost(&cavityHost);
        std::error_code ec;
        for (const char* name : {"tmp.vwf", "model.vwf", "tmp0000.sol", "tmp0000.flx"})
            std::filesystem::remove(name, ec);
        std::vector<float> x = {kWallCell, kWallCell, kWallCell, kGap, kWallCell, kWallCell, kWallCell};
        SetGrid(x, Uniform(kCells, kCell), Uniform(kCells, kCell));
        Surface(kHot, kTHot, kOutsideH);
        Colour(kWall1, MATERIAL, kWallLambda).epsilon = kEps1;
        Colour(kWall2, MATERIAL, kWallLambda).epsilon = kEps2;
        Colour(kCavity, BC_FREE).hConvective = kAirH;
        Surface(kCold, kTCold, kOutsideH);
        Block(kHot, 0, 1, 0, kCells, 0, kCells);
        Block(kWall1, 1, 3, 0, kCells, 0, kCells);
        Block(kCavity, 3, 4, 0, kCells, 0, kCells);
        Block(kWall2, 4, 6, 0, kCells, 0, kCells);
        Block(kCold, 6, 7, 0, kCells, 0, kCells);
        engine.model.minViewFactor = 1e-7f;
        engine.model.cycles = 40;
        engine.model.saveResults = 1;
        engine.model.saveFrequency = 1;
    }

    // Mean temperature of the grid points of plane x = i.
    double PlaneMean(int i) const
    {
        double sum = 0;
        for (int j = 0; j <= kCells; ++j)
            for (int k = 0; k <= kCells; ++k)
                sum += T(i, j, k);
        return sum / ((kCells + 1) * (kCells + 1));
    }
    std::string Said() const
    {
        return cavityHost.messages.empty() ? std::string() : cavityHost.messages.back();
    }
    std::vector<double> Field() const
    {
        return std::vector<double>(engine.run.work.solution.begin(), engine.run.work.solution.end());
    }

    CavityHost cavityHost;
};

TEST_F(CavityCalcTest, SteadyCavityMatchesGreyPlatesInSeriesWithTheWalls)
{
    constexpr float kGlassLambda = 0.5f;
    struct Case {
        const char* name;
        ColourType type;
        int linear;
        double hrBlack;
        bool reradiating; // the remainder goes to the extra node
        double parallel;  // W/K beside the radiation
        float e1 = kEps1, e2 = kEps2;
    };
    const Case cases[] = {
        // Convection plate - air node - plate: two h*A in series.
        {"air, non-linear", BC_FREE, 0, 5.1, true, kAirH / 2.0},
        {"air, linear", BC_FREE, 1, 4.0, true, kAirH / 2.0},
        // No remainder coupling and no convection (hcon 0); black plates,
        // whose uniform radiosity the lumped network takes for granted.
        {"no sky", BC_NOSKY, 0, 5.1, false, 0.0, 1.0f, 1.0f},
        // Conduction through the transparent layer; its outer sides are
        // faces of its own colour: black-less re-radiators.
        {"transparent", TRANSMAT, 0, 5.1, true, double(kGlassLambda) / double(kGap)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ColourRecord& cavity = Colour(kCavity, c.type, kGlassLambda);
        cavity.hConvective = c.type == BC_FREE ? kAirH : 0.0f;
        engine.model.colours[kWall1].epsilon = c.e1;
        engine.model.colours[kWall2].epsilon = c.e2;
        engine.model.linearRadiation = c.linear;
        engine.model.hrBlack = static_cast<float>(c.hrBlack);
        ASSERT_TRUE(Run()) << Said();
        const Reference ref = SeriesReference(
            c.linear != 0, double(static_cast<float>(c.hrBlack)), c.reradiating, c.parallel,
            std::min(double(c.e1), kernels::kMaxEmissivity), std::min(double(c.e2), kernels::kMaxEmissivity));

        // The run leaves no zone tables behind; the view factors written
        // between the plates add up to the whole plates'.
        EXPECT_TRUE(engine.run.radiation.zones.empty() && engine.run.radiation.fileZones.empty());
        ReadViewFactorFile(engine.model, engine.run);
        double exchange = 0, area = 0;
        ASSERT_EQ(engine.run.radiation.fileZones.size(), 1u);
        const RadiationZone& zone = engine.run.radiation.fileZones[0];
        const std::size_t n = static_cast<std::size_t>(zone.faceCount);
        for (std::size_t i = 0; i < n; ++i) {
            const RadiatingFace& fi = engine.run.radiation.fileFaces[i];
            if (fi.ownerColour == kWall1)
                area += fi.area;
            for (std::size_t j = 0; j < i; ++j)
                if (fi.ownerColour + engine.run.radiation.fileFaces[j].ownerColour == kWall1 + kWall2)
                    exchange += fi.area * zone.matrix[i * (i - 1) / 2 + j];
        }
        EXPECT_NEAR(area, 1.0, 1e-9);
        EXPECT_NEAR(exchange, ParallelRectangles(1, 1, kGap), 5e-4);

        // Energy balance: what enters on the hot side leaves on the cold
        // side; the radiation (and convection to an air node) crosses the
        // cavity's zone rows on its way.
        const ColourRecord& hot = engine.model.colours[kHot];
        const ColourRecord& cold = engine.model.colours[kCold];
        EXPECT_NEAR(hot.resultValue1, cold.resultValue2, 1e-4 * ref.q);
        EXPECT_EQ(hot.resultValue2, 0.0f);
        const double crossing = c.type == TRANSMAT ? ref.radiation : ref.q;
        EXPECT_NEAR(cavity.resultValue1, crossing, 0.003 * ref.q);
        EXPECT_NEAR(cavity.resultValue2, crossing, 0.003 * ref.q);

        // Against the series: the plates' edges and their uneven radiosity
        // are what the discretisation adds.
        EXPECT_NEAR(hot.resultValue1, ref.q, 0.003 * ref.q);
        EXPECT_NEAR(PlaneMean(3), ref.t1, 0.01);
        EXPECT_NEAR(PlaneMean(4), ref.t2, 0.01);
        if (c.type == BC_FREE) { // the air node sits between the plates
            EXPECT_NEAR(cavity.airTemperature, 0.5 * (PlaneMean(3) + PlaneMean(4)), 1e-3);
        }

        // The heat-flow file: every plate face, read back; the flows into
        // the plates carry the heat of the walls. A transparent zone has
        // none.
        ReadFluxFile(engine.model, engine.run);
        ASSERT_TRUE(engine.run.fluxesValid);
        if (c.type == TRANSMAT) {
            EXPECT_TRUE(engine.run.work.heatFlows.empty());
            continue;
        }
        ASSERT_EQ(engine.run.work.heatFlows.size(), n);
        double into1 = 0, into2 = 0;
        for (const HeatFlowRecord& r : engine.run.work.heatFlows) {
            const double a = double(kCell) * double(kCell);
            if (r.i == 2 && r.direction == 1)
                into1 += r.flow * a;
            else if (r.i == 4 && r.direction == 0)
                into2 += r.flow * a;
            else
                ADD_FAILURE() << r.i << " " << int(r.direction);
        }
        EXPECT_NEAR(-into1, hot.resultValue1, 1e-3 * ref.q);
        EXPECT_NEAR(into2, hot.resultValue1, 1e-3 * ref.q);
    }
}

TEST_F(CavityCalcTest, TwoCavitiesInSeriesTakeRowsOfTheirOwn)
{
    // hot | wall | cavity A | middle wall | cavity B | wall | cold, linear
    // radiation: every stage is a fixed conductance.
    constexpr int kMiddle = 5, kCavityB = 6;
    constexpr float kEpsMiddle = 0.75f;
    const float w = kWallCell, gap = kGap;
    SetGrid({w, w, gap, w, gap, w, w}, Uniform(kCells, kCell), Uniform(kCells, kCell));
    engine.model.blocks.count = 0;
    Block(kHot, 0, 1, 0, kCells, 0, kCells);
    Block(kWall1, 1, 2, 0, kCells, 0, kCells);
    Block(kCavity, 2, 3, 0, kCells, 0, kCells);
    Block(kMiddle, 3, 4, 0, kCells, 0, kCells);
    Block(kCavityB, 4, 5, 0, kCells, 0, kCells);
    Block(kWall2, 5, 6, 0, kCells, 0, kCells);
    Block(kCold, 6, 7, 0, kCells, 0, kCells);
    Colour(kMiddle, MATERIAL, kWallLambda).epsilon = kEpsMiddle;
    Colour(kCavityB, BC_FREE).hConvective = 2 * kAirH;
    engine.model.linearRadiation = 1;
    engine.model.hrBlack = 5.0f;
    ASSERT_TRUE(Run()) << Said();

    const double f = ParallelRectangles(1, 1, kGap), space = f + (1 - f) / 2;
    auto cavity = [&](double e1, double e2, double h) {
        return 1 / (5.0 / ((1 - e1) / e1 + 1 / space + (1 - e2) / e2) + h / 2);
    };
    const double wall = double(kWallCell) / double(kWallLambda), outside = 1 / double(kOutsideH);
    const double ra = cavity(kEps1, kEpsMiddle, kAirH), rb = cavity(kEpsMiddle, kEps2, 2 * kAirH);
    const double q = (kTHot - kTCold) / (2 * outside + 3 * wall + ra + rb);
    EXPECT_NEAR(engine.model.colours[kHot].resultValue1, q, 0.003 * q);
    EXPECT_NEAR(engine.model.colours[kCold].resultValue2, engine.model.colours[kHot].resultValue1, 1e-4 * q);
    for (int c : {kCavity, kCavityB}) {
        EXPECT_NEAR(engine.model.colours[c].resultValue1, engine.model.colours[kHot].resultValue1, 1e-4 * q)
            << c;
        EXPECT_NEAR(engine.model.colours[c].resultValue2, engine.model.colours[kHot].resultValue1, 1e-4 * q)
            << c;
    }
    EXPECT_NEAR(PlaneMean(2), kTHot - q * (outside + wall), 0.01);
    EXPECT_NEAR(PlaneMean(5), kTCold + q * (outside + wall), 0.01);

    // Each zone has its radiosity rows, air node and extra node; the
    // solution file counts two zones and gives both air temperatures.
    EXPECT_EQ(engine.run.work.rowCount, engine.run.work.gridNodeCount + 2 * (2 * kCells * kCells + 2));
    const std::string sol = ReadBytes("tmp0000.sol");
    EXPECT_EQ(sol.rfind("D 7 0 2\r\n", 0), 0u);
    for (int c : {kCavity, kCavityB}) {
        double air = 0;
        ASSERT_TRUE(ColourAirNodeTemperature(engine.model, engine.run, c, air)) << c;
        EXPECT_NE(sol.find("C " + std::to_string(c) + " "), std::string::npos) << c;
    }
    engine.model.colours[kCavity].airTemperature = engine.model.colours[kCavityB].airTemperature = -99;
    ASSERT_TRUE(
        ReadSolutionFile(engine.model, engine.run, BuildStepFileName(engine.model, engine.run, ".sol")));
    double airA = 0, airB = 0;
    ASSERT_TRUE(ColourAirNodeTemperature(engine.model, engine.run, kCavity, airA));
    ASSERT_TRUE(ColourAirNodeTemperature(engine.model, engine.run, kCavityB, airB));
    EXPECT_NEAR(engine.model.colours[kCavity].airTemperature, airA, 1e-6);
    EXPECT_NEAR(engine.model.colours[kCavityB].airTemperature, airB, 1e-6);
    EXPECT_GT(airA, airB + 5);
}

TEST_F(CavityCalcTest, ConvectionOnlyCavityWithAirHeatInputMatchesItsNetwork)
{
    // BC_FRE_S: convection with hglo to the air node, no radiation, no
    // view factors; the air node takes qcon.
    ColourRecord& air = engine.model.colours[kCavity];
    air.type = BC_FRE_S;
    air.hGlobal = kAirH;
    air.qConvective = 10.0f;
    ASSERT_TRUE(Run()) << Said();
    EXPECT_FALSE(std::filesystem::exists("tmp.vwf"));
    EXPECT_TRUE(cavityHost.messages.empty());
    const double side =
        1 / double(kOutsideH) + 2 * double(kWallCell) / double(kWallLambda) + 1 / double(kAirH);
    const double ta = (kTHot / side + kTCold / side + double(air.qConvective)) / (2 / side);
    EXPECT_NEAR(air.airTemperature, ta, 1e-5);
    EXPECT_NEAR(air.temperature, ta, 1e-5);
    EXPECT_NEAR(engine.model.colours[kHot].resultValue1, (kTHot - ta) / side, 1e-4);
    EXPECT_NEAR(engine.model.colours[kCold].resultValue2, (ta - kTCold) / side, 1e-4);
}

TEST_F(CavityCalcTest, UnlinkedColourKeepsAnAirNodeOfItsOwn)
{
    // The cavity in two colours of one zone, each beside one wall. Linked,
    // they share the air node that carries the heat across; with the second
    // unlinked, each colour's air rests at its own wall's temperature.
    constexpr int kCavityB = 6;
    const float w = kWallCell, half = kGap / 2;
    SetGrid({w, w, w, half, half, w, w, w}, Uniform(kCells, kCell), Uniform(kCells, kCell));
    engine.model.blocks.count = 0;
    Block(kHot, 0, 1, 0, kCells, 0, kCells);
    Block(kWall1, 1, 3, 0, kCells, 0, kCells);
    Block(kCavity, 3, 4, 0, kCells, 0, kCells);
    Block(kCavityB, 4, 5, 0, kCells, 0, kCells);
    Block(kWall2, 5, 7, 0, kCells, 0, kCells);
    Block(kCold, 7, 8, 0, kCells, 0, kCells);
    for (int c : {kCavity, kCavityB})
        Colour(c, BC_FRE_S).hGlobal = kAirH;
    ColourRecord& a = engine.model.colours[kCavity];
    ColourRecord& b = engine.model.colours[kCavityB];
    const double side =
        1 / double(kOutsideH) + 2 * double(kWallCell) / double(kWallLambda) + 1 / double(kAirH);

    ASSERT_TRUE(Run()) << Said();
    EXPECT_EQ(engine.run.work.rowCount, engine.run.work.gridNodeCount + 1);
    EXPECT_NEAR(a.airTemperature, 20.0, 1e-5);
    EXPECT_NEAR(b.airTemperature, 20.0, 1e-5);
    EXPECT_NEAR(engine.model.colours[kHot].resultValue1, 20.0 / side, 1e-4);

    b.unlinked = 1;
    ASSERT_TRUE(Run()) << Said();
    EXPECT_EQ(engine.run.work.rowCount, engine.run.work.gridNodeCount + 2);
    EXPECT_NEAR(a.airTemperature, kTHot, 1e-5);
    EXPECT_NEAR(b.airTemperature, kTCold, 1e-5);
    EXPECT_NEAR(engine.model.colours[kHot].resultValue1, 0.0, 1e-6);
}

TEST_F(CavityCalcTest, AirNodeCapacityFollowsTheTrapezoidalRule)
{
    // Walls without capacity and an air node of capacity C between two
    // conductances K: C dT/dt = 2K (T_mean - T) + P(t), P stepping from 0
    // to 100 W after time 0. Each step must follow the trapezoidal rule
    // from the steady start, whose air temperature is the boundaries' mean.
    ColourRecord& air = engine.model.colours[kCavity];
    air.type = BC_FRE_S;
    air.hGlobal = kAirH;
    air.density = 1.2f;
    air.heatCapacity = 1000.0f;
    air.qConvectiveFunc = FunctionName("P01");
    engine.model.colours[kWall1].density = 0;
    engine.model.colours[kWall2].density = 0;
    AppendFunction(engine.model, "P01", 2, {0, 100});
    engine.model.timeStep = 10;
    engine.model.calcDuration = 60;
    ASSERT_TRUE(Run()) << Said();

    const double k =
        1 / (1 / double(kOutsideH) + 2 * double(kWallCell) / double(kWallLambda) + 1 / double(kAirH));
    const double c = double(air.density) * double(air.heatCapacity) * double(kGap) * 1.0;
    const double mean = 0.5 * (kTHot + kTCold), dt = engine.model.timeStep;
    double t = mean;
    for (int n = 0; n <= 6; ++n) {
        if (n > 0)
            t = (t * (c / dt - k) + 2 * k * mean + (n == 1 ? 50.0 : 100.0)) / (c / dt + k);
        engine.run.calcTime = n * engine.model.timeStep;
        ASSERT_TRUE(
            ReadSolutionFile(engine.model, engine.run, BuildStepFileName(engine.model, engine.run, ".sol")))
            << n;
        EXPECT_NEAR(air.airTemperature, t, 1e-5) << n;
    }
    EXPECT_GT(t, mean + 5);
}

TEST_F(CavityCalcTest, WallFacingTheSkyRadiatesItsWholeViewToTheRadiantTemperature)
{
    // The cavity fills the rest of the grid: the wall's faces see nothing
    // of each other, so all of their view goes to the sky at trad.
    engine.model.blocks.count = 2;
    Block(kCavity, 3, 7, 0, kCells, 0, kCells);
    ColourRecord& sky = Colour(kCavity, BC_SKY);
    sky.hConvective = kAirH;
    sky.airTemperature = 5.0f;
    sky.radiantTemperature = -10.0f;
    engine.model.colours[kCold].inUse = 0;
    engine.model.colours[kWall2].inUse = 0;
    engine.model.linearRadiation = 0;
    ASSERT_TRUE(Run()) << Said();
    const double side = 1 / double(kOutsideH) + 2 * double(kWallCell) / double(kWallLambda);
    auto out = [&](double ts) {
        const double k = ts + 273.16, s = sky.radiantTemperature + 273.16;
        return double(kEps1) * 5.67e-8 * (k * k * k * k - s * s * s * s) +
               double(kAirH) * (ts - double(sky.airTemperature));
    };
    double lo = -10, hi = kTHot, ts = 0;
    for (int n = 0; n < 200; ++n) {
        ts = 0.5 * (lo + hi);
        (out(ts) > (kTHot - ts) / side ? hi : lo) = ts;
    }
    EXPECT_NEAR(PlaneMean(3), ts, 1e-4);
    EXPECT_NEAR(engine.model.colours[kHot].resultValue1, out(ts), 1e-3);
    EXPECT_NEAR(engine.model.colours[kCavity].resultValue2, out(ts), 1e-3);
}

TEST_F(CavityCalcTest, SteadyCavityStaysSteadyThroughTimeSteps)
{
    engine.model.linearRadiation = 0;
    engine.model.colours[kCavity].density = 1.2f;
    engine.model.colours[kCavity].heatCapacity = 1000.0f;
    engine.model.calcDuration = 3 * 3600;
    ASSERT_TRUE(Run()) << Said();
    const std::vector<double> last = Field();
    engine.run.calcTime = 0;
    ASSERT_TRUE(
        ReadSolutionFile(engine.model, engine.run, BuildStepFileName(engine.model, engine.run, ".sol")));
    const std::vector<double> first = Field();
    ASSERT_EQ(first.size(), last.size());
    for (std::size_t n = 0; n < first.size(); ++n)
        EXPECT_NEAR(first[n], last[n], 1e-6) << n;
}

TEST_F(CavityCalcTest, ViewFactorFileIsWrittenAndReusedOrRecomputed)
{
    engine.model.linearRadiation = 0;
    ASSERT_TRUE(Run()) << Said();
    EXPECT_TRUE(cavityHost.messages.empty());
    const long long faces = 2 * kCells * kCells;
    EXPECT_EQ(cavityHost.viewFactorCount, faces * (faces - 1) / 2);
    const std::string written = ReadBytes("tmp.vwf");
    ASSERT_FALSE(written.empty());
    const std::vector<double> fresh = Field();

    cavityHost.answer = MessageAnswer::No;
    ASSERT_TRUE(Run()) << Said();
    ASSERT_EQ(cavityHost.messages, std::vector<std::string>{"Recalculate view factors ?"});
    EXPECT_EQ(Field(), fresh);

    cavityHost.answer = MessageAnswer::Yes;
    ASSERT_TRUE(Run()) << Said();
    EXPECT_EQ(ReadBytes("tmp.vwf"), written);
    EXPECT_EQ(Field(), fresh);

    // Cancel ends Calc System before the run.
    std::filesystem::remove("tmp0000.sol");
    cavityHost.answer = MessageAnswer::Cancel;
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::NotStarted);
    EXPECT_FALSE(std::filesystem::exists("tmp0000.sol"));
    EXPECT_EQ(cavityHost.messages.size(), 3u);

    // Without "tmp.vwf" the file beside the data file is offered.
    std::filesystem::rename("tmp.vwf", "model.vwf");
    cavityHost.answer = MessageAnswer::No;
    ASSERT_TRUE(Run()) << Said();
    EXPECT_EQ(cavityHost.messages.size(), 4u);
    EXPECT_FALSE(std::filesystem::exists("tmp.vwf"));
    EXPECT_EQ(Field(), fresh);
}

TEST_F(CavityCalcTest, EscDuringTheViewFactorsLeavesNoFileAndNoRun)
{
    cavityHost.escInPairLoop = true;
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::NotStarted);
    EXPECT_FALSE(std::filesystem::exists("tmp.vwf"));
    EXPECT_FALSE(std::filesystem::exists("tmp0000.sol"));
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    EXPECT_TRUE(cavityHost.messages.empty());
    EXPECT_EQ(cavityHost.progressTexts[kProgressZone], "1");
}

TEST_F(CavityCalcTest, FacesWithoutARadiosityRowStillConvectToTheAirNode)
{
    // A view-factor file reused after the cavity changed: a rib of the first
    // wall now bridges the cavity along its lower quarter, and the rib's
    // side faces are not in the file, so they have no radiosity row. They
    // still exchange heat with the cavity air: what enters on the hot side
    // leaves on the cold side, and nothing else takes any.
    engine.model.linearRadiation = 1;
    engine.model.hrBlack = 5.0f;
    ASSERT_TRUE(Run()) << Said();
    Block(kWall1, 3, 4, 0, 2, 0, kCells);
    cavityHost.answer = MessageAnswer::No;
    ASSERT_TRUE(Run()) << Said();
    ASSERT_EQ(cavityHost.messages.size(), 1u); // the view factors were kept

    // The plates' faces that remain have their rows (one heat-flow line
    // each); the rib's eight faces have none.
    std::istringstream flx(ReadBytes("tmp0000.flx"));
    int lines = 0;
    for (std::string line; std::getline(flx, line);)
        ++lines;
    EXPECT_EQ(lines, 2 * (kCells - 2) * kCells);

    const ColourRecord& hot = engine.model.colours[kHot];
    const ColourRecord& cold = engine.model.colours[kCold];
    EXPECT_GT(hot.resultValue1, 0.0f);
    EXPECT_EQ(hot.resultValue2, 0.0f);
    EXPECT_EQ(cold.resultValue1, 0.0f);
    EXPECT_NEAR(cold.resultValue2, hot.resultValue1, 1e-6 * hot.resultValue1);
    // The cavity passes on all it takes in.
    const ColourRecord& cavity = engine.model.colours[kCavity];
    EXPECT_NEAR(cavity.resultValue1, cavity.resultValue2, 1e-6 * hot.resultValue1);
}

TEST_F(CavityCalcTest, CavityFaultIsReportedWithItsMessage)
{
    // A second, separated cavity of the same colour.
    Block(kCavity, 6, 7, 0, 1, 0, 1);
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed);
    ASSERT_EQ(cavityHost.messages.size(), 1u);
    EXPECT_EQ(cavityHost.messages[0].rfind("BC (colour 3) occurs in separated zones.", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists("tmp.vwf"));
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
}

} // namespace
} // namespace gelmar::test
