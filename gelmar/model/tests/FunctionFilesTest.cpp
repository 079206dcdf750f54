// Time series files of the functions of time: periods that repeat, holding
// and interpolated samples, chains of files crossed in both directions, the
// sunrise rule of the solar series, the reading errors with file and line,
// and the Functions table services (names, display ranges, axis steps).
#include "gelmar/model/functions/FunctionFiles.h"

#include "CalcModel.h"
#include "gelmar/model/calc/StepFiles.h"
#include "gelmar/model/functions/FunctionServices.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"

#include <cmath>

namespace gelmar::test {
namespace {

class FunctionFilesTest : public CalcEngineTest {
  protected:
    void TearDown() override
    {
        ClearPendingError();
        CalcEngineTest::TearDown();
    }
    // A function in use with the given file (shape 0) or shape.
    int Add(const char* name, const std::string& path, int shape = 0)
    {
        AppendFunction(engine.model, name, shape, {}, path).inUse = 1;
        return engine.model.functions.count - 1;
    }
    // Samples 0, 10, 20, ... of a series with the given header lines.
    static std::string Series(const std::string& header, int count, float first = 0, float slope = 10,
                              const char* code = "FTE")
    {
        std::string text = header;
        for (int i = 0; i < count; ++i) {
            text += std::string(code) + " " + std::to_string(first + slope * static_cast<float>(i)) + "\n";
        }
        return text;
    }
    // The message of the error of loading the files.
    std::string LoadError()
    {
        std::string text = "no error";
        CaughtError([this] { CollectFunctionFiles(engine.model, engine.run); }, &text);
        return text;
    }
};

TEST_F(FunctionFilesTest, DaySeriesRepeatsAndInterpolates)
{
    // 25 samples an hour apart: 0, 10, ..., 240, interpolated.
    WriteBytes("day.fte", Series("TIM 0 3600 24\nDAT 1\n", 25));
    const int f = Add("T01", "day.fte");
    CollectFunctionFiles(engine.model, engine.run);
    ASSERT_EQ(engine.run.functions.files.size(), 1u);
    EXPECT_EQ(GetFunctionFileStep(engine.run, 0), 3600);
    EXPECT_EQ(GetFunctionFileInterpolate(engine.run, 0), 1);
    struct Case {
        double t;
        float value;
    } cases[] = {
        {0, 0},
        {1800, 5}, // halfway: the mean of two samples
        {5400, 15},
        {3600 * 0.99995, 10}, // a fraction above 0.9999 is the next sample
        {3600 * 1.00004, 10}, // one below 0.0001 the sample itself
        {86400, 240},         // the last sample
        {86400 + 1800, 5},    // the next period starts over
        {3 * 86400 + 5400, 15},
        {-86400 + 5400, 15}, // and so do the periods before
        {-5 * 86400 + 1800, 5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(EvaluateFunction(engine.model, engine.run, f, c.t), c.value, 1e-3) << c.t;
    // Moving back to the first period gives the first values again.
    EXPECT_NEAR(EvaluateFunction(engine.model, engine.run, f, 1800), 5, 1e-3);
}

TEST_F(FunctionFilesTest, HoldingSeriesKeepsEachSampleForItsStep)
{
    WriteBytes("hold.ffh", "Header text is ignored\nTIM 1 600 3\nFFH 1, 2,\tx\n");
    // The data token "x" is not a number: the error names the data line.
    Add("P01", "hold.ffh");
    EXPECT_EQ(LoadError(), "Syntax error in file hold.ffh\nLine 3");
    WriteBytes("hold.ffh", "TIM 1 600 3\nFFH 1, 2,\t3\nFFH 4 99 99\n");
    CollectFunctionFiles(engine.model, engine.run);
    const double t[] = {0, 599, 600, 1199, 1200, 1800, 1801};
    const float v[] = {1, 1, 2, 2, 3, 4, 1};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(EvaluateFunction(engine.model, engine.run, 0, t[i]), v[i]) << t[i];
}

TEST_F(FunctionFilesTest, ChainIsFollowedBackAndForth)
{
    // Three files of a week each, starting on day 8 with the middle one:
    // "a" <- "b" <- "c". Each holds its own level in two samples.
    WriteBytes("w/a.fte", "PRV a\nNXT b.fte\nTIM 1 302400 2\nDAT 200\nFTE 1 1 1\n");
    WriteBytes("w/b.fte", "PRV C:\\other\\a.xyz\nNXT c\nTIM 1 302400 2\nDAT 8\nFTE 2 2 2\n");
    WriteBytes("w/c.fte", "PRV b\nTIM 1 302400 2\nDAT 1\nFTE 3 3 3\n");
    engine.model.dataFilePath = "w/model.glm";
    engine.model.day0 = 10; // the calculation starts in the middle file
    const int f = Add("T01", "b.fte");
    CollectFunctionFiles(engine.model, engine.run);
    const FunctionFileTable& table = engine.run.functions.files[0];
    EXPECT_EQ(table.name, "b");
    EXPECT_EQ(table.start, -2 * 86400);
    EXPECT_EQ(table.end, 5 * 86400);
    // The later start days of chained files do not count: they follow on.
    EXPECT_EQ(EvaluateFunction(engine.model, engine.run, f, 0), 2.0f);
    EXPECT_EQ(EvaluateFunction(engine.model, engine.run, f, 5 * 86400 + 1), 3.0f);
    EXPECT_EQ(table.name, "c");
    EXPECT_EQ(table.start, 5 * 86400);
    // "c" has no next file: it repeats itself.
    EXPECT_EQ(EvaluateFunction(engine.model, engine.run, f, 40 * 86400), 3.0f);
    // Back past the start of "b" lies "a", immediately before it.
    EXPECT_EQ(EvaluateFunction(engine.model, engine.run, f, -2 * 86400 - 1), 1.0f);
    EXPECT_EQ(table.name, "a");
    EXPECT_EQ(table.end, -2 * 86400);
    EXPECT_EQ(table.start, -9 * 86400);
    EXPECT_EQ(EvaluateFunction(engine.model, engine.run, f, 0), 2.0f);
}

TEST_F(FunctionFilesTest, StartBeforeTheFirstFileLoadsItsPredecessor)
{
    WriteBytes("one.fir", "NXT two\nTIM 0 3600 1\nDAT 1\nFIR 1 2\n");
    WriteBytes("two.fir", "PRV one\nNXT one\nTIM 0 3600 1\nDAT 50\nFIR 5 6\n");
    engine.model.day0 = 1;
    // Function file named with its folder: its own folder counts.
    Add("I01", (std::filesystem::current_path() / "two.fir").string());
    CollectFunctionFiles(engine.model, engine.run);
    EXPECT_EQ(engine.run.functions.files[0].name, "one");
    EXPECT_EQ(engine.run.functions.files[0].start, 0);
    EXPECT_NEAR(EvaluateFunction(engine.model, engine.run, 0, 1800), 1.5f, 1e-6);
    EXPECT_NEAR(EvaluateFunction(engine.model, engine.run, 0, 3600 + 1800), 5.5f, 1e-6);
    EXPECT_NEAR(EvaluateFunction(engine.model, engine.run, 0, 7200 + 900), 1.25f, 1e-6);
}

TEST_F(FunctionFilesTest, SolarSeriesRisesFromSunrise)
{
    WriteBytes("g.fsg", "TIM 0 3600 2\nDAT 1 51.0 4.5 1\nFSG 0 400 0\n");
    engine.model.latitude = 0;
    Add("G01", "g.fsg");
    CollectFunctionFiles(engine.model, engine.run);
    EXPECT_EQ(engine.run.functions.siteFromFile, 1);
    EXPECT_EQ(engine.model.latitude, 51.0f);
    EXPECT_EQ(engine.model.longitude, 4.5f);
    EXPECT_EQ(engine.model.timeZone, 1.0f);
    EXPECT_NEAR(EvaluateFunction(engine.model, engine.run, 0, 1800), 200, 1e-3); // plain linear
    engine.run.functions.solarInterpolation = {true, 2400, 4000};
    EXPECT_EQ(EvaluateFunction(engine.model, engine.run, 0, 1800), 0.0f);
    EXPECT_NEAR(EvaluateFunction(engine.model, engine.run, 0, 3000), 600 * 400 / 1200.0, 1e-3);
    // Sunset within the falling step: a to 0 between its start and sunset.
    EXPECT_NEAR(EvaluateFunction(engine.model, engine.run, 0, 3600 + 200), 400 * 200 / 400.0, 1e-3);
    EXPECT_EQ(EvaluateFunction(engine.model, engine.run, 0, 3600 + 500), 0.0f);
}

TEST_F(FunctionFilesTest, BadFilesNameTheFileAndLine)
{
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"TIM 0 0 4\nFTE 1 2 3 4 5\n", "Line 1"},             // a step of 0
        {"DAT 1\nTIM 0 -60 4\n", "Line 2"},                   // a negative step
        {"TIM 2 60 4\n", "Line 1"},                           // mode other than 0 and 1
        {"TIM 0 60 0\nFTE 1\n", "Line 1"},                    // no interval
        {"TIM 0 60\n", "Line 1"},                             // two numbers
        {"PRV x\nFTE 1 2\nTIM 0 60 1\n", "Line 2"},           // data before "TIM"
        {"PRV x\nNXT x\n", "Line 2"},                         // no "TIM" at all
        {"TIM 0 60 2\nDAT\nFTE 1 2 3\n", "Line 2"},           // "DAT" without a day
        {"TIM 0 60 2\nFMT 1 2 3 9 1\nFTE 1 2 3\n", "Line 2"}, // minimum above maximum
        {"TIM 0 60 2\nFTE 1 2 3z\n", "Line 2"},               // not a number
        {"TIM 0 60 3\nFTE 1 2\nFTE 3\n\n", "Line 4"},         // missing values: the end of the file
        {"TIM 0 60 2\nFIR 1 2 3\n", "Line 2"},                // the data lines of another kind
        {"TIM 0 60 2\nFTE 1 2 3\n", nullptr},                 // the good file
    };
    Add("T01", "bad.fte");
    for (const Case& c : cases) {
        WriteBytes("bad.fte", c.text);
        const std::string expected =
            c.message ? std::string("Syntax error in file bad.fte\n") + c.message : std::string("no error");
        EXPECT_EQ(LoadError(), expected) << c.text;
    }
    // A line over the reader's limit is an error, not two lines.
    WriteBytes("bad.fte", "TIM 0 60 2\nFTE 1 2 3" + std::string(300, ' ') + "\n");
    EXPECT_EQ(LoadError(), "Syntax error in file bad.fte\nLine 2");
    std::filesystem::remove("bad.fte");
    EXPECT_EQ(LoadError(), "Failed to open file\nbad.fte");
    // A chain to a missing neighbour fails when the run gets there.
    WriteBytes("bad.fte", "NXT gone\nTIM 0 60 2\nFTE 1 2 3\n");
    CollectFunctionFiles(engine.model, engine.run);
    try {
        EvaluateFunction(engine.model, engine.run, 0, 500);
        ADD_FAILURE() << "no error";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Code(), ErrorCode::FileOpen);
        EXPECT_EQ(e.Path(), "gone.fte");
    }
}

TEST_F(FunctionFilesTest, OnlyUsedFileFunctionsOfTimeAreLoaded)
{
    WriteBytes("t.fte", "TIM 0 60 1\nFTE 1 2\n");
    Add("T01", "t.fte");
    engine.model.functions[static_cast<std::size_t>(Add("T02", "missing.fte"))].inUse = 0;
    Add("L01", "missing.fla");
    Add("T03", "", 1);
    CollectFunctionFiles(engine.model, engine.run);
    ASSERT_EQ(engine.run.functions.files.size(), 1u);
    EXPECT_EQ(engine.run.functions.files[0].function, 0);
    // A stale table index of an unloaded function gives no value.
    engine.model.functions[1].tableIndex = 0;
    EXPECT_EQ(EvaluateFunction(engine.model, engine.run, 1, 30), 0.0f);
    EXPECT_NEAR(EvaluateFunction(engine.model, engine.run, 0, 30), 1.5f, 1e-6);
    FreeFunctionFileData(engine.run);
    EXPECT_EQ(EvaluateFunction(engine.model, engine.run, 0, 30), 0.0f);
    EXPECT_EQ(GetFunctionFileStep(engine.run, 0), 0);
}

TEST_F(FunctionFilesTest, UniqueNamesAndNameClashes)
{
    Add("T01", "");
    Add("T02", "");
    char name[4] = "T77";
    MakeUniqueFunctionName(engine.model, name);
    EXPECT_STREQ(name, "T03");
    engine.model.functions[1].name = FunctionName("T03");
    std::strcpy(name, "T01");
    MakeUniqueFunctionName(engine.model, name);
    EXPECT_STREQ(name, "T02");
    EXPECT_FALSE(IsFunctionNameUsed(engine.model, 0));
    engine.model.functions[1].name = FunctionName("T01");
    EXPECT_TRUE(IsFunctionNameUsed(engine.model, 0));
    engine.model.functions.count = 0;
    for (int n = 1; n <= 99; ++n) {
        char full[4];
        std::snprintf(full, sizeof full, "P%02d", n);
        Add(full, "");
    }
    std::strcpy(name, "P05");
    MakeUniqueFunctionName(engine.model, name);
    EXPECT_STREQ(name, "P05"); // all taken: unchanged
    EXPECT_STREQ(FunctionFileFilter('v'), "Ventilation flow = f(time) (*.fvr)|*.fvr||");
    EXPECT_STREQ(FunctionFileExtension('C'), "fce");
    EXPECT_STREQ(FunctionShapeName(6), "SINPOS");
}

TEST_F(FunctionFilesTest, DisplayRanges)
{
    WriteBytes("r.fte", "TIM 0 600 6\nDAT 3\nFMT 0 0 0 -5 25\nFTE 1 2 3 4 5 6 7\n");
    WriteBytes("c.fce", "-10 800\n30 1200\n50 900\n");
    const int file = Add("T01", "r.fte");
    const int table = Add("C01", "c.fce");
    const int bad = Add("T02", "gone.fte");
    const int sine = Add("T03", "", 5);
    engine.model.functions[sine].params[0] = 10;
    engine.model.functions[sine].params[1] = 3;
    engine.model.functions[sine].params[2] = 1440;
    const int step = Add("T04", "", 2);
    engine.model.functions[step].params[0] = 4;
    engine.model.functions[step].params[1] = -2;
    engine.model.day0 = 2;
    for (int f : {file, table, bad, sine, step})
        LoadFunctionForDisplay(engine.model, engine.run, Host(), static_cast<std::size_t>(f));
    auto range = [this](int f) {
        const FunctionRecord& r = engine.model.functions[f];
        return std::vector<float>{r.rangeXMin, r.rangeXMax, r.rangeYMin, r.rangeYMax};
    };
    EXPECT_EQ(range(file), (std::vector<float>{86400, 86400 + 3600, -5, 25}));
    EXPECT_EQ(range(table), (std::vector<float>{-10, 50, 800, 1200}));
    EXPECT_EQ(range(bad), (std::vector<float>{0, 0, 0, 0}));
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    EXPECT_EQ(range(sine), (std::vector<float>{0, 172800, 6, 14}));
    EXPECT_EQ(range(step), (std::vector<float>{0, 1, -3, 5}));
    for (std::size_t f = 0; f < engine.model.functions.count; ++f)
        EXPECT_EQ(engine.model.functions[f].inUse, 0u);
}

TEST_F(FunctionFilesTest, AxisSteps)
{
    struct TimeCase {
        double span, major, minor;
        int unit;
    } times[] = {{60, 10, 1, 0},
                 {61, 60, 10, 1},
                 {86400, 10800, 3600, 2},
                 {3e6, 2592000, 864000, 3},
                 {4e7, 8640000, 2160000, 3}};
    for (const TimeCase& c : times) {
        const AxisSteps a = ChooseTimeAxisSteps(100, 100 + c.span);
        EXPECT_EQ(a.major, c.major) << c.span;
        EXPECT_EQ(a.minor, c.minor) << c.span;
        EXPECT_EQ(a.unit, c.unit) << c.span;
    }
    struct ValueCase {
        double min, max, major, minor, wideMin, wideMax;
    } values[] = {
        {0, 1.1, 0.2, 0.1, 0, 1.2},   // q < 1.2; 0 stays 0
        {-5, 20, 5, 1, -10, 25},      // q = 2.5; multiples strictly outside
        {3, 7, 1, 0.2, 2, 8},         // r = 4
        {10, 90, 20, 5, 0, 100},      // q = 8
        {5, 5.5, 0.2, 0.1, 4.8, 5.6}, // r raised to 1
    };
    for (const ValueCase& c : values) {
        const AxisSteps a = ChooseAxisSteps(c.min, c.max, true);
        EXPECT_NEAR(a.major, c.major, 1e-12) << c.min << " " << c.max;
        EXPECT_NEAR(a.minor, c.minor, 1e-12);
        EXPECT_NEAR(a.min, c.wideMin, 1e-9);
        EXPECT_NEAR(a.max, c.wideMax, 1e-9);
    }
}

TEST_F(FunctionFilesTest, RunDrivesABoundaryFromItsFile)
{
    // Outside surface | one metre of lambda 1 | inside surface at 0 C.
    SetGrid({0.1f, 1.0f, 0.1f}, {1}, {1});
    Surface(1, 0, 1e6f).temperatureFunc = FunctionName("T01");
    Colour(2, MATERIAL, 1.0f).heatCapacity = 1e-3f; // next to no storage
    Surface(3, 0, 1e6f);
    Block(1, 0, 1, 0, 1, 0, 1);
    Block(2, 1, 2, 0, 1, 0, 1);
    Block(3, 2, 3, 0, 1, 0, 1);
    Add("T01", "out.fte");
    WriteBytes("out.fte", "TIM 1 3600 2\nFTE 0 10 30\n");
    engine.model.timeStep = 3600;
    engine.model.calcDuration = 7200;
    engine.model.saveResults = 1;
    ASSERT_TRUE(Run()) << LastMessage();
    // The last step holds the third sample: 30 C outside, a linear wall.
    EXPECT_EQ(engine.model.colours[1].temperature, 30.0f);
    EXPECT_NEAR(T(1, 0, 0), 30, 1e-3);
    EXPECT_NEAR(T(2, 0, 0), 0, 1e-3);
    EXPECT_TRUE(engine.run.functions.files.empty());
    // Reading a saved step back evaluates the series at that step's time.
    engine.run.calcTime = 3600;
    ASSERT_TRUE(
        ReadSolutionFile(engine.model, engine.run, BuildStepFileName(engine.model, engine.run, ".sol")));
    EXPECT_EQ(engine.model.colours[1].temperature, 10.0f);
    EXPECT_NEAR(T(1, 0, 0), 10, 1e-3);
    WriteBytes("out.fte", "TIM 1 0 2\nFTE 0 10 30\n");
    EXPECT_FALSE(Run());
    EXPECT_EQ(LastMessage(), "Syntax error in file out.fte\nLine 1");
    EXPECT_EQ(PendingErrorCode(), ErrorCode::None);
    EXPECT_TRUE(engine.run.functions.files.empty());
}

} // namespace
} // namespace gelmar::test
