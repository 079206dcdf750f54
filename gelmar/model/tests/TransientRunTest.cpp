// The time loop: start-up steps, save frequency, cycles per step, the
// uniform start, Esc, and a conductivity that depends on temperature.
#include "CalcModel.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/Errors.h"

#include <cmath>

namespace gelmar::test {
namespace {

class StepHost : public NullEngineHost {
  public:
    void ShowTimeStep(long long time, long long, long long) override
    {
        times.push_back(time);
        cycles.push_back(0);
        if (failAfter >= 0 && static_cast<long>(times.size()) > failAfter)
            throw EngineError::Memory();
    }
    void ShowCycle(int cycle) override { cycles.back() = cycle; }
    void ShowSolverProgress(int, float, float, float) override { ++solverRows; }
    bool EscPressed() override { return escAfter >= 0 && static_cast<long>(times.size()) > escAfter; }

    std::vector<long long> times;
    std::vector<int> cycles; // cycles of each step
    long solverRows = 0;
    long escAfter = -1;  // Esc once this many steps have begun
    long failAfter = -1; // an error in the step after this many steps
};

class TransientRunTest : public CalcEngineTest {
  protected:
    void SetUp() override
    {
        CalcEngineTest::SetUp();
        SetHost(&steps);
    }
    // A wall between two surfaces.
    void Wall(float inside, float outside)
    {
        SetGrid(Uniform(4, 0.1f), Uniform(1, 1), Uniform(1, 1));
        ColourRecord& m = Colour(1, MATERIAL, 0.5f);
        m.density = 1000;
        m.heatCapacity = 1000;
        Surface(2, inside, 8);
        Surface(3, outside, 25);
        Block(2, 0, 1, 0, 1, 0, 1);
        Block(1, 1, 3, 0, 1, 0, 1);
        Block(3, 3, 4, 0, 1, 0, 1);
    }
    FunctionRecord& Function(const char* name, int shape)
    {
        return AppendFunction(engine.model, name, shape);
    }
    StepHost steps;
};

TEST_F(TransientRunTest, StartUpStepsComeFirstAndWriteNothing)
{
    Wall(20, 0);
    engine.model.startupDuration = 5000; // raised to 7200
    engine.model.calcDuration = 3600;
    engine.model.saveResults = 1;
    ASSERT_TRUE(Run());
    EXPECT_EQ(steps.times, (std::vector<long long>{-7200, -3600, 0, 3600}));
    EXPECT_EQ(engine.model.startupDuration, 7200);
    EXPECT_TRUE(std::filesystem::exists("tmp0000.sol"));
    EXPECT_TRUE(std::filesystem::exists("tmp0001.sol"));
    EXPECT_FALSE(std::filesystem::exists("tmp0002.sol"));
    EXPECT_EQ(engine.run.calcTime, 3600);
}

TEST_F(TransientRunTest, SaveFrequencyWritesEveryNthStepFromTimeZero)
{
    Wall(20, 0);
    engine.model.calcDuration = 4 * 3600;
    engine.model.saveResults = 1;
    engine.model.saveFrequency = 2;
    ASSERT_TRUE(Run());
    EXPECT_EQ(steps.times.size(), 5u);
    for (const char* name : {"tmp0000.sol", "tmp0001.sol", "tmp0002.sol"})
        EXPECT_TRUE(std::filesystem::exists(name)) << name;
    EXPECT_FALSE(std::filesystem::exists("tmp0003.sol"));
    EXPECT_FALSE(std::filesystem::exists("tmp0000.flx")); // nothing radiates
}

TEST_F(TransientRunTest, LinearModelSolvesEveryStepInOneCycle)
{
    Wall(20, 0);
    engine.model.calcDuration = 3 * 3600;
    engine.model.cycles = 7;
    ASSERT_TRUE(Run());
    EXPECT_EQ(steps.cycles, (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(TransientRunTest, UniformBoundariesNeedNoSolveUntilOneMoves)
{
    Wall(20, 20);
    ColourRecord& outside = engine.model.colours[3];
    outside.temperatureFunc = FunctionName("T01");
    FunctionRecord& f = Function("T01", 2); // 20 °C, 25 °C from minute 120 on
    f.params[0] = 20;
    f.params[1] = 25;
    f.params[2] = 120;
    f.params[3] = 0;
    engine.model.calcDuration = 4 * 3600;
    engine.model.saveResults = 1;
    ASSERT_TRUE(Run());
    auto temperatures = [](const char* file) { return ReadBytes(file); };
    // Steps 0 and 1 kept everything at 20 °C without a solve.
    EXPECT_NE(temperatures("tmp0001.sol").find("N 20.0000000000 1 0 0"), std::string::npos);
    EXPECT_EQ(temperatures("tmp0000.sol"), temperatures("tmp0001.sol"));
    EXPECT_EQ(temperatures("tmp0002.sol").find("N 20.0000000000 1 0 0"), std::string::npos);
    EXPECT_GT(steps.solverRows, 0);
    EXPECT_GT(engine.model.colours[1].resultMax, 20.0f);
}

TEST_F(TransientRunTest, EscEndsTheRunWithoutAMessage)
{
    Wall(20, 0);
    engine.model.calcDuration = 10 * 3600;
    steps.escAfter = 3;
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Aborted);
    EXPECT_TRUE(steps.messages.empty());
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    // The interrupted step was the fourth (t = 10800): one step back.
    EXPECT_EQ(engine.run.calcTime, 7200);
}

TEST_F(TransientRunTest, NeverSavedModelIsNotCalculated)
{
    Wall(20, 0);
    engine.model.dataFilePath.clear();
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::NotStarted);
    EXPECT_TRUE(steps.times.empty());
}

TEST_F(TransientRunTest, MinimumGridAsksBeforeCalculating)
{
    SetGrid(Uniform(2, 1), Uniform(1, 1), Uniform(1, 1));
    Colour(1, MATERIAL);
    Surface(2, 20, 8);
    Block(1, 0, 1, 0, 1, 0, 1);
    Block(2, 1, 2, 0, 1, 0, 1);
    EXPECT_TRUE(IsMinimumGrid(engine.model));
    // The null host answers Yes.
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Done);
    ASSERT_FALSE(steps.messages.empty());
    EXPECT_EQ(steps.messages.front(),
              "Current grid is minimum grid.\nConsider grid refinement.\n\nContinue calculation ?");
}

TEST_F(TransientRunTest, ConductivityOfTemperatureFollowsItsKirchhoffTransform)
{
    // lambda(T) = 1 + 0.02 T between surfaces held at 0 °C and 40 °C:
    // theta = T + 0.01 T^2 is linear through the wall.
    WriteBytes("lambda.fla", "0 1\r\n40 1.8\r\n");
    const int n = 10;
    std::vector<float> wx(n + 2, 0.01f);
    SetGrid(wx, Uniform(1, 1), Uniform(1, 1));
    ColourRecord& wall = Colour(1, MATERIAL);
    wall.lambdaFunc = FunctionName("L01");
    Function("L01", 0).filePath = "lambda.fla";
    Colour(2, MATERIAL);
    Colour(3, MATERIAL);
    Block(2, 0, 1, 0, 1, 0, 1);
    Block(1, 1, n + 1, 0, 1, 0, 1);
    Block(3, n + 1, n + 2, 0, 1, 0, 1);
    FixedMaterial(2, 0);
    FixedMaterial(3, 40);
    engine.model.cycles = 60;
    ASSERT_TRUE(Run()) << (steps.messages.empty() ? "" : steps.messages.back());
    EXPECT_GT(steps.cycles[0], 1);
    const double thetaEnd = 40 + 0.01 * 40 * 40;
    for (int i = 1; i <= n + 1; ++i) {
        const double theta = thetaEnd * (i - 1) / n;
        const double exact = (-1 + std::sqrt(1 + 0.04 * theta)) / 0.02;
        EXPECT_NEAR(T(i, 0, 0), exact, 1e-5) << "point " << i;
    }
}

TEST_F(TransientRunTest, FunctionFileErrorsNameTheFile)
{
    Wall(20, 0);
    engine.model.colours[1].lambdaFunc = FunctionName("L01");
    Function("L01", 0).filePath = "lambda.fla";
    std::filesystem::remove("lambda.fla"); // left by an earlier run of this test
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed);
    EXPECT_EQ(steps.messages.back(), "Failed to open file\nlambda.fla");
    WriteBytes("lambda.fla", "0 1\r\n-5 2\r\n");
    EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed);
    EXPECT_EQ(steps.messages.back(), "Syntax error in file lambda.fla\nLine 2");
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
}

TEST_F(TransientRunTest, RunAfterOneStoppedInAStepMatchesAFreshRun)
{
    // A conductivity from a file, so that the run also holds file data.
    WriteBytes("lambda.fla", "0 1\r\n40 1.8\r\n");
    Wall(20, 0);
    engine.model.colours[1].lambdaFunc = FunctionName("L01");
    Function("L01", 0).filePath = "lambda.fla";
    engine.model.calcDuration = 4 * 3600;
    engine.model.saveResults = 1;
    ASSERT_TRUE(Run());
    const std::string fresh = ReadBytes("tmp0004.sol");

    struct Case {
        const char* name;
        long escAfter, failAfter;
        CalcSystemResult result;
    };
    for (const Case& c :
         {Case{"error", -1, 2, CalcSystemResult::Failed}, Case{"Esc", 2, -1, CalcSystemResult::Aborted}}) {
        SCOPED_TRACE(c.name);
        steps.times.clear();
        steps.cycles.clear();
        steps.escAfter = c.escAfter;
        steps.failAfter = c.failAfter;
        EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), c.result);
        EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
        // The third step (t = 7200) was stopped: the last one completed stays.
        EXPECT_EQ(engine.run.calcTime, 3600);
        EXPECT_FALSE(engine.run.work.matrix);
        EXPECT_TRUE(engine.run.functions.propertyTables.empty());
        EXPECT_TRUE(engine.run.functions.files.empty());

        steps.escAfter = steps.failAfter = -1;
        ASSERT_TRUE(Run());
        EXPECT_EQ(engine.run.calcTime, 4 * 3600);
        EXPECT_EQ(ReadBytes("tmp0004.sol"), fresh);
    }
}
} // namespace
} // namespace gelmar::test
