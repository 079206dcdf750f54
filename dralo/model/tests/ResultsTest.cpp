// The results read back for the outputs and the values derived from them:
// the result files of a plane wall read as the calculation wrote them, after
// a stopped run, with radiation-node lines and against bad files; the colour
// scale file; and the wall's line U value, psi, Ueq, Uf and temperature
// factor against the hand calculation; the text reports and the report
// definition file of the wall, and their gates.
#include "dralo/model/calc/Solver.h"
#include "dralo/model/reports/TextReports.h"
#include "platform/core/Text1252.h"
#include "dralo/model/lines/Distances.h"
#include "common/core/ColourScale.h"
#include "dralo/model/results/LineValues.h"
#include "dralo/model/results/MeshResults.h"
#include "dralo/model/tests/CalcFixture.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace dralo::test {
namespace {

using common::testing::ReadBytes;
using common::testing::WriteBytes;

// The tests' plane wall, 200 x 20 pixels of 1 mm, adiabatic above and below:
// U = 1 / (1/7.7 + 0.4 + 1/25).
constexpr int kWide = 200, kHigh = 20;
const double kWallU = 1.0 / (1 / 7.7 + 0.2 / 0.5 + 1 / 25.0);

// How reading the results ended: the error's code and message, or none.
struct ResultReadOutcome {
    ErrorCode code = ErrorCode::None;
    std::string message;
};

ResultReadOutcome ReadResultsOf(BitmapModel& m, MeshResults& r)
{
    try {
        ReadResults(m, ".", r);
    } catch (const EngineError& e) {
        return {e.Code(), e.Message()};
    }
    return {};
}

class ResultsTest : public CalcTest {
  protected:
    void CalculateWall()
    {
        SetUpPlaneWall();
        const WorkOutcome outcome = Calculate();
        ASSERT_TRUE(outcome.Normal()) << (outcome.error ? outcome.error->Message() : "Esc");
    }
    // A vertical distance over rows y1..y2 of column x.
    void AddDistance(int x, int y1, int y2)
    {
        DistanceRecord& d = model.distances[static_cast<std::size_t>(model.ndis++)];
        d.dism = kDistanceLocked;
        d.disd = kDistanceY;
        d.x1 = d.x2 = static_cast<std::int16_t>(x);
        d.y1 = static_cast<std::int16_t>(y1);
        d.y2 = static_cast<std::int16_t>(y2);
        ValidateDistances(model);
    }
    ResultReadOutcome Read() { return ReadResultsOf(model, results); }
    // U of a straight wall of thickness d pixels (λ 1, h 1e6, pixels of
    // 1 cm) from its own calculation: Q / (Δθ H).
    double FlankingWallU(int d)
    {
        BitmapModel corner = model;
        constexpr int high = 10;
        DrawPlaneWall(d, high);
        MeshSize(2);
        const WorkOutcome outcome = Calculate();
        EXPECT_TRUE(outcome.Normal());
        MeshResults wall;
        EXPECT_EQ(ReadResultsOf(model, wall).code, ErrorCode::None);
        const double u = FindEnvironments(model).q / (20 * high * 0.01);
        model = corner;
        return u;
    }

    MeshResults results;
};

TEST_F(ResultsTest, TheFilesOfACalculationReadBack)
{
    CalculateWall();
    LoadResults();
    ASSERT_EQ(Read().code, ErrorCode::None);
    ASSERT_EQ(results.points.size(), result.mesh.points.size());
    ASSERT_EQ(results.triangles.size(), result.mesh.triangles.size());
    EXPECT_EQ(results.borderEdges, static_cast<int>(result.mesh.borders.size()));
    EXPECT_TRUE(results.radiationEdges.empty());
    for (std::size_t n = 0; n < results.points.size(); ++n) {
        EXPECT_EQ(results.points[n].x, result.mesh.points[n].x);
        EXPECT_NEAR(results.points[n].temperature, result.temperature[n], 1e-5);
    }
    const FlowFile flw = ReadFlowFile();
    for (std::size_t t = 0; t < results.triangles.size(); ++t) {
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(results.triangles[t].v[static_cast<std::size_t>(k)], result.mesh.triangles[t].v[k]);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(results.triangles[t].flow[static_cast<std::size_t>(k)],
                        flw.corners[t][static_cast<std::size_t>(k)], 1e-5);
    }
    const double flow = 20.0 * kWallU * kHigh * 0.001;
    EXPECT_NEAR(model.colours[2].heatFlowIn, flow, 1e-5);
    EXPECT_NEAR(model.colours[3].heatFlowOut, flow, 1e-5);
    // The largest flux density lies near the wall's q everywhere inside it.
    double largest = 0;
    for (const ResultPoint& p : results.points)
        largest = std::max(largest, double(p.flux));
    EXPECT_NEAR(largest, 20.0 * kWallU, 0.05 * 20.0 * kWallU);
}

TEST_F(ResultsTest, AStoppedRunAndRadiationNodeLinesStillRead)
{
    CalculateWall();
    // A run stopped by Esc leaves the solution and no flow files.
    std::filesystem::remove("tmp.flw");
    std::filesystem::remove("tmp.flx");
    model.colours[2].heatFlowIn = 0;
    ASSERT_EQ(Read().code, ErrorCode::None);
    EXPECT_FALSE(results.points.empty());
    for (const ResultTriangle& t : results.triangles)
        EXPECT_EQ(t.flow, (std::array<float, 3>{0, 0, 0}));
    for (const ResultPoint& p : results.points)
        EXPECT_EQ(p.flux, 0.0f);
    EXPECT_EQ(model.colours[2].heatFlowIn, 0.0f);
    // Temperatures of radiation nodes follow the mesh points' ones.
    WriteBytes("tmp.sol", ReadBytes("tmp.sol") + "N 12.5\r\nN 13.5\r\n");
    EXPECT_EQ(Read().code, ErrorCode::None);
}

TEST_F(ResultsTest, BadResultFilesAreRefusedWithTheirCode)
{
    CalculateWall();
    LoadResults();
    const std::string tri = ReadBytes("tmp.tri");
    const std::string sol = ReadBytes("tmp.sol");
    const std::string flw = ReadBytes("tmp.flw");
    const std::string flx = ReadBytes("tmp.flx");
    auto firstLine = [](const std::string& s) { return s.substr(0, s.find('\n') + 1); };
    auto lineOf = [](const std::string& s, const char* start) {
        const std::size_t at = s.find(start);
        return s.substr(at, s.find('\n', at + 1) + 1 - at);
    };
    auto without = [](const std::string& s, const std::string& line) {
        std::string r = s;
        r.erase(r.find(line), line.size());
        return r;
    };
    const struct {
        const char* name;
        const char* file;
        std::string bytes; // empty: the file is removed
        ErrorCode code;
    } cases[] = {
        {"no mesh file", "tmp.tri", "", ErrorCode::ResultFile},
        {"no solution file", "tmp.sol", "", ErrorCode::ResultFile},
        {"a mesh without its count line", "tmp.tri", without(tri, lineOf(tri, "\nD ").substr(1)), ErrorCode::Syntax},
        {"a point out of turn", "tmp.tri", tri + "P 1 0 0\r\n", ErrorCode::Syntax},
        {"a triangle beyond the points", "tmp.tri", tri + "T 1 1 2 99999\r\n", ErrorCode::Syntax},
        {"a colour beyond 255", "tmp.tri", tri + "B 300 2 0 1 2\r\n", ErrorCode::Syntax},
        {"a cavity edge without zones", "tmp.tri", tri + "A 4 1 2\r\n", ErrorCode::Syntax},
        {"binary garbage", "tmp.tri", std::string("D \x01\xff\x00 3", 8), ErrorCode::Syntax},
        {"a line too long", "tmp.sol", "D " + std::string(400, '1') + "\r\n", ErrorCode::Syntax},
        {"a solution of another mesh", "tmp.sol", "D 3 1 3 0\r\n" + without(sol, firstLine(sol)),
         ErrorCode::Syntax},
        {"a solution with too few temperatures", "tmp.sol", firstLine(sol) + "R 5 0 0 0\r\nN 1\r\n",
         ErrorCode::Syntax},
        {"a divergence beyond 200", "tmp.sol", sol + "R 5 0 201 0\r\n", ErrorCode::Syntax},
        {"a temperature beyond the float range", "tmp.sol", sol + "C 4 1e300\r\n", ErrorCode::Syntax},
        {"a flow file with a triangle missing", "tmp.flw", flw.substr(0, flw.rfind("T ")), ErrorCode::Syntax},
        {"a negative flow", "tmp.flw", flw + "B 2 -1 0\r\n", ErrorCode::Syntax},
        {"a flux file of another mesh", "tmp.flx", "D 7\r\n" + without(flx, firstLine(flx)), ErrorCode::Syntax},
        {"a flux file with a value missing", "tmp.flx", firstLine(flx) + "N 1\r\n", ErrorCode::Syntax},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("tmp.tri", tri);
        WriteBytes("tmp.sol", sol);
        WriteBytes("tmp.flw", flw);
        WriteBytes("tmp.flx", flx);
        if (c.bytes.empty())
            std::filesystem::remove(c.file);
        else
            WriteBytes(c.file, c.bytes);
        const ResultReadOutcome outcome = Read();
        EXPECT_EQ(outcome.code, c.code);
        EXPECT_FALSE(outcome.message.empty());
        if (c.code == ErrorCode::Syntax) {
            EXPECT_NE(outcome.message.find(c.file), std::string::npos) << outcome.message;
        }
    }
}

TEST_F(ResultsTest, ColourScaleFiles)
{
    const struct {
        const char* name;
        std::string bytes;
        const char* message; // empty: read whole
        std::size_t entries;
    } cases[] = {
        {"two entries", "N 2\r\nC 0 0 255\r\nC 255 0 0\r\n", "", 2},
        {"a count of 0", "N 0\r\nC 1 2 3\r\n", "Syntax error in file", 0},
        {"fewer entries than counted", "N 3\nC 1 2 3\n", "Line", 1},
        {"a component beyond 255", "N 2\nC 1 2 3\nC 1 2 256\n", "Syntax error in file", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("RainbowColor.rgb", c.bytes);
        common::ColourScale scale;
        std::string message;
        try {
            common::LoadProgramColourScale(".", false, scale);
        } catch (const common::EngineError& e) {
            message = e.Message();
        }
        if (*c.message == 0) {
            EXPECT_EQ(message, "");
        } else {
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
        }
        EXPECT_EQ(scale.entries.size(), c.entries);
    }
    common::ColourScale scale;
    try {
        common::LoadProgramColourScale(".", true, scale);
        ADD_FAILURE() << "no gray scale here";
    } catch (const common::EngineError& e) {
        EXPECT_NE(e.Message().find("Failed to open file"), std::string::npos);
    }
}

TEST_F(ResultsTest, WallValuesAgainstTheHandCalculation)
{
    CalculateWall();
    AddDistance(100, 0, kHigh - 1);  // 1: the whole height
    AddDistance(100, 0, 7);          // 2: a frame of 8 pixels
    AddDistance(100, 8, kHigh - 1);  // 3: a panel of the other 12
    ASSERT_EQ(Read().code, ErrorCode::None);

    // The top row crosses the wall; the left column lies in one colour.
    EXPECT_NEAR(ComputeSideUValue(model, results, 2).value(), kWallU, 1e-6); // pixs is a float
    EXPECT_NEAR(kWallU, 1.75479, 1e-5);
    EXPECT_FALSE(ComputeSideUValue(model, results, 0).has_value());
    const Environments env = FindEnvironments(model);
    EXPECT_EQ(env.ti, 20);
    EXPECT_EQ(env.te, 0);
    EXPECT_NEAR(env.q / (20 * kHigh * 0.001), kWallU, 1e-5);

    model.report.rpsi = 1;
    model.report.flk1 = 1;
    model.report.sid1 = 2;
    model.report.dis1 = 1;
    const PsiValues psi = ComputePsiValues(model, results);
    ASSERT_TRUE(psi.shown && psi.psiShown);
    EXPECT_NEAR(psi.psi, 0.0, 1e-5);
    EXPECT_NEAR(psi.ueq, kWallU, 1e-5);

    model.report.rufr = 1;
    model.report.difr = 2;
    model.report.sidp = 2;
    model.report.dipa = 3;
    const FrameValues frame = ComputeFrameValues(model, results);
    ASSERT_TRUE(frame.shown);
    EXPECT_NEAR(frame.uf, kWallU, 1e-5);
    std::printf("[ NOTE     ] wall: U %.5f, psi %.6f, Ueq %.5f, Uf %.5f\n", *ComputeSideUValue(model, results, 2),
                psi.psi, psi.ueq, frame.uf);

    const TemperatureFactor f = ComputeTemperatureFactor(model);
    ASSERT_TRUE(f.defined);
    EXPECT_NEAR(f.f, 1 - kWallU / 7.7, 1e-5);
    EXPECT_NEAR(f.f, 0.772, 5e-4);
    EXPECT_TRUE(f.hasH);
    EXPECT_NEAR(f.hi, 7.7, 1e-6);
    EXPECT_EQ(std::lround(f.condensationRh), 75);
}

TEST_F(ResultsTest, SideValuesThatCannotBeFound)
{
    CalculateWall();
    ASSERT_EQ(Read().code, ErrorCode::None);
    // A user value wins without a walk.
    model.report.ulfc = 0.25f;
    EXPECT_EQ(ComputeSideUValue(model, results, 0).value(), 0.25f);
    // A flanking side that cannot be computed counts as 0: psi is left
    // out while Ueq stays.
    AddDistance(100, 0, kHigh - 1);
    model.report.ulfc = 0;
    model.report.sid1 = 0;
    model.report.dis1 = 1;
    const PsiValues psi = ComputePsiValues(model, results);
    EXPECT_TRUE(psi.shown);
    EXPECT_FALSE(psi.psiShown);
    EXPECT_EQ(psi.u1, 0.0);
    EXPECT_NEAR(psi.ueq, kWallU, 1e-5);
    // Results of another mesh lack the points the border walk needs.
    MeshResults empty;
    EXPECT_FALSE(ResultTemperatureOnLine(model, empty, 2, 1, 0).has_value());
}

TEST_F(ResultsTest, CornerPsiOnInteriorLengths)
{
    // λ 1, legs 20 pixels thick and 60 long inside, cold (0 °C) outside,
    // warm (20 °C) inside, both with h 1e6, the leg ends adiabatic. On
    // interior lengths such a corner has psi = 0.559 W/(m.K).
    constexpr int d = 20, leg = 60, size = 1 + d + leg;
    AllocatePixels(model, size, size, 1);
    Fill(0, 0, size, 1, 2);
    Fill(0, 0, 1, size, 2);
    Fill(1 + d, 1 + d, size, size, 3);
    Finish();
    model.pixs = 0.01f;
    Material(1, 1.0f);
    Boundary(2, 0, 1e6f);
    Boundary(3, 20, 1e6f);
    MeshSize(0.5f);
    const WorkOutcome outcome = Calculate();
    ASSERT_TRUE(outcome.Normal()) << (outcome.error ? outcome.error->Message() : "Esc");
    ASSERT_EQ(Read().code, ErrorCode::None);

    // Interior lengths: along the warm side's first row and column.
    DistanceRecord& a = model.distances[0];
    a.dism = kDistanceLocked;
    a.disd = kDistanceX;
    a.x1 = 1 + d, a.x2 = size - 1, a.y1 = a.y2 = 1 + d;
    DistanceRecord& b = model.distances[1];
    b.dism = kDistanceLocked;
    b.disd = kDistanceY;
    b.y1 = 1 + d, b.y2 = size - 1, b.x1 = b.x2 = 1 + d;
    model.ndis = 2;
    ValidateDistances(model);
    model.report.rpsi = 1;
    model.report.flk1 = 1, model.report.sid1 = 1, model.report.dis1 = 1; // right border crosses the top leg
    model.report.flk2 = 1, model.report.sid2 = 3, model.report.dis2 = 2; // bottom border the left leg
    const PsiValues psi = ComputePsiValues(model, results);
    ASSERT_TRUE(psi.psiShown);
    const double u = 1.0 / (2e-6 + d * 0.01);
    EXPECT_NEAR(psi.u1, u, 1e-4 * u);
    EXPECT_NEAR(psi.u2, u, 1e-4 * u);
    EXPECT_NEAR(psi.l1, leg * 0.01, 1e-6);
    EXPECT_NEAR(psi.psi, 0.559, 0.01 * 0.559);
    std::printf("[ NOTE     ] corner: psi %.4f W/(m.K)\n", psi.psi);

    // The same psi from the flows: Q/Δθ less the flanking walls' own flow,
    // the walls' U being that of a straight wall calculated alone.
    const double q = psi.env.q;
    const double flanking = FlankingWallU(d);
    EXPECT_NEAR(flanking, u, 1e-4 * u);
    EXPECT_NEAR(q / 20 - flanking * psi.l1 - flanking * psi.l2, psi.psi, 1e-3);
}

// The reports of the wall with the temperature factor, psi along the top
// row over the whole height, and a frame of 8 pixels between two panels of
// 6 pixels each.
class ReportsTest : public ResultsTest {
  protected:
    void SetUp() override
    {
        ResultsTest::SetUp();
        ASSERT_TRUE(LoadDraloStrings(strings, SUITE_SOURCE_DIR "/resources/dralo"));
        CalculateWall();
        AddDistance(100, 0, kHigh - 1);
        AddDistance(100, 0, 7);
        AddDistance(100, 8, 13);
        AddDistance(100, 14, kHigh - 1);
        ReportSettings& r = model.report;
        r.rptf = r.rpsi = r.rufr = 1;
        r.flk1 = 1, r.sid1 = 2, r.dis1 = 1, r.flk2 = 0;
        r.difr = 2, r.pan1 = 1, r.sidp = 2, r.dipa = 3, r.pan2 = 1, r.sip2 = 2, r.dip2 = 4;
        ASSERT_EQ(Read().code, ErrorCode::None);
    }
    // A written report as UTF-8 with "\n" line ends; psi of the straight
    // wall may round to "-0.000", which counts as "0.000".
    static std::string Written(const std::string& path)
    {
        std::string text = platform::Cp1252ToUtf8(ReadBytes(path));
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
                out += text[i];
        for (std::size_t at; (at = out.find("-0.000")) != std::string::npos;)
            out.erase(at, 1);
        return out;
    }
    ReportContext Context() { return ReportContext{model, results, strings}; }

    platform::StringTable strings;
};

const char* const kTfc = "Temperature factor (EN ISO 10211) = 0.772\n"
                         "  hi = 7.70 W/(m².K)\n"
                         "  Rsi = 0.13 m².K/W\n"
                         "Surface condensation if RH > 75 % (at 20.00°C)\n";
const char* const kPsi = "Linear thermal transmittance (EN ISO 10211)\n"
                         "psi = Q/(ti-te) - U1*l1 - U2*l2 = 0.000 W/(m.K)\n"
                         "Equivalent thermal transmittance\n"
                         "Ueq = Q/((ti-te)*(l1+l2)) = 1.755 W/(m².K)\n"
                         "  Q = 0.702 W/m\n"
                         "  ti = 20.00°C\n"
                         "  te = 0.00°C\n"
                         "  U1 = 1.755 W/(m².K)  (top edge of bitmap)\n"
                         "  l1 = 0.0200 m        (distance no. 1)\n"
                         "  U2 = 0.000 W/(m².K)\n"
                         "  l2 = 0.0000 m      \n";
const char* const kUfr = "Thermal transmittance of frame (EN 10077-2)\n"
                         "Uf = (Q/(ti-te) - Up1*wp1 - Up2*wp2) / wf = 1.755 W/(m².K)\n"
                         "  Q = 0.702 W/m\n"
                         "  ti = 20.00°C\n"
                         "  te = 0.00°C\n"
                         "  Up1 = 1.755 W/(m².K)  (top edge of bitmap)\n"
                         "  wp1 = 0.0060 m        (distance no. 3)\n"
                         "  Up2 = 1.755 W/(m².K)  (top edge of bitmap)\n"
                         "  wp2 = 0.0060 m        (distance no. 4)\n"
                         "  wf = 0.0080 m         (distance no. 2)\n";

TEST_F(ReportsTest, TheWallsReportsAndDefinition)
{
    ReportContext c = Context();
    EXPECT_TRUE(MakeTextReports(c).empty());
    ASSERT_TRUE(WriteReportDefinition(c, false));
    EXPECT_EQ(Written("model_TFC.txt"), kTfc);
    EXPECT_EQ(Written("model_PSI.txt"), kPsi);
    EXPECT_EQ(Written("model_UFR.txt"), kUfr);
    EXPECT_FALSE(std::filesystem::exists("model_DIR.txt")); // no colour with a direction
    const std::string res = Written("model_RES.txt");
    const std::string head = "\nDRALO Calculation Results\n\nDRALO data file: model.drl\n\n";
    EXPECT_EQ(res.substr(0, head.size()), head);
    const std::string sections = std::string("\n") + kTfc + "\n" + kPsi + "\n" + kUfr;
    ASSERT_GE(res.size(), sections.size());
    EXPECT_EQ(res.substr(res.size() - sections.size()), sections);
    // Colour 2: its surface temperature at both ends of its range, all of
    // the flow in.
    EXPECT_NE(res.find("2    BC_SIMPL                      15.44     15.44                0.70      0.00\n"),
              std::string::npos)
        << res;
    EXPECT_EQ(Written("model_MAT.txt"), "\tCol.\tName                  \tlambda\teps\n"
                                        "\t\t                      \t[W/mK]\t[-]\n"
                                        "\t1\t                      \t0.500\t\n");
    EXPECT_NE(Written("model_DAT.txt").find("1 pixel = 0.001 m\n"), std::string::npos);

    const std::string bri = "\nTDAT model_DAT.txt\nTRES model_RES.txt\nTMAT model_MAT.txt\nTBOC model_BOC.txt\n"
                            "TEQM model_EQM.txt\nTTFC model_TFC.txt\nTPSI model_PSI.txt\nTUFR model_UFR.txt\n\n"
                            "VBMP model.bmp\nVPIX 0.001\nVTRI 10\nVNOD " +
                            std::to_string(results.equations) +
                            "\nVTFC 0.772\nVPSI 0.000\nVUEQ 1.755\nVUF1 1.755\nVLF1 0.0200\nVUF2 \nVLF2 \n"
                            "VUFR 1.755\nVWFR 0.0080\nVUP1 1.755\nVWP1 0.0060\nVUP2 1.755\nVWP2 0.0060\n";
    EXPECT_EQ(Written("model.bri"), bri);
    // The same model gives the same bytes.
    const std::string first = ReadBytes("model_RES.txt");
    MakeTextReports(c);
    EXPECT_EQ(ReadBytes("model_RES.txt"), first);
}

TEST_F(ReportsTest, Gates)
{
    ReportSettings& r = model.report;
    {
        SCOPED_TRACE("rufr with one distance: no _UFR, no TUFR, six empty lines, rufr off");
        model.ndis = 1;
        ReportContext c = Context();
        const auto reports = BuildTextReports(c);
        for (const auto& [suffix, text] : reports)
            EXPECT_NE(suffix, "_UFR");
        EXPECT_EQ(r.rufr, 0);
        r.rufr = 1;
        const std::string bri = BuildReportDefinition(c, true);
        EXPECT_EQ(bri.find("TUFR"), std::string::npos);
        EXPECT_NE(bri.find("VUFR \nVWFR \nVUP1 \nVWP1 \nVUP2 \nVWP2 \n"), std::string::npos) << bri;
        EXPECT_EQ(r.rufr, 0);
        model.ndis = 4;
        r.rufr = 1;
    }
    {
        SCOPED_TRACE("pan2 with two distances: cleared, the second panel's zero lines");
        model.ndis = 2;
        r.dipa = 1; // the panel over the whole height, the frame distance 2
        ReportContext c = Context();
        std::string ufr;
        for (const auto& [suffix, text] : BuildTextReports(c))
            if (suffix == "_UFR")
                ufr = text;
        EXPECT_EQ(r.pan2, 0);
        EXPECT_NE(ufr.find("  Up2 = 0.000 W/(m².K)\n  wp2 = 0.0000 m\n"), std::string::npos) << ufr;
        model.ndis = 4;
        r.pan2 = 1;
        r.dipa = 3;
    }
    {
        SCOPED_TRACE("a group on whose gates fail writes its six empty lines");
        r.flk1 = 1, r.dis1 = 9; // a distance that does not exist: l1 = l2 = 0
        ReportContext c = Context();
        const std::string bri = BuildReportDefinition(c, false);
        EXPECT_NE(bri.find("VPSI \nVUEQ \nVUF1 \nVLF1 \nVUF2 \nVLF2 \n"), std::string::npos) << bri;
        EXPECT_NE(bri.find("TPSI model_PSI.txt"), std::string::npos);
        r.dis1 = 1;
    }
    {
        SCOPED_TRACE("a temperature factor with ti <= te is blank");
        model.colours[3].temp = 20;
        ReportContext c = Context();
        const std::string bri = BuildReportDefinition(c, false);
        EXPECT_NE(bri.find("VTFC \n"), std::string::npos) << bri;
        for (const auto& [suffix, text] : BuildTextReports(c)) {
            if (suffix == "_TFC") {
                EXPECT_EQ(text, "Temperature factor (EN ISO 10211) = \n");
            }
        }
        model.colours[3].temp = 0;
    }
    {
        SCOPED_TRACE("graphic entries name their figures");
        model.graphicReport[0].flags = 1;
        model.graphicReport[2].flags = 0x41;
        ReportContext c = Context();
        EXPECT_EQ(BuildReportDefinition(c, true).substr(0, 32), "GRA1 model1.png\nGRA3 model3.png\n");
    }
}

TEST_F(ReportsTest, AReportThatCannotBeWrittenIsNamedAndTheOthersAreWritten)
{
    std::filesystem::create_directory("model_MAT.txt");
    ReportContext c = Context();
    const std::vector<std::string> failed = MakeTextReports(c);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0], "model_MAT.txt");
    for (const char* name : {"model_DAT.txt", "model_RES.txt", "model_BOC.txt", "model_EQM.txt", "model_UFR.txt"})
        EXPECT_TRUE(std::filesystem::is_regular_file(name)) << name;
    std::filesystem::remove("model_MAT.txt");
}

TEST(SaturationVapourPressure, TableValues)
{
    EXPECT_NEAR(SaturationVapourPressure(0), 610.96, 1e-9);
    EXPECT_NEAR(SaturationVapourPressure(20), 2337.8, 0.05);
    EXPECT_NEAR(SaturationVapourPressure(-10), 259.9, 0.5); // over ice
    // Above 40 °C the boiling-point form: 101325 Pa at 100 °C.
    EXPECT_NEAR(SaturationVapourPressure(100), 101325, 150);
    EXPECT_NEAR(SaturationVapourPressure(40.0001), SaturationVapourPressure(40), 0.01 * 7380);
}

} // namespace
} // namespace dralo::test
