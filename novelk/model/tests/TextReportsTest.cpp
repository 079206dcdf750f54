// The text reports against small fixtures worked out by hand: the input data
// and results reports of a two-dimensional wall with every kind of entry,
// the corner nodes and node BCs of a single cell, the view factors of a
// hand-written view-factor file, the tab-separated tables, the derived-figure
// files, the R/C/L numbering, and the file names and bytes.
#include "ReportFixture.h"

#include <filesystem>

namespace novelk::test {
namespace {

class GoldenReportTest : public ReportTest {
  protected:
    // A wall along X in millimetres, one cell along Y (a 2D model):
    // inside air | brick (lower layer) and cavity (upper layer) | outside air.
    void BuildWall()
    {
        model.dataFilePath = "golden.nvk";
        model.title = "Golden wall";
        model.gridUnit = 0.001f;
        model.calc.cycles = 5;
        SetGrid({10, 200, 10}, {1000}, {500, 500});
        SetColour(1, MATERIAL, 0.9f);
        model.colours[1].name = "Brick";
        SetColour(2, BC_SIMPL, 1.0f, 20.0f, 7.7f);
        model.colours[2].name = "Inside";
        model.colours[2].rule = 1;
        SetColour(3, BC_SIMPL, 1.0f, 0.0f, 25.0f);
        model.colours[3].name = "Outside air of north"; // 20 characters
        model.colours[3].rule = 3;
        SetColour(4, EQUIMAT, 0.15f);
        model.colours[4].name = "Cavity";
        model.colours[4].rule = 1;
        AddBlock(2, 0, 1, 0, 1, 0, 2);
        AddBlock(1, 1, 2, 0, 1, 0, 1);
        AddBlock(4, 1, 2, 0, 1, 1, 2);
        AddBlock(3, 2, 3, 0, 1, 0, 2);
        AddNodeBc(NODE_TEMP, 1, 0, 1, 15.0f);
        AddNodeBc(NODE_POWER, 2, 1, 2, 0.0f, 5.0f);
        AddBorderBc(BORDER_TEMP, 1, 4, 12.5f);
        AddBorderBc(BORDER_TEMP, 2, -1, 0.0f);
        AddMaterialBc(MATERIAL_POWER, 1, 0.0f, 100.0f);
        AddMaterialBc(MATERIAL_TEMP, -1, 0.0f);
    }
    // The results of a calculation, set by hand.
    void SetResults()
    {
        run.resultsLoaded = true;
        run.unknowns = 12;
        run.readouts.objectDivergence = 0.5f;
        run.readouts.nodeDivergence = 2.25f;
        const auto extremes = [this](int c, float lo, std::array<std::uint16_t, 3> p, float hi,
                                     std::array<std::uint16_t, 3> q) {
            ColourRecord& r = model.colours[std::size_t(c)];
            r.lowestTemperature = lo, r.highestTemperature = hi;
            std::copy(p.begin(), p.end(), r.lowestPoint);
            std::copy(q.begin(), q.end(), r.highestPoint);
        };
        extremes(1, 5.25f, {1, 0, 0}, 15.5f, {2, 1, 2});
        extremes(2, 15.5f, {1, 0, 1}, 15.5f, {1, 0, 1});
        extremes(3, 5.25f, {2, 1, 0}, 5.25f, {2, 1, 0});
        model.colours[2].flowIn = 12.5f;
        model.colours[3].flowOut = 12.5f;
        // One flanking element: the line through the lower layer with an
        // enforced U of 0.5, and its area the brick's inner face (1 m²).
        model.elements[0] = AreaRecord{0, 3, 0, 0, 0, 0};
        model.elements[0].enforced = 0.5;
        model.areas[0] = AreaRecord{1, 1, 0, 1, 0, 2};
    }
};

TEST_F(GoldenReportTest, InputData)
{
    BuildWall();
    ReportContext r = Context();
    ASSERT_TRUE(WriteInputDataReport(r));
    EXPECT_EQ(ReadBytes("golden_DAT.txt"),
              FileBytes({
                  "NOVELK - Input Data",
                  "",
                  "Golden wall",
                  "",
                  "NOVELK data file: golden.nvk",
                  "",
                  "GRID",
                  "No.            X         Y         Z",
                  "             [mm]      [mm]      [mm]",
                  "0-1           10.000  1000.000   500.000",
                  "1-2          200.000             500.000",
                  "2-3           10.000" + Blanks(10),
                  "Sum          220.000  1000.000  1000.000",
                  "",
                  "BLOCKS",
                  "No.   Col.    Xmin  Xmax  Ymin  Ymax  Zmin  Zmax",
                  "1       2        0     1     0     1     0     2",
                  "2       1        1     2     0     1     0     1",
                  "3       4        1     2     0     1     1     2",
                  "4       3        2     3     0     1     0     2",
                  "",
                  "No.   Col.        Xmin      Xmax      Ymin      Ymax      Zmin      Zmax",
                  "                  [mm]      [mm]      [mm]      [mm]      [mm]      [mm]",
                  "1       2        0.000    10.000     0.000  1000.000     0.000  1000.000",
                  "2       1       10.000   210.000     0.000  1000.000     0.000   500.000",
                  "3       4       10.000   210.000     0.000  1000.000   500.000  1000.000",
                  "4       3      210.000   220.000     0.000  1000.000     0.000  1000.000",
                  "",
                  "COLOURS",
                  "Col. Type      CEN-rule  Name               lambda     eps     t       h         q",
                  "                                            [W/mK]     [-]    [°C] [W/m²K]  [W/m²]",
                  "1    MATERIAL            Brick               0.900" + Blanks(32),
                  "2    BC_SIMPL  HI_NORML  Inside         " + Blanks(18) + "    20.0    7.70       0",
                  "3    BC_SIMPL  HE        Outside_air_of_" + Blanks(18) + "     0.0   25.00       0",
                  "4    EQUIMAT   CEN_Xy_I  Cavity              0.150" + Blanks(32),
                  "",
                  "Col.     ta     hc         Pc    tr          C1        C2        C3",
                  "         [°C] [W/m²K]     [W]    [°C]",
                  "2  " + Blanks(64),
                  "3  " + Blanks(64),
                  "4  " + Blanks(34) + "     0.025      0.73  0.333333",
                  "",
                  "NODE BOUNDARY CONDITIONS",
                  "No.      X     Y     Z  Type         t         P",
                  "                                    [°C]     [W]",
                  "1        1           1  TEMP        15.0",
                  "2        2           2  POWER                  5",
                  "",
                  "Borderface BCs",
                  "No.  Col.1  Col.2  Type    t [°C]  q [W/m²]",
                  "1      1      4    TEMP      12.5" + Blanks(10),
                  "2      2     ",
                  "",
                  "Material BCs",
                  "No.  Col.  Type     t [°C]  p [W/m3]",
                  "1      1   POWER" + Blanks(17) + "100",
                  "2       ",
                  "",
                  "CALCULATION PARAMETERS",
                  "Iteration cycles = 5",
                  "Maximum number of iterations (within each iteration cycle) = 10000",
                  "Maximum temperature difference (within each iteration cycle) = 0.0001°C",
                  "Maximum temperature difference (between iteration cycles) = 0.001°C",
                  "Heat flow divergence for total object = 0.001 %",
                  "Heat flow divergence for worst node = 1 %",
                  "Automatic recalculation of CEN-values",
                  "Default temperature difference across airspace = 10°C",
              }));
}

TEST_F(GoldenReportTest, InputDataLeavesOutAbsentListsAndRadiationLinesFollowTheColours)
{
    BuildWall();
    model.nodeBcs.count = model.borderBcs.count = model.materialBcs.count = 0;
    model.calc.recalcCen = 0; // one cycle: no cycle lines
    SetColour(5, BC_FREE);    // a radiating colour: eps and the radiation lines
    model.colours[5].name = "Air";
    ReportContext r = Context();
    ASSERT_TRUE(WriteInputDataReport(r));
    const std::string text = platform::Cp1252ToUtf8(ReadBytes("golden_DAT.txt"));
    for (const char* absent :
         {"NODE BOUNDARY", "Borderface", "Material BCs", "Iteration cycles", "(within each"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    EXPECT_NE(text.find("1    MATERIAL            Brick               0.900    0.90"), std::string::npos);
    EXPECT_NE(text.find("\r\n\r\nCALCULATION PARAMETERS\r\n"
                        "Maximum number of iterations = 10000\r\n"
                        "Maximum temperature difference = 0.0001°C\r\n"
                        "Heat flow divergence for total object = 0.001 %\r\n"
                        "Heat flow divergence for worst node = 1 %\r\n"
                        "Linear radiation\r\n"
                        "Smallest accepted view factor = 0.0001\r\n"
                        "Number of visibility rays between radiative surfaces = 100\r\n"
                        "Black radiation heat transfer coeff. = 5.1 W/(m².K)\r\n"
                        "Default temperature difference across airspace = 10°C\r\n"),
              std::string::npos)
        << text;
}

TEST_F(GoldenReportTest, RclNumberingCountsTheThirdAxisFromItsFarEnd)
{
    BuildWall();
    model.rcl = 1;
    SetGrid({10, 200, 10}, {1000}, {400, 600});
    ReportContext r = Context();
    ASSERT_TRUE(WriteInputDataReport(r));
    const std::string text = platform::Cp1252ToUtf8(ReadBytes("golden_DAT.txt"));
    // Grid rows 2i+1 - 2i+3, the Z widths from the far end.
    EXPECT_NE(text.find("No.            R         C         L\r\n"
                        "             [mm]      [mm]      [mm]\r\n"
                        "1-3           10.000  1000.000   600.000\r\n"
                        "3-5          200.000             400.000\r\n"
                        "5-7           10.000          \r\n"),
              std::string::npos)
        << text;
    // A block in the top cell layer starts at L = 1; the Z pair swaps.
    EXPECT_NE(text.find("No.   Col.    Rmin  Rmax  Cmin  Cmax  Lmin  Lmax\r\n"
                        "1       2        1     3     1     3     1     5\r\n"
                        "2       1        3     5     1     3     3     5\r\n"
                        "3       4        3     5     1     3     1     3\r\n"),
              std::string::npos)
        << text;
    // Node BCs in R/C/L numbering, the single-cell Y column blank.
    EXPECT_NE(text.find("1        3           3  TEMP        15.0\r\n"
                        "2        5           1  POWER                  5\r\n"),
              std::string::npos)
        << text;
}

TEST_F(GoldenReportTest, Results)
{
    BuildWall();
    SetResults();
    model.report.temperatureFactor = 1;
    model.report.transmittanceP = 1;
    model.report.transmittanceQ = 1;
    model.report.elementU = 1;
    ReportContext r = Context();
    ASSERT_TRUE(WriteResultsReport(r, calcHost));
    EXPECT_EQ(ReadBytes("golden_RES.txt"),
              FileBytes({
                  "NOVELK - Calculation Results",
                  "",
                  "NOVELK data file: golden.nvk",
                  "",
                  "Number of nodes = 12",
                  "Heat flow divergence for total object = 0.5 %",
                  "Heat flow divergence for worst node = 2.25 %",
                  "",
                  "Col. Type      Name                 tmin    X    Y    Z      tmax    X    Y    Z",
                  "                                    [°C]                     [°C]",
                  "1    MATERIAL  Brick                5.25    1    0    0     15.50    2    1    2",
                  "2    BC_SIMPL  Inside              15.50    1    0    1     15.50    1    0    1",
                  "3    BC_SIMPL  Outside_air_of_      5.25    2    1    0      5.25    2    1    0",
                  "4    EQUIMAT   Cavity         ",
                  "",
                  "Col. Type      Name                   ta   Flow in  Flow out",
                  "                                    [°C]       [W]       [W]",
                  "2    BC_SIMPL  Inside         " + Blanks(10) + "     12.50      0.00",
                  "3    BC_SIMPL  Outside_air_of_" + Blanks(10) + "      0.00     12.50",
                  "",
                  "Temperature factor (EN ISO 10211) = 0.775",
                  "  hi = 7.70 W/(m².K)",
                  "  Rsi = 0.13 m².K/W",
                  "Surface condensation if RH > 75 % (at 20.00°C)",
                  "",
                  "Linear thermal transmittance (EN ISO 10211)",
                  "psi = (Q/(ti-te) - U1*A1)/l = 0.125 W/(m.K)",
                  "Equivalent thermal transmittance",
                  "Ueq = Q/((ti-te)*A1) = 0.625 W/(m².K)",
                  "  Q = 12.500 W",
                  "  ti = 20.00°C",
                  "  te = 0.00°C",
                  "  U1 = 0.500 W/(m².K)",
                  "       Xmin=0 Xmax=3 Ymin=0 Ymax=0 Zmin=0 Zmax=0",
                  "  A1 = 1 m²",
                  "       Xmin=1 Xmax=1 Ymin=0 Ymax=1 Zmin=0 Zmax=2",
                  "  l = 1 m",
                  "",
                  "Ufloor = (Q/(ti-te))/A1 = 0.625 W/(m².K)",
              }));
}

TEST_F(GoldenReportTest, DerivedFigureFiles)
{
    BuildWall();
    SetResults();
    model.report.elementU = 1; // without rptq the element section lists its figures
    model.report.elementName = "U of the wall element";
    model.rcl = 1;
    ReportContext r = Context(ReportDecimals{1, 2, 4});
    ASSERT_TRUE(WriteTemperatureFactorFile(r));
    ASSERT_TRUE(WritePsiFile(r));
    ASSERT_TRUE(WriteElementUFile(r));
    EXPECT_EQ(ReadBytes("golden_TFC.txt"), FileBytes({
                                               "Temperature factor (EN ISO 10211) = 0.775",
                                               "  hi = 7.70 W/(m².K)",
                                               "  Rsi = 0.13 m².K/W",
                                               "Surface condensation if RH > 75 % (at 20.0°C)",
                                           }));
    // Neither rptp nor rptq: the psi file holds the environments and areas,
    // as the element file does after its formula.
    const std::vector<std::string> figures = {
        "  Q = 12.500 W",
        "  ti = 20.0°C",
        "  te = 0.0°C",
        "  A1 = 1 m²",
        "       Rmin=3 Rmax=3 Cmin=1 Cmax=3 Lmin=1 Lmax=5",
    };
    EXPECT_EQ(ReadBytes("golden_PSI.txt"), FileBytes(figures));
    std::vector<std::string> element = {"U of the wall element = (Q/(ti-te))/A1 = 0.625 W/(m².K)"};
    element.insert(element.end(), figures.begin(), figures.end());
    EXPECT_EQ(ReadBytes("golden_UEL.txt"), FileBytes(element));
}

TEST_F(GoldenReportTest, TemperatureFactorWithoutTwoEnvironmentsIsLeftOut)
{
    BuildWall();
    SetResults();
    model.colours[3].temperature = 20.0f; // both environments at 20 °C: ti = te
    model.report.temperatureFactor = 1;
    ReportContext r = Context();
    ASSERT_TRUE(WriteTemperatureFactorFile(r));
    EXPECT_EQ(ReadBytes("golden_TFC.txt"), "");
    ASSERT_TRUE(WriteResultsReport(r, calcHost));
    EXPECT_EQ(platform::Cp1252ToUtf8(ReadBytes("golden_RES.txt")).find("Temperature factor"),
              std::string::npos);
}

TEST_F(GoldenReportTest, TablesAreTabSeparated)
{
    BuildWall();
    ReportContext r = Context();
    ASSERT_TRUE(WriteMaterialTable(r));
    ASSERT_TRUE(WriteBoundaryConditionTable(r));
    EXPECT_EQ(ReadBytes("golden_MAT.txt"), FileBytes({
                                               "\tCol.\tName                  \tlambda\teps",
                                               "\t\t                      \t[W/mK]\t[-]",
                                               "\t1\tBrick                 \t0.900",
                                               "\t4\tCavity                \t0.150",
                                           }));
    EXPECT_EQ(ReadBytes("golden_BOC.txt"),
              FileBytes({
                  "\tCol.\tName                  \tt\th\tq\tta\ttr\thc\tPc",
                  "\t\t                      \t[°C]\t[W/m²K]\t[W/m²]\t[°C]\t[°C]\t[W/m²K]\t[W]",
                  "\t2\tInside                \t20.0\t7.70\t0\t\t\t",
                  "\t3\tOutside_air_of_north  \t0.0\t25.00\t0\t\t\t",
              }));
    // Windows-1252 bytes: ° and ² as single bytes.
    const std::string bytes = ReadBytes("golden_BOC.txt");
    EXPECT_NE(bytes.find("[\xB0"
                         "C]\t[W/m\xB2K]"),
              std::string::npos);
    EXPECT_EQ(bytes.find('\xC2'), std::string::npos);
}

TEST_F(GoldenReportTest, ViewFactorsOfAHandWrittenFile)
{
    BuildWall();
    // Faces 1 and 2 of colour 1 (2 and 1 m²), face 3 of colour 2 (3 m²).
    WriteBytes("tmp.vwf", "nzon=1\nzone=1 3\nnfac=3\n"
                          "face=1 9 1 2 0\nbox =0 1 0 1 0 0\n"
                          "face=2 9 1 1 0\nbox =0 1 0 1 1 1\n"
                          "face=3 9 2 3 0\nbox =0 0 0 1 0 1\n"
                          "vwfc=2 1 0.25\nvwfc=3 1 0.5\nvwfc=3 2 0.125\n");
    ReportContext r = Context();
    ASSERT_TRUE(WriteViewFactorReport(r));
    // Colour 1 to itself: 1 m² · 0.25 over its 3 m²; between 1 and 2:
    // 3 m² · (0.5 + 0.125) over 3 m² either way.
    EXPECT_EQ(ReadBytes("golden_VFC.txt"), FileBytes({
                                               "NOVELK - View Factors",
                                               "",
                                               "View factor file: tmp.vwf",
                                               "",
                                               "From     To      Sender     View",
                                               "col.    col.       [m²]     factor",
                                               "   1      1           3     0.0833",
                                               "   1      2           3     0.6250",
                                               "   2      1           3     0.6250",
                                           }));
    // The data file's own view-factor file when there is no temporary one.
    std::filesystem::rename("tmp.vwf", "golden.vwf");
    ASSERT_TRUE(WriteViewFactorReport(r));
    EXPECT_NE(ReadBytes("golden_VFC.txt").find("View factor file: golden.vwf\r\n"), std::string::npos);
    // A damaged file and a missing one write nothing.
    std::filesystem::remove("golden_VFC.txt");
    WriteBytes("golden.vwf", "nfac=1\nface=2 9 1 1 0\n");
    EXPECT_FALSE(WriteViewFactorReport(r));
    std::filesystem::remove("golden.vwf");
    EXPECT_FALSE(WriteViewFactorReport(r));
    EXPECT_FALSE(std::filesystem::exists("golden_VFC.txt"));
}

class NodeReportTest : public ReportTest {
  protected:
    // One material cell in the middle of a 3 x 3 x 3 grid; a temperature node
    // BC alone in the void at the origin; a power node BC at a corner. Every
    // unknown's temperature is 10 i + j + 0.1 k.
    void Build()
    {
        model.dataFilePath = "cell.nvk";
        SetUnitGrid(3, 3, 3);
        Material(1, 1.0f);
        AddBlock(1, 1, 2, 1, 2, 1, 2);
        AddNodeBc(NODE_TEMP, 0, 0, 0, 7.0f);
        AddNodeBc(NODE_POWER, 2, 2, 2, 0.0f, 3.0f);
        RasteriseBlocks(model, run, calcHost);
        BuildNodeNumbering(model, run, calcHost);
        run.temperature.assign(std::size_t(run.unknowns), 0.0);
        for (int i = 0; i <= 3; ++i)
            for (int j = 0; j <= 3; ++j)
                for (int k = 0; k <= 3; ++k)
                    if (const std::int32_t n = GetNodeIndex(run, i, j, k); n >= 0)
                        run.temperature[std::size_t(n)] = 10 * i + j + 0.1 * k;
        run.resultsLoaded = true;
    }
    // The lines of a node report: its head, then the rows.
    static std::vector<std::string> Head(const char* title, bool rcl, std::vector<std::string> rows)
    {
        std::vector<std::string> lines = {title,
                                          "",
                                          "NOVELK data file: cell.nvk",
                                          "",
                                          rcl ? "     R     C     L         t"
                                              : "     X     Y     Z         t",
                                          "                        [°C]"};
        lines.insert(lines.end(), rows.begin(), rows.end());
        return lines;
    }
};

TEST_F(NodeReportTest, CornerNodesOfASingleCell)
{
    Build();
    ReportContext r = Context();
    ASSERT_TRUE(WriteCornerNodeReport(r));
    EXPECT_EQ(ReadBytes("cell_COR.txt"), FileBytes(Head("NOVELK - Temperatures in corner nodes", false,
                                                        {
                                                            "     0     0     0      7.00",
                                                            "     1     1     1     11.10",
                                                            "     1     1     2     11.20",
                                                            "     1     2     1     12.10",
                                                            "     1     2     2     12.20",
                                                            "     2     1     1     21.10",
                                                            "     2     1     2     21.20",
                                                            "     2     2     1     22.10",
                                                            "     2     2     2     22.20",
                                                        })));
    // R/C/L: the third index from the top, L ascending.
    model.rcl = 1;
    ASSERT_TRUE(WriteCornerNodeReport(r));
    EXPECT_EQ(ReadBytes("cell_COR.txt"), FileBytes(Head("NOVELK - Temperatures in corner nodes", true,
                                                        {
                                                            "     1     1     7      7.00",
                                                            "     3     3     3     11.20",
                                                            "     3     3     5     11.10",
                                                            "     3     5     3     12.20",
                                                            "     3     5     5     12.10",
                                                            "     5     3     3     21.20",
                                                            "     5     3     5     21.10",
                                                            "     5     5     3     22.20",
                                                            "     5     5     5     22.10",
                                                        })));
}

TEST_F(NodeReportTest, NodeBcTemperaturesOfPowerEntriesOnly)
{
    Build();
    ReportContext r = Context(ReportDecimals{3, 2, 4});
    ASSERT_TRUE(WriteNodeBcTemperatureReport(r));
    EXPECT_EQ(ReadBytes("cell_NOT.txt"),
              FileBytes(Head("NOVELK - Temperatures in node BCs", false, {"     2     2     2    22.200"})));
}

TEST_F(GoldenReportTest, MakeTextReportsWritesTheFilesTheModelCallsFor)
{
    BuildWall();
    SetResults();
    const auto written = [] {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator("."))
            if (e.path().extension() == ".txt")
                names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    ReportContext r = Context();
    // No view-factor file, no loaded temperatures, no flags.
    run.resultsLoaded = false;
    ASSERT_TRUE(MakeTextReports(r, calcHost));
    EXPECT_EQ(written(), (std::vector<std::string>{"golden_BOC.txt", "golden_DAT.txt", "golden_MAT.txt",
                                                   "golden_RES.txt"}));
    for (const auto& name : written())
        std::filesystem::remove(name);
    // With temperatures, a POWER node BC and every flag.
    RasteriseBlocks(model, run, calcHost);
    BuildNodeNumbering(model, run, calcHost);
    run.temperature.assign(std::size_t(run.unknowns), 10.0);
    run.resultsLoaded = true;
    model.report.temperatureFactor = model.report.transmittanceQ = model.report.elementU = 1;
    ASSERT_TRUE(MakeTextReports(r, calcHost));
    EXPECT_EQ(written(), (std::vector<std::string>{"golden_BOC.txt", "golden_COR.txt", "golden_DAT.txt",
                                                   "golden_MAT.txt", "golden_NOT.txt", "golden_PSI.txt",
                                                   "golden_RES.txt", "golden_TFC.txt", "golden_UEL.txt"}));
    EXPECT_TRUE(calcHost.messages.empty());
}

TEST_F(GoldenReportTest, ReportNamesTakeTheExtensionOffAndNeedADataFile)
{
    struct Case {
        const char* dataFile;
        const char* report;
        const char* title;
    } cases[] = {
        {"golden.nvk", "golden_RES.txt", "golden"},
        {"dir.v2/golden.nvk", "dir.v2/golden_RES.txt", "golden"},
        {"dir.v2/golden", "dir.v2/golden_RES.txt", "golden"},
        {"golden.model.nvk", "golden.model_RES.txt", "golden.model"},
        {"g.x", "g_RES.txt", "g"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dataFile);
        EXPECT_EQ(ReportFilePath(c.dataFile, "_RES.txt"), c.report);
        EXPECT_EQ(DataFileTitle(c.dataFile), c.title);
    }
    BuildWall();
    std::filesystem::create_directories("dir.v2");
    model.dataFilePath = "dir.v2/golden";
    ReportContext r = Context();
    ASSERT_TRUE(WriteResultsReport(r, calcHost));
    EXPECT_TRUE(std::filesystem::exists("dir.v2/golden_RES.txt"));
    // Without a data file nothing is written and the user is told.
    model.dataFilePath.clear();
    EXPECT_FALSE(MakeTextReports(r, calcHost));
    EXPECT_FALSE(WriteResultsReport(r, calcHost));
    EXPECT_EQ(calcHost.messages,
              (std::vector<std::string>{kNoReportWithoutDataFile, kNoReportWithoutDataFile}));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("."))
        ++files;
    EXPECT_EQ(files, 1u); // the folder dir.v2
}

TEST_F(GoldenReportTest, LongTitlesAndNamesAreWrittenWhole)
{
    BuildWall();
    const std::string longName(300, 'w');
    model.title = std::string(400, 't') + "\r\nsecond line";
    model.report.elementName = longName;
    SetResults();
    model.report.elementU = 1;
    std::filesystem::create_directories(longName.substr(0, 200));
    model.dataFilePath = longName.substr(0, 200) + "/" + longName.substr(0, 200) + ".nvk";
    ReportContext r = Context();
    ASSERT_TRUE(WriteInputDataReport(r));
    ASSERT_TRUE(WriteElementUFile(r));
    const std::string base = longName.substr(0, 200) + "/" + longName.substr(0, 200);
    const std::string data = ReadBytes(base + "_DAT.txt");
    EXPECT_NE(data.find("\r\n\r\n" + std::string(400, 't') +
                        "\r\nsecond line\r\n\r\nNOVELK data file: " + longName.substr(0, 200) + ".nvk\r\n"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(base + "_UEL.txt").rfind(longName + " = (Q/(ti-te))/A1 = 0.625 W/(m\xB2.K)\r\n", 0),
              0u);
}

} // namespace
} // namespace novelk::test
