// The solar calculation inside the runs: a slab whose upper face is a solar
// boundary, computed by Calc System, by Calc Solar Fluxes and by the
// command-line driver. Temperatures against the one-dimensional series
// resistances, the absorbed power against the heat the boundaries carry
// away, the sunlit-node and flux files read back, the missing functions and
// the forbidden contact reported with their messages.
#include "gelmar/model/solar/SolarRun.h"

#include "CalcModel.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/solar/SolarFiles.h"
#include "gelmar/model/solar/SolarFlux.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/Errors.h"

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <numeric>
#include <sstream>

namespace gelmar::test {
namespace {

// Slab of four layers of 0.05 m (conductivity 0.5) on 1 m2: inside surface
// below (20 C, h 8), the solar outside surface above (0 C, h 25).
constexpr float kInsideT = 20, kInsideH = 8, kOutsideH = 25;
constexpr double kWallResistance = 4 * 0.05 / 0.5;
constexpr float kGlobal = 600, kDiffuse = 100; // W/m2 on the horizontal
constexpr int kMaterial = 1, kInside = 2, kOutside = 3;

class SolarRunTest : public CalcEngineTest {
  protected:
    void SetUp() override
    {
        CalcEngineTest::SetUp();
        engine.model.sunObstacleCount = 0;
        // Mid-June at 20 N; a time zone 12 h west puts solar noon at the
        // hours 0 to 2 of the run, so the sun stands high in every step.
        engine.model.latitude = 20;
        engine.model.longitude = 0;
        engine.model.timeZone = -12;
        engine.model.day0 = 172;
        engine.model.groundReflection = 0.2f;

        SetGrid(Uniform(1, 1), Uniform(1, 1), {0.1f, 0.05f, 0.05f, 0.05f, 0.05f, 0.1f});
        ColourRecord& m = Colour(kMaterial, MATERIAL, 0.5f);
        m.density = 1000;
        m.heatCapacity = 1000;
        m.solarReflection = 0; // absorbs everything
        Surface(kInside, kInsideT, kInsideH);
        Surface(kOutside, 0, kOutsideH).solar = 1;
        Block(kInside, 0, 1, 0, 1, 0, 1);
        Block(kMaterial, 0, 1, 0, 1, 1, 5);
        Block(kOutside, 0, 1, 0, 1, 5, 6);
        Function("G01", kGlobal);
        Function("D01", kDiffuse);
    }
    // A constant function of the value.
    void Function(const char* name, float value) { AppendFunction(engine.model, name, 1, {value}); }
    // The slab's reflection as a table of the incidence angle.
    void UseReflectionTable(const char* text)
    {
        WriteBytes("glass.frf", text);
        Function("R01", 0);
        FunctionRecord& f = engine.model.functions[engine.model.functions.count - 1];
        f.shape = 0;
        f.filePath = "glass.frf";
        engine.model.colours[kMaterial].reflectionFunc = FunctionName("R01");
    }
    double SolarPower()
    {
        double sum = 0;
        for (const SolarNodeSource& s : SolarNodeSourceList(engine.run))
            sum += s.power;
        return sum;
    }
    // Net heat the boundary colours carry out of the slab (W).
    double HeatLeaving()
    {
        double out = 0;
        for (const int c : {kInside, kOutside})
            out += engine.model.colours[c].resultValue2 - engine.model.colours[c].resultValue1;
        return out;
    }
};

// Steady state: the sun adds alpha*G on the upper face, which leaves through
// the outside film and, in series, through the wall and the inside film.
TEST_F(SolarRunTest, SteadyTemperaturesAndEnergyBalanceMatchTheSeriesResistances)
{
    ASSERT_TRUE(Run()) << LastMessage();
    const double absorbed = kGlobal; // no reflection: the horizontal face absorbs G
    EXPECT_NEAR(SolarPower(), absorbed, 1e-3);
    EXPECT_NEAR(HeatLeaving(), absorbed, 1e-3);

    // Without sun: q0 through all three resistances. The sun's share by
    // superposition: the outside film in parallel with wall + inside film.
    const double inner = kWallResistance + 1 / kInsideH;
    const double q0 = kInsideT / (inner + 1 / kOutsideH);
    const double rise = absorbed / (kOutsideH + 1 / inner);
    const double top = q0 / kOutsideH + rise;
    const double bottom = kInsideT - q0 / kInsideH + rise * (1 / kInsideH) / inner;
    for (int i = 0; i <= 1; ++i)
        for (int j = 0; j <= 1; ++j) {
            EXPECT_NEAR(T(i, j, 5), top, 1e-6);
            EXPECT_NEAR(T(i, j, 1), bottom, 1e-6);
        }
    // Each boundary carries its film's share.
    EXPECT_NEAR(engine.model.colours[kOutside].resultValue2, kOutsideH * top, 1e-3);
    EXPECT_NEAR(engine.model.colours[kInside].resultValue1 - engine.model.colours[kInside].resultValue2,
                kInsideH * (kInsideT - bottom), 1e-3);
}

// A reflecting surface absorbs only 1 - rho of the sun; the rest of the run
// is the same.
TEST_F(SolarRunTest, ReflectionLowersTheAbsorbedPower)
{
    engine.model.colours[kMaterial].solarReflection = 0.25f;
    ASSERT_TRUE(Run()) << LastMessage();
    EXPECT_NEAR(SolarPower(), 0.75 * kGlobal, 1e-3);
    EXPECT_NEAR(HeatLeaving(), 0.75 * kGlobal, 1e-3);
}

// A reflection table of the angle: the direct sun is reflected by the value
// at its incidence angle, the diffuse light by the mean over ten angles.
TEST_F(SolarRunTest, ReflectionTableOfTheAngleLowersTheAbsorbedPower)
{
    UseReflectionTable("0 0.2\r\n90 0.6\r\n");
    ASSERT_TRUE(Run()) << LastMessage();

    UpdateSunPosition(engine.model, engine.run, 0);
    const double incidence = 90.0 - engine.run.sun.altitude; // on the horizontal face
    const double direct = 0.2 + 0.4 * incidence / 90;
    double diffuse = 0;
    for (int n = 0; n < 10; ++n)
        diffuse += (0.2 + 0.4 * std::asin(0.05 + 0.1 * n) * kRadToDeg / 90) / 10;
    const double absorbed = (1 - direct) * (kGlobal - kDiffuse) + (1 - diffuse) * kDiffuse;
    EXPECT_NEAR(SolarPower(), absorbed, 2e-3);
    EXPECT_NEAR(HeatLeaving(), absorbed, 2e-3);
}

// A bad table stops Calc Solar Fluxes with its syntax message.
TEST_F(SolarRunTest, CalcSolarFluxesReportsABadReflectionTable)
{
    UseReflectionTable("0 0.2\r\nten 0.6\r\n");
    engine.model.saveResults = 1;
    EXPECT_EQ(RunCalcSolarFluxes(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed);
    EXPECT_EQ(LastMessage().rfind("Syntax error in file glass.frf", 0), 0u) << LastMessage();
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    EXPECT_FALSE(std::filesystem::exists("tmp0000.sfx"));
}

// Constant sun from a steady start: the time steps add current plus previous
// power, so the field stays where the steady step put it, and the heat-flow
// balance after each step leaves the powers of the next step intact.
TEST_F(SolarRunTest, ConstantSunKeepsTheSteadyFieldThroughTimeSteps)
{
    ASSERT_TRUE(Run()) << LastMessage();
    const double steadyTop = T(0, 0, 5), steadyBottom = T(0, 0, 1);
    engine.model.calcDuration = 7200;
    ASSERT_TRUE(Run()) << LastMessage();
    EXPECT_EQ(engine.run.calcTime, 7200);
    EXPECT_NEAR(T(0, 0, 5), steadyTop, 1e-6);
    EXPECT_NEAR(T(0, 0, 1), steadyBottom, 1e-6);
    EXPECT_NEAR(HeatLeaving(), kGlobal, 1e-3);
}

// The sunlit-node file once per run and a flux file per saved step, read
// back as the output windows read them.
TEST_F(SolarRunTest, SunlitNodeAndFluxFilesAreWrittenAtSaveStepsAndReadBack)
{
    engine.model.calcDuration = 7200;
    engine.model.saveResults = 1;
    engine.model.saveFrequency = 2;
    ASSERT_TRUE(Run()) << LastMessage();
    EXPECT_TRUE(std::filesystem::exists("tmp0000.sfd"));
    EXPECT_TRUE(std::filesystem::exists("tmp0000.sfx"));
    EXPECT_TRUE(std::filesystem::exists("tmp0001.sfx")); // t = 7200
    EXPECT_FALSE(std::filesystem::exists("tmp0002.sfx"));

    std::istringstream sfd(ReadBytes("tmp0000.sfd"));
    std::string line;
    std::getline(sfd, line);
    EXPECT_EQ(line, "D 4\r");
    // The four corners of the upper face: orientation +z, the slab's colour.
    for (int n = 0; n < 4; ++n) {
        std::getline(sfd, line);
        std::istringstream fields(line);
        std::string key;
        int node = 0, orientation = 0, colour = 0;
        double area = 0;
        fields >> key >> node >> orientation >> colour >> area;
        EXPECT_EQ(key, "N");
        EXPECT_EQ(orientation, 5);
        EXPECT_EQ(colour, kMaterial);
        EXPECT_DOUBLE_EQ(area, 0.25);
    }

    engine.run.solar.records.clear();
    ASSERT_TRUE(ReadSunlitNodesFile(engine.model, engine.run, Host()));
    ASSERT_EQ(engine.run.solar.records.size(), 4u);
    ReadSolarFluxFile(engine.model, engine.run, Host(), 7200);
    for (const SunlitNodeRecord& r : engine.run.solar.records)
        EXPECT_NEAR(r.flux, kGlobal, 1e-3);
    EXPECT_NEAR(GetSurfaceFlux(engine.run, 1, 1, 5, 5, kMaterial), kGlobal, 1e-3);
    // A step that was not saved reads as no sun.
    ReadSolarFluxFile(engine.model, engine.run, Host(), 3600 * 4);
    EXPECT_EQ(GetSurfaceFlux(engine.run, 1, 1, 5, 5, kMaterial), 0.0f);
    // An edit frees the node numbers: the solar state lets go of them too.
    FreeWorkArrays(engine.run, WorkGroup::AfterEdit);
    EXPECT_TRUE(engine.run.solar.grid.nodeIndex.empty());
    EXPECT_EQ(GetSurfaceFlux(engine.run, 1, 1, 5, 5, kMaterial), 0.0f);
}

// The report of a sunlit run: its sun columns give the sun position of each
// reported step, its absorbed-flux columns the area-weighted flux of that
// step's solar-flux file. Once no colour takes part in the solar
// calculation, the next run's report has neither.
TEST_F(SolarRunTest, ReportCarriesTheSunAndTheAbsorbedFluxOfEachStep)
{
    engine.model.calcDuration = 7200;
    engine.model.saveResults = 1;
    const ReportItemRecord items[] = {
        {0, 1, 0, 8, 0, 0},           // time
        {7, 1, 0, 10, 4, 0},          // sun azimuth
        {7, 1, 1, 10, 4, 0},          // sun altitude
        {1, kMaterial, 15, 10, 3, 0}, // absorbed flux, faces to Zmax
        {1, kMaterial, 10, 10, 3, 0}, // absorbed flux, faces to Xmin (none)
    };
    GrowReportItemArray(engine.model, std::size(items));
    engine.model.reportItems.count = static_cast<std::int32_t>(std::size(items));
    for (std::size_t n = 0; n < std::size(items); ++n)
        engine.model.reportItems[n] = items[n];
    ASSERT_TRUE(Run()) << LastMessage();

    auto lines = [](const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            out.push_back(line.substr(0, line.find('\r')));
        return out;
    };
    const std::vector<std::string> report = lines(ReadBytes("model.txt"));
    ASSERT_EQ(report.size(), 4u + 5u + 1u + 3u);
    EXPECT_EQ(report[5].rfind("Column 2: Sun azimuth [", 0), 0u);
    EXPECT_EQ(report[6].rfind("Column 3: Sun altitude [", 0), 0u);
    EXPECT_EQ(report[7].rfind("Column 4: Colour 1, absorbed solar flux on faces oriented to Zmax [W/m", 0),
              0u);
    EXPECT_EQ(report[8].rfind("Column 5: Colour 1, absorbed solar flux on faces oriented to Xmin [W/m", 0),
              0u);

    // The sunlit surfaces as the file of the run lists them.
    std::vector<std::pair<int, double>> faces; // orientation, area
    {
        std::istringstream sfd(ReadBytes("tmp0000.sfd"));
        std::string line;
        std::getline(sfd, line);
        for (std::string key; sfd >> key;) {
            int node = 0, orientation = 0, colour = 0;
            double area = 0;
            sfd >> node >> orientation >> colour >> area;
            EXPECT_EQ(colour, kMaterial);
            faces.emplace_back(orientation, area);
        }
    }
    ASSERT_EQ(faces.size(), 4u);
    for (int row = 0; row < 3; ++row) {
        const long long t = 3600LL * row;
        SCOPED_TRACE(t);
        std::vector<double> values;
        std::istringstream fields(report[10 + static_cast<std::size_t>(row)]);
        for (std::string field; std::getline(fields, field, '\t');)
            values.push_back(std::stod(field));
        ASSERT_EQ(values.size(), 5u);
        EXPECT_EQ(values[0], double(t));

        UpdateSunPosition(engine.model, engine.run, t);
        ASSERT_GT(engine.run.sun.altitude, 0.0f);
        const double azimuth =
            engine.run.sun.azimuth > 180 ? engine.run.sun.azimuth - 360.0 : engine.run.sun.azimuth;
        EXPECT_NEAR(values[1], azimuth, 1e-4);
        EXPECT_NEAR(values[2], engine.run.sun.altitude, 1e-4);

        std::istringstream sfx(ReadBytes("tmp000" + std::to_string(row) + ".sfx"));
        double power = 0, area = 0;
        for (const auto& [orientation, a] : faces) {
            double flux = 0;
            ASSERT_TRUE(sfx >> flux);
            if (orientation == 5)
                power += a * flux, area += a;
        }
        ASSERT_GT(area, 0.0);
        EXPECT_NEAR(values[3], power / area, 1e-3);
        EXPECT_GT(values[3], 0.5 * kGlobal);
        EXPECT_EQ(values[4], 0.0);
    }

    engine.model.colours[kOutside].solar = 0;
    ASSERT_TRUE(Run()) << LastMessage();
    EXPECT_FALSE(engine.run.solarResults);
    const std::string plain = ReadBytes("model.txt");
    EXPECT_EQ(plain.find("Sun "), std::string::npos);
    EXPECT_EQ(plain.find("absorbed solar flux"), std::string::npos);
}

// At night the step has no flux file; a later run removes the file of an
// earlier one at a step that turns out dark.
TEST_F(SolarRunTest, NightStepLeavesNoFluxFile)
{
    engine.model.saveResults = 1;
    engine.model.timeStep = 43200; // noon, then midnight
    engine.model.calcDuration = 43200;
    WriteBytes("tmp0001.sfx", "1\r\n2\r\n3\r\n4\r\n");
    ASSERT_TRUE(Run()) << LastMessage();
    EXPECT_TRUE(std::filesystem::exists("tmp0000.sfx"));
    EXPECT_FALSE(std::filesystem::exists("tmp0001.sfx"));
    EXPECT_EQ(SolarPower(), 0.0);
}

// The solar-flux run: the same fluxes and files, no temperatures.
TEST_F(SolarRunTest, CalcSolarFluxesWritesTheFluxFilesOnly)
{
    engine.model.calcDuration = 3600;
    engine.model.saveResults = 1;
    EXPECT_EQ(RunCalcSolarFluxes(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Done)
        << LastMessage();
    EXPECT_EQ(engine.run.calcTime, 3600);
    EXPECT_TRUE(std::filesystem::exists("tmp0000.sfd"));
    EXPECT_TRUE(std::filesystem::exists("tmp0001.sfx"));
    EXPECT_FALSE(std::filesystem::exists("tmp0000.sol"));
    EXPECT_NEAR(SolarPower(), kGlobal, 1e-3);
    EXPECT_TRUE(host.messages.empty());
}

struct FailureCase {
    const char* name;
    void (*breakModel)(ModelStore& m);
    const char* message;
};

class SolarRunFailureTest : public SolarRunTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SolarRunFailureTest, CalcSystemAndCalcSolarFluxesShowTheMessage)
{
    GetParam().breakModel(engine.model);
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed);
    EXPECT_EQ(LastMessage(), GetParam().message);
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    host.messages.clear();
    EXPECT_EQ(RunCalcSolarFluxes(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed);
    EXPECT_EQ(LastMessage(), GetParam().message);
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    EXPECT_FALSE(std::filesystem::exists("tmp0000.sfd"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SolarRunFailureTest,
    ::testing::Values(FailureCase{"NoGlobal",
                                  [](ModelStore& m) { m.functions[0].name = FunctionName("G02"); },
                                  "Solar radiation function (G01 or D01) not present"},
                      FailureCase{"NoDiffuse", [](ModelStore& m) { m.functions.count = 1; },
                                  "Solar radiation function (G01 or D01) not present"},
                      FailureCase{"EquimatUnderTheSun",
                                  [](ModelStore& m) {
                                      ColourRecord& e = DefineColour(m, 4, EQUIMAT, 0.5f);
                                      e.density = 1000;
                                      e.heatCapacity = 1000;
                                      ASSERT_TRUE(AppendBlock(m, 4, 0, 1, 0, 1, 4, 5));
                                  },
                                  "EQUIMAT (colour 4) touches solar zone (colour 3)"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// The zones as the solar exchange reads them: each model zone with the
// faces, areas, owner colours and view factors of its own file zone, and the
// model faces' matches counted within that zone.
TEST_F(SolarRunTest, ZonesAreCopiedWithTheirOwnFileFaces)
{
    RadiationSet& r = engine.run.radiation;
    r.fileZones.resize(2);
    r.fileZones[0].firstFace = 0, r.fileZones[0].faceCount = 2, r.fileZones[0].matrix = {0.4};
    r.fileZones[1].firstFace = 2, r.fileZones[1].faceCount = 2, r.fileZones[1].matrix = {0.7};
    for (int n = 0; n < 4; ++n) {
        RadiatingFace f;
        f.area = n + 1;
        f.ownerColour = static_cast<std::uint8_t>(10 + n);
        f.zone = n / 2;
        f.geometry.orientation = n;
        r.fileFaces.push_back(f);
    }
    r.zones.resize(2);
    r.zones[0].type = BC_FREE;
    r.zones[0].faces.resize(2);
    r.zones[0].faces[0].fileFace = 3; // second face of file zone 1
    r.zones[0].faces[0].ownerColour = kMaterial;
    r.zones[0].faces[0].zoneColour = 5;
    r.zones[0].faces[0].area = 0.5;
    r.zones[0].faces[0].cell = {1, 2, 3};
    r.zones[0].faces[0].cornerPoints[2] = {4, 5, 6};
    r.zones[0].faces[1].fileFace = 0; // a face of another zone's file zone
    r.zones[1].type = BC_FRE_S;
    r.zones[1].faces.resize(1);

    Colour(5, BC_FREE);
    CollectSolarZones(engine.model, engine.run);
    ASSERT_EQ(engine.run.solar.zones.size(), 2u);
    const SolarZone& z = engine.run.solar.zones[0];
    EXPECT_EQ(z.type, BC_FREE);
    EXPECT_EQ(z.fileFaceOfFace, (std::vector<int>{1, -1}));
    EXPECT_EQ(z.fileAreas, (std::vector<double>{3, 4}));
    EXPECT_EQ(z.fileOwnerColours, (std::vector<int>{12, 13}));
    ASSERT_EQ(z.fileFaces.size(), 2u);
    EXPECT_EQ(z.fileFaces[1].orientation, 3);
    EXPECT_EQ(z.viewFactors, (std::vector<double>{0.7}));
    ASSERT_EQ(z.faces.size(), 2u);
    EXPECT_EQ(z.faces[0].ownerColour, kMaterial);
    EXPECT_EQ(z.faces[0].zoneColour, 5);
    EXPECT_EQ(z.faces[0].area, 0.5);
    EXPECT_EQ(z.faces[0].cell, (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(z.faces[0].corners[2], (std::array<int, 3>{4, 5, 6}));
    // A convection-only zone takes no part in the exchange.
    EXPECT_EQ(engine.run.solar.zones[1].type, BC_FRE_S);
    EXPECT_TRUE(engine.run.solar.zones[1].fileFaces.empty());
    EXPECT_EQ(engine.run.solar.zones[1].fileFaceOfFace, (std::vector<int>{-1}));

    // Without zone colours, data left from another run are not taken.
    engine.model.colours[5].inUse = 0;
    CollectSolarZones(engine.model, engine.run);
    EXPECT_TRUE(engine.run.solar.zones.empty());
}

// gelmar-calc on the saved model: the same run with its files.
TEST_F(SolarRunTest, DriverComputesTheSolarModel)
{
    engine.model.saveResults = 1;
    ASSERT_TRUE(WriteDataFile(engine.model, "slab.glm"));
    const std::string command = std::string("'") + GELMAR_CALC_EXE + "' slab.glm 2> driver.err";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes("driver.err");
    EXPECT_TRUE(std::filesystem::exists("tmp0000.sol"));
    EXPECT_TRUE(std::filesystem::exists("tmp0000.sfd"));
    std::istringstream sfx(ReadBytes("tmp0000.sfx"));
    int lines = 0;
    for (std::string line; std::getline(sfx, line); ++lines)
        EXPECT_NEAR(std::stod(line), kGlobal, 1e-3);
    EXPECT_EQ(lines, 4);
}

} // namespace
} // namespace gelmar::test
