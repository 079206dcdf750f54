// The data-file reader: its key rules, each check at its line, reads that
// are all or nothing, the start-up colours, merging and the preview.
#include "parven/model/tests/ParvenFixture.h"

#include <cstdint>
#include <random>

namespace {

using namespace parven;
using parven::testing::ParvenTest;
using parven::testing::ReadBytes;
using parven::testing::WriteBytes;

class DataFileReaderTest : public ParvenTest {};

TEST_F(DataFileReaderTest, EmptyFileGivesTheResetModelWithMinimumGrids)
{
    OpenText("");
    const ShapeModel& m = engine.model;
    EXPECT_EQ(m.dataFilePath, "model.pvn");
    EXPECT_EQ(m.blocks.count, 0u);
    EXPECT_EQ(m.blocks.capacity, 200u);
    for (const GridAxis& a : m.axes)
        EXPECT_EQ(a.n, 0);
    EXPECT_TRUE(m.title.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DataFileReaderTest, KeysInAnyCaseIndentedAndUnknownLinesSkipped)
{
    OpenText("COLR=5\r\n  cnam=Brick wall\r\n\r\n\tlamb=9\r\nxyz\r\nLamb=0.5\r\nunknown=1\r\n");
    const ColourRecord& c = engine.model.colours[5];
    EXPECT_EQ(c.name, "Brick wall");
    EXPECT_EQ(c.lamb, 0.5f);
}

TEST_F(DataFileReaderTest, ValuesStoredAsTheKeysSay)
{
    OpenText("colr=3\ncnam=Old\ncolr=3\npatt=0\nswel=1\ncolr=4\nswel=2\npatt=7\n"
             "nblk=3\nblok=1\nbclr=3\nbipt=9\nbpnt=7 1 2 3\nblok=2\nbipt=5\n"
             "titl=first`~line\ntitl= and more\n");
    const ShapeModel& m = engine.model;
    EXPECT_TRUE(m.colours[3].name.empty()); // colr= empties the name
    EXPECT_EQ(m.colours[3].pattern, 1);     // 0 is stored as 1
    EXPECT_EQ(m.colours[3].swell, 1);
    EXPECT_EQ(m.colours[4].swell, 0);
    EXPECT_EQ(m.colours[4].pattern, 7);
    EXPECT_EQ(m.blocks[1].selectedPoint, 0); // 9 is stored as 0
    EXPECT_EQ(m.blocks[2].selectedPoint, 5);
    EXPECT_EQ(m.title, "first\r\nline and more");
    // A block selected again starts afresh, also after a second count.
    OpenText("nblk=2\nblok=0\nbclr=3\nbpnt=7 1 1 1\nnblk=1\nblok=0\n");
    EXPECT_EQ(engine.model.blocks.count, 1u);
    EXPECT_EQ(engine.model.blocks[0].colour, 0);
    EXPECT_EQ(engine.model.blocks[0].points[7][0], 100.0f);
    OpenText("colr=3\nnblk=3\nblok=1\nbclr=3\nbipt=9\nbpnt=7 1 2 3\nblok=2\nbipt=5\n");
    // An announced block that no line describes is a fresh one.
    const BlockRecord& b0 = m.blocks[0];
    EXPECT_EQ(b0.kind, SOLID);
    EXPECT_EQ(b0.points[7][0], 100.0f);
    EXPECT_EQ(b0.points[4][1], 100.0f);
    // Corners were derived after the read: the box from (0,0,0) to (1,2,3).
    EXPECT_EQ(m.blocks[1].points[4][0], 1.0f);
    EXPECT_EQ(m.blocks[1].points[4][1], 2.0f);
    EXPECT_TRUE(m.colours[3].inUse);
    EXPECT_TRUE(m.colours[0].inUse); // blocks 0 and 2 have the current colour
    EXPECT_FALSE(m.colours[4].inUse);
}

TEST_F(DataFileReaderTest, EachBadLineIsASyntaxErrorAtItsLine)
{
    struct Case {
        std::string text;
        int line;
    };
    const std::string longLine = "titl=" + std::string(251, 'x');
    const Case cases[] = {
        {"blok=0", 1},
        {"xwid=1", 1},
        {"nxwi=1\nxwid=1\nxwid=2", 3},
        {"nxwi=2\nnywi=1\nxwid=1\nxwid=1\nxwid=1", 5}, // beyond the count after another axis's count
        {"nxwi=-1", 1},
        {"nxwi=65535" + std::string(500000, '\n'), 1},
        {"nxwi=1000", 1}, // more than the file could describe
        {"crgb=1 2 3", 1},
        {"colr=256", 1},
        {"colr=-1", 1},
        {"colr=1\ncrgb=1 2", 2},
        {"colr=1\ncrgb=1 2 256", 2},
        {"colr=1\nlamb=nan", 2},
        {"colr=1\nlamb=inf", 2},
        {"colr=1\nlamb=1e39", 2},
        {"colr=1\nlamb=", 2},
        {"colr=1\ncsiz=0", 2},
        {"colr=1\nctyp=8", 2},
        {"colr=1\nrule=13", 2},
        {"colr=1\npatt=-1", 2},
        {"lamb=1", 1},
        {"nblk=0", 1},
        {"nblk=2\nblok=0\nblok=2", 3},
        {"nblk=2\nblok=0", 1}, // two blocks cannot be in 13 bytes
        {"nblk=2\nblok=-1", 2},
        {"bclr=1", 1},
        {"nblk=1\nbsol=1", 2},
        {"nblk=1\nblok=0\nbsol=3", 3},
        {"nblk=1\nblok=0\nbtyp=3", 3},
        {"nblk=1\nblok=0\nbshp=5", 3},
        {"nblk=1\nblok=0\nbipt=", 3},
        {"nblk=1\nblok=0\nbpnt=8 0 0 0", 3},
        {"nblk=1\nblok=0\nbpnt=1 0 0", 3},
        {"nblk=100000000", 1},
        {"scal=0", 1},
        {"reso=-1", 1},
        {"cycl=0", 1},
        {"iter=0", 1},
        {"linr=2", 1},
        {"hrbl=-1", 1},
        {"mxdc=-0.5", 1},
        {"grcd=3", 1},
        {"tmin=x", 1},
        {"x0gr=", 1},
        {"bori=0", 1},
        {"nbor=1\nbori=1", 2},
        {"nbor=1\nbort=3", 2},
        {"nbor=1\nbori=0\nbor1=256", 3},
        {"nbor=1\nbori=0\nbory=2", 3},
        {"nbor=65535", 1},
        {"nmat=1\nmati=0\nmatc=-2", 3},
        {"nmat=1\nmaty=0", 2},
        {"area=3 0 0 0 0 0 0 0 0 0", 1},
        {"area=0 1 2", 1},
        {"uval=0 1 2 3 4 5", 1},
        {"anob=-1", 1},
        {"elno=2", 1},
        {"vwpt=30", 1},
        {"colr=1\n" + longLine + "\ncolr=2", 2},
    };
    const std::string before = Format();
    for (const Case& c : cases) {
        const EngineError e = FailedRead(c.text);
        EXPECT_EQ(e.Code(), ErrorCode::Syntax) << c.text.substr(0, 60);
        EXPECT_EQ(e.Line(), c.line) << c.text.substr(0, 60);
        EXPECT_EQ(e.Message(), "Syntax error in file bad.pvn, line " + std::to_string(c.line));
        EXPECT_EQ(Format(), before) << c.text.substr(0, 60);
    }
}

TEST_F(DataFileReaderTest, AFailedReadKeepsTheOpenModelAndItsResults)
{
    OpenText("titl=kept\ncolr=2\nlamb=3\nnblk=1\nblok=0\nbclr=2\n", "good.pvn");
    WriteBytes("tmp.sol", "results");
    WriteBytes("tmp.flx", "flows");
    const std::string before = Format();
    const EngineError open = FailedRead("titl=lost\nnblk=1\nblok=0\nbclr=2\nbshp=9\n");
    EXPECT_EQ(open.Code(), ErrorCode::Syntax);
    const EngineError merge = FailedRead("colr=7\nnblk=2\nblok=0\nblok=1\nbclr=300\n", ReadMode::Merge);
    EXPECT_EQ(merge.Code(), ErrorCode::Syntax);
    EXPECT_EQ(merge.Line(), 5);
    EXPECT_THROW(Open("missing.pvn"), EngineError);
    try {
        Open("missing.pvn", ReadMode::Merge);
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Code(), ErrorCode::FileOpen);
        EXPECT_EQ(e.Message(), "Cannot open file missing.pvn");
    }
    EXPECT_EQ(Format(), before);
    EXPECT_EQ(engine.model.dataFilePath, "good.pvn");
    EXPECT_EQ(engine.model.blocks.count, 1u);
    EXPECT_EQ(ReadBytes("tmp.sol"), "results");
    // A read that succeeds takes the last model's results away.
    Open("good.pvn");
    EXPECT_FALSE(std::filesystem::exists("tmp.sol"));
    EXPECT_FALSE(std::filesystem::exists("tmp.flx"));
}

TEST_F(DataFileReaderTest, AFileGivesTheSameModelWhateverWasOpenBefore)
{
    engine.startColours[6].lamb = 0.04f;
    engine.startColours[6].name = "Wool";
    WriteBytes("b.pvn", "nblk=1\nblok=0\nbclr=6\n");
    Open("b.pvn");
    const std::string fresh = Format();
    OpenText("colr=6\ncnam=Steel\nlamb=50\nctyp=1\ncolr=9\nlamb=3\nnblk=1\nblok=0\nbclr=6\n", "a.pvn");
    EXPECT_EQ(engine.model.colours[6].lamb, 50.0f);
    Open("b.pvn");
    EXPECT_EQ(engine.model.colours[6].lamb, 0.04f);
    EXPECT_EQ(engine.model.colours[6].name, "Wool");
    EXPECT_EQ(engine.model.colours[9].lamb, 1.0f);
    EXPECT_EQ(Format(), fresh);
}

TEST_F(DataFileReaderTest, MergeAddsColoursAndBlocksAndKeepsTheRest)
{
    OpenText("titl=host\nscal=0.001\ncolr=1\ncnam=Concrete\nlamb=2\ncrgb=1 2 3\nnxwi=1\nnywi=1\nnzwi=1\n"
             "xwid=10\nywid=10\nzwid=10\nnbor=1\nbori=0\nbor1=1\n"
             "nblk=1\nblok=0\nbclr=1\nbpnt=7 10 10 10\n");
    WriteBytes("part.pvn", "titl=part\nscal=1\nnxwi=1\nxwid=99\nnbor=0\nvwpt=1 2\n"
                           "colr=1\ncnam=Other\nlamb=5\ncrgb=9 9 9\ncolr=2\ncnam=Glass\nlamb=0.8\n"
                           "nblk=2\nblok=0\nbclr=1\nbpnt=0 20 0 0\nbpnt=7 30 10 10\nblok=1\nbclr=2\n");
    Open("part.pvn", ReadMode::Merge);
    const ShapeModel& m = engine.model;
    ASSERT_EQ(m.blocks.count, 3u);
    EXPECT_EQ(m.blocks[0].points[7][0], 10.0f);
    EXPECT_EQ(m.blocks[1].points[0][0], 20.0f); // the file's blocks follow
    EXPECT_EQ(m.blocks[2].colour, 2);
    // The used colour keeps its values and its name; the new one takes the file's.
    EXPECT_EQ(m.colours[1].name, "Concrete");
    EXPECT_EQ(m.colours[1].lamb, 2.0f);
    EXPECT_EQ(m.colours[1].red, 1);
    EXPECT_EQ(m.colours[2].name, "Glass");
    EXPECT_EQ(m.colours[2].lamb, 0.8f);
    EXPECT_TRUE(m.colours[2].inUse);
    EXPECT_EQ(m.colours[1].protect, 0);
    // Settings, grid and lists stay.
    EXPECT_EQ(m.title, "host");
    EXPECT_EQ(m.settings.scal, 0.001f);
    EXPECT_EQ(m.settings.viewAzimuth, 30.0f);
    EXPECT_EQ(m.axes[0].widths[0], 10.0f);
    EXPECT_EQ(m.borderBcs.count, 1u);
    EXPECT_EQ(m.blockBase, 0u);
    EXPECT_EQ(m.dataFilePath, "model.pvn");
}

TEST_F(DataFileReaderTest, PreviewStopsAtTheViewAnglesAfterTheBlocks)
{
    ShapeModel preview;
    WriteBytes("p.pvn", "titl=not read\ncolr=4\ncrgb=10 20 30\nvwpt=5 6\nnblk=1\nblok=0\nbclr=4\n"
                        "bpnt=7 2 3 4\nvwpt=45 10\ncolr=999\nnblk=x\n");
    ASSERT_TRUE(ReadPreview(preview, engine.parameters, engine.startColours, "p.pvn"));
    EXPECT_TRUE(preview.title.empty());
    EXPECT_EQ(preview.settings.viewAzimuth, 45.0f);
    ASSERT_EQ(preview.blocks.count, 1u);
    EXPECT_EQ(preview.blocks[0].points[4][1], 3.0f); // corners derived
    EXPECT_EQ(preview.colours[4].red, 10);
    EXPECT_EQ(engine.model.blocks.count, 0u); // the open model is not touched
    // Before a block count the view angles do not end it, so the bad line counts.
    WriteBytes("q.pvn", "vwpt=1 1\ncolr=999\n");
    EXPECT_FALSE(ReadPreview(preview, engine.parameters, engine.startColours, "q.pvn"));
    EXPECT_EQ(preview.settings.viewAzimuth, 45.0f);
    EXPECT_FALSE(ReadPreview(preview, engine.parameters, engine.startColours, "missing.pvn"));
    EXPECT_TRUE(host.messages.empty());
}

// Cut at every length and filled with noise, a file reads or fails with a
// syntax error; a long line is one error at its line.
TEST_F(DataFileReaderTest, TruncatedFilesGarbageAndLongLines)
{
    const std::string good = "titl=t\ncolr=1\ncrgb=1 2 3\nlamb=0.5\nnxwi=2\nnywi=1\nnzwi=1\nxwid=1\nxwid=2\n"
                             "ywid=3\nzwid=4\nnbor=1\nbori=0\nbor1=1\nbor2=2\nnblk=2\nblok=0\nbclr=1\n"
                             "bpnt=7 1 2 3\nblok=1\nbsol=2\nvwpt=30 30\n";
    for (std::size_t n = 0; n <= good.size(); ++n) {
        const EngineError e = FailedRead(good.substr(0, n));
        EXPECT_TRUE(e.CodeValue() == 0 || e.Code() == ErrorCode::Syntax) << n;
    }
    std::mt19937 random(47);
    for (int round = 0; round < 200; ++round) {
        std::string bytes = good;
        for (int k = 0; k < 8; ++k)
            bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        const EngineError e = FailedRead(bytes);
        EXPECT_TRUE(e.CodeValue() == 0 || e.Code() == ErrorCode::Syntax) << round;
    }
    std::string garbage(4096, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random() % 256);
    const EngineError g = FailedRead(garbage);
    EXPECT_TRUE(g.CodeValue() == 0 || g.Code() == ErrorCode::Syntax);
    const EngineError longLine = FailedRead("colr=1\nlamb=2\n" + std::string(100000, '7') + "\n");
    EXPECT_EQ(longLine.Code(), ErrorCode::Syntax);
    EXPECT_EQ(longLine.Line(), 3);
}

} // namespace
