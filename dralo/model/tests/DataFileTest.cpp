// The .drl reader and writer: the keys and their checks, the three ways of
// reading, every kind of bad input, and the writer as the reader's inverse.
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/DataKeys.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/tests/ModelFixture.h"

#include <functional>

namespace dralo::test {
namespace {

class DataFileTest : public ModelTest {
  protected:
    ReadStatus Read(const std::string& text, bool quiet = false, bool templateMode = false)
    {
        WriteBytes("model.drl", text);
        const ReadMode mode = templateMode ? ReadMode::Template : quiet ? ReadMode::Quiet : ReadMode::Open;
        return ReadDataFile(model, "model.drl", mode, defaults, ".", host);
    }
};

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string s;
    for (const char* l : lines)
        s += std::string(l) + "\r\n";
    return s;
}

TEST_F(DataFileTest, KeysAndTheirChecks)
{
    struct Case {
        const char* name;
        std::string text;
        ReadStatus status;
        std::function<bool(const BitmapModel&)> check;
    };
    const std::vector<Case> cases = {
        {"keys match without regard to case", Lines({"COLR=3", "Lamb=0.5"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.colours[3].lamb == 0.5f; }},
        {"pattern 0 is stored as 1", Lines({"colr=4", "patt=0"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.colours[4].patt == 1; }},
        {"a negative pattern", Lines({"colr=4", "patt=-1"}), ReadStatus::SyntaxError, nullptr},
        {"a negative side value is ignored", Lines({"sid1=-1", "sid2=3"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.report.sid1 == 0 && m.report.sid2 == 3; }},
        {"zero cycles", Lines({"cycl=0"}), ReadStatus::SyntaxError, nullptr},
        {"tris sets every colour's mesh size", Lines({"colr=7", "tric=3", "tris=5"}), ReadStatus::Read,
         [](const BitmapModel& m) {
             return m.tris == 5.0f && m.colours[7].tric == 5.0f && m.colours[255].tric == 5.0f;
         }},
        {"a ninth grep line is ignored, even short",
         Lines({"grep=1 0 0 0 0 0 0 0", "grep=1 0 0 0 0 0 0 0", "grep=1 0 0 0 0 0 0 0", "grep=1 0 0 0 0 0 0 0",
                "grep=1 0 0 0 0 0 0 0", "grep=1 0 0 0 0 0 0 0", "grep=1 0 0 0 0 0 0 0", "grep=1 1 1 1 1 1 5 1",
                "grep=1", "cycl=7"}),
         ReadStatus::Read,
         [](const BitmapModel& m) { return m.graphicReport[7].flags == 0x7F && m.graphicReport[7].fill == 5 && m.calc.cycl == 7; }},
        {"grep numbers set flag bits 0..5, the fill and bit 6", Lines({"grep=1 0 1 0 1 0 2 1"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.graphicReport[0].flags == (1 | 4 | 16 | 64) && m.graphicReport[0].fill == 2; }},
        {"backquote and tilde make a title of two lines", Lines({"titl=First`~Second"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.title == "First\r\nSecond"; }},
        {"titl lines are appended", Lines({"titl=ab", "titl=cd"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.title == "abcd"; }},
        {"an integer key truncates its real", Lines({"iter=12.9"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.calc.iter == 12; }},
        {"text after the number is not read", Lines({"lamb=0.25 W/mK"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.colours[0].lamb == 0.25f; }},
        {"unknown keys are skipped", Lines({"zzzz=1", "# comment", "rays=3"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.calc.rays == 3; }},
        {"bmpf names a bitmap in the data file's folder", Lines({"bmpf=section"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.bitmapPath == "section.bmp"; }},
        {"selecting a colour empties its name", Lines({"colr=9", "name=old", "colr=9"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.colours[9].name.empty(); }},
        {"a distance selector resets the record", Lines({"ndis=1", "disi=0", "dix1=4", "disi=0"}),
         ReadStatus::Read, [](const BitmapModel& m) { return m.distances[0].x1 == -1; }},
        {"an enforced U value of 0 is ignored", Lines({"ulfc=0", "urfc=1.5"}), ReadStatus::Read,
         [](const BitmapModel& m) { return m.report.ulfc == 0 && m.report.urfc == 1.5f; }},
        {"vwfc above 1", Lines({"vwfc=1.5"}), ReadStatus::SyntaxError, nullptr},
        {"mxod above 300", Lines({"mxod=301"}), ReadStatus::SyntaxError, nullptr},
        {"a type above 7", Lines({"type=8"}), ReadStatus::SyntaxError, nullptr},
        {"a rule above 6", Lines({"rule=7"}), ReadStatus::SyntaxError, nullptr},
        {"a colour above 255", Lines({"colr=256"}), ReadStatus::SyntaxError, nullptr},
        {"a zero pixel size", Lines({"pixs=0"}), ReadStatus::SyntaxError, nullptr},
        {"an emissivity above 1", Lines({"epsi=1.01"}), ReadStatus::SyntaxError, nullptr},
        {"object lines 0 wide", Lines({"wiob=0"}), ReadStatus::SyntaxError, nullptr},
        {"bori beyond nbor", Lines({"nbor=1", "bori=1"}), ReadStatus::SyntaxError, nullptr},
        {"bor1 before any bori", Lines({"nbor=1", "bor1=3"}), ReadStatus::SyntaxError, nullptr},
        {"a negative count", Lines({"ndis=-1"}), ReadStatus::SyntaxError, nullptr},
        {"a value that is no number", Lines({"hglo=abc"}), ReadStatus::SyntaxError, nullptr},
        {"an empty value", Lines({"tmin="}), ReadStatus::SyntaxError, nullptr},
    };
    for (const Case& c : cases) {
        LoadMaterialColours(model);
        host.messages.clear();
        EXPECT_EQ(Read(c.text), c.status) << c.name;
        if (c.check) {
            EXPECT_TRUE(c.check(model)) << c.name;
        }
        EXPECT_EQ(host.messages.empty(), c.status == ReadStatus::Read) << c.name;
    }
}

TEST_F(DataFileTest, ValuesBeyondTheirFieldAreSyntaxErrorsAtTheirLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a grep line with seven numbers", "grep=1 1 1 1 1 1 1"},
        {"a fill above 5", "grep=1 1 1 1 1 1 6 1"},
        {"a negative fill", "grep=1 1 1 1 1 1 -1 1"},
        {"an infinite conductivity", "lamb=inf"},
        {"not a number", "temp=nan"},
        {"beyond the float range", "temp=1e40"},
        {"an integer beyond its range", "cycl=1e12"},
        {"a distance point beyond 32767", "dix1=32768"},
        {"a distance point below -1", "diy2=-2"},
        {"a colour line beyond 32 bits", "crob=99999999999"},
    };
    for (const auto& [name, line] : cases) {
        LoadMaterialColours(model);
        host.messages.clear();
        const std::string text = Lines({"ndis=1", "disi=0", "cycl=3", line, "iter=77"});
        EXPECT_EQ(Read(text), ReadStatus::SyntaxError) << name;
        EXPECT_EQ(host.messages, std::vector<std::string>{SyntaxErrorText("model.drl", 4)}) << name;
        EXPECT_EQ(model.calc.cycl, 3) << name << ": what came before stays";
        EXPECT_EQ(model.calc.iter, defaults.iter) << name << ": nothing after it is read";
    }
}

TEST_F(DataFileTest, CapacitiesShowTheirMessageBeforeTheSyntaxError)
{
    EXPECT_EQ(Read(Lines({"rays=7", "nbor=101"})), ReadStatus::SyntaxError);
    EXPECT_EQ(host.messages, (std::vector<std::string>{kMsgBorderlineCapacity, SyntaxErrorText("model.drl", 2)}));
    EXPECT_EQ(model.calc.rays, 7);
    host.messages.clear();
    EXPECT_EQ(Read(Lines({"ndis=100", "ndis=200"})), ReadStatus::SyntaxError);
    EXPECT_EQ(host.messages, (std::vector<std::string>{kMsgDistanceCapacity, SyntaxErrorText("model.drl", 2)}));
    host.messages.clear();
    EXPECT_EQ(Read(Lines({"nbor=101"}), true), ReadStatus::SyntaxError);
    EXPECT_TRUE(host.messages.empty()) << "quiet";
}

TEST_F(DataFileTest, BadFilesGiveTheirMessageAndNeverReadPastTheBadLine)
{
    struct Case {
        const char* name;
        std::string bytes;
        int line;
    };
    const Case cases[] = {
        {"a line longer than 255 characters", "rays=4\r\ntitl=" + std::string(300, 'x') + "\r\ncycl=9\r\n", 2},
        {"a file cut inside a value", "rays=4\ncycl=", 2},
        {"binary garbage", "rays=4\n\xff\xfe\x01\x02\ntemp=\x80\x81\ncycl=9\n", 3},
        {"a file cut inside its first line", "rays=", 1},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        LoadMaterialColours(model);
        WriteBytes("bad.drl", c.bytes);
        EXPECT_EQ(ReadDataFile(model, "bad.drl", ReadMode::Open, defaults, ".", host), ReadStatus::SyntaxError) << c.name;
        EXPECT_EQ(host.messages, std::vector<std::string>{SyntaxErrorText("bad.drl", c.line)}) << c.name;
        EXPECT_NE(model.calc.cycl, 9) << c.name;
    }
}

TEST_F(DataFileTest, AMissingFileShowsItsNameAndChangesNothing)
{
    model.title = "kept";
    model.calc.cycl = 9;
    WriteBytes("tmp.sol", "results");
    const auto readMissing = [&](ReadMode mode) {
        try {
            ReadDataFile(model, "missing.drl", mode, defaults, ".", host);
        } catch (const EngineError& e) {
            return e.Message();
        }
        return std::string("read");
    };
    EXPECT_EQ(readMissing(ReadMode::Open), FileOpenText("missing.drl"));
    EXPECT_TRUE(host.messages.empty()) << "the caller shows the message";
    EXPECT_EQ(model.title, "kept");
    EXPECT_EQ(model.calc.cycl, 9);
    EXPECT_TRUE(std::filesystem::exists("tmp.sol")) << "the results stay with the model";
    host.messages.clear();
    EXPECT_EQ(readMissing(ReadMode::Quiet), FileOpenText("missing.drl"));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DataFileTest, OpeningResetsTheModelAndRemovesTheResults)
{
    for (const char* f : {"tmp.tri", "tmp.sol", "tmp.flw", "tmp.flx"})
        WriteBytes(f, "x");
    model.title = "old";
    model.calc.cycl = 9;
    model.ndis = 3;
    model.report.ulfc = 2;
    model.colours[5].present = 1;
    model.colours[5].lamb = 0.3f;
    model.graphicReport[2] = {0xFF, 3};
    ASSERT_EQ(Read(Lines({"rays=4"})), ReadStatus::Read);
    for (const char* f : {"tmp.tri", "tmp.sol", "tmp.flw", "tmp.flx"})
        EXPECT_FALSE(std::filesystem::exists(f)) << f;
    EXPECT_EQ(model.title, "");
    EXPECT_EQ(model.calc.cycl, defaults.cycl);
    EXPECT_EQ(model.ndis, 0);
    EXPECT_EQ(model.report.ulfc, 0);
    EXPECT_EQ(model.colours[5].present, 0);
    EXPECT_EQ(model.colours[5].lamb, 0.3f) << "colour values carry over";
    EXPECT_EQ(model.graphicReport[2].flags, 0x80) << "bit 7 kept";
    EXPECT_EQ(model.graphicReport[2].fill, 0);
}

TEST_F(DataFileTest, TemplateModeTakesOnlyTheColourAndBitmapKeys)
{
    WriteBytes("tmp.sol", "results");
    model.calc.cycl = 9;
    model.title = "kept";
    ASSERT_EQ(Read(Lines({"cycl=2", "titl=template", "bmpf=frame", "colr=12", "name=Glass", "lamb=1.0", "type=0",
                          "tric=4", "hglo=3"}),
                   false, true),
              ReadStatus::Read);
    EXPECT_EQ(model.calc.cycl, 9);
    EXPECT_EQ(model.title, "kept");
    EXPECT_EQ(model.bitmapPath, "frame.bmp");
    EXPECT_EQ(model.colours[12].name, "Glass");
    EXPECT_EQ(model.colours[12].hglo, 3.0f);
    EXPECT_EQ(model.colours[12].tric, 10.0f) << "tric is no template key";
    EXPECT_TRUE(std::filesystem::exists("tmp.sol"));
}

// A file that uses all 98 keys with values other than the defaults.
std::string EveryKey()
{
    std::string title;
    for (int i = 0; i < 40; ++i)
        title += "Section " + std::to_string(i) + " of a window frame, ";
    return Lines({("titl=" + title.substr(0, 240)).c_str(), ("titl=" + title.substr(240, 240) + "`~").c_str(),
                  "titl=\xe9t\xe9 \xb0" "C", "bmpf=frame", "rays=40", "cycl=7", "iter=500", "crob=1", "crgr=2",
                  "crt1=3", "crt2=4", "crq1=5", "crq2=6", "wiob=2", "wigr=3", "wit1=0", "wit2=2", "wiq1=3",
                  "wiq2=4", "linr=0", "ccen=0", "rptf=1", "rpsi=1", "flk1=0", "flk2=1", "rufr=1", "pixs=0.0005",
                  "strm=0.5", "hrbl=4.5", "vwfc=0.001", "mxdt=0.002", "mxod=0.5", "mxnd=2", "tmin=-10",
                  "tmax=25", "tin1=0.5", "tin2=2.5", "qmin=1", "qmax=80", "qic1=2", "qin1=0.2", "qin2=3",
                  "dtas=15", "pan1=0", "pan2=1", "usol=0", "bsym=1", "ulfc=1.1", "urfc=1.2", "utfc=1.3",
                  "ubfc=1.4", "tsin=12.5", "lcts=7", "lwts=2", "tris=6", "colr=3", "name=Aluminium alloy",
                  "patt=5", "type=1", "rule=2", "lamb=0.1", "epsi=0.3", "temp=1.5", "hglo=2.5", "flux=3.5",
                  "tair=4.5", "hcon=5.5", "qcon=6.5", "trad=7.5", "con1=0.03", "con2=0.8", "con3=0.25",
                  "tric=2.75", "colr=174", "type=2", "rule=1", "temp=20", "nbor=2", "bori=0", "bor1=3",
                  "bor2=174", "bory=1", "bort=5", "borq=12.25", "bori=1", "bor1=3", "ndis=3", "disi=0",
                  "dism=1", "disd=1", "diss=1", "dix1=2", "diy1=3", "dix2=2", "diy2=30", "diuc=0.9", "disi=2",
                  "disd=2", "dix1=-1", "diy1=0", "dix2=5", "diy2=5", "sid1=4", "dis1=3", "sid2=2", "dis2=1",
                  "sidp=1", "dipa=2", "difr=3", "sip2=5", "dip2=2", "grep=1 1 0 1 0 0 3 1",
                  "grep=0 0 0 0 0 0 0 0", "grep=1 1 1 1 1 1 5 1"});
}

TEST_F(DataFileTest, WriteThenReadGivesTheSameModelAndTheSameBytes)
{
    // The start-up table as the default data file left it.
    model.colours[170].type = BC_SIMPL;
    model.colours[170].name = "Exterior";
    model.colours[174].type = BC_SIMPL;
    model.colours[174].name = "Interior";
    const auto startup = model.colours;
    ASSERT_EQ(Read(EveryKey()), ReadStatus::Read) << (host.messages.empty() ? "" : host.messages[0]);
    const BitmapModel first = model;
    const std::string bytes = FormatDataFile(first, startup);
    // Every key the reader knows is written.
    for (std::size_t k = 0; k < kDataKeyCount; ++k) {
        const std::string key(kDataKeys.substr(k * kDataKeyLength, kDataKeyLength));
        EXPECT_NE(bytes.find("\r\n" + key), std::string::npos) << key;
    }
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1) << "CRLF line ends";

    // A fresh start, the written file read.
    BitmapModel again;
    LoadMaterialColours(again);
    again.colours = startup;
    WriteBytes("saved.drl", bytes);
    ASSERT_EQ(ReadDataFile(again, "saved.drl", ReadMode::Open, defaults, ".", host), ReadStatus::Read);
    EXPECT_EQ(FormatDataFile(again, startup), bytes);
    EXPECT_EQ(again.title, first.title);
    EXPECT_EQ(again.title.find("\r\n"), 480u);
    EXPECT_EQ(again.bitmapPath, first.bitmapPath);
    EXPECT_EQ(again.pixs, first.pixs);
    EXPECT_EQ(again.tris, first.tris);
    EXPECT_EQ(again.calc, first.calc);
    EXPECT_EQ(again.display, first.display);
    EXPECT_EQ(again.report, first.report);
    EXPECT_EQ(again.graphicReport, first.graphicReport);
    EXPECT_EQ(again.nbor, first.nbor);
    EXPECT_EQ(again.ndis, first.ndis);
    EXPECT_TRUE(again.borderlineBcs == first.borderlineBcs);
    EXPECT_TRUE(again.distances == first.distances);
    for (int c = 0; c < kColourCount; ++c)
        EXPECT_TRUE(again.colours[static_cast<std::size_t>(c)] == first.colours[static_cast<std::size_t>(c)])
            << "colour " << c;
    EXPECT_EQ(first.colours[3].name, "Aluminium alloy");
    EXPECT_TRUE(first.title.ends_with("\r\n\u00e9t\u00e9 \u00b0C")) << "Windows-1252 text read as UTF-8";
}

TEST_F(DataFileTest, WrittenFloatsKeepEveryBit)
{
    const float awkward[] = {0.1f, 1.0f / 3.0f, 1e-7f, 123456.79f, 3.4e38f, 1.17549435e-38f};
    for (float v : awkward) {
        const auto startup = model.colours;
        model.colours[9].lamb = v;
        model.colours[9].temp = -v;
        const std::string bytes = FormatDataFile(model, startup);
        BitmapModel again;
        LoadMaterialColours(again);
        WriteBytes("f.drl", bytes);
        ASSERT_EQ(ReadDataFile(again, "f.drl", ReadMode::Open, defaults, ".", host), ReadStatus::Read) << v;
        EXPECT_EQ(again.colours[9].lamb, v);
        EXPECT_EQ(again.colours[9].temp, -v);
    }
}

TEST_F(DataFileTest, LongNamesAndLineBreaksInNamesStillWriteOneLineEach)
{
    const auto startup = model.colours;
    model.colours[2].name = std::string(400, 'n');
    model.colours[3].name = "two\r\nlines";
    const std::string bytes = FormatDataFile(model, startup);
    BitmapModel again;
    LoadMaterialColours(again);
    WriteBytes("n.drl", bytes);
    ASSERT_EQ(ReadDataFile(again, "n.drl", ReadMode::Open, defaults, ".", host), ReadStatus::Read);
    EXPECT_EQ(again.colours[2].name, std::string(250, 'n'));
    EXPECT_EQ(again.colours[3].name, "two  lines");
}

} // namespace
} // namespace dralo::test
