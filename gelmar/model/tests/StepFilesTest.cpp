// Step file names, the solution-file reader's checks and bounds, and the
// heat-flow file reader.
#include "gelmar/model/calc/StepFiles.h"

#include "CalcModel.h"
#include "gelmar/model/store/Engine.h"

namespace gelmar::test {
namespace {

class StepFilesTest : public CalcEngineTest {
  protected:
    // A solved small wall: 10 grid nodes (the node BC holds the two points
    // (0, 0, 0) and (0, 0, 1) of the flat grid), two blocks, one node BC.
    void SolvedModel()
    {
        SetGrid(Uniform(3, 1), Uniform(1, 1), Uniform(1, 1));
        Colour(1, MATERIAL);
        Surface(2, 10, 5);
        Block(1, 0, 2, 0, 1, 0, 1);
        Block(2, 2, 3, 0, 1, 0, 1);
        NodeBc(0, 0, 0, 0).temperature = 20;
        ASSERT_TRUE(Run());
        ASSERT_EQ(engine.run.work.gridNodeCount, 10);
    }
    static std::string Header() { return "D 2 1 0\nR 10 10 0 0.5 1\n"; }
};

TEST_F(StepFilesTest, NamesCountSavedSteps)
{
    struct Case {
        int time, step, frequency;
        const char* name;
    } cases[] = {{0, 3600, 1, "tmp0000.sol"},
                 {0, 3600, 3, "tmp0000.sol"},
                 {7200, 3600, 1, "tmp0002.sol"},
                 {7200, 3600, 2, "tmp0001.sol"},
                 {36000000, 3600, 1, "tmp10000.sol"}};
    for (const Case& c : cases) {
        engine.run.calcTime = c.time;
        engine.model.timeStep = c.step;
        engine.model.saveFrequency = c.frequency;
        EXPECT_EQ(BuildStepFileName(engine.model, engine.run, ".sol"), c.name);
    }
}

TEST_F(StepFilesTest, SolutionReaderRefusesBadRecords)
{
    SolvedModel();
    const std::string n10 = [] {
        std::string s;
        for (int n = 0; n < 10; ++n)
            s += "N 1.5\n";
        return s;
    }();
    struct Case {
        const char* name;
        std::string text;
        bool good;
    } cases[] = {
        {"good", Header() + n10 + "T 1 1 0 0 0 2 1 0 0\nQ 2 1 0\nB 0 20\n", true},
        {"more N lines than rows", Header() + n10 + n10, true},
        {"N line before the R line", "D 2 1 0\nN 1.5\n" + Header() + n10, false},
        {"other block count", "D 3 1 0\nR 10 10 0 0.5 1\n", false},
        {"other grid-node count", "D 2 1 0\nR 11 11 0 0.5 1\n", false},
        {"object divergence 250", "D 2 1 0\nR 10 10 0 250 1\n", false},
        {"negative largest change", "D 2 1 0\nR 10 10 -1 0 1\n", false},
        {"colour 256", Header() + "T 256 1 0 0 0 2 1 0 0\n", false},
        {"negative heat", Header() + "Q 2 -1 0\n", false},
        {"node BC beyond the list", Header() + "B 1 20\n", false},
        {"border-face BC beyond the list", Header() + "F 0 20\n", false},
        {"letters in N", Header() + "N abc\n", false},
        {"long line", Header() + "N 1" + std::string(300, '0') + "\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("case.sol", c.text);
        EXPECT_EQ(ReadSolutionFile(engine.model, engine.run, "case.sol"), c.good);
        EXPECT_EQ(engine.run.solutionValid, c.good);
        EXPECT_EQ(engine.run.work.solution.size(), 10u);
        for (double v : engine.run.work.solution)
            EXPECT_EQ(v, c.good ? 1.5 : 0.0);
    }
}

TEST_F(StepFilesTest, MissingSolutionFileClearsTheFlags)
{
    SolvedModel();
    EXPECT_FALSE(ReadSolutionFile(engine.model, engine.run, "absent.sol"));
    EXPECT_FALSE(engine.run.solutionValid);
    EXPECT_EQ(engine.run.solver.objectDivergence, 200.0f);
}

TEST_F(StepFilesTest, FluxReaderKeepsGoodLinesSorted)
{
    engine.run.calcTime = 0;
    WriteBytes("tmp0000.flx", "2 0 0 1 5.5\r\n1 3 0 4 -2\r\nnot a line\r\n1 3 0 2 7\r\n1 2 9 0 1e3\r\n");
    ReadFluxFile(engine.model, engine.run);
    EXPECT_TRUE(engine.run.fluxesValid);
    ASSERT_EQ(engine.run.work.heatFlows.size(), 4u);
    EXPECT_EQ(engine.run.work.heatFlows[0].j, 2);
    EXPECT_EQ(engine.run.work.heatFlows[0].flow, 1000.0f);
    EXPECT_EQ(engine.run.work.heatFlows[1].direction, 2);
    EXPECT_EQ(engine.run.work.heatFlows[2].direction, 4);
    EXPECT_EQ(engine.run.work.heatFlows[3].i, 2);
}

TEST_F(StepFilesTest, TheFluxTableIsReadOnceAndOnlyWithRadiatingColours)
{
    engine.run.calcTime = 0;
    WriteBytes("tmp0000.flx", "1 0 0 0 5.5\r\n");
    engine.run.fluxesValid = false;
    engine.run.work.heatFlows.assign(3, HeatFlowRecord{}); // from an earlier step
    EnsureFluxTable(engine.model, engine.run);
    EXPECT_TRUE(engine.run.fluxesValid);
    EXPECT_TRUE(engine.run.work.heatFlows.empty()); // no radiating colour: not read
    Colour(3, BC_FREE);
    engine.run.fluxesValid = false;
    EnsureFluxTable(engine.model, engine.run);
    ASSERT_EQ(engine.run.work.heatFlows.size(), 1u);
    // Loaded: a changed file is not read again until the results change.
    WriteBytes("tmp0000.flx", "1 0 0 0 5.5\r\n2 0 0 0 1\r\n");
    EnsureFluxTable(engine.model, engine.run);
    EXPECT_EQ(engine.run.work.heatFlows.size(), 1u);
}

TEST_F(StepFilesTest, UnwritableStepFileIsAnOpenError)
{
    SolvedModel();
    std::filesystem::create_directories("tmp0000.sol");
    engine.model.saveResults = 1;
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed);
    EXPECT_EQ(LastMessage(), "Failed to open file\ntmp0000.sol");
}

} // namespace
} // namespace gelmar::test
