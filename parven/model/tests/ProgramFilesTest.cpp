// The program folder's files: "Parven.prm", "MatColor.rgb", the colour
// scales, the start-up, and the examples.
#include "parven/model/files/ColourFiles.h"
#include "parven/model/files/ParameterFile.h"
#include "parven/model/tests/ParvenFixture.h"

namespace {

using namespace parven;
using parven::testing::ParvenTest;
using parven::testing::ReadBytes;
using parven::testing::WriteBytes;

class ProgramFilesTest : public ParvenTest {};

TEST_F(ProgramFilesTest, ParameterFileReadsWholeNumbersTruncatedAndSkipsWhatItCannot)
{
    WriteBytes("Parven.prm", "cycl=7.9\n  iter=-3.7\nhrbl=4.5\nvwfc=0.5\nrays=9\nlcgr=\nmxdt=x\ndect=3\n"
                             "unknown=4\n");
    ProgramParameters p;
    CurrentOutputSettings out;
    ReadParameterFile(".", p, out);
    EXPECT_EQ(p.cycl, 7);
    EXPECT_EQ(p.iter, -3); // no range checks
    EXPECT_EQ(p.hrbl, 4.5f);
    EXPECT_EQ(p.lcgr, 0xC0C0C0);
    EXPECT_EQ(p.mxdt, 0.0001f);
    EXPECT_EQ(out.dect, 3);
    ProgramParameters missing;
    ReadParameterFile("no-such-folder", missing, out);
    EXPECT_EQ(missing, ProgramParameters{});
}

TEST_F(ProgramFilesTest, ParameterFileIsWrittenInItsOrderAndReadsBack)
{
    ProgramParameters p;
    ASSERT_TRUE(WriteParameterFile(".", p));
    const std::string bytes = ReadBytes("Parven.prm");
    EXPECT_EQ(bytes.rfind("tras=5\r\ndiss=1\r\nrats=1.5\r\nlinr=1\r\nhrbl=5.1\r\n", 0), 0u);
    EXPECT_NE(bytes.find("\r\ndtas=10.000000\r\ncycl=5\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 8), "lang=0\r\n");
    EXPECT_EQ(bytes.find("vwfc"), std::string::npos);
    // The program folder's file is what the defaults write.
    EXPECT_EQ(bytes, ReadBytes(std::string(SUITE_EXAMPLES_DIR) + "/Parven.prm"));
    p.mxdt = 1.0e-7f;
    p.tmax = 33.3f;
    p.lct1 = 0x123456;
    p.lang = 2;
    ASSERT_TRUE(WriteParameterFile(".", p));
    ProgramParameters back;
    CurrentOutputSettings out;
    ReadParameterFile(".", back, out);
    EXPECT_EQ(back, p);
}

TEST_F(ProgramFilesTest, MaterialColoursTakeTheirLinesInOrder)
{
    WriteBytes("MatColor.rgb", "a first line\nC 255 0 0\nC 300 0 0\nC 0 128 255\nX 1 1 1\nC 9 9\n");
    const ColourTable t = LoadMaterialColours(".");
    EXPECT_EQ(t[0].red, 255);
    EXPECT_EQ(t[0].packed, RGB(255, 0, 0));
    EXPECT_EQ(t[1].packed, 0u); // a bad line uses up its colour
    EXPECT_EQ(t[2].blue, 255);
    EXPECT_EQ(t[2].packed, RGB(0, 128, 255));
    EXPECT_EQ(t[3].packed, 0u);
    EXPECT_EQ(t[200].number, 200);
    EXPECT_EQ(t[200].meshSize, 100.0f);
    EXPECT_EQ(t[200].pattern, 16);
    EXPECT_EQ(t[200].shown, 1);
    EXPECT_EQ(t[200].con3, 0.333333f);
    EXPECT_EQ(LoadMaterialColours("missing")[0].packed, 0u);
}

TEST_F(ProgramFilesTest, StartUpWithoutAColourScaleSaysSoAndPaintsGrey)
{
    WriteBytes("prog/Parven.prm", "cycl=3\n");
    WriteBytes("prog/MatColor.rgb", "C 1 2 3\n");
    StartEngine(engine, "prog");
    EXPECT_EQ(engine.parameters.cycl, 3);
    EXPECT_EQ(engine.model.settings.cycl, 3);
    EXPECT_EQ(engine.model.colours[0].green, 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Cannot open file prog/RainbowColor.rgb");
    EXPECT_EQ(common::ValueToColour(engine.colourScale, 0.5f), 0xDFDFDFu);
    WriteBytes("prog/RainbowGray.rgb", "N 3\nC 0 0 0\nC 9 9 9\n");
    try {
        LoadColourScale("prog", true, engine.colourScale);
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Message(), "Syntax error in file prog/RainbowGray.rgb, line 3");
    }
}

TEST_F(ProgramFilesTest, TheExamplesRead)
{
    StartEngine(engine, SUITE_EXAMPLES_DIR);
    host.messages.clear();
    const std::string dir = SUITE_EXAMPLES_DIR;
    struct Case {
        const char* file;
        std::uint32_t blocks;
    } cases[] = {{"Parven.pvn", 1}, {"wall.pvn", 6}, {"shapes.pvn", 5}, {"prism.pvn", 2}};
    for (const Case& c : cases) {
        Open(dir + "/" + c.file);
        EXPECT_EQ(engine.model.blocks.count, c.blocks) << c.file;
        EXPECT_TRUE(host.messages.empty()) << c.file;
    }
    // The wall's layers and air blocks meet: one cell across each of the six.
    Open(dir + "/wall.pvn");
    EXPECT_EQ(engine.model.axes[0].n, 6);
    EXPECT_EQ(engine.model.colours[3].name, "Insulation");
    Open(dir + "/shapes.pvn");
    EXPECT_EQ(engine.model.blocks[2].shape, CYL);
    EXPECT_EQ(engine.model.blocks[3].shape, BAL);
    Open(dir + "/prism.pvn");
    EXPECT_EQ(engine.model.blocks[1].triangleCount, 8u);
    EXPECT_EQ(engine.model.stl.vertices.size(), 6u);
}

} // namespace
