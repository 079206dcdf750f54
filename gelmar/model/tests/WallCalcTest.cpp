// The one-dimensional wall of the example, run through the driver's own
// sequence: surface temperatures and heat flow against the series
// resistances, the solution file, and several steps of a steady model.
#include "CalcModel.h"
#include "gelmar/model/calc/StepFiles.h"
#include "gelmar/model/store/Engine.h"

#include <fstream>
#include <sstream>

namespace gelmar::test {
namespace {

// Lines of a text file with their CRLF ends removed.
std::vector<std::string> Lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(ReadBytes(path));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class WallCalcTest : public CalcEngineTest {
  protected:
    bool ReadExample()
    {
        WriteBytes("wall.glm", ReadBytes(std::string(SUITE_EXAMPLES_DIR) + "/wall.glm"));
        engine.model.dataFilePath = "wall.glm";
        return ReadDataFile(engine.model, engine.model.dataFilePath, ReadMode::Open, engine.parameters,
                            Host());
    }
};

TEST_F(WallCalcTest, ExampleGivesSeriesResistanceTemperaturesAndFlow)
{
    ASSERT_TRUE(ReadExample());
    ASSERT_TRUE(Run()) << LastMessage();
    // The series resistances of the stored (single-precision) values.
    const double hi = 7.7f, he = 25.0f, w = 0.05f, lambda = 0.5f;
    const double q = 20.0 / (1 / hi + 4 * w / lambda + 1 / he);
    EXPECT_NEAR(q, 35.0957, 5e-5);
    for (int j = 0; j <= 1; ++j)
        for (int k = 0; k <= 1; ++k) {
            EXPECT_NEAR(T(1, j, k), 20 - q / hi, 1e-8);
            EXPECT_NEAR(T(5, j, k), q / he, 1e-8);
            for (int i = 2; i <= 4; ++i) { // linear through the wall
                EXPECT_NEAR(T(i, j, k), T(1, j, k) - (i - 1) * w * q / lambda, 1e-8);
            }
        }
    EXPECT_NEAR(engine.model.colours[2].resultValue1, q, 1e-4);
    EXPECT_NEAR(engine.model.colours[3].resultValue2, q, 1e-4);

    const std::vector<std::string> sol = Lines("tmp0000.sol");
    ASSERT_GE(sol.size(), 23u);
    EXPECT_EQ(sol[0], "D 3 0 0");
    EXPECT_EQ(sol[1].substr(0, 8), "R 20 20 ");
    EXPECT_EQ(sol[2], "N 15.4421148192 1 0 0");
    EXPECT_EQ(sol[18], "N 1.4038286009 5 0 0");
    EXPECT_NE(std::find(sol.begin(), sol.end(), "Q 2 35.0957 0"), sol.end());
    EXPECT_NE(std::find(sol.begin(), sol.end(), "Q 3 0 35.0957"), sol.end());
    EXPECT_NE(std::find(sol.begin(), sol.end(), "T 1 1.40383 5 0 0 15.4421 1 0 0"), sol.end());
}

TEST_F(WallCalcTest, SteadyModelGivesTheSameFileAtEveryStep)
{
    ASSERT_TRUE(ReadExample());
    engine.model.timeStep = 600;
    engine.model.calcDuration = 3000;
    ASSERT_TRUE(Run()) << LastMessage();
    const std::vector<std::string> first = Lines("tmp0000.sol");
    for (const char* name : {"tmp0001.sol", "tmp0002.sol", "tmp0003.sol", "tmp0004.sol", "tmp0005.sol"}) {
        const std::vector<std::string> later = Lines(name);
        ASSERT_EQ(later.size(), first.size()) << name;
        // The R line carries the solver's read-outs of that step; every
        // result line is the same.
        for (std::size_t n = 0; n < first.size(); ++n) {
            if (first[n][0] != 'R') {
                EXPECT_EQ(later[n], first[n]) << name << " line " << n;
            }
        }
    }
    EXPECT_EQ(engine.run.calcTime, 3000);
}

TEST_F(WallCalcTest, RunRemovesStepFilesOfAnEarlierRun)
{
    ASSERT_TRUE(ReadExample());
    WriteBytes("tmp0007.sol", "stale");
    WriteBytes("TMP0003.FLX", "stale");
    WriteBytes("tmp0005.sfx", "stale");
    WriteBytes("tmp0000.sfd", "stale");
    WriteBytes("tmp0003.txt", "kept");
    ASSERT_TRUE(Run());
    for (const char* name : {"tmp0007.sol", "TMP0003.FLX", "tmp0005.sfx", "tmp0000.sfd"})
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
    EXPECT_TRUE(std::filesystem::exists("tmp0003.txt"));
    EXPECT_TRUE(std::filesystem::exists("tmp0000.sol"));
    // Opening a file removes them too.
    WriteBytes("tmp0009.sol", "stale");
    ASSERT_TRUE(ReadExample());
    EXPECT_FALSE(std::filesystem::exists("tmp0009.sol"));
    EXPECT_FALSE(std::filesystem::exists("tmp0000.sol"));
}

TEST_F(WallCalcTest, SolutionFileReadsBack)
{
    ASSERT_TRUE(ReadExample());
    ASSERT_TRUE(Run());
    const std::vector<double> solved = engine.run.work.solution;
    ClearSolution(engine.run);
    engine.model.colours[2].resultValue1 = 0;
    ASSERT_TRUE(
        ReadSolutionFile(engine.model, engine.run, BuildStepFileName(engine.model, engine.run, ".sol")));
    for (std::size_t n = 0; n < solved.size(); ++n)
        EXPECT_NEAR(engine.run.work.solution[n], solved[n], 1e-9);
    EXPECT_NEAR(engine.model.colours[2].resultValue1, 35.0957, 1e-4);
    EXPECT_TRUE(engine.run.solutionValid);
}

} // namespace
} // namespace gelmar::test
