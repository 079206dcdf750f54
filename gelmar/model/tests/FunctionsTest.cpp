// Function shapes, property tables, name resolution and the per-step
// evaluation with previous values.
#include "gelmar/model/functions/Functions.h"

#include "CalcModel.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"

#include <cmath>

namespace gelmar::test {
namespace {

class FunctionsTest : public CalcEngineTest {
  protected:
    int Add(const char* name, int shape, std::initializer_list<float> params = {})
    {
        AppendFunction(engine.model, name, shape, params);
        return engine.model.functions.count - 1;
    }
};

TEST_F(FunctionsTest, ShapesAtTimes)
{
    struct Case {
        int shape;
        std::vector<float> params;
        double minutes;
        float value;
    } cases[] = {
        {1, {4}, 1000, 4},
        {2, {1, 3, 10, 20}, 10, 1},
        {2, {1, 3, 10, 20}, 20, 2},
        {2, {1, 3, 10, 20}, 40, 3},
        {3, {1, 3, 10, 20, 30}, 20, 2},
        {3, {1, 3, 10, 20, 30}, 45, 3},
        {3, {1, 3, 10, 20, 30}, 70, 2},
        {3, {1, 3, 10, 20, 30}, 90, 1},
        {4, {0, 10, 100, 40, 10, 0}, 145, 5},  // rising, second period
        {4, {0, 10, 100, 40, 10, 0}, 70, 10},  // level 2
        {4, {0, 10, 100, 40, 10, 0}, 95, 5},   // falling
        {4, {0, 10, 100, 40, 10, 20}, -70, 0}, // before the offset: phase 10
        {5, {5, 2, 60, 0}, 15, 7},
        {5, {5, 2, 0, 0}, 15, 5}, // no period: the mean
        {6, {8, 100, 50, 0}, 25, 8},
        {6, {8, 100, 50, 0}, 75, 0},
        {4, {1, 2, 0, 0, 0, 0}, 30, 1}, // no period: no loop, first level
    };
    for (const Case& c : cases) {
        engine.model.functions.count = 0;
        Add("T01", c.shape);
        std::copy(c.params.begin(), c.params.end(), engine.model.functions[0].params);
        EXPECT_NEAR(EvaluateFunction(engine.model, engine.run, 0, c.minutes * 60), c.value, 1e-4)
            << "shape " << c.shape << " at " << c.minutes;
    }
    EXPECT_EQ(EvaluateFunction(engine.model, engine.run, -1, 0), 0.0f);
}

TEST_F(FunctionsTest, PropertyTableHoldsItsEndsAndInterpolates)
{
    WriteBytes("c.fce", "0 800\n20 1000\n20 1100\n50 1400\n\nignored after the blank line\n");
    const int f = Add("C01", 0);
    engine.model.functions[f].filePath = "c.fce";
    ColourRecord& brick = Colour(1, MATERIAL);
    brick.heatCapacityFunc = FunctionName("C01");
    ResolveFunctionReferences(engine.model, engine.run);
    LoadPropertyTables(engine.model, engine.run);
    EXPECT_EQ(GetSpecificHeatAt(engine.model, engine.run, brick, -10), 800.0f);
    EXPECT_EQ(GetSpecificHeatAt(engine.model, engine.run, brick, 10), 900.0f);
    EXPECT_EQ(GetSpecificHeatAt(engine.model, engine.run, brick, 20), 1000.0f);
    EXPECT_EQ(GetSpecificHeatAt(engine.model, engine.run, brick, 35), 1250.0f);
    EXPECT_EQ(GetSpecificHeatAt(engine.model, engine.run, brick, 99), 1400.0f);
    EXPECT_TRUE(HasTemperatureDependentMaterials(engine.model, engine.run));
    brick.heatCapacityFunc = FunctionName("C00");
    EXPECT_FALSE(HasTemperatureDependentMaterials(engine.model, engine.run));
    EXPECT_EQ(GetSpecificHeatAt(engine.model, engine.run, brick, 35), brick.heatCapacity);
}

TEST_F(FunctionsTest, ConductivityNamesAreSearchedTogether)
{
    Add("M01", 1, {3});
    Add("L01", 1, {2});
    ColourRecord& c = Colour(1, MATERIAL, 0.7f);
    c.lambdaFunc = FunctionName("L01");
    c.lambda2Func = FunctionName("M01");
    ResolveFunctionReferences(engine.model, engine.run);
    // M01 comes first in the array: only it is resolved.
    EXPECT_EQ(c.working.function[kFnLambdaTime], 0);
    EXPECT_EQ(c.working.function[kFnLambda], -1);
    EXPECT_EQ(engine.model.functions[1].inUse, 0u);
    EXPECT_EQ(GetConductivityAt(engine.model, engine.run, c, 10, false), 0.7f);
    // An unknown name keeps the fixed value.
    c.lambda2Func = FunctionName("M09");
    c.lambdaFunc = FunctionName("L07");
    ResolveFunctionReferences(engine.model, engine.run);
    EXPECT_EQ(GetConductivityAt(engine.model, engine.run, c, 10, false), 0.7f);
}

TEST_F(FunctionsTest, PerStepEvaluationKeepsThePreviousValue)
{
    Add("T01", 5, {10, 5, 240, 0});
    Surface(1, 0, 8).temperatureFunc = FunctionName("T01");
    NodeBcRecord& p = NodeBc(1, 0, 0, 0);
    p.power = 3;
    ResolveFunctionReferences(engine.model, engine.run);
    engine.run.stepLength = 0;
    engine.run.calcTime = 0;
    EvaluateColourFunctions(engine.model, engine.run, true);
    const ColourRecord& c = engine.model.colours[1];
    EXPECT_NEAR(c.temperature, 10.0f, 1e-5);
    EXPECT_EQ(c.working.previousTemperature, 0.0f); // none before the first step
    EXPECT_EQ(p.working.previous, 0.0f);
    engine.run.stepLength = 3600;
    engine.run.calcTime = 3600;
    EvaluateColourFunctions(engine.model, engine.run, true);
    EXPECT_NEAR(c.working.previousTemperature, 10.0f, 1e-5);
    EXPECT_NEAR(c.temperature, 15.0f, 1e-4);
    EXPECT_EQ(p.working.previous, 3.0f);
    EXPECT_EQ(p.power, 3.0f);
}

TEST_F(FunctionsTest, BadTableFilesAreSyntaxErrors)
{
    const char* bad[] = {"", "1 2\n0 3\n", "0 -1\n", "0\n", "x y\n"};
    PropertyTable table;
    for (const char* text : bad) {
        WriteBytes("t.fla", text);
        EXPECT_EQ(CaughtError([&] { ReadPropertyTableFile("t.fla", table); }), ErrorCode::Syntax) << text;
    }
}

} // namespace
} // namespace gelmar::test
