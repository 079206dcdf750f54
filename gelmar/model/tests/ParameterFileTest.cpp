// "Gelmar.prm", "MatColor.rgb" and the colour scales.
#include "ModelBuilder.h"
#include "gelmar/model/store/ColourScale.h"

namespace gelmar::test {
namespace {

class FilesTest : public EngineTest {
  protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        folder = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    std::string folder;
};

TEST_F(FilesTest, ParameterFileKeysAndValues)
{
    WriteBytes(folder + "/Gelmar.prm",
               "RAYS=50\nrays=abc\niter=12.9\nlcgr=255\nxyzw=1\ndtas=2.5\nimgw=640\ncycl=" +
                   std::string(300, '7') + "\n\x01\xff garbage\n");
    ReadParameterFile(engine.parameters, engine.output, folder);
    ParameterSet expected;
    expected.rays = 50;
    expected.iter = 12;
    expected.lcgr = 255;
    expected.dtas = 2.5f;
    expected.imgw = 640;
    EXPECT_EQ(engine.parameters, expected);
    EXPECT_EQ(engine.output.imgw, 640);
    engine.parameters = ParameterSet{};
    ReadParameterFile(engine.parameters, engine.output, folder + "/none");
    EXPECT_EQ(engine.parameters, ParameterSet{});
}

TEST_F(FilesTest, ParameterFileRoundTripOfEveryKey)
{
    // Every value different from its default, floats with full precision.
    ParameterSet p;
    float f = 0.1f;
    std::int32_t i = 3;
    for (float* v : {&p.grun, &p.hrbl, &p.vwfc, &p.mxdt, &p.mxod, &p.mxnd, &p.tmin, &p.tmax, &p.tin1, &p.tin2,
                     &p.qmin, &p.qmax, &p.qin1, &p.qin2, &p.dtas, &p.tras, &p.diss, &p.rats, &p.tsin})
        *v = (f *= 1.37f) + 1.0f / 3.0f;
    for (std::int32_t* v :
         {&p.linr, &p.rays, &p.ccen, &p.cycl, &p.iter, &p.lang, &p.lcob, &p.lcgr, &p.lct1, &p.lct2,
          &p.lcq1, &p.lcq2, &p.lwob, &p.lwgr, &p.lwt1, &p.lwt2, &p.lwq1, &p.lwq2, &p.dect, &p.decq,
          &p.decv, &p.drag, &p.ltxt, &p.lcts, &p.lwts, &p.imgw, &p.imgh, &p.imgf})
        *v = i++;
    engine.parameters = p;
    ASSERT_TRUE(WriteParameterFile(engine.parameters, folder));
    const std::string bytes = ReadBytes(folder + "/Gelmar.prm");
    EXPECT_EQ(bytes.rfind("grun=", 0), 0u);
    EXPECT_NE(bytes.find("\r\nlang="), std::string::npos);
    engine.parameters = ParameterSet{};
    ReadParameterFile(engine.parameters, engine.output, folder);
    EXPECT_EQ(engine.parameters, p);
    // The built-in defaults in the written form.
    engine.parameters = ParameterSet{};
    ASSERT_TRUE(WriteParameterFile(engine.parameters, folder));
    EXPECT_NE(ReadBytes(folder + "/Gelmar.prm").find("\r\ndtas=10.000000\r\n"), std::string::npos);
}

TEST_F(FilesTest, MaterialColoursSkipABadLine)
{
    WriteBytes(folder + "/MatColor.rgb", "c 1 2 3\nC 1 2 300\nx\nC 7 8 9\n");
    engine.model.colours[1].lambda = 5;
    LoadMaterialColours(engine.model, folder);
    EXPECT_EQ(engine.model.colours[0].displayColour, RGB(1, 2, 3));
    EXPECT_EQ(engine.model.colours[1].displayColour, 0u);
    EXPECT_EQ(engine.model.colours[1].lambda, 1.0f); // defaults first
    EXPECT_EQ(engine.model.colours[2].displayColour, RGB(7, 8, 9));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilesTest, ColourScaleLookup)
{
    WriteBytes(folder + "/RainbowColor.rgb", "N 2\nC 0 0 0\nC 100 200 50\n");
    ASSERT_TRUE(LoadColourScale(engine.colourScale, host, folder, false));
    EXPECT_EQ(ValueToColour(engine.colourScale, 0.0f), RGB(0, 0, 0));
    EXPECT_EQ(ValueToColour(engine.colourScale, 0.25f), RGB(50, 100, 25));    // halfway between the entries
    EXPECT_EQ(ValueToColour(engine.colourScale, 0.5002f), RGB(100, 200, 50)); // within 0.001 of an entry
    EXPECT_EQ(ValueToColour(engine.colourScale, 0.5f), RGB(100, 200, 50));
    EXPECT_EQ(ValueToColour(engine.colourScale, 1.0f), RGB(100, 200, 50));
    EXPECT_EQ(ValueToColour(engine.colourScale, 1.0001f), 0xDFDFDFu);
    EXPECT_EQ(ValueToColour(engine.colourScale, -0.1f), 0xDFDFDFu);
    WriteBytes(folder + "/RainbowGray.rgb", "N 4\nC 0 0 0\nC 100 100 100\nC 200 200 200\nC 255 255 255\n");
    ASSERT_TRUE(LoadColourScale(engine.colourScale, host, folder, true));
    EXPECT_EQ(ValueToColour(engine.colourScale, 0.375f), RGB(150, 150, 150));
    engine.colourScale = ColourScale{};
    EXPECT_EQ(ValueToColour(engine.colourScale, 0.5f), 0xDFDFDFu);
}

TEST_F(FilesTest, ColourScaleErrors)
{
    struct Case {
        const char* bytes;
        int line;
    };
    const Case cases[] = {
        {"N 3\nC 1 1 1\nC 2 2 2\n", 3}, {"N 0\n", 1}, {"N x\n", 1}, {"C 1 2 3\n", 1}, {"N 1\nC 1 2\n", 2},
        {"N 1\nC 1 1 1\nC 2 2 2\n", 3}, {"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        host.messages.clear();
        WriteBytes(folder + "/RainbowColor.rgb", c.bytes);
        EXPECT_FALSE(LoadColourScale(engine.colourScale, host, folder, false));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0],
                  "Syntax error in file " + folder + "/RainbowColor.rgb\nLine " + std::to_string(c.line));
    }
    host.messages.clear();
    EXPECT_FALSE(LoadColourScale(engine.colourScale, host, folder + "/none", true));
    EXPECT_EQ(host.messages.at(0), "Failed to open file\n" + folder + "/none/RainbowGray.rgb");
}

TEST_F(FilesTest, ExampleFilesReadWithoutMessages)
{
    ReadParameterFile(engine.parameters, engine.output, SUITE_EXAMPLES_DIR);
    EXPECT_EQ(engine.parameters, ParameterSet{});
    LoadMaterialColours(engine.model, SUITE_EXAMPLES_DIR);
    EXPECT_NE(engine.model.colours[1].displayColour, 0u);
    EXPECT_TRUE(LoadColourScale(engine.colourScale, host, SUITE_EXAMPLES_DIR, false));
    EXPECT_TRUE(LoadColourScale(engine.colourScale, host, SUITE_EXAMPLES_DIR, true));
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
} // namespace gelmar::test

namespace gelmar::test {
namespace {

using ExampleTest = EngineTest;

TEST_F(ExampleTest, WallModelReads)
{
    engine.model.dataFilePath = std::string(SUITE_EXAMPLES_DIR) + "/wall.glm";
    ASSERT_TRUE(
        ReadDataFile(engine.model, engine.model.dataFilePath, ReadMode::Open, engine.parameters, Host()));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(engine.model.calcDuration, 0);
    EXPECT_FLOAT_EQ(engine.model.axes[0].coords[5], 0.3f);
    EXPECT_EQ(engine.model.blocks.count, 3);
    EXPECT_EQ(engine.model.colours[1].lambda, 0.5f);
    EXPECT_EQ(engine.model.colours[2].type, BC_SIMPL);
    EXPECT_EQ(engine.model.colours[3].hGlobal, 25.0f);
}

} // namespace
} // namespace gelmar::test
