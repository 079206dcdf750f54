// The writer against the reader: a model written and read back is the same
// model and gives the same bytes again, whatever line ends the first file had.
#include "ModelFixture.h"

#include <filesystem>

namespace novelk::test {
namespace {

using RoundTripTest = ModelTest;

// Every key the reader knows, with values away from the defaults, a title of
// two lines and names beyond ASCII (Windows-1252 on disk).
std::string RichModel()
{
    return "titl=Wall \xE9tude`~second line\n"
           "grun=0.001\nrcls=1\nlinr=0\nhrbl=4.5\nvwfc=0.0002\nrays=120\ncycl=7\niter=5000\n"
           "mxdt=0.0002\nmxod=0.002\nmxnd=2\nmxdc=0.0005\nccen=0\ndtas=12.5\n"
           "tmin=-10\ntmax=25\ntin1=0.5\ntin2=2.5\nqmin=1\nqmax=60\nqin1=2\nqin2=10\ntsin=12.75\n"
           "nxwi=3\nxwid=100\nxwid=0.1\nxwid=33.333333\nnywi=2\nywid=1\nywid=2\nnzwi=1\nzwid=1000\n"
           "colr=1\ncrgb=255 0 0\ntype=0\nrule=0\nname=Brique \xE0 b\xE2tir \xB0\xB2\npatt=3\nlamb=0.9\n"
           "colr=2\ncrgb=0 0 255\ntype=1\nname=Inside\ntemp=20\nhglo=7.7\n"
           "colr=3\ncrgb=0 255 0\ntype=1\nrule=3\nname=Outside\ntemp=0\nhglo=25\n"
           "colr=4\ntype=2\nrule=7\nepsi=0.85\nflux=1.5\ntair=3\nhcon=2.25\nqcon=5\ntrad=4\n"
           "con1=0.03\ncon2=0.7\ncon3=0.4\n"
           "colr=5\ntype=5\nrule=12\nname=e1=0.90  e2=0.90\n"
           "nblk=4\nblok=0 1 0 3 0 2 0 1\nblok=1 2 0 1 0 2 0 1\nblok=2 3 2 3 0 2 0 1\nblok=3 4 1 2 1 2 0 1\n"
           "vwpt=45 -15.5\n"
           "nnbc=2\nnbcd=0 1 1 0\nnbty=1\nnbpo=2.5\nnbcd=1 3 2 1\nnbte=18\n"
           "nbor=2\nbori=0\nbor1=1\nbor2=4\nbory=1\nborq=12\nbori=1\nbor1=-1\nbor2=2\nbort=5\n"
           "nmat=1\nmati=0\nmatc=5\nmaty=1\nmatp=100\nmatt=3\n"
           "area=0 0 0 0 2 0 1\narea=2 0 3 2 2 0 1\nuval=0 0 3 1 1 0 0\nuval=1 1 1 0 2 1 1\nuenf=1 0.35\n"
           "rptf=1\nrptp=1\nrptq=0\nrpte=1\nnaue=Ufa\xE7"
           "ade\n"
           "grep=1 0 30 30 1 0 1 0 2 1\ngrep=0 3 1000 0 1 1 0 1 7 0\n";
}

TEST_F(RoundTripTest, ARichModelReadsBackTheSame)
{
    for (const char* lineEnd : {"\n", "\r\n"}) {
        std::string text = RichModel();
        if (std::string(lineEnd) == "\r\n")
            for (std::size_t p = 0; (p = text.find('\n', p)) != std::string::npos; p += 2)
                text.insert(p, "\r");
        ResetModel(model, defaults);
        ASSERT_EQ(Read(text), "");
        EXPECT_EQ(model.title, "Wall \xC3\xA9tude\r\nsecond line"); // UTF-8 in memory
        EXPECT_EQ(model.colours[1].name, "Brique \xC3\xA0 b\xC3\xA2tir \xC2\xB0\xC2\xB2");
        EXPECT_EQ(model.elements[1].enforced, 0.35);

        const ModelStore first = model;
        const std::string bytes = FormatDataFile(model);
        WriteDataFile(model, "written.nvk");
        EXPECT_EQ(ReadBytes("written.nvk"), bytes);
        EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);                                // CRLF
        EXPECT_NE(bytes.find("name=Brique \xE0 b\xE2tir \xB0\xB2\r\n"), std::string::npos); // Windows-1252

        // Read back over a model of other values: nothing of it shows through.
        ModelStore other = model;
        for (ColourRecord& c : other.colours) {
            c.type = TRANSMAT;
            c.lambda = 77;
            c.name = "stale";
            c.pattern = 9;
        }
        model = other;
        ASSERT_EQ(ReadFile("written.nvk"), "");
        for (std::size_t c = 0; c < kColourCount; ++c)
            if (first.colours[c].inUse)
                EXPECT_EQ(model.colours[c], first.colours[c]) << c;
            else
                EXPECT_EQ(model.colours[c].inUse, 0) << c;
        EXPECT_EQ(model.title, first.title);
        EXPECT_EQ(model.axes, first.axes);
        EXPECT_EQ(model.gridUnit, first.gridUnit);
        EXPECT_EQ(model.rcl, first.rcl);
        for (std::size_t b = 0; b < 4; ++b)
            EXPECT_EQ(model.blocks[b], first.blocks[b]);
        for (std::size_t n = 0; n < 2; ++n) {
            EXPECT_EQ(model.nodeBcs[n], first.nodeBcs[n]);
            EXPECT_EQ(model.borderBcs[n], first.borderBcs[n]);
        }
        EXPECT_EQ(model.materialBcs[0], first.materialBcs[0]);
        EXPECT_EQ(model.areas, first.areas);
        EXPECT_EQ(model.elements, first.elements);
        EXPECT_EQ(model.calc, first.calc);
        EXPECT_EQ(model.output, first.output);
        EXPECT_EQ(model.report, first.report);
        EXPECT_EQ(FormatDataFile(model), bytes);
    }
}

TEST_F(RoundTripTest, AFileNeverDependsOnTheDefaults)
{
    // Written under one set of defaults, read under another: the same model.
    ASSERT_EQ(Read(RichModel()), "");
    WriteDataFile(model, "written.nvk");
    const std::string bytes = ReadBytes("written.nvk");
    defaults.grun = 0.5f;
    defaults.cycl = 99;
    defaults.tin1 = 3;
    defaults.lcgr = 1;
    defaults.graphicReport[5].flags = 63;
    ASSERT_EQ(ReadFile("written.nvk"), "");
    EXPECT_EQ(FormatDataFile(model), bytes);
}

TEST_F(RoundTripTest, ALongTitleTravelsOverSeveralLines)
{
    model.title = std::string(600, 'a') + "\r\n" + std::string(10, 'b');
    SetUnitGrid(1, 1, 1);
    WriteDataFile(model, "title.nvk");
    const std::string title = model.title;
    ASSERT_EQ(ReadFile("title.nvk"), "");
    EXPECT_EQ(model.title, title);
}

TEST_F(RoundTripTest, AFailedWriteKeepsTheOldFile)
{
    WriteBytes("kept.nvk", "titl=old\n");
    std::filesystem::create_directory("kept.nvk.part"); // the temporary file cannot be made
    SetUnitGrid(1, 1, 1);
    try {
        WriteDataFile(model, "kept.nvk");
        FAIL() << "the write should fail";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Code(), ErrorCode::FileOpen);
        EXPECT_EQ(e.Message(), "Failed to open file\nkept.nvk");
    }
    EXPECT_EQ(ReadBytes("kept.nvk"), "titl=old\n");
}

} // namespace
} // namespace novelk::test
