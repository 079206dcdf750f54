// The .nvk reader: keys and their checks at their line, the three modes,
// the mended faults and bad input.
#include "ModelFixture.h"
#include "novelk/model/store/TempFiles.h"

#include <algorithm>
#include <cstring>

namespace novelk::test {
namespace {

using ReaderTest = ModelTest;

// A grid of 2 x 1 x 1 cells in 7 lines, so the line after it is line 8.
const std::string kGrid = "nxwi=2\nxwid=0.5\nxwid=0.25\nnywi=1\nywid=1\nnzwi=1\nzwid=1\n";

TEST_F(ReaderTest, BadValuesStopAtTheirLine)
{
    const char* const cases[] = {
        // after the grid; the last line is the bad one
        "colr=256",
        "colr=-1",
        "colr=x",
        "name=before any colour",
        "lamb=1",
        "rule=1",
        "colr=1\ncrgb=1 2 256",
        "colr=1\ncrgb=1 2",
        "colr=1\ntype=8",
        "colr=1\nrule=13",
        "colr=1\npatt=-1",
        "colr=1\nlamb=abc",
        "colr=1\nhglo=",
        "colr=1\ncon2=nan",
        "grun=0",
        "grun=-1",
        "nxwi=0",
        "nxwi=65536",
        "zwid=-1",
        "nxwi=2\nxwid=1\nxwid=1\nxwid=2", // a surplus width
        "vwpt=30",
        "rcls=2",
        "linr=-1",
        "ccen=3",
        "hrbl=-0.1",
        "vwfc=-1",
        "rays=0",
        "cycl=0",
        "iter=-5",
        "mxdt=-1",
        "mxod=-1",
        "mxnd=-1",
        "mxdc=-1",
        "dtas=-1",
        "tmin=x",
        "tsin=",
        "nblk=0",
        "nblk=65536",
        "blok=0 1 0 1 0 1 0 1",
        "nblk=1\nblok=1 1 0 1 0 1 0 1",
        "nblk=1\nblok=-1 1 0 1 0 1 0 1",
        "nblk=1\nblok=0 256 0 1 0 1 0 1",
        "nblk=1\nblok=0 1 0 1 0 1 0",
        "nblk=1\nblok=0 1 0 1 0 1 0 70000",
        "nnbc=-1",
        "nnbc=1000001",
        "nnbc=1\nnbcd=1 0 0 0",
        "nnbc=1\nnbcd=0 3 0 0",
        "nnbc=1\nnbcd=0 0 0",
        "nbty=1",
        "nnbc=1\nnbcd=0 0 0 0\nnbty=2",
        "nbte=1",
        "nbpo=1",
        "nbor=-1",
        "nbor=1\nbort=5",
        "nbor=1\nbori=1",
        "nbor=1\nbori=0\nbor1=256",
        "nbor=1\nbori=0\nbor2=-2",
        "nbor=1\nbori=0\nbory=2",
        "nbor=0\nbori=0",
        "nmat=1\nmatp=5",
        "nmat=1\nmati=1",
        "nmat=1\nmati=0\nmatc=-2",
        "nmat=1\nmati=0\nmaty=2",
        "area=3 0 0 0 1 0 1",
        "area=0 0 3 0 1 0 1",
        "area=0 1 0 0 1 0 1",
        "area=0 0 0 0 1 0",
        "uval=-1 0 1 0 0 0 0",
        "uenf=3 1",
        "uenf=0 -0.1",
        "uenf=0",
        "rptf=2",
        "rptu=-1",
        "rpte=2",
        "rptp=x",
        "rptq=3",
    };
    for (const char* c : cases) {
        const std::string text = kGrid + c + "\n";
        const int line = 7 + static_cast<int>(std::count(c, c + std::strlen(c), '\n')) + 1;
        EXPECT_EQ(Read(text), SyntaxMessage("model.nvk", line)) << c;
    }
}

TEST_F(ReaderTest, KeysAndTheirValues)
{
    const std::string text =
        kGrid + "COLR=3\ncrgb=10 20 30\ntype=5\nrule=12\nname=Air  gap \npatt=0\n"
                "lamb=0.5\nepsi=0.8\ntemp=20\nhglo=7.7\nflux=3\ntair=21\nhcon=2\nqcon=4\ntrad=22\n"
                "con1=1\ncon2=2\ncon3=3\n"
                "titl=two`~lines\nnaue=Uwall\nrptu=1\nrptf=1\nrpte=1\ntsin=12.5\nrays=250.7\n"
                "nblk=1\nblok=0 3 0 2 0 1 0 1\n";
    ASSERT_EQ(Read(text), "");
    const ColourRecord& c = model.colours[3];
    EXPECT_EQ(c.inUse, 1);
    EXPECT_EQ((std::array<int, 4>{c.red, c.green, c.blue, static_cast<int>(c.displayColour)}),
              (std::array<int, 4>{10, 20, 30, 10 + 256 * 20 + 65536 * 30}));
    EXPECT_EQ(c.type, EQUIMAT);
    EXPECT_EQ(c.rule, 12);
    EXPECT_EQ(c.name, "Air  gap ");
    EXPECT_EQ(c.pattern, 1); // 0 is read as 1
    EXPECT_EQ(
        (std::array<float, 12>{c.lambda, c.epsilon, c.temperature, c.hGlobal, c.flux, c.airTemperature,
                               c.hConvective, c.qConvective, c.radiantTemperature, c.con1, c.con2, c.con3}),
        (std::array<float, 12>{0.5f, 0.8f, 20, 7.7f, 3, 21, 2, 4, 22, 1, 2, 3}));
    EXPECT_EQ(model.title, "two\r\nlines");
    EXPECT_EQ(model.report.elementName, "Uwall");
    EXPECT_EQ(model.report.transmittanceP, 1);
    EXPECT_EQ(model.report.transmittanceQ, 1);
    EXPECT_EQ(model.report.temperatureFactor, 1);
    EXPECT_EQ(model.report.elementU, 1);
    EXPECT_EQ(model.output.tsin, 12.5f);
    EXPECT_EQ(model.calc.rays, 250); // an integer key reads the integer part
    EXPECT_FLOAT_EQ(model.axes[0].coords[1], 0.75f);
    EXPECT_EQ(model.clipHi[0], 2);
    EXPECT_EQ(model.dataFilePath, "model.nvk");
}

TEST_F(ReaderTest, GraphicReportLines)
{
    // A line with nine values is passed over; the next one fills entry 0;
    // only the low bit of each switch counts; a ninth valid line is ignored.
    std::string text = "grep=1 2 30 40 1 1 1 1 3\n"
                       "grep=3 2 30.5 -40 2 3 0 1 7 5\n";
    for (int e = 1; e < 8; ++e)
        text += "grep=0 " + std::to_string(e) + " 1000 0 1 0 0 0 0 0\n";
    text += "grep=1 9 9 9 1 1 1 1 1 1\n";
    ASSERT_EQ(Read(text), "");
    const GraphicReportEntry& e = model.report.graphicReport[0];
    EXPECT_EQ(e.flags, kReportCreate | kReportGridLines | kReportIsoflux | kReportLegend);
    EXPECT_EQ(e.projection, 2u);
    EXPECT_EQ(e.azimuth, 30.5f);
    EXPECT_EQ(e.altitude, -40.0f);
    EXPECT_EQ(e.fill, 7);
    for (int k = 1; k < 8; ++k)
        EXPECT_EQ(model.report.graphicReport[static_cast<std::size_t>(k)].projection,
                  static_cast<unsigned>(k));
}

TEST_F(ReaderTest, BlocksMayComeBeforeTheWidths)
{
    ASSERT_EQ(Read("nblk=2\nblok=1 4 0 2 0 1 0 1\nblok=0 3 1 2 0 1 0 1\n" + kGrid), "");
    ASSERT_EQ(model.blocks.count, 2);
    EXPECT_EQ(model.blocks[1].colour, 4);
    EXPECT_EQ(model.blocks[1].x2, 2);
    EXPECT_TRUE(model.colours[3].inUse && model.colours[4].inUse);
}

TEST_F(ReaderTest, ItemsOutsideTheFinalGridAreRefusedAtTheirLine)
{
    struct Case {
        std::string text;
        int line;
    } cases[] = {
        // The bound is checked once the whole grid is known.
        {"nblk=2\nblok=0 1 0 1 0 1 0 1\nblok=1 1 0 3 0 1 0 1\n" + kGrid, 3},
        {"nblk=1\nblok=0 1 1 0 0 1 0 1\n" + kGrid, 2}, // inside out
        // A later count line shrinks the axis under a node BC and an area.
        {kGrid + "nnbc=1\nnbcd=0 2 0 0\nnxwi=1\nxwid=1\n", 9},
        {kGrid + "area=0 0 2 0 1 1 1\nnxwi=1\nxwid=1\n", 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(c.text), SyntaxMessage("model.nvk", c.line)) << c.text;
        // Nothing outside the grid stays in the model.
        for (std::size_t b = 0; b < model.blocks.count; ++b)
            EXPECT_LE(model.blocks[b].x2, model.axes[0].n);
        for (std::int32_t b = 0; b < model.nodeBcs.count; ++b)
            EXPECT_LE(model.nodeBcs[static_cast<std::size_t>(b)].i, model.axes[0].n);
        EXPECT_LE(model.areas[0].x2, model.axes[0].n);
    }
}

TEST_F(ReaderTest, AnnouncedRecordsStartInitialised)
{
    // A first file leaves values in the arrays; the second announces rows it
    // does not fill.
    ASSERT_EQ(Read(kGrid + "nblk=2\nblok=0 5 0 2 0 1 0 1\nblok=1 6 0 2 0 1 0 1\n"
                           "nnbc=1\nnbcd=0 1 1 1\nnbty=1\nnbpo=5\n"
                           "nbor=1\nbori=0\nbor1=3\nbory=1\nnmat=1\nmati=0\nmatc=4\nmatp=2\n"),
              "");
    ASSERT_EQ(Read(kGrid + "nblk=2\nblok=1 7 0 1 0 1 0 1\nnnbc=1\nnbor=1\nnmat=1\n"), "");
    EXPECT_EQ(model.blocks[0], BlockRecord{});
    EXPECT_EQ(model.blocks[1].colour, 7);
    EXPECT_EQ(model.nodeBcs[0], NodeBcRecord{});
    EXPECT_EQ(model.borderBcs[0], BorderFaceBcRecord{});
    EXPECT_EQ(model.materialBcs[0], MaterialBcRecord{});
}

TEST_F(ReaderTest, PreviewStopsAtTheViewPoint)
{
    // Blocks after the view point are not read; keys beyond the first twelve
    // are not known to a preview.
    ASSERT_EQ(Read(kGrid + "rays=0\nvwpt=10 20\nnblk=1\nblok=0 1 0 1 0 1 0 1\n", ReadMode::Preview), "");
    EXPECT_EQ(model.blocks.count, 0);
    EXPECT_EQ(model.output.viewAzimuth, 10.0f);
    EXPECT_EQ(model.output.viewAltitude, 20.0f);
    ASSERT_EQ(Read(kGrid + "nblk=1\nblok=0 1 0 1 0 1 0 1\nvwpt=10 20\n", ReadMode::Preview), "");
    EXPECT_EQ(model.blocks.count, 1);
}

TEST_F(ReaderTest, InsertKeepsTheColoursInUse)
{
    ASSERT_EQ(Read(kGrid + "colr=3\ntype=1\ntemp=20\nname=Inside\nnblk=1\nblok=0 3 0 1 0 1 0 1\n"), "");
    model.insertionOrigin[0] = 0.5f;
    ASSERT_EQ(Read("colr=3\ntype=0\ntemp=99\nname=Other\ncolr=4\ntype=5\nlamb=0.2\n"
                   "titl=not taken\nnnbc=1\n"
                   "nxwi=2\nxwid=0.1\nxwid=0.2\nnywi=1\nywid=1\nnzwi=1\nzwid=1\n"
                   "nblk=2\nblok=0 3 0 2 0 1 0 1\nblok=1 4 1 2 0 1 0 1\n",
                   ReadMode::Insert, "insert.nvk"),
              "");
    // Colour 3 keeps its values; colour 4, unused before, takes the file's.
    EXPECT_EQ(model.colours[3].type, BC_SIMPL);
    EXPECT_EQ(model.colours[3].temperature, 20.0f);
    EXPECT_EQ(model.colours[3].name, "Inside");
    EXPECT_EQ(model.colours[4].type, EQUIMAT);
    EXPECT_EQ(model.colours[4].lambda, 0.2f);
    EXPECT_TRUE(model.colours[4].inUse);
    EXPECT_EQ(model.title, "");
    EXPECT_EQ(model.nodeBcs.count, 0);
    ASSERT_EQ(model.blocks.count, 3);
    EXPECT_EQ(model.blockBase, 1);
    // Coordinates from the inserted file's widths about the origin, snapped.
    EXPECT_FLOAT_EQ(model.blocks[1].coord[0], 0.5f);
    EXPECT_FLOAT_EQ(model.blocks[1].coord[1], 0.8f);
    EXPECT_FLOAT_EQ(model.blocks[2].coord[0], 0.6f);
    EXPECT_FLOAT_EQ(model.blocks[2].coord[3], 1.0f);
    EXPECT_EQ(model.axes[0].n, 2); // the model's grid is not changed
}

TEST_F(ReaderTest, InsertSpreadsByTheRatioOfTheGridUnits)
{
    ASSERT_EQ(Read("grun=0.001\n" + kGrid), "");
    model.insertionOrigin[0] = 100;
    model.insertionOrigin[1] = 50;
    ASSERT_EQ(Read("nxwi=1\nxwid=2\nnywi=1\nywid=3\nnzwi=1\nzwid=1\ngrun=0.01\n"
                   "nblk=1\nblok=0 1 0 1 0 1 0 1\n",
                   ReadMode::Insert, "insert.nvk"),
              "");
    const BlockRecord& b = model.blocks[0];
    EXPECT_FLOAT_EQ(b.coord[0], 100);
    EXPECT_FLOAT_EQ(b.coord[1], 120); // 100 + 2 x 10
    EXPECT_FLOAT_EQ(b.coord[3], 80);  // 50 + 3 x 10
    EXPECT_FLOAT_EQ(b.coord[5], 10);
    EXPECT_EQ(model.gridUnit, 0.001f);
}

TEST_F(ReaderTest, InsertBlocksNeedTheFilesOwnWidths)
{
    ASSERT_EQ(Read(kGrid + "nblk=1\nblok=0 1 0 1 0 1 0 1\n"), "");
    struct Case {
        std::string text;
        int line;
    } cases[] = {
        {"nblk=1\nblok=0 2 0 1 0 1 0 1\n", 2},                         // no widths at all
        {"nxwi=1\nnywi=1\nnzwi=1\nnblk=1\nblok=0 2 0 2 0 1 0 1\n", 5}, // beyond the file's widths
        {"nxwi=1\nxwid=1\nxwid=1\n", 3},                               // a surplus width
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(c.text, ReadMode::Insert, "insert.nvk"), SyntaxMessage("insert.nvk", c.line))
            << c.text;
        // A failed insert takes its blocks back out.
        EXPECT_EQ(model.blocks.count, 1) << c.text;
    }
    // The count stays 16-bit: beyond 65535 blocks the file's count is refused.
    ASSERT_EQ(Read(kGrid + "nblk=65535\n"), "");
    EXPECT_EQ(Read("nblk=1\n", ReadMode::Insert, "insert.nvk"), SyntaxMessage("insert.nvk", 1));
    EXPECT_EQ(model.blocks.count, 65535);
}

TEST_F(ReaderTest, AFileThatCannotBeOpenedChangesNothing)
{
    ASSERT_EQ(Read(kGrid + "titl=kept\nnblk=1\nblok=0 1 0 1 0 1 0 1\n"), "");
    WriteBytes("tmp.sol", "results");
    WriteBytes("tmp.vwf", "factors");
    const std::string before = FormatDataFile(model);
    EXPECT_EQ(ReadFile("missing.nvk"), "Failed to open file\nmissing.nvk");
    EXPECT_EQ(ReadFile("missing.nvk", ReadMode::Insert), "Failed to open file\nmissing.nvk");
    EXPECT_EQ(FormatDataFile(model), before);
    EXPECT_EQ(model.dataFilePath, "model.nvk");
    EXPECT_TRUE(FileExists("tmp.sol") && FileExists("tmp.vwf"));
    // A file that opens removes them: their results are another model's.
    ASSERT_EQ(Read(kGrid, ReadMode::Open, "other.nvk"), "");
    EXPECT_FALSE(FileExists("tmp.sol") || FileExists("tmp.vwf"));
}

TEST_F(ReaderTest, BadFilesGiveAMessageAndNoCrash)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    struct Case {
        std::string text;
        std::string message;
    } cases[] = {
        // A truncated file: what was read stays, the file reads.
        {kGrid + "nblk=2\nblok=0 1 0 1 0 1 0 1\nblok=1 1 0", SyntaxMessage("model.nvk", 10)},
        {kGrid + "colr=1\nlamb=0." + std::string(100000, '5') + "\n", SyntaxMessage("model.nvk", 9)},
        {"titl=" + std::string(300, 'x') + "\n", SyntaxMessage("model.nvk", 1)},
        // A bad block line leaves the block as announced (found by the fuzzer).
        {kGrid + "nblk=1\nblok=0 3 0 70000 0 1 0 1\n", SyntaxMessage("model.nvk", 9)},
        {garbage, ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        const std::string message = Read(c.text);
        if (!c.message.empty()) {
            EXPECT_EQ(message, c.message);
        }
        // Whatever happened, the model is one the writer and reader agree on.
        WriteDataFile(model, "again.nvk");
        const std::string first = ReadBytes("again.nvk");
        EXPECT_EQ(ReadFile("again.nvk"), "");
        EXPECT_EQ(FormatDataFile(model), first);
    }
}

} // namespace
} // namespace novelk::test
