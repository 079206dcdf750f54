// The input data listing of small models against texts worked out by hand
// from each model: every section and list kind in the normal naming, the
// R/C/L naming of grid rows, blocks and node indices, and the grid table's
// edge cases.
#include "gelmar/graphics/core/InputDataListing.h"

#include "ListingSupport.h"

#include <gtest/gtest.h>
#include <sstream>

namespace gelmar::test {
namespace {

// The lines of the section that starts with the given line, up to the
// first empty line.
std::string Section(const std::string& text, const std::string& title)
{
    std::istringstream in(text);
    std::string line, out;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!inside && line == title)
            inside = true;
        else if (inside && line.empty())
            break;
        if (inside)
            out += line + "\n";
    }
    return out;
}

const std::string B8 = "        ";

class InputDataListingTest : public ::testing::Test {
  protected:
    void SetUp() override { LoadGelmarStrings(); }
};

TEST_F(InputDataListingTest, EverySectionOfASmallModel)
{
    auto m = WallModel();
    const ShownListing shown = Show([&](ListingWriter& out) { WriteInputDataListing(out, *m); });
    const std::string expected = Lines({
        "",
        "GELMAR - Input Data",
        "",
        "Wall test",
        "",
        "GELMAR data file: wall.glm",
        "",
        "GRID",
        "No.            X         Y         Z",
        "              [m]       [m]       [m]   ",
        "0-1            0.250     1.000     2.000",
        "1-2            0.500     0.500",
        "2-3            0.125          ",
        "3-4            0.125          ",
        "4-5            1.000          ",
        "Sum            2.000     1.500     2.000",
        "",
        "BLOCKS",
        "No.   Col.    Xmin  Xmax  Ymin  Ymax  Zmin  Zmax",
        "1       1        0     2     0     2     0     1",
        "2       2        2     5     0     1     0     1",
        "",
        "No.   Col.        Xmin      Xmax      Ymin      Ymax      Zmin      Zmax",
        "1       1        0.000     0.750     0.000     1.500     0.000     2.000",
        "2       2        0.750     2.000     0.000     1.000     0.000     2.000",
        "",
        "FUNCTIONS",
        "T01: CONST",
        "  Constant value = 20°C",
        "T02: FILE",
        "  C:\\data\\t.fte",
        "I01: SINE",
        "  Mean value = 100 W/m²",
        "  Amplitudo = 50 W/m²",
        "  Period = 1440 min",
        "  Offset = 0 min",
        "",
        "COLOURS",
        "Col. Type      CEN-rule  Name             lambda     eps    rho       c       t       h       q",
        "                                            [W/mK]     [-] [kg/m3] [J/kgK]    [°C] [W/m²K]  [W/m²]",
        "  1  MATERIAL            Concrete            1.700    0.90  2400.0   880.0" + B8 + B8 + B8,
        "  2  BC_SIMPL  HI_NORML  Inside air     " + std::string("  ") + B8 + B8 + B8 + B8 +
            "     T01    7.70     I01",
        "  3  BC_FREE   CEN_Xz_I  Cavity         " + std::string("  ") + B8 + B8 + "     1.2  1000.0" + B8 +
            B8 + "       0",
        "",
        "Col.    ta      hc      Pc      tr         C1        C2        C3    Sun         rs      ts",
        "       [°C] [W/m²K]     [W]    [°C]                                             [-]     [-]",
        "  1" + B8 + B8 + B8 + B8 + "          " + "                    " + "          " + "    0.30    0.00",
        "  2" + B8 + B8 + B8 + B8 + "          " + "                    " + "    YES   " + B8 + B8,
        "  3" + B8 + "    2.50       0" + B8 + "     0.025      0.73  0.333333" + "          " + B8 + B8,
        "",
        "NODE BC-S",
        "No.      X     Y     Z  Type         t         P",
        "                                    [°C]     [W]",
        "1        1     1        TEMP        15.0",
        "2        3     0        POWER                 50",
        "",
        "Borderface BCs",
        "No.  Col.1  Col.2  Type    t [°C]  q [W/m²]",
        "1      1      2TEMP            10          ",
        "2      3             " + std::string("          ") + "          ",
        "",
        "Material BCs",
        "No.  Col.  Type     t [°C]  p [W/m3]",
        "1      1   POWER                1000",
        "2      1   TEMP          5",
        "",
        "Ventilation flows",
        "No.  From Col.1  To Col.2  Flow [m3/s]",
        "1             3               0.010000",
        "",
        "OUTPUT NODES",
        "No.      X     Y     Z",
        "1        2     1      ",
        "",
        "OUTPUT BLOCKS",
        "No.   Xmin  Xmax  Ymin  Ymax  Zmin  Zmax",
        "1      1.5   4.5  -0.5   0.5  -0.5   0.5",
        "",
        "SOLAR DATA",
        "1. Rotation angle around Z axis = 0°",
        "2. Rotation angle around X axis = 0°",
        "3. Rotation angle around Z axis = 0°",
        "Latitude = 50.78° N",
        "Longitude = 4.37° E",
        "Time zone = 1 h E",
        "Horizontal global solar radiation function = G01",
        "Horizontal diffuse solar radiation function = D01",
        "Ground reflection factor = 0.20",
        "",
        "SUN OBSTACLES",
        "No.    Min. Azimuth [°]    Max. Azimuth [°]   Min. Altitude [°]   Max. Altitude [°]",
        "1                    90                 180                   0                  30",
        "",
        "CONTROLS",
        "No. Sensor Target Sens.up Sens.dn Purpose   Time on Time off Func Func   Test      dt  Zone Zone",
        "    node   func      [°C]    [°C]             [min]    [min] from to     dt       [°C] t1   t2  ",
        "1   1      T03        1.0     1.0 HEATING      10.0      5.0 V01  V02    YES       2.0 3    4",
        "",
        "Calculation parameters",
        "Time step interval = 0000:00:10:00",
        "Start-up calculation duration = 0000:00:00:00",
        "Calculation duration = 0001:00:00:00",
        "Day number at start of calculation = 1",
        "Iteration cycles = 20",
        "Maximum number of iterations (within each iteration cycle) = 10000",
        "Maximum temperature difference (within each iteration cycle) = 0.0001",
        "Heat flow divergence for total object = 0.001 %",
        "Heat flow divergence for worst node = 1 %",
        "Linear radiation",
        "Smallest accepted view factor = 0.0001",
        "Number of visibility rays between radiative surfaces = 100",
        "Black radiation heat transfer coeff. (linear radiation) = 5.1 W/(m².K)",
        "Automatic recalculation of CEN-values",
        "Default temperature difference across airspace = 10°C",
    });
    EXPECT_EQ(shown.text, expected);
    // Bold title; underlined units lines, block headings and the parameters.
    EXPECT_EQ(shown.bold, std::vector<std::string>{"GELMAR - Input Data"});
    ASSERT_EQ(shown.underlined.size(), 7u);
    EXPECT_EQ(shown.underlined[0], "              [m]       [m]       [m]   ");
    EXPECT_EQ(shown.underlined[1], "No.   Col.    Xmin  Xmax  Ymin  Ymax  Zmin  Zmax");
    EXPECT_EQ(shown.underlined[6], "Calculation parameters");
}

TEST_F(InputDataListingTest, RclNamingCountsTheThirdAxisFromTheTop)
{
    auto m = WallModel();
    m->rcl = 1;
    SetAxis(*m, 2, {0.5f, 1.5f});
    m->nodeBcs[1].k = 2;
    m->outputBlocks[0].k1 = 0, m->outputBlocks[0].k2 = 1;
    AddBlock(*m, 1, 0, 1, 0, 1, 0, 2);
    const std::string text = Show([&](ListingWriter& out) { WriteInputDataListing(out, *m); }).text;
    EXPECT_EQ(Section(text, "GRID"), Lines({
                                         "GRID",
                                         "No.            R         C         L",
                                         "              [m]       [m]       [m]   ",
                                         "1-3            0.250     1.000     1.500",
                                         "3-5            0.500     0.500     0.500",
                                         "5-7            0.125          ",
                                         "7-9            0.125          ",
                                         "9-11           1.000          ",
                                         "Sum            2.000     1.500     2.000",
                                     }));
    // A block from z 0 to nz shows L from 1 to 2 nz + 1; the coordinates stay.
    EXPECT_EQ(Section(text, "BLOCKS"), Lines({
                                           "BLOCKS",
                                           "No.   Col.    Rmin  Rmax  Cmin  Cmax  Lmin  Lmax",
                                           "1       1        1     5     1     5     3     5",
                                           "2       2        5    11     1     3     3     5",
                                           "3       1        1     3     1     3     1     5",
                                       }));
    EXPECT_NE(text.find("No.   Col.        Rmin      Rmax      Cmin      Cmax      Lmin      Lmax\n"
                        "1       1        0.000     0.750     0.000     1.500     0.000     0.500\n"),
              std::string::npos);
    EXPECT_EQ(Section(text, "NODE BC-S"), Lines({
                                              "NODE BC-S",
                                              "No.      R     C     L  Type         t         P",
                                              "                                    [°C]     [W]",
                                              "1        3     3     5  TEMP        15.0",
                                              "2        7     1     1  POWER                 50",
                                          }));
    EXPECT_EQ(Section(text, "OUTPUT NODES"),
              Lines({"OUTPUT NODES", "No.      R     C     L", "1        5     3     5"}));
    EXPECT_EQ(Section(text, "OUTPUT BLOCKS"), Lines({
                                                  "OUTPUT BLOCKS",
                                                  "No.   Rmin  Rmax  Cmin  Cmax  Lmin  Lmax",
                                                  "1        5    11     1     3     3     5",
                                              }));
}

TEST_F(InputDataListingTest, GridTableOfThreeFiveAndOneCells)
{
    auto m = NewStore();
    m->gridUnit = 0.01f;
    SetAxis(*m, 0, {1, 2, 3});
    SetAxis(*m, 1, {0.5f, 0.5f, 0.5f, 0.5f, 0.25f});
    SetAxis(*m, 2, {10});
    const std::string text = Show([&](ListingWriter& out) { WriteInputDataListing(out, *m); }).text;
    EXPECT_EQ(Section(text, "GRID"), Lines({
                                         "GRID",
                                         "No.            X         Y         Z",
                                         "              [cm]      [cm]      [cm]  ",
                                         "0-1            1.000     0.500    10.000",
                                         "1-2            2.000     0.500",
                                         "2-3            3.000     0.500",
                                         "3-4                      0.500",
                                         "4-5                      0.250",
                                         "Sum            6.000     2.250    10.000",
                                     }));
}

TEST_F(InputDataListingTest, SumRowEqualsTheSumOfTheListedWidths)
{
    auto m = NewStore();
    SetAxis(*m, 0, {0.013f, 0.127f, 0.3f, 0.0625f, 1.25f, 0.011f, 0.4f});
    SetAxis(*m, 1, {0.7f});
    SetAxis(*m, 2, {0.2f, 0.9f});
    const std::string grid =
        Section(Show([&](ListingWriter& out) { WriteInputDataListing(out, *m); }).text, "GRID");
    std::istringstream in(grid);
    std::string line;
    double sum[3] = {}, total[3] = {};
    while (std::getline(in, line)) {
        if (line.size() < 20 || (line[0] != 'S' && (line[0] < '0' || line[0] > '9')))
            continue;
        for (int a = 0; a < 3; ++a) {
            const std::string field = line.size() >= 20 + 10u * a ? line.substr(10 + 10 * a, 10) : "";
            if (field.find_first_not_of(' ') == std::string::npos)
                continue;
            (line[0] == 'S' ? total : sum)[a] += std::stod(field);
        }
    }
    for (int a = 0; a < 3; ++a) {
        SCOPED_TRACE(a);
        // Each listed width is rounded to 0.0005 at most.
        EXPECT_NEAR(total[a], sum[a], 0.0005 * m->axes[a].n + 1e-9);
        EXPECT_NEAR(total[a], m->axes[a].coords.back(), 0.0005);
    }
}

TEST_F(InputDataListingTest, EmptyModelKeepsTheHeadingsAndParameters)
{
    auto m = NewStore();
    const std::string text = Show([&](ListingWriter& out) { WriteInputDataListing(out, *m); }).text;
    EXPECT_EQ(Section(text, "GRID"), Lines({"GRID", "No.            X         Y         Z",
                                            "              [m]       [m]       [m]   ",
                                            "Sum            0.000     0.000     0.000"}));
    EXPECT_NE(text.find("\nGELMAR data file: .glm\n"), std::string::npos);
    EXPECT_NE(text.find("BLOCKS\n"), std::string::npos);
    EXPECT_NE(text.find("FUNCTIONS\n\nCOLOURS\n"), std::string::npos);
    EXPECT_EQ(text.find("NODE BC-S"), std::string::npos);
    EXPECT_EQ(text.find("SOLAR DATA"), std::string::npos);
    EXPECT_NE(text.find("Calculation parameters\nTime step interval"), std::string::npos);
    EXPECT_EQ(text.find("Iteration cycles"), std::string::npos);
}

TEST_F(InputDataListingTest, LongFilePathsAreListedWhole)
{
    auto m = NewStore();
    m->functions.Grow(1);
    m->functions.count = 1;
    FunctionRecord& f = m->functions[0];
    f.name = FunctionName("T05");
    f.inUse = 1;
    // Longer than any line buffer, with a backslash every ten characters.
    for (int i = 0; i < 30; ++i)
        f.filePath += "\\folder" + std::to_string(i % 10);
    const ShownListing shown = Show([&](ListingWriter& out) { WriteInputDataListing(out, *m); });
    EXPECT_NE(shown.text.find("T05: FILE\n  " + f.filePath + "\n"), std::string::npos);
    // The RTF holds every backslash doubled once.
    ListingWriter saved;
    WriteInputDataListing(saved, *m);
    std::string escaped;
    for (char c : f.filePath)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_NE(saved.Document().BuildCompleteText().find(escaped + "\r\n\\par"), std::string::npos);
}

TEST_F(InputDataListingTest, FunctionUnitsByTheirLetter)
{
    const std::pair<char, const char*> cases[] = {
        {'C', " J/(kg.K)"}, {'H', " W/(m².K)"}, {'I', " W/m²"}, {'L', " W/(m.K)"}, {'M', " W/(m.K)"},
        {'P', " W"},        {'T', "°C"},        {'V', " m3/s"}, {'E', ""},         {'S', ""},
    };
    for (const auto& [letter, unit] : cases)
        EXPECT_STREQ(FunctionValueUnit(letter), unit) << letter;
}

TEST_F(InputDataListingTest, ShownListingsAreHandedOverEveryTwentyRows)
{
    auto m = NewStore();
    SetAxis(*m, 0, {1});
    SetAxis(*m, 1, {1});
    SetAxis(*m, 2, {1});
    for (int b = 0; b < 100; ++b)
        AddBlock(*m, 1, 0, 1, 0, 1, 0, 1);
    const ShownListing shown = Show([&](ListingWriter& out) { WriteInputDataListing(out, *m); });
    // 1 grid row, the Sum row, 200 block rows and 8 parameter lines, then the
    // last hand-over.
    EXPECT_EQ(shown.handOvers, (1 + 1 + 200 + 8) / 20 + 1);
}

} // namespace
} // namespace gelmar::test
