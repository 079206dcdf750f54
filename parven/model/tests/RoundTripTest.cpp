// Read, write, read: a model with every key gives the same model and the
// same bytes again; LF and CRLF files alike; moved STL geometry survives a
// save and a reopen.
#include "parven/model/editing/UndoRedo.h"
#include "parven/model/stl/StlFiles.h"
#include "parven/model/tests/ParvenFixture.h"
#include "parven/model/tests/StlTestFiles.h"

namespace {

using namespace parven;
using parven::testing::AsciiStl;
using parven::testing::BinaryStl;
using parven::testing::Cube;
using parven::testing::ExpectSameModel;
using parven::testing::ParvenTest;
using parven::testing::ReadBytes;
using parven::testing::WriteBytes;

// Every key of the data file, with values away from the defaults; names in
// Windows-1252 ("B\xe9ton" is "Béton").
const char* const kRich =
    "titl=Rich model`~second line, caf\xe9\n"
    "titl= continued\n"
    "scal=0.001\nreso=0.5\nstep=2.5\naxis=250\nlinr=0\nhrbl=4.25\nvwfc=0.001\nrays=50\ncycl=7\niter=1234\n"
    "mxdt=0.0002\nmxod=0.02\nmxnd=0.5\ntmin=-10\ntmax=25.5\ntin1=0.5\ntin2=2.5\nanob=3\nqmin=1\nqmax=40\n"
    "qin1=0.25\nqin2=1.25\nccen=0\ndtas=12.5\nnofb=1\nelno=1\nligr=1\ngrcd=1\naufb=1\nrptf=1\nrptu=1\n"
    "mxdc=0.0005\ntsin=13.5\n"
    "colr=1\ncrgb=10 20 30\nctyp=0\ncnam=B\xe9ton\npatt=3\ncsiz=12.5\nlamb=2.1\n"
    "colr=2\ncrgb=200 100 50\nctyp=2\ncnam=Cavity \xbd\npatt=0\ncsiz=7\nlamb=0.1\nepsi=0.85\ntemp=1\nhglo=2\n"
    "flux=3\ntair=4\nhcon=5\nqcon=6\ntrad=7\nrule=12\ncon1=0.1\ncon2=0.2\ncon3=0.3\nswel=1\n"
    "colr=3\ncrgb=0 0 255\nctyp=7\ncnam=Glass\nlamb=1.1\n"
    "colr=200\ncnam=Unused but defined\nctyp=1\n"
    "nxwi=3\nnywi=2\nnzwi=1\nxwid=10\nxwid=20.5\nxwid=0.1\nywid=5\nywid=5\nzwid=100\n"
    "x0gr=-5\ny0gr=2.5\nz0gr=0.125\n"
    "nbor=2\nbori=0\nbor1=1\nbor2=2\nbory=1\nbort=20\nborq=-3.5\nbori=1\nbor1=-1\nbor2=3\n"
    "nmat=1\nmati=0\nmatc=3\nmaty=1\nmatt=5\nmatp=1000\n"
    "area=0 0 0 0 10 0 0 0 20 0\narea=2 1 1 1 2 1 1 1 3 1\nuval=1 0 0 0 1 2 3\n"
    "nblk=7\n"
    "blok=0\nbshw=1\nbclr=1\nbsol=0\nbtyp=0\nbshp=1\nbipt=3\nbpnt=0 0 0 0\nbpnt=7 10.5 20 30\n"
    "blok=1\nbclr=2\nbsol=0\nbtyp=1\nbshp=2\nbpnt=0 1 1 1\nbpnt=1 5 1 1\nbpnt=2 1 6 1\nbpnt=3 2 2 9\n"
    "blok=2\nbclr=3\nbsol=0\nbtyp=2\nbshp=4\nbpnt=0 0 0 0\nbpnt=1 1 0 0\nbpnt=2 0 1 0\nbpnt=3 0 0 1\n"
    "bpnt=4 1.5 1 0\nbpnt=5 1 0 1\nbpnt=6 0 1 1\nbpnt=7 1 1.25 1\n"
    "blok=3\nbclr=1\nbsol=1\nbstl=cube\n"
    "blok=4\nbclr=2\nbsol=1\nbstl=cube\n"
    "blok=5\nbclr=3\nbsol=2\nbpnt=0 7 8 9\n"
    "blok=6\nbclr=3\nbsol=1\nbstl=tri \xe9t\xe9\n"
    "vwpt=12.5 -7\n";

class RoundTripTest : public ParvenTest {
  protected:
    void SetUp() override
    {
        ParvenTest::SetUp();
        WriteBytes("cube.stl", BinaryStl(Cube(3)));
        WriteBytes("tri \xc3\xa9t\xc3\xa9.stl", AsciiStl({{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}}));
    }
};

TEST_F(RoundTripTest, EveryKeyReadWrittenReadGivesTheSameModelAndBytes)
{
    OpenText(kRich, "rich.pvn");
    ASSERT_TRUE(host.messages.empty()) << host.messages[0];
    const ShapeModel first = engine.model;
    EXPECT_EQ(first.title, "Rich model\r\nsecond line, caf\xc3\xa9 continued");
    EXPECT_EQ(first.colours[1].name, "B\xc3\xa9ton");
    EXPECT_EQ(first.colours[2].name, "Cavity \xc2\xbd");
    EXPECT_EQ(first.blocks[3].triangleCount, 12u);
    EXPECT_EQ(first.blocks[6].triangleCount, 1u); // its name is "tri été"
    EXPECT_EQ(first.axes[0].coords[2], 30.6f);
    const std::string bytes = Format();
    SaveDataFile(engine.model, engine.startColours, "saved.pvn");
    EXPECT_EQ(ReadBytes("saved.pvn"), bytes);
    EXPECT_FALSE(std::filesystem::exists("cube-1.stl")); // the STL files still hold the blocks
    Open("saved.pvn");
    ExpectSameModel(engine.model, first);
    EXPECT_EQ(Format(), bytes);
    // No line is over the reader's limit, every line ends in CRLF.
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_LE(end - start, 255u);
    EXPECT_EQ(start, bytes.size());
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
    // The colour that no block uses keeps its definition; the view angles come last.
    EXPECT_NE(bytes.find("colr=200\r\n"), std::string::npos);
    EXPECT_EQ(bytes.rfind("vwpt=12.5 -7\r\n"), bytes.size() - 14);
}

TEST_F(RoundTripTest, LongTitlesAndNamesStayWithinTheLineLimit)
{
    std::string title;
    for (int i = 0; i < 40; ++i)
        title += "Line " + std::to_string(i) + " of a long title\r\n";
    engine.model.title = title;
    engine.model.colours[9].name = std::string(250, 'n');
    const std::string bytes = Format();
    WriteBytes("long.pvn", bytes);
    Open("long.pvn");
    EXPECT_EQ(engine.model.title, title);
    EXPECT_EQ(engine.model.colours[9].name, std::string(250, 'n'));
}

TEST_F(RoundTripTest, LfAndCrlfFilesReadAlike)
{
    std::string crlf;
    for (const char* p = kRich; *p; ++p) {
        if (*p == '\n')
            crlf += '\r';
        crlf += *p;
    }
    OpenText(kRich, "lf.pvn");
    const ShapeModel lf = engine.model;
    OpenText(crlf, "crlf.pvn");
    ExpectSameModel(engine.model, lf);
}

// Moves block b's STL vertices by dx, as a transform does.
void MoveStlBlock(ShapeModel& m, std::size_t b, float dx)
{
    const BlockRecord& block = m.blocks[b];
    UnshareBlockVertices(m.stl, block);
    std::vector<bool> moved(m.stl.vertices.size());
    for (std::size_t t = block.firstTriangle; t < std::size_t{block.firstTriangle} + block.triangleCount; ++t)
        for (std::uint32_t v : m.stl.triangles[t].v)
            if (!moved[v]) {
                moved[v] = true;
                m.stl.vertices[v].x += dx;
            }
    MergeDuplicateVertices(m.stl);
}

TEST_F(RoundTripTest, AMovedStlBlockSurvivesSaveReopenUndoAndRedo)
{
    OpenText(kRich, "rich.pvn");
    // The two cube blocks share their vertices once the whole mesh is joined.
    MergeDuplicateVertices(engine.model.stl);
    EXPECT_EQ(engine.model.stl.triangles[engine.model.blocks[3].firstTriangle].v[0],
              engine.model.stl.triangles[engine.model.blocks[4].firstTriangle].v[0]);
    ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, kUndoBaseline, 0, 0, host));
    const ShapeModel before = engine.model;
    MoveStlBlock(engine.model, 4, 100);
    ASSERT_TRUE(SaveUndoRecord(engine.history, engine.model, kUndoBlocks, 5, 5, host));
    const ShapeModel moved = engine.model;
    ASSERT_NE(engine.model.stl.vertices, before.stl.vertices);

    // Undo and redo take the geometry from the snapshots, not from the file.
    std::filesystem::rename("cube.stl", "away.stl");
    ASSERT_TRUE(Undo(engine.history, engine.model, engine.mesh, engine.run, host));
    ExpectSameModel(engine.model, before);
    ASSERT_TRUE(Redo(engine.history, engine.model, engine.mesh, engine.run, host));
    ExpectSameModel(engine.model, moved);
    std::filesystem::rename("away.stl", "cube.stl");

    // Save writes the moved block beside the data file under a new name and
    // leaves the file it read alone; the unmoved block keeps its file.
    const std::string cube = ReadBytes("cube.stl");
    SaveDataFile(engine.model, engine.startColours, "rich.pvn");
    EXPECT_EQ(ReadBytes("cube.stl"), cube);
    EXPECT_EQ(StlName(engine.model, engine.model.blocks[3]), "cube");
    EXPECT_EQ(StlName(engine.model, engine.model.blocks[4]), "cube-1");
    ASSERT_TRUE(std::filesystem::exists("cube-1.stl"));
    const std::string saved = ReadBytes("rich.pvn");
    Open("rich.pvn");
    EXPECT_TRUE(SameTriangles(engine.model.stl, engine.model.blocks[4].firstTriangle, moved.stl,
                              moved.blocks[4].firstTriangle, 12));
    // Saved again, nothing new is written and the bytes stay.
    SaveDataFile(engine.model, engine.startColours, "rich.pvn");
    EXPECT_EQ(ReadBytes("rich.pvn"), saved);
    EXPECT_FALSE(std::filesystem::exists("cube-2.stl"));

    std::filesystem::create_directories("out");
    // Saved into another folder, every STL block goes along as a file of its own.
    SaveDataFile(engine.model, engine.startColours, "out/copy.pvn");
    EXPECT_EQ(StlName(engine.model, engine.model.blocks[3]), "cube-1");
    EXPECT_EQ(StlName(engine.model, engine.model.blocks[4]), "cube-2");
    EXPECT_EQ(StlName(engine.model, engine.model.blocks[6]), "tri \xc3\xa9t\xc3\xa9-1");
    EXPECT_TRUE(std::filesystem::exists("out/cube-2.stl"));
    engine.model.dataFilePath = "out/copy.pvn";
    const ShapeModel copied = engine.model;
    Open("out/copy.pvn");
    EXPECT_TRUE(host.messages.empty());
    ExpectSameModel(engine.model, copied);
}

} // namespace
