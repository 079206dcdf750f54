// Calc System and Calc View Factors: which questions are asked and what
// each answer leads to, the cycles and their test, the messages of the
// failures, and the node numbering and matrix structure the calculation
// builds on.
#include "CalcFixture.h"
#include "FailingAllocations.h"
#include "novelk/model/calc/ResultFiles.h"
#include "novelk/model/calc/ViewFactors.h"

#include <filesystem>

namespace novelk::test {
namespace {

class CalcSystemTest : public CalcTest {
  protected:
    // A wall with a BC_FREE cavity, on a refined grid (no minimum-grid question).
    void CavityWall()
    {
        SetGrid({1, 0.1f, 0.05f, 0.05f, 0.1f, 1}, {0.1f, 0.1f, 0.1f}, {0.1f, 0.1f, 0.1f});
        Surface(10, 20, 7.7f);
        Surface(12, 0, 25);
        Material(1, 0.5f);
        SetColour(13, BC_FREE);
        AddBlock(1, 1, 5, 0, 3, 0, 3);
        AddBlock(13, 2, 4, 1, 2, 1, 2);
        AddBlock(10, 0, 1, 0, 3, 0, 3);
        AddBlock(12, 5, 6, 0, 3, 0, 3);
    }
    CalcResult CalcSystem() { return RunCalcSystem(model, run, history, calcHost); }
};

TEST_F(CalcSystemTest, QuestionsAndWhatTheAnswersLeadTo)
{
    struct Case {
        const char* what;
        bool vwfExists;
        std::vector<MessageAnswer> answers;
        CalcResult result;
        std::vector<ProgressWindow> windows;
    };
    using W = ProgressWindow;
    const std::vector<Case> cases = {
        {"no view-factor file: computed without a question", false, {}, CalcResult::Done, {W::ViewFactors, W::Calculation}},
        {"Yes: computed again", true, {MessageAnswer::Yes}, CalcResult::Done, {W::ViewFactors, W::Calculation}},
        {"No: the file is used", true, {MessageAnswer::No}, CalcResult::Done, {W::Calculation}},
        {"Cancel: nothing", true, {MessageAnswer::Cancel}, CalcResult::NotStarted, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetModel(model, defaults);
        model.dataFilePath = "model.nvk";
        CavityWall();
        std::filesystem::remove("tmp.vwf");
        if (c.vwfExists) {
            ASSERT_EQ(ViewFactors(), "");
        }
        calcHost.answers = c.answers;
        calcHost.messages.clear();
        calcHost.windows.clear();
        calcHost.calls.clear();
        EXPECT_EQ(CalcSystem(), c.result);
        EXPECT_EQ(calcHost.messages.size(), c.vwfExists ? 1u : 0u);
        if (c.vwfExists) {
            EXPECT_EQ(calcHost.messages[0], "Recalculate view factors ?");
        }
        EXPECT_EQ(calcHost.windows, c.windows);
        const bool done = c.result == CalcResult::Done;
        EXPECT_EQ(std::count(calcHost.calls.begin(), calcHost.calls.end(), "temperatures"), done ? 1 : 0);
        EXPECT_EQ(history.Count(), done ? 1u : 0u); // the undo baseline after a calculation
    }
}

TEST_F(CalcSystemTest, MinimumGridAndModelsWithoutAFile)
{
    SetUnitGrid(3, 1, 1);
    Surface(10, 20, 7.7f);
    Material(1, 1.0f);
    Surface(12, 0, 25);
    AddBlock(10, 0, 1, 0, 1, 0, 1);
    AddBlock(1, 1, 2, 0, 1, 0, 1);
    AddBlock(12, 2, 3, 0, 1, 0, 1);
    SaveUndoRecord(history, model, kUndoBlocks, 0, 0, calcHost);
    calcHost.answers = {MessageAnswer::No};
    EXPECT_EQ(CalcSystem(), CalcResult::NotStarted);
    ASSERT_EQ(calcHost.messages,
              (std::vector<std::string>{
                  "Current grid is minimum grid.\nConsider grid refinement.\n\nContinue calculation ?"}));
    EXPECT_TRUE(calcHost.windows.empty());
    EXPECT_EQ(history.Count(), 1u); // untouched
    // Yes: calculated; no radiating colour, so no view-factor question.
    EXPECT_EQ(CalcSystem(), CalcResult::Done);
    EXPECT_EQ(calcHost.messages.size(), 2u);
    EXPECT_EQ(calcHost.windows, (std::vector<ProgressWindow>{ProgressWindow::Calculation}));
    // A new model that has no file yet: nothing at all.
    model.dataFilePath.clear();
    calcHost.windows.clear();
    EXPECT_EQ(CalcSystem(), CalcResult::NotStarted);
    EXPECT_EQ(RunCalcViewFactors(model, run, history, calcHost), CalcResult::NotStarted);
    EXPECT_TRUE(calcHost.windows.empty());
}

TEST_F(CalcSystemTest, CyclesAndTheirTest)
{
    CavityWall();
    // Linear radiation and no CEN recalculation: one cycle, no test.
    model.calc.cycles = 5;
    EXPECT_EQ(CalculationCycleCount(model), 1);
    ASSERT_EQ(ViewFactors(), "");
    ASSERT_EQ(Calculate(), "");
    EXPECT_EQ(calcHost.cycles, (std::vector<int>{1}));
    EXPECT_EQ(run.readouts.cycleChange, 0.0f);

    // Non-linear radiation: the cycles run until they change less than
    // mxdc; without a previous solution the test starts in cycle 2.
    model.calc.linearRadiation = 0;
    EXPECT_EQ(CalculationCycleCount(model), 5);
    Tight();
    model.calc.maxCycleChange = 0.01f;
    std::filesystem::remove("tmp.sol");
    calcHost.cycles.clear();
    ASSERT_EQ(Calculate(), "");
    ASSERT_GE(calcHost.cycles.size(), 2u);
    EXPECT_LT(calcHost.cycles.size(), 5u);
    EXPECT_LE(run.readouts.cycleChange, 0.01f);
    EXPECT_GT(run.readouts.cycleChange, 0.0f);
    // From the solution it left, the test starts in cycle 1.
    calcHost.cycles.clear();
    ASSERT_EQ(Calculate(), "");
    EXPECT_EQ(calcHost.cycles, (std::vector<int>{1}));
    // The read-outs show one step more than were made.
    model.calc.iterations = 1;
    model.calc.linearRadiation = 1;
    std::filesystem::remove("tmp.sol");
    ASSERT_EQ(Calculate(), "");
    EXPECT_EQ(calcHost.last.steps, 2);
    // A system without heat ends after its first step, all at 0 °C.
    model.calc.iterations = 100;
    model.colours[10].temperature = 0;
    std::filesystem::remove("tmp.sol");
    ASSERT_EQ(Calculate(), "");
    EXPECT_EQ(calcHost.last.steps, 2);
    for (double t : run.temperature)
        EXPECT_EQ(t, 0.0);
}

TEST_F(CalcSystemTest, FailuresShowTheirMessageOnce)
{
    CavityWall();
    // No view-factor file to be read: Calc View Factors is not run first.
    ASSERT_EQ(Calculate(), "Failed to open file\nmodel.vwf");
    // A damaged one.
    WriteBytes("tmp.vwf", "nzon=1\nzone=1 2\nnfac=3\n");
    calcHost.answers = {MessageAnswer::No};
    calcHost.messages.clear();
    EXPECT_EQ(CalcSystem(), CalcResult::Failed);
    ASSERT_EQ(calcHost.messages.size(), 2u);
    EXPECT_EQ(calcHost.messages[1], "Syntax error in file tmp.vwf\nLine 3");
    EXPECT_FALSE(std::filesystem::exists("tmp.sol"));
    // Memory running out in the calculation: "Not enough memory", once.
    ASSERT_EQ(ViewFactors(), "");
    calcHost.answers = {MessageAnswer::No};
    calcHost.messages.clear();
    {
        // A grid of many points (the blocks fill only a corner of it): the
        // node numbers are the first array that cannot be had.
        SetGrid(std::vector<float>(6, 0.1f), std::vector<float>(60, 0.01f), std::vector<float>(60, 0.01f));
        FailAllocations fail(60000);
        EXPECT_EQ(CalcSystem(), CalcResult::Failed);
    }
    ASSERT_EQ(calcHost.messages.size(), 2u);
    EXPECT_EQ(calcHost.messages[1], "Not enough memory");
    // Calc View Factors shows a model check's message.
    AddBlock(13, 2, 3, 0, 1, 0, 1);
    calcHost.messages.clear();
    EXPECT_EQ(RunCalcViewFactors(model, run, history, calcHost), CalcResult::Failed);
    ASSERT_EQ(calcHost.messages.size(), 1u);
    EXPECT_EQ(calcHost.messages[0].substr(0, 41), "BC (colour 13) occurs in separated zones.");
}

TEST_F(CalcSystemTest, NumberingOfTheGridPoints)
{
    // 3 x 2 x 1 cells: material at x 0..2, a BC_SIMPL cell at x = 2, y = 0,
    // void at x = 2, y = 1. z is the single-cell axis.
    SetUnitGrid(3, 2, 1);
    Material(1, 1.0f);
    Material(2, 1.0f);
    Surface(10, 20, 7.7f);
    AddBlock(1, 0, 1, 0, 2, 0, 1);
    AddBlock(2, 1, 2, 0, 2, 0, 1);
    AddBlock(10, 2, 3, 0, 1, 0, 1);
    AddNodeBc(NODE_TEMP, 0, 0, 5, 4);   // -2: both points of its line across z
    AddNodeBc(NODE_POWER, 0, 1, 0, 0, 1); // -3: numbers nothing
    AddNodeBc(NODE_TEMP, 3, 2, 0, 6);   // -4: a point of void and boundary cells only
    AddBorderBc(BORDER_TEMP, 1, 2, 7);  // -5: the points between colours 1 and 2
    AddBorderBc(BORDER_TEMP, 2, 1, 8);  // -6: the same pair again: nothing left
    RasteriseBlocks(model, run, calcHost);
    BuildNodeNumbering(model, run, calcHost);
    EXPECT_EQ(GetNodeIndex(run, 0, 0, 0), -2);
    EXPECT_EQ(GetNodeIndex(run, 0, 0, 1), -2);
    EXPECT_EQ(GetNodeValue(model, run, -2), 4.0);
    EXPECT_GE(GetNodeIndex(run, 0, 1, 0), 0);
    EXPECT_EQ(GetNodeIndex(run, 3, 2, 0), -4);
    EXPECT_EQ(GetNodeIndex(run, 3, 2, 1), -4);
    EXPECT_EQ(GetNodeValueAt(model, run, 3, 2, 0), 6.0);
    EXPECT_EQ(GetNodeIndex(run, 3, 1, 0), -1); // void and a boundary cell
    EXPECT_EQ(GetNodeIndex(run, 3, 0, 0), -1); // only the boundary cell
    for (int j = 0; j <= 2; ++j)
        EXPECT_EQ(GetNodeIndex(run, 1, j, 1), -5);
    EXPECT_EQ(GetNodeValue(model, run, -6), 8.0);
    // Cells end at nx, points at nx + 1.
    EXPECT_EQ(GetCellColour(run.cells, 3, 0, 0), -1);
    EXPECT_EQ(GetNodeIndex(run, 3, 0, 1), -1);
    EXPECT_EQ(GetNodeIndex(run, 4, 0, 0), -1);
    EXPECT_GE(GetNodeIndex(run, 2, 0, 0), 0);
    // A model without blocks: void cells, no unknowns.
    ResetModel(model, defaults);
    SetUnitGrid(2, 2, 2);
    RasteriseBlocks(model, run, calcHost);
    BuildNodeNumbering(model, run, calcHost);
    EXPECT_EQ(run.unknowns, 0);
    EXPECT_EQ(GetCellColour(run.cells, 1, 1, 1), -1);
}

TEST_F(CalcSystemTest, RowsHoldEveryCouplingOfAPoint)
{
    // A point whose eight cells alternate solid and cavity: four one-cell
    // cavities of four BC_FREE colours meet it, each with three faces at
    // it. Its row couples six grid neighbours, twelve radiation nodes and
    // four air nodes.
    SetUnitGrid(2, 2, 2);
    Material(1, 1.0f);
    int cavity = 13;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            for (int k = 0; k < 2; ++k) {
                if ((i + j + k) % 2 == 0) {
                    AddBlock(1, i, i + 1, j, j + 1, k, k + 1);
                } else {
                    SetColour(cavity, BC_FREE);
                    AddBlock(cavity++, i, i + 1, j, j + 1, k, k + 1);
                }
            }
    AddMaterialBc(MATERIAL_POWER, 1, 0, 10);
    AddNodeBc(NODE_TEMP, 0, 0, 0, 0);
    ASSERT_EQ(ViewFactors(), "");
    Eigen::MatrixXd k;
    Eigen::VectorXd b;
    AssembleDense(k, b);
    const std::int32_t centre = GetNodeIndex(run, 1, 1, 1);
    ASSERT_GE(centre, 0);
    EXPECT_EQ((k.row(centre).array() != 0).count() - 1, 6 + 12 + 4);
    // And the system solved holds every one of them.
    Tight();
    ASSERT_EQ(Calculate(), "");
    const Eigen::VectorXd x = k.ldlt().solve(b);
    for (Eigen::Index n = 0; n < x.size(); ++n)
        EXPECT_NEAR(run.temperature[std::size_t(n)], x[n], 1e-7);
}

} // namespace
} // namespace novelk::test
