// The old data format and the parameter file: their keys, skipped values,
// code page 850 text and the files' round trips.
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/OldDataFile.h"
#include "dralo/model/files/ParameterFile.h"
#include "dralo/model/files/SettingKeys.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/tests/ModelFixture.h"

#include <algorithm>

namespace dralo::test {
namespace {

class OldDataFileTest : public ModelTest {
  protected:
    bool Read(const std::string& text)
    {
        WriteBytes("old.dat", text);
        ReadOldDataFile(model, "old.dat", defaults, ".", host);
        return true;
    }
};

TEST_F(OldDataFileTest, ColourLinesAndTheirOldNames)
{
    model.colours[7].temp = 3;
    model.colours[7].hglo = 4;
    ASSERT_TRUE(Read("col 7 0 1 0.2 1e-20 1e-20 1e-20 CEN_Xy_I\r\n"));
    const ColourRecord& c = model.colours[7];
    EXPECT_EQ(c.type, EQUIMAT);
    EXPECT_EQ(c.rule, 1);
    EXPECT_EQ(c.patt, 1);
    EXPECT_EQ(c.lamb, 0.2f);
    EXPECT_EQ(c.name, "");
    EXPECT_EQ(c.temp, 3) << "no value keeps the field";
    EXPECT_EQ(c.hglo, 4);

    struct Case {
        const char* line;
        int colour, type, rule;
        const char* name;
    };
    const Case cases[] = {
        {"col 10 2 3 1 0 5 0 cen_con", 10, BC_FREE, 3, ""},
        {"col 11 2 3 1 0 5 0 CEN_Yx_I", 11, BC_FREE, 2, ""},
        {"col 12 3 3 1 0 5 0 CEN_CON", 12, BC_SKY, 1, ""},
        {"col 13 4 3 1 0 5 0 CEN_CON", 13, BC_NOSKY, 1, ""},
        {"col 14 1 3 1 0 5 0 CEN_CON", 14, BC_SIMPL, 0, "CEN_CON"},
        {"col 15 0 3 1 0 5 0 CEN_Yx_E", 15, EQUIMAT, 4, ""},
        {"col 16 0 -4 1 0 5 0 Brick wall", 16, MATERIAL, 0, "Brick wall"},
        {"col 17 0 2.7 1 0 5 0", 17, MATERIAL, 0, ""},
    };
    for (const Case& k : cases) {
        LoadMaterialColours(model);
        ASSERT_TRUE(Read(std::string(k.line) + "\r\n")) << k.line;
        const ColourRecord& r = model.colours[static_cast<std::size_t>(k.colour)];
        EXPECT_EQ(r.type, k.type) << k.line;
        EXPECT_EQ(r.rule, k.rule) << k.line;
        EXPECT_EQ(r.name, k.name) << k.line;
    }
    EXPECT_EQ(model.colours[17].patt, 2) << "truncated";
}

TEST_F(OldDataFileTest, LinesThatChangeNothing)
{
    const BitmapModel before = [&] {
        ResetModelForRead(model, defaults);
        return model;
    }();
    for (const char* line : {"col 300 0 1 0.2 0 0 0 x", "col 5 5 1 0.2 0 0 0 x", "col 5 0 1 0.2 0 0",
                             "gr2 0 20 0 5", "gr3 1 0", "rnl 0", "pix 0", "pix abc", "ggs -1", "grs 0",
                             "con 1 2", "icy 0", "rcn 0", "gr0 9", "li1 8", "xyz 1"}) {
        model = before;
        ASSERT_TRUE(Read(std::string(line) + "\n")) << line;
        EXPECT_TRUE(model.colours == before.colours) << line;
        EXPECT_EQ(model.calc, before.calc) << line;
        EXPECT_EQ(model.display, before.display) << line;
        EXPECT_EQ(model.pixs, before.pixs) << line;
    }
}

TEST_F(OldDataFileTest, ParametersAndValuesTheDataFileWouldRefuse)
{
    ASSERT_TRUE(Read("bmp frame\npix 0.002\ncol 4 0 16 0.5 0 0 0 wood\ncon 18 1 2.5 0.8 19\ngrs 4\n"
                     "gr2 -5 25 1 5\ngr3 0.5 2\nggs 7\nhrb 4.8\nrnl 1\ncc1 0.02\ncc2 0.7\ncc3 0.3\nrcn 1\n"
                     "icy 9\nstr 0.25\ntit First line\ntit Second \x81" "ber\n"));
    EXPECT_EQ(model.bitmapPath, "frame.bmp");
    EXPECT_EQ(model.pixs, 0.002f);
    const ColourRecord& c = model.colours[4];
    EXPECT_EQ(c.tair, 18);
    EXPECT_EQ(c.qcon, 1);
    EXPECT_EQ(c.hcon, 2.5f);
    EXPECT_EQ(c.epsi, 0.8f);
    EXPECT_EQ(c.trad, 19);
    EXPECT_EQ(c.tric, 7) << "ggs comes later and sets every colour";
    EXPECT_EQ(model.display.tmin, -5);
    EXPECT_EQ(model.display.qin2, 2);
    EXPECT_EQ(model.tris, 7);
    EXPECT_EQ(model.calc.hrbl, 4.8f);
    EXPECT_EQ(model.calc.linr, 0);
    EXPECT_EQ(model.colours[200].con2, 0.7f);
    EXPECT_EQ(model.calc.ccen, 1);
    EXPECT_EQ(model.calc.cycl, 9);
    EXPECT_EQ(model.calc.strm, 0.25f);
    EXPECT_EQ(model.title, "First line\r\nSecond \u00fcber\r\n") << "code page 850";

    // Values the data file refuses are skipped.
    LoadMaterialColours(model);
    ASSERT_TRUE(Read("col 4 0 1 -0.5 0 -3 0 x\ncon 1 1 -2 1.5 1\ngrs -1\nhrb -1\ncc1 -1\nstr -2\nicy -3\n"));
    EXPECT_EQ(model.colours[4].lamb, 1.0f);
    EXPECT_EQ(model.colours[4].hglo, 7.7f);
    EXPECT_EQ(model.colours[4].hcon, 2.5f);
    EXPECT_EQ(model.colours[4].epsi, 0.9f);
    EXPECT_EQ(model.colours[4].tric, model.tris) << "a zero mesh size is skipped";
    EXPECT_EQ(model.calc.hrbl, defaults.hrbl);
    EXPECT_EQ(model.colours[0].con1, 0.025f);
    EXPECT_EQ(model.calc.strm, 0.0f);
    EXPECT_EQ(model.calc.cycl, defaults.cycl);
}

TEST_F(OldDataFileTest, MissingFilesLongLinesAndGarbage)
{
    model.title = "kept";
    EXPECT_THROW(ReadOldDataFile(model, "missing.dat", defaults, ".", host), EngineError);
    EXPECT_EQ(model.title, "kept");
    ASSERT_TRUE(Read("pix 0.004\n" + std::string(400, 'p') + "\npix 0.008\n"));
    EXPECT_EQ(host.messages, std::vector<std::string>{SyntaxErrorText("old.dat", 2)});
    EXPECT_EQ(model.pixs, 0.004f) << "reading stops at the long line";
    host.messages.clear();
    ASSERT_TRUE(Read(std::string("\x00\x01\xff\xfe col\n\n\n tit", 16)));
    EXPECT_TRUE(host.messages.empty());
}

class ParameterFileTest : public ModelTest {};

TEST_F(ParameterFileTest, MissingFileKeepsTheInitialValues)
{
    EXPECT_THROW(ReadParameterFile(defaults, session, "."), EngineError);
    EXPECT_EQ(defaults, ProgramParameters{});
    EXPECT_EQ(session.imgw, 1200);
}

TEST_F(ParameterFileTest, LinesAndValues)
{
    WriteBytes("Dralo.prm", "cycl=abc\npixs=0.002\ntris=3\nmbor=5\ngrep=1 1\nlang=2\nszcf=12\nimgw=800\n"
                            "iter=0\ncycl=-3\nmxod=500\ntin1=0\nccav=300\ncfrm=-1\nhrbl=inf\nlahm=0.3\n" +
                                std::string(300, 'x') + "\ndect=4\n");
    ASSERT_NO_THROW(ReadParameterFile(defaults, session, "."));
    EXPECT_EQ(defaults.cycl, 5) << "not a number, and -3, are skipped";
    EXPECT_EQ(defaults.iter, 10000);
    EXPECT_EQ(defaults.mxod, 0.001f);
    EXPECT_EQ(defaults.tin1, 1.0f);
    EXPECT_EQ(defaults.ccav, 1) << "a colour above 255";
    EXPECT_EQ(defaults.cfrm, 8);
    EXPECT_EQ(defaults.hrbl, 5.1f);
    EXPECT_EQ(defaults.lang, 2);
    EXPECT_EQ(defaults.szcf, 12);
    EXPECT_EQ(defaults.lahm, 0.3f);
    EXPECT_EQ(defaults.dect, 4) << "the long line is skipped, not read as two";
    EXPECT_EQ(session.imgw, 800);
    EXPECT_EQ(session.split.szcf, 12);
    EXPECT_EQ(session.dect, 4);
    // pixs and tris in the parameter file have no effect on a model.
    model.pixs = 0.001f;
    ApplyParameterDefaults(model, defaults);
    EXPECT_EQ(model.pixs, 0.001f);
}

TEST_F(ParameterFileTest, WrittenAndReadAgainGivesTheSameDefaults)
{
    ProgramParameters p;
    p.strm = 0.25f;
    p.hrbl = 4.75f;
    p.vwfc = 0.0002f;
    p.dtas = 12.5f;
    p.mxdt = 1e-5f;
    p.lcgr = 1234567;
    p.lahm = 0.125f;
    p.crht = 200;
    p.szcs = 253;
    p.lang = 3;
    p.panl = 200;
    ASSERT_TRUE(WriteParameterFile(p, "."));
    const std::string bytes = ReadBytes("Dralo.prm");
    for (const char* ignored : {"pixs=", "tris=", "mbor=", "grep="})
        EXPECT_EQ(bytes.find(ignored), std::string::npos) << ignored;
    EXPECT_NE(bytes.find("dtas=12.500000\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("vwfc=0.0002\r\n"), std::string::npos);
    ProgramParameters back;
    ASSERT_NO_THROW(ReadParameterFile(back, session, "."));
    EXPECT_EQ(back, p);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 63);
}

TEST_F(ParameterFileTest, TheExampleIsTheWritersFileOfTheInitialValues)
{
    EXPECT_EQ(ReadBytes(SUITE_EXAMPLES_DIR "/Dralo.prm"), FormatParameterFile(ProgramParameters{}));
}

} // namespace
} // namespace dralo::test
