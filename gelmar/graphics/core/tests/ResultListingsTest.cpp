// The result listings against texts worked out by hand: time-step results,
// corner nodes and node BCs of small work arrays, the report file and the
// view factors; corner patterns over all 256 neighbourhoods against a rule
// of their own; and the flows of a calculated wall against the series
// resistances.
#include "gelmar/graphics/core/ResultListings.h"

#include "ListingSupport.h"
#include "gelmar/graphics/core/LoadedResults.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/tests/CalcModel.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace gelmar::test {
namespace {

class ResultListingsTest : public ::testing::Test {
  protected:
    void SetUp() override { LoadGelmarStrings(); }
};

TEST_F(ResultListingsTest, TimeStepResultsPerColour)
{
    auto m = ResultModel();
    Work work(*m, kResultTime);
    const LoadedResults results(*m, work.run);
    const ShownListing shown =
        Show([&](ListingWriter& out) { WriteResultsListing(out, *m, results, ListingDecimals{}); });
    EXPECT_EQ(shown.text,
              Lines({
                  "",
                  "GELMAR - Calculation Results",
                  "",
                  "GELMAR data file: r.glm",
                  "Number of nodes = 12",
                  "",
                  "Time step 0000:01:00:00",
                  "",
                  "Col. Type      Name                 tmin    X    Y    Z      tmax    X    Y    Z",
                  "                                    [°C]                     [°C]              _",
                  "  1  MATERIAL  Brick               10.50    0    0    0     19.25    2    1    1",
                  "  2  BC_SIMPL  Inside surface      20.00    2    0    0     20.00    2    0    0",
                  // A colour without nodes: number, type and name only.
                  "  3  BC_FREE   Air            ",
                  "",
                  "Col. Type      Name                   ta   Flow in  Flow out",
                  "                                    [°C]       [W]       [W]",
                  "  2  BC_SIMPL  Inside surface                12.50      0.00",
                  "  3  BC_FREE   Air                 18.25      0.00      3.50",
              }));
    EXPECT_EQ(shown.bold, std::vector<std::string>{"GELMAR - Calculation Results"});
    EXPECT_EQ(shown.underlined.size(), 2u);

    // R/C/L: 2i + 1, the third counted from the top; other decimals.
    m->rcl = 1;
    const std::string rcl = Show([&](ListingWriter& out) {
                                WriteResultsListing(out, *m, results, ListingDecimals{1, 3, 4});
                            }).text;
    EXPECT_NE(rcl.find("Col. Type      Name                 tmin    R    C    L      tmax    R    C    L\n"),
              std::string::npos);
    EXPECT_NE(rcl.find("  1  MATERIAL  Brick                10.5    1    1    3      19.2    5    3    1\n"),
              std::string::npos);
    EXPECT_NE(rcl.find("  3  BC_FREE   Air                  18.2     0.000     3.500\n"), std::string::npos);
}

TEST_F(ResultListingsTest, AnIsolatedCellHasEightCornerNodes)
{
    auto m = NewStore();
    m->dataFilePath = "c.glm";
    SetAxis(*m, 0, {1, 1, 1});
    SetAxis(*m, 1, {1, 1, 1});
    SetAxis(*m, 2, {1, 1, 1});
    m->gridUnit = 0.001f;
    UseColour(*m, 1, MATERIAL, "Solid");
    UseColour(*m, 2, BC_SIMPL, "Surface"); // not solid
    Work work(*m);
    work.Colour(*m, 1, 1, 1, 1);
    work.Colour(*m, 2, 0, 0, 0);
    const LoadedResults results(*m, work.run);
    // Points (i, j, k) number i + 4 j + 16 k.
    const std::string head = Lines({
        "",
        "GELMAR - Temperatures in corner nodes",
        "",
        "GELMAR data file: c.glm",
        "",
        "Time step 0000:00:00:00",
        "",
    });
    EXPECT_EQ(
        Show([&](ListingWriter& out) { WriteCornerNodesListing(out, *m, results, ListingDecimals{}); }).text,
        head + Lines({
                   "     X     Y     Z         t",
                   "  [mm]  [mm]  [mm]      [°C]",
                   "     1     1     1     31.00",
                   "     1     1     2     47.00",
                   "     1     2     1     35.00",
                   "     1     2     2     51.00",
                   "     2     1     1     32.00",
                   "     2     1     2     48.00",
                   "     2     2     1     36.00",
                   "     2     2     2     52.00",
               }));
    // R/C/L: the layers from the top, each index 2i + 1.
    m->rcl = 1;
    EXPECT_EQ(Show([&](ListingWriter& out) {
                  WriteCornerNodesListing(out, *m, results, ListingDecimals{0, 2, 4});
              }).text,
              head + Lines({
                         "     R     C     L         t",
                         "  [mm]  [mm]  [mm]      [°C]",
                         "     3     3     3        47",
                         "     3     3     5        31",
                         "     3     5     3        51",
                         "     3     5     5        35",
                         "     5     3     3        48",
                         "     5     3     5        32",
                         "     5     5     3        52",
                         "     5     5     5        36",
                     }));
}

TEST_F(ResultListingsTest, TemperaturesInPowerNodeBcs)
{
    auto m = NewStore();
    m->dataFilePath = "n.glm";
    SetAxis(*m, 0, {1, 1});
    SetAxis(*m, 1, {1, 1});
    SetAxis(*m, 2, {1});
    m->nodeBcs.Grow(3);
    m->nodeBcs.count = 3;
    m->nodeBcs[0].type = 1, m->nodeBcs[0].i = 1, m->nodeBcs[0].j = 2, m->nodeBcs[0].k = 1;
    m->nodeBcs[1].type = 0, m->nodeBcs[1].i = 0; // a temperature: not listed
    m->nodeBcs[2].type = 1, m->nodeBcs[2].i = 2, m->nodeBcs[2].j = 0, m->nodeBcs[2].k = 0;
    Work work(*m);
    work.w.nodeIndex[2] = -1; // point (2, 0, 0) without a calculation node
    const LoadedResults results(*m, work.run);
    // With nz = 1 the third index column is blank.
    EXPECT_EQ(
        Show([&](ListingWriter& out) { WriteNodeBcsListing(out, *m, results, ListingDecimals{}); }).text,
        Lines({
            "",
            "GELMAR - Temperatures in node BCs",
            "",
            "GELMAR data file: n.glm",
            "",
            "Time step 0000:00:00:00",
            "",
            "     X     Y     Z         t",
            "   [m]   [m]   [m]      [°C]",
            "     1     2           26.00",
            "     2     0                ",
            "",
        }));
}

TEST_F(ResultListingsTest, ReportFileLineByLine)
{
    std::filesystem::create_directories("report");
    const std::string path = "report/wall.txt";
    const std::string longLine(600, 'x');
    // CR LF ends, a Windows-1252 degree sign, a long line and no line end at
    // the end of the file.
    std::ofstream(path, std::ios::binary) << "Report\r\nt [\xB0"
                                             "C]\tq\r\n"
                                          << longLine << "\r\nlast";
    const ShownListing shown = Show([&](ListingWriter& out) { WriteReportOutputListing(out, path); });
    EXPECT_EQ(shown.text, "\nReport\nt [°C]\tq\n" + longLine + "\nlast\n");
    EXPECT_EQ(shown.bold, std::vector<std::string>{"Report"});

    // A file of LF ends; a missing file gives an empty listing.
    std::ofstream("report/lf.txt", std::ios::binary) << "Head\n\nbody\n";
    EXPECT_EQ(Show([&](ListingWriter& out) { WriteReportOutputListing(out, "report/lf.txt"); }).text,
              "\nHead\n\nbody\n");
    EXPECT_EQ(Show([&](ListingWriter& out) { WriteReportOutputListing(out, "report/none.txt"); }).text, "");
    // Binary garbage is listed as it is, without a crash.
    std::string garbage;
    for (int b = 0; b < 256; ++b)
        garbage += static_cast<char>(b);
    std::ofstream("report/garbage.txt", std::ios::binary) << garbage << garbage;
    const std::string listed =
        Show([&](ListingWriter& out) { WriteReportOutputListing(out, "report/garbage.txt"); }).text;
    EXPECT_NE(listed.find("\x7F\xE2\x82\xAC"), std::string::npos); // 0x80 is the euro sign
}

TEST_F(ResultListingsTest, ViewFactorsBetweenColours)
{
    ViewFactorSummary summary;
    summary.exchange.assign(256 * 256, 0.0);
    summary.area[1] = 2;
    summary.exchange[1 * 256 + 2] = 0.5;
    summary.exchange[1 * 256 + 7] = 1.5;
    summary.area[7] = 0.125;
    summary.exchange[7 * 256 + 1] = 0.125;
    summary.exchange[9 * 256 + 1] = 1; // colour 9 has no area: not listed
    const ShownListing shown = Show(
        [&](ListingWriter& out) { WriteViewFactorsListing(out, "tmp.vwf", &summary, ListingDecimals{}); });
    EXPECT_EQ(shown.text, Lines({
                              "",
                              "GELMAR - View Factors",
                              "",
                              "View factor file: tmp.vwf",
                              "",
                              "From     To      Sender     View",
                              "col.    col.       [m²]     factor",
                              "  1       2           2     0.2500",
                              "  1       7           2     0.7500",
                              "  7       1       0.125     1.0000",
                          }));
    EXPECT_EQ(shown.underlined, std::vector<std::string>{"col.    col.       [m²]     factor"});
    // Without a summary: the title and the file line.
    EXPECT_EQ(Show([&](ListingWriter& out) {
                  WriteViewFactorsListing(out, "w.vwf", nullptr, ListingDecimals{});
              }).text,
              "\nGELMAR - View Factors\n\nView factor file: w.vwf\n\n");
    EXPECT_EQ(ReplaceLastThree("/data/wall.glm", "txt"), "/data/wall.txt");
    EXPECT_EQ(ReplaceLastThree("ab", "txt"), "");
}

// The example wall calculated: the listed flow into the model through the
// inside surface and out through the outside surface equal the heat flow
// through the series resistances, and the wall's eight corners carry the
// surface temperatures.
class CalculatedWallTest : public CalcEngineTest {
  protected:
    void SetUp() override
    {
        CalcEngineTest::SetUp();
        LoadGelmarStrings();
    }
};

double Field(const std::string& line, std::size_t from, std::size_t width)
{
    return std::stod(line.substr(from, width));
}

TEST_F(CalculatedWallTest, FlowsEqualTheSeriesResistanceHeatFlow)
{
    WriteBytes("wall.glm", ReadBytes(std::string(SUITE_EXAMPLES_DIR) + "/wall.glm"));
    engine.model.dataFilePath = "wall.glm";
    ASSERT_TRUE(
        ReadDataFile(engine.model, engine.model.dataFilePath, ReadMode::Open, engine.parameters, Host()));
    ASSERT_TRUE(Run()) << LastMessage();
    const double q = 20.0 / (1 / 7.7 + 0.2 / 0.5 + 1 / 25.0);
    const LoadedResults results(engine.model, engine.run);
    const std::string text = Show([&](ListingWriter& out) {
                                 WriteResultsListing(out, engine.model, results, ListingDecimals{4, 4, 4});
                             }).text;
    std::istringstream in(text.substr(text.find("Flow out")));
    std::string line, inside, outside;
    while (std::getline(in, line)) {
        if (line.rfind("  2  ", 0) == 0)
            inside = line;
        if (line.rfind("  3  ", 0) == 0)
            outside = line;
    }
    ASSERT_FALSE(inside.empty());
    ASSERT_FALSE(outside.empty());
    // Flow in and flow out: columns 40-49 and 50-59; 1 m² of wall.
    EXPECT_NEAR(Field(inside, 40, 10), q, 2e-3);
    EXPECT_NEAR(Field(inside, 50, 10), 0, 1e-9);
    EXPECT_NEAR(Field(outside, 40, 10), 0, 1e-9);
    EXPECT_NEAR(Field(outside, 50, 10), q, 2e-3);

    const std::string corners =
        Show([&](ListingWriter& out) {
            WriteCornerNodesListing(out, engine.model, results, ListingDecimals{3, 2, 4});
        }).text;
    std::istringstream rows(corners.substr(corners.find("[°C]\n") + 6));
    int count = 0;
    while (std::getline(rows, line)) {
        const int i = std::stoi(line.substr(0, 6));
        ASSERT_TRUE(i == 1 || i == 5) << line;
        EXPECT_NEAR(Field(line, 18, 10), i == 1 ? 20 - q / 7.7 : q / 25, 1e-3);
        ++count;
    }
    EXPECT_EQ(count, 8);
}

} // namespace
} // namespace gelmar::test
