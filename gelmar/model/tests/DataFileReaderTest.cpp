// The .glm reader: keys, range checks at their line, modes and bad input.
#include "ModelBuilder.h"
#include "gelmar/model/store/Errors.h"

#include <fstream>

namespace gelmar::test {
namespace {

using ReaderTest = EngineTest;

// A grid of 2 x 1 x 1 cells in 7 lines, so the line after it is line 8.
const std::string kGrid = "nxwi=2\nxwid=0.5\nxwid=0.25\nnywi=1\nywid=1\nnzwi=1\nzwid=1\n";

std::string SyntaxMessage(const std::string& path, int line)
{
    return "Syntax error in file " + path + "\nLine " + std::to_string(line);
}

TEST_F(ReaderTest, BadValuesStopAtTheirLine)
{
    struct Case {
        const char* lines; // after the grid; the last line is the bad one
    };
    const Case cases[] = {
        {"colr=300"},
        {"colr=-1"},
        {"colr=x"},
        {"name=before any colour"},
        {"lamb=1"},
        {"colr=1\ncrgb=1 2 256"},
        {"colr=1\ntype=8"},
        {"colr=1\nrule=13"},
        {"colr=1\npatt=-1"},
        {"colr=1\nlamb=abc"},
        {"colr=1\nhglo="},
        {"grun=0"},
        {"grun=-1"},
        {"nxwi=0"},
        {"nxwi=65536"},
        {"nxwi=2\nxwid=1\nxwid=1\nxwid=2"}, // a third x width for two cells
        {"zwid=-1"},
        {"vwpt=30"},
        {"rcls=2"},
        {"linr=-1"},
        {"ccen=3"},
        {"hrbl=-0.1"},
        {"rays=0"},
        {"cycl=0"},
        {"iter=-5"},
        {"step=0"},
        {"day0=0"},
        {"prec=-1"},
        {"calc=-1"},
        {"tmin=x"},
        {"save=2 1"},
        {"save=1 0"},
        {"save=1"},
        {"nblk=0"},
        {"blok=0 1 0 1 0 1 0 1"},
        {"nblk=1\nblok=1 1 0 1 0 1 0 1"},
        {"nblk=1\nblok=0 256 0 1 0 1 0 1"},
        {"nblk=1\nblok=0 1 0 3 0 1 0 1"},
        {"nblk=1\nblok=0 1 1 1 0 1 0 1"},
        {"nblk=1\nblok=0 1 0 1 0 1 0 2"},
        {"nblk=1\nblok=0 1 0 1 0 1 0"},
        {"nblk=65536"},
        {"unlk=256"},
        {"nnbc=-1"},
        {"nnbc=1\nnbcd=1 0 0 0"},
        {"nnbc=1\nnbcd=0 3 0 0"},
        {"nbty=1"},
        {"nnbc=1\nnbcd=0 0 0 0\nnbty=2"},
        {"nbte=1"},
        {"nbor=1\nbort=5"},
        {"nbor=1\nbori=1"},
        {"nbor=1\nbori=0\nbor1=256"},
        {"nbor=1\nbori=0\nbory=2"},
        {"nmat=1\nmatp=5"},
        {"nmat=1\nmati=0\nmatc=-2"},
        {"funt=1 7"},
        {"funt=1"},
        {"funr=T01"},
        {"funt=1 1\nfunr=T01\nfunp=1 2 3"},
        {"vent=0 256"},
        {"veco=1"},
        {"vefl=V01"},
        {"nctr=70000"},
        {"nctr=1\nctrl=1"},
        {"csen=1"},
        {"nctr=1\nctrl=0\ncsen=x"},
        {"nctr=1\nctrl=0\nczn1=40000"},
        {"nond=1\nonod=0 3 0 0"},
        {"nond=1\nonod=1 0 0 0"},
        {"nobl=1\noblk=0 1 1 0 1 0 1"},
        {"nobl=1\noblk=0 0 4 0 1 0 1"},
        {"nobl=1\noblk=0 0 1 0 1 0"},
        {"nrpt=1\nrept=0 9 1 0 8 2"},
        {"nrpt=1\nrept=0 1 1 19 8 2"},
        {"nrpt=1\nrept=0 1 1 0 0 2"},
        {"nrpt=1\nrept=0 1 1 0 8 -1"},
        {"nsob=1\nsobs=1 0 1 2 3"},
        {"nsob=1\nsobs=0 0 1 2"},
        {"lati=north"},
        {"rt1z="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        host.messages.clear();
        const std::string text = kGrid + c.lines + "\ncolr=9\n";
        int line = 7;
        for (const char* p = c.lines; *p; ++p)
            line += *p == '\n';
        ++line;
        EXPECT_FALSE(ReadText(text));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], SyntaxMessage(engine.model.dataFilePath, line));
        EXPECT_EQ(engine.model.colours[9].inUse, 0); // reading stopped at the bad line
    }
    // A refused value is not kept.
    EXPECT_FALSE(ReadText("rays=0\ncolr=1\ntype=8\n"));
    EXPECT_EQ(engine.model.rays, ParameterSet{}.rays);
    EXPECT_FALSE(ReadText("colr=1\ntype=8\n"));
    EXPECT_EQ(engine.model.colours[1].type, MATERIAL);
}

TEST_F(ReaderTest, ReadsAWholeModel)
{
    const std::string text = "TITL=first`second~\ntitl= and more\n" + kGrid +
                             "grun=0.001\nvwpt=45 20\ncolr=3\ncrgb=10 20 30\ntype=1\nname=Inside air\n"
                             "temp=20\ntmpf=T02\nhglo=7.7\npatt=0\nlafu=L01\nlamb=0.5\n"
                             "nblk=2\nblok=0 3 0 2 0 1 0 1 99\nblok=1 3 1 2 0 1 0 1\n"
                             "rptf=0\nazno=10\nalno=5\n";
    ASSERT_TRUE(ReadText(text));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(engine.model.title, "first\rsecond\n and more");
    EXPECT_EQ(engine.model.gridUnit, 0.001f);
    EXPECT_EQ(engine.model.viewAzimuth, 45.0f);
    const ColourRecord& c = engine.model.colours[3];
    EXPECT_EQ(c.inUse, 1);
    EXPECT_EQ(c.displayColour, RGB(10, 20, 30));
    EXPECT_EQ(c.type, BC_SIMPL);
    EXPECT_EQ(c.name, "Inside air");
    EXPECT_EQ(c.temperatureFunc.View(), "T02");
    EXPECT_EQ(c.pattern, 1);
    EXPECT_EQ(c.lambda, 0.5f);
    EXPECT_EQ(c.lambdaFunc.View(), "L00"); // the value after the name resets it
    ASSERT_EQ(engine.model.blocks.count, 2);
    EXPECT_EQ(engine.model.blocks[0], (BlockRecord{3, 0, 2, 0, 1, 0, 1, {}, 0}));
    EXPECT_EQ(engine.model.reportFrequency, 1);
    EXPECT_FLOAT_EQ(engine.model.axes[0].coords[1], 0.75f);
    EXPECT_EQ(engine.model.clipHi[0], 2);
    EXPECT_FLOAT_EQ(engine.model.extent[0], 0.75f);
    // Older orientation keys are converted after the last line.
    EXPECT_EQ(engine.model.rot1z, 100.0f);
    EXPECT_EQ(engine.model.rot2x, -5.0f);
    EXPECT_EQ(engine.model.rot3z, -90.0f);
}

TEST_F(ReaderTest, CountKeysGrowAndInitialiseTheirRecords)
{
    ASSERT_TRUE(ReadText("nbor=120\nnmat=3\nnxwi=250\nnctr=2\nnond=1\nnobl=1\nnrpt=1\nnnbc=2\nnsob=3\n"));
    EXPECT_EQ(engine.model.borderBcs.capacity, 170);
    EXPECT_EQ(engine.model.materialBcs.capacity, 13);
    EXPECT_EQ(engine.model.gridCapacity, 350);
    EXPECT_EQ(engine.model.borderBcs[119], BorderFaceBcRecord{});
    EXPECT_EQ(engine.model.materialBcs[2], MaterialBcRecord{});
    EXPECT_EQ(engine.model.controls[1], ControlRecord{});
    EXPECT_EQ(engine.model.outputBlocks[0], OutputBlockRecord{});
    EXPECT_EQ(engine.model.reportItems[0], ReportItemRecord{});
    EXPECT_EQ(engine.model.nodeBcs[1], NodeBcRecord{});
    EXPECT_EQ(engine.model.sunObstacleCount, 3);
    EXPECT_EQ(engine.model.sunObstacles[2], SunObstacleRecord{});
    EXPECT_EQ(engine.model.axes[0].widths[249], 0.0f); // no stale width from an earlier model
}

TEST_F(ReaderTest, ListKeys)
{
    ASSERT_TRUE(ReadText(kGrid +
                             "nnbc=1\nnbcd=0 2 1 1\nnbty=1\nnbpo=5\nnbpf=P03\nnbte=3\n"
                             "nbor=1\nbori=0\nbor1=2\nbor2=-1\nbory=1\nbort=4\nbotf=T05\n"
                             "nmat=1\nmati=0\nmatc=7\nmatp=100\nmapf=P01\n"
                             "funt=1 1\nfunr=T01\nfunp=5 0 0 0 0 0\nfunt=2 3\nfunr=T00\nfunp=1 2 3 4 5 6\n"
                             "funt=3 0\nfunr=R00\nfunt=4 0\nfunr=D01\nfunn=weather.txt\nfunt=5 1\n"
                             "vent=1 -1\nveco=0.5\nvefl=V02\n"
                             "nctr=1\nctrl=0\ncsen=2\nctgf=T01\ncstu=0.5\ncpur=1\nczn1=4\n"
                             "nond=1\nonod=0 2 1 1\nnobl=1\noblk=0 0 3 0 2 0 2\n"
                             "nrpt=1\nrept=0 8 0 18 1 0\nnsob=1\nsobs=0 -90 90 0 30\n",
                         false, false, "sub/dir/list.glm"));
    const NodeBcRecord& n = engine.model.nodeBcs[0];
    EXPECT_EQ(n.i, 2);
    EXPECT_EQ(n.type, 1);
    EXPECT_EQ(n.power, 5.0f);
    EXPECT_EQ(n.powerFunc.View(), "P03");
    EXPECT_EQ(n.temperature, 3.0f);
    EXPECT_EQ(engine.model.borderBcs[0],
              (BorderFaceBcRecord{2, -1, 1, 4.0f, 0.0f, FunctionName("T05"), FunctionName("I00"), {}}));
    EXPECT_EQ(engine.model.materialBcs[0].colour, 7);
    EXPECT_EQ(engine.model.materialBcs[0].powerFunc.View(), "P01");
    // "T00" and "R00" name no function, and the last one has no name: those
    // records are dropped again.
    ASSERT_EQ(engine.model.functions.count, 2);
    EXPECT_EQ(engine.model.functions[0].name.View(), "T01");
    EXPECT_EQ(engine.model.functions[0].params[0], 5.0f);
    EXPECT_EQ(engine.model.functions[1].name.View(), "D01");
    EXPECT_EQ(engine.model.functions[1].filePath, "sub/dir/weather.txt");
    EXPECT_EQ(engine.model.functions[1].fileTitle, "weather");
    ASSERT_EQ(engine.model.ventFlowCount, 1);
    EXPECT_EQ(engine.model.ventFlows[0].colourTo, -1);
    EXPECT_EQ(engine.model.ventFlows[0].flowFunc.View(), "V02");
    EXPECT_EQ(engine.model.controls[0].sensor, 2);
    EXPECT_EQ(engine.model.controls[0].zone1, 4);
    EXPECT_EQ(engine.model.controls[0].sensitivityDown, 1.0f);
    EXPECT_EQ(engine.model.outputBlocks[0].i2, 3);
    EXPECT_EQ(engine.model.reportItems[0].subKind, 18);
    EXPECT_EQ(engine.model.sunObstacles[0].altitudeTo, 30.0f);
}

TEST_F(ReaderTest, FunctionFilePathKeepsFoldersAndDrives)
{
    ASSERT_TRUE(ReadText("funt=1 0\nfunr=T01\nfunn=other/f.dat\nfunt=2 0\nfunr=T02\nfunn=C:f.dat\n", false,
                         false, "sub/fp.glm"));
    EXPECT_EQ(engine.model.functions[0].filePath, "other/f.dat");
    EXPECT_EQ(engine.model.functions[1].filePath, "C:f.dat");
    EXPECT_EQ(engine.model.functions[1].fileTitle, "f");
}

TEST_F(ReaderTest, TooManyVentilationFlowsAndSunObstacles)
{
    std::string text;
    for (int i = 0; i < 257; ++i)
        text += "vent=1 2\n";
    EXPECT_FALSE(ReadText(text));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0], "Max. number of ventilation flows too low.");
    EXPECT_EQ(host.messages[1], SyntaxMessage(engine.model.dataFilePath, 257));
    host.messages.clear();
    EXPECT_FALSE(ReadText("nsob=101\n"));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0], "Too many sun obstacles");
}

TEST_F(ReaderTest, PreviewStopsAtViewAngles)
{
    ASSERT_TRUE(ReadText(kGrid + "colr=2\nnblk=1\nblok=0 2 0 2 0 1 0 1\nvwpt=10 20\nrays=0\nstep=5\n", true));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(engine.model.blocks.count, 1);
    EXPECT_EQ(engine.model.viewAltitude, 20.0f);
    EXPECT_EQ(engine.model.timeStep, 600);
}

TEST_F(ReaderTest, InsertKeepsUsedColoursAndPlacesBlocksByCoordinates)
{
    ASSERT_TRUE(ReadText("grun=0.01\n" + kGrid + "colr=1\nlamb=2\nnblk=1\nblok=0 1 0 2 0 1 0 1\n"));
    engine.model.origin[0] = 1.0f;
    // Colour 1 is in use and keeps its values; colour 2 is new.
    const std::string inserted =
        "grun=0.001\nnxwi=3\nxwid=1\nxwid=2\nxwid=4\nnywi=1\nywid=1\nnzwi=1\nzwid=1\n"
        "colr=1\nlamb=9\ncolr=2\nlamb=3\nnblk=2\nblok=0 2 1 3 0 1 0 1\n"
        "blok=1 1 0 1 0 1 0 1\nnnbc=5\nstep=1\nnctr=1\n";
    ASSERT_TRUE(ReadText(inserted, false, true, "inserted.glm"));
    EXPECT_EQ(engine.model.colours[1].lambda, 2.0f);
    EXPECT_EQ(engine.model.colours[2].lambda, 3.0f);
    EXPECT_EQ(engine.model.axes[0].n, 2); // the model's grid stays
    EXPECT_EQ(engine.model.gridUnit, 0.01f);
    ASSERT_EQ(engine.model.blocks.count, 3);
    EXPECT_EQ(engine.model.blockBase, 1);
    const BlockRecord& b = engine.model.blocks[1];
    EXPECT_EQ(b.colour, 2);
    // x from origin 1 + 1 = 2 to 1 + 1 + 2 + 4 = 8, scaled by 0.001 / 0.01.
    EXPECT_FLOAT_EQ(b.coord[0], 0.2f);
    EXPECT_FLOAT_EQ(b.coord[1], 0.8f);
    EXPECT_FLOAT_EQ(b.coord[3], 0.1f);
    EXPECT_EQ(engine.model.nodeBcs.count, 0); // list keys are skipped
    EXPECT_EQ(engine.model.timeStep, 600);
    EXPECT_EQ(engine.model.controls.count, 1);
}

TEST_F(ReaderTest, InsertChecksItsOwnGridAndColourKeys)
{
    ASSERT_TRUE(ReadText(kGrid));
    EXPECT_FALSE(ReadText("xwid=1\n", false, true, "insert1.glm"));
    EXPECT_EQ(LastMessage(), SyntaxMessage(engine.model.dataFilePath, 1));
    EXPECT_FALSE(ReadText("nblk=1\nblok=0 1 0 1 0 1 0 1\n", false, true, "insert2.glm"));
    EXPECT_EQ(LastMessage(), SyntaxMessage(engine.model.dataFilePath, 2));
    EXPECT_FALSE(ReadText("name=x\n", false, true, "insert3.glm"));
    EXPECT_EQ(LastMessage(), SyntaxMessage(engine.model.dataFilePath, 1));
    EXPECT_FALSE(ReadText("colr=1\ncolr=2\ntype=9\n", false, true, "insert4.glm"));
    EXPECT_EQ(LastMessage(), SyntaxMessage(engine.model.dataFilePath, 3));
    // The inserted blocks would take the 16-bit block count past 65535.
    ASSERT_TRUE(ReadText(kGrid + "nblk=1\nblok=0 1 0 1 0 1 0 1\n"));
    EXPECT_FALSE(ReadText("nblk=65535\n", false, true, "insert5.glm"));
    EXPECT_EQ(LastMessage(), SyntaxMessage(engine.model.dataFilePath, 1));
    EXPECT_EQ(engine.model.blocks.count, 1);
}

TEST_F(ReaderTest, MissingFileLeavesTheModelAsItWas)
{
    ASSERT_TRUE(ReadText(kGrid + "colr=4\nnblk=1\nblok=0 4 0 1 0 1 0 1\n", false, false, "kept.glm"));
    std::ofstream("tmp.sol") << "results";
    const std::string before = FormatDataFile(engine.model);
    engine.model.dataFilePath = "missing/none.glm";
    EXPECT_FALSE(
        ReadDataFile(engine.model, engine.model.dataFilePath, ReadMode::Open, engine.parameters, Host()));
    EXPECT_EQ(LastMessage(), "Failed to open file\nmissing/none.glm");
    EXPECT_EQ(FormatDataFile(engine.model), before);
    EXPECT_EQ(engine.model.dataFilePath, "missing/none.glm");
    EXPECT_TRUE(std::ifstream("tmp.sol").good());
    // The preview shows no message.
    host.messages.clear();
    EXPECT_FALSE(
        ReadDataFile(engine.model, engine.model.dataFilePath, ReadMode::Preview, engine.parameters, Host()));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ReaderTest, GarbageLongLinesAndTruncation)
{
    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    ReadText(garbage); // any outcome but a crash; no stale state after it
    host.messages.clear();
    EXPECT_FALSE(ReadText(kGrid + "colr=1\nname=" + std::string(100000, 'x') + "\n"));
    EXPECT_EQ(LastMessage(), SyntaxMessage(engine.model.dataFilePath, 9));
    EXPECT_EQ(engine.model.colours[1].name, "");
    // A file cut in the middle of a line reads the part that is there.
    EXPECT_TRUE(ReadText(kGrid + "colr=1\nlamb=0.2"));
    EXPECT_EQ(engine.model.colours[1].lambda, 0.2f);
    EXPECT_FALSE(ReadText(kGrid + "nblk=1\nblok=0 1 0 1 0"));
}

TEST_F(ReaderTest, TextIsConvertedFromWindows1252)
{
    ASSERT_TRUE(ReadText("colr=1\nname=B\xe9ton \x80\n"));
    EXPECT_EQ(engine.model.colours[1].name, "B\xc3\xa9ton \xe2\x82\xac");
}

TEST_F(ReaderTest, CrLfAndLfFilesReadTheSame)
{
    std::string lf = "titl=x\n" + kGrid + "colr=1\nname=a b\nnblk=1\nblok=0 1 0 2 0 1 0 1\n";
    ASSERT_TRUE(ReadText(lf));
    const std::string a = FormatDataFile(engine.model);
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ASSERT_TRUE(ReadText(crlf));
    EXPECT_EQ(FormatDataFile(engine.model), a);
}

} // namespace
} // namespace gelmar::test
