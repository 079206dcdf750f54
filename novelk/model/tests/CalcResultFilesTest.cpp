// The result files of a calculation: what a calculation writes beside its
// data file shows again when the file is opened; solution files of another
// model or with a bad line are refused as a whole; the colour results; an
// interrupted calculation leaves no new solution file; colour flows of the
// final temperatures even when the solve ends between balance checks.
#include "CalcFixture.h"
#include "novelk/model/calc/ResultFiles.h"
#include "novelk/model/store/TempFiles.h"

#include <filesystem>

namespace novelk::test {
namespace {

class CalcResultFilesTest : public CalcTest {
  protected:
    // A wall with a closed free cavity: 20 °C | material | cavity | 0 °C.
    void CavityWall()
    {
        SetGrid({1, 0.1f, 0.1f, 0.1f, 1}, {0.1f, 0.1f, 0.1f}, {0.1f, 0.1f, 0.1f});
        Surface(10, 20, 7.7f);
        Surface(12, 0, 25);
        Material(1, 0.5f);
        SetColour(13, BC_FREE);
        SetColour(14, MATERIAL, 2.0f); // used, but no cell has it
        AddBlock(1, 1, 4, 0, 3, 0, 3);
        AddBlock(13, 2, 3, 1, 2, 1, 2);
        AddBlock(10, 0, 1, 0, 3, 0, 3);
        AddBlock(12, 4, 5, 0, 3, 0, 3);
    }
    std::string SolutionWith(const std::string& lines) const
    {
        return "D " + std::to_string(model.blocks.count) + " 0 7\nR " + std::to_string(run.gridUnknowns + 3) + " " +
               std::to_string(run.gridUnknowns) + " 0 1 2\n" + lines;
    }
};

TEST_F(CalcResultFilesTest, SavedResultsShowWhenTheFileIsOpened)
{
    CavityWall();
    Tight();
    ASSERT_EQ(ViewFactors(), "");
    ASSERT_EQ(Calculate(), "");
    const std::vector<double> temperatures = run.temperature;
    const std::int64_t grid = run.gridUnknowns;
    const ModelStore calculated = model;
    EXPECT_EQ(model.colours[14].lowestTemperature, 9.0e9f); // no cells: its T line shows 9e+09
    EXPECT_NE(ReadBytes("tmp.sol").find("T 14 9e+09 0 0 0 -9e+09 0 0 0\r\n"), std::string::npos);
    EXPECT_NE(ReadBytes("tmp.sol").find("C 13 "), std::string::npos);

    // Saved beside the data file, then the file opened again.
    WriteDataFile(model, "model.nvk");
    std::filesystem::copy_file("tmp.sol", "model.sol");
    std::filesystem::copy_file("tmp.flx", "model.flx");
    ASSERT_EQ(ReadFile("model.nvk"), "");
    EXPECT_FALSE(std::filesystem::exists("tmp.sol"));
    for (ColourRecord& c : model.colours)
        c.lowestTemperature = c.highestTemperature = c.flowIn = c.flowOut = 0;
    LoadSavedResults(model, run, calcHost);
    ASSERT_TRUE(run.resultsLoaded);
    ASSERT_EQ(run.gridUnknowns, grid);
    for (std::size_t n = 0; n < std::size_t(grid); ++n)
        EXPECT_NEAR(run.temperature[n], temperatures[n], 5e-11);
    for (int c : {1, 10, 12, 13, 14}) {
        const ColourRecord& a = model.colours[std::size_t(c)];
        const ColourRecord& b = calculated.colours[std::size_t(c)];
        EXPECT_NEAR(a.lowestTemperature, b.lowestTemperature, 1e-5 * std::abs(b.lowestTemperature)) << c;
        EXPECT_NEAR(a.highestTemperature, b.highestTemperature, 1e-5 * std::abs(b.highestTemperature)) << c;
        EXPECT_NEAR(a.flowIn, b.flowIn, 1e-5 * b.flowIn) << c;
        EXPECT_EQ(a.lowestPoint[0], b.lowestPoint[0]) << c;
    }
    EXPECT_NEAR(model.colours[13].airTemperature, calculated.colours[13].airTemperature, 1e-9);
    EXPECT_TRUE(run.fluxesLoaded);
    ASSERT_EQ(run.fluxes.size(), 6u);
    EXPECT_TRUE(std::is_sorted(run.fluxes.begin(), run.fluxes.end(), [](const auto& a, const auto& b) {
        return std::tie(a.i, a.j, a.k, a.direction) < std::tie(b.i, b.j, b.k, b.direction);
    }));

    // Without the data file's own solution nothing is loaded.
    std::filesystem::remove("model.sol");
    ASSERT_EQ(ReadFile("model.nvk"), "");
    LoadSavedResults(model, run, calcHost);
    EXPECT_FALSE(run.resultsLoaded);
    EXPECT_TRUE(run.temperature.empty());
}

TEST_F(CalcResultFilesTest, SolutionFilesOfAnotherModelOrWithABadLineAreRefused)
{
    CavityWall();
    RasteriseBlocks(model, run, calcHost);
    BuildNodeNumbering(model, run, calcHost);
    run.temperature.assign(std::size_t(run.gridUnknowns) + 3, 7.0);
    const std::string n = "N 1.5 0 0 0\nN 2.5\n";
    struct Case {
        const char* what;
        std::string text;
        bool read;
    };
    const std::string other = "D 99 0 0\nR " + std::to_string(run.gridUnknowns + 3) + " " +
                              std::to_string(run.gridUnknowns) + " 0 1 2\n" + n;
    const std::vector<Case> cases = {
        {"good, zone count free, more fields", SolutionWith(n + "X ignored\nN 3.5 1 2 3 4\n"), true},
        {"another block count", other, false},
        {"a divergence above 200", SolutionWith("").replace(SolutionWith("").find(" 0 1 2"), 6, " 0 1 201") + n,
         false},
        {"a negative flow", SolutionWith(n + "Q 10 1 -2\n"), false},
        {"colour 256", SolutionWith(n + "T 256 0 0 0 0 1 0 0 0\n"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes("tmp.sol", c.text);
        std::fill(run.temperature.begin(), run.temperature.end(), 7.0);
        EXPECT_EQ(ReadSolutionFile(model, run), c.read);
        EXPECT_EQ(run.resultsLoaded, c.read);
        if (c.read) {
            EXPECT_EQ(run.temperature[0], 1.5);
            EXPECT_EQ(run.temperature[1], 2.5);
            EXPECT_EQ(run.temperature[2], 3.5);
            EXPECT_EQ(run.temperature[3], 7.0); // beyond the file's values
        } else {
            EXPECT_EQ(*std::max_element(run.temperature.begin(), run.temperature.end()), 0.0);
        }
    }
    // More N lines than unknowns: the surplus is ignored.
    run.temperature.assign(2, 0.0);
    WriteBytes("tmp.sol", SolutionWith("N 1\nN 2\nN 3\nN 4\n"));
    EXPECT_TRUE(ReadSolutionFile(model, run));
    EXPECT_EQ(run.temperature, (std::vector<double>{1, 2}));
}

TEST_F(CalcResultFilesTest, AirTemperaturesOnlyOfUsedCavityAirColours)
{
    CavityWall();
    SetColour(6, BC_FRE_S);
    model.colours[20].type = BC_FREE; // not used
    model.colours[1].airTemperature = 3;
    RasteriseBlocks(model, run, calcHost);
    BuildNodeNumbering(model, run, calcHost);
    WriteBytes("tmp.sol", SolutionWith("C 13 11.5\nC 6 12.5\nC 1 99\nC 20 99\n"));
    ASSERT_TRUE(ReadSolutionFile(model, run));
    EXPECT_EQ(model.colours[13].airTemperature, 11.5f);
    EXPECT_EQ(model.colours[6].airTemperature, 12.5f);
    EXPECT_EQ(model.colours[1].airTemperature, 3.0f);
    EXPECT_EQ(model.colours[20].airTemperature, 0.0f);
}

TEST_F(CalcResultFilesTest, CompanionFilesReplaceTheExtension)
{
    struct Case {
        const char* data;
        const char* sol;
    };
    for (const Case& c : {Case{"models/wall.nvk", "models/wall.sol"}, Case{"models.v2/wall", "models.v2/wall.sol"},
                          Case{"wall.x.nvk", "wall.x.sol"}, Case{"", ""}})
        EXPECT_EQ(CompanionFilePath(c.data, "sol"), c.sol);
    // Without a data file there is no fallback to read.
    CavityWall();
    model.dataFilePath.clear();
    RasteriseBlocks(model, run, calcHost);
    BuildNodeNumbering(model, run, calcHost);
    WriteBytes(".sol", SolutionWith("N 1\n"));
    EXPECT_FALSE(ReadSolutionFile(model, run));
    ReadFluxFile(model, run);
    EXPECT_TRUE(run.fluxes.empty());
}

TEST_F(CalcResultFilesTest, AnInterruptedCalculationLeavesNoNewSolutionFile)
{
    CavityWall();
    ASSERT_EQ(ViewFactors(), "");
    WriteBytes("tmp.sol", "an earlier file\n");
    Tight();
    calcHost.escAfter = 40; // inside the solve
    calcHost.messages.clear();
    EXPECT_EQ(RunCalcSystem(model, run, history, calcHost), CalcResult::Aborted);
    EXPECT_EQ(ReadBytes("tmp.sol"), "an earlier file\n");
    EXPECT_FALSE(std::filesystem::exists("tmp.flx"));
    // Only the question of the existing view-factor file was asked.
    EXPECT_EQ(calcHost.messages.size(), 2u);
    EXPECT_TRUE(run.calc.matrix == nullptr); // the solver's arrays are freed
}

TEST_F(CalcResultFilesTest, ColourFlowsOfTheFinalTemperatures)
{
    // Three steps only, before the first balance check: the flows still
    // belong to the temperatures written.
    SetGrid({1, 0.5f, 0.5f, 1}, {1}, {1});
    Surface(10, 20, 8);
    Surface(12, 0, 25);
    Material(1, 0.5f);
    AddBlock(10, 0, 1, 0, 1, 0, 1);
    AddBlock(1, 1, 3, 0, 1, 0, 1);
    AddBlock(12, 3, 4, 0, 1, 0, 1);
    model.calc.iterations = 3;
    ASSERT_EQ(Calculate(), "");
    // Each of the warm face's four corners exchanges h A/4 (20 - T).
    double warm = 0, cold = 0;
    for (int j = 0; j <= 1; ++j)
        for (int k = 0; k <= 1; ++k) {
            warm += 8 * 0.25 * (20 - T(1, j, k));
            cold += 25 * 0.25 * T(3, j, k);
        }
    EXPECT_NEAR(model.colours[10].flowIn, warm, 1e-5 * warm);
    EXPECT_NEAR(model.colours[12].flowOut, cold, 1e-5 * cold);
}

} // namespace
} // namespace novelk::test
