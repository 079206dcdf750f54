// "Novelk.prm": its keys, what is ignored, and writing every default back.
#include "novelk/model/files/ParameterFile.h"

#include "ModelFixture.h"

namespace novelk::test {
namespace {

using ParameterFileTest = ModelTest;

ProgramParameters ReadParameters(const std::string& text, CurrentOutputSettings* current = nullptr)
{
    WriteBytes("Novelk.prm", text);
    ProgramParameters p;
    p.graphicReport[0].flags = 0; // the reader starts the entries from their reset
    CurrentOutputSettings c;
    ReadParameterFile(".", p, c);
    if (current)
        *current = c;
    return p;
}

TEST_F(ParameterFileTest, ValuesAreReadAsRealsAndTruncated)
{
    ProgramParameters expected;
    expected.rays = 250;
    EXPECT_EQ(ReadParameters("rays=250.7\n"), expected);
    // Integers are read as reals first: exponent forms count; a bad value or
    // an unknown key leaves the default; keys ignore case.
    const ProgramParameters p = ReadParameters("LCGR=1.2632256e7\niter=x\nmxdc=0.5\nabcd=3\ndect=-3.9\n"
                                               "grun=1e39\nimgw=3e9\nexte=0\ntras=2.5\n");
    EXPECT_EQ(p.lcgr, 12632256);
    EXPECT_EQ(p.iter, 10000);
    EXPECT_EQ(p.mxdc, 0.5f);
    EXPECT_EQ(p.dect, -3);
    EXPECT_EQ(p.grun, 1.0f); // beyond a float: ignored
    EXPECT_EQ(p.imgw, 1200); // beyond an int: ignored
    EXPECT_EQ(p.exte, 0);
    EXPECT_EQ(p.tras, 2.5f);
}

TEST_F(ParameterFileTest, GraphicReportDefaults)
{
    std::string text = "grep=1 2 3\n"; // fewer than ten values: ignored
    for (int e = 0; e < 9; ++e)
        text += "grep=1 " + std::to_string(e) + " 15.5 -20 1 1 0 1 4 1\n";
    const ProgramParameters p = ReadParameters(text);
    for (int e = 0; e < 8; ++e) {
        const GraphicReportEntry& g = p.graphicReport[static_cast<std::size_t>(e)];
        EXPECT_EQ(g.projection, static_cast<unsigned>(e)); // the ninth line is ignored
        EXPECT_EQ(g.flags,
                  kReportCreate | kReportObjectLines | kReportGridLines | kReportIsoflux | kReportLegend);
        EXPECT_EQ(g.fill, 4);
        EXPECT_EQ(g.azimuth, 15.5f);
    }
}

TEST_F(ParameterFileTest, AMissingFileKeepsTheDefaultsAndSetsTheCurrentSettings)
{
    ProgramParameters p;
    p.dect = 5;
    p.imgh = 480;
    p.graphicReport[3].flags = 0;
    CurrentOutputSettings current;
    ReadParameterFile("no such folder", p, current);
    EXPECT_EQ(p.graphicReport[3], GraphicReportEntry{});
    EXPECT_EQ(current, (CurrentOutputSettings{5, 2, 4, 1200, 480, 10, 0}));
}

TEST_F(ParameterFileTest, EveryDefaultWrittenReadsBack)
{
    // Values of every key away from the built-in defaults, with more digits
    // than six.
    ProgramParameters p;
    int n = 1;
    for (float* f :
         {&p.grun, &p.hrbl, &p.vwfc, &p.mxdt, &p.mxod, &p.mxnd, &p.tmin, &p.tmax, &p.tin1, &p.tin2,
          &p.qmin, &p.qmax, &p.qin1, &p.qin2, &p.dtas, &p.mxdc, &p.tras, &p.diss, &p.rats, &p.tsin})
        *f = 0.1234567f * static_cast<float>(n++);
    for (std::int32_t* i :
         {&p.linr, &p.rays, &p.ccen, &p.cycl, &p.iter, &p.lang, &p.lcob, &p.lcgr, &p.lct1, &p.lct2,
          &p.lcq1, &p.lcq2, &p.lwob, &p.lwgr, &p.lwt1, &p.lwt2, &p.lwq1, &p.lwq2, &p.dect, &p.decq,
          &p.decv, &p.drag, &p.exte, &p.imgw, &p.imgh, &p.imgf, &p.imgt, &p.lcts, &p.lwts})
        *i = 1000 + n++;
    for (int e = 0; e < 8; ++e)
        p.graphicReport[static_cast<std::size_t>(e)] =
            GraphicReportEntry{static_cast<std::uint8_t>(e * 7 % 64), static_cast<std::uint8_t>(e),
                               static_cast<std::uint32_t>(e + 1), 12.345678f * e, -1.5f * e};
    ASSERT_TRUE(WriteParameterFile(".", p));
    const std::string bytes = ReadBytes("Novelk.prm");
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n") + 2), "grun=0.1234567\r\n");
    ProgramParameters back;
    CurrentOutputSettings current;
    ReadParameterFile(".", back, current);
    EXPECT_EQ(back, p);
    EXPECT_EQ(current, (CurrentOutputSettings{p.dect, p.decq, p.decv, p.imgw, p.imgh, p.imgf, p.imgt}));
}

TEST_F(ParameterFileTest, TheExampleFileHoldsTheBuiltInDefaults)
{
    // dtas keeps its six decimals where they are exact.
    ASSERT_TRUE(WriteParameterFile(".", ProgramParameters{}));
    EXPECT_NE(ReadBytes("Novelk.prm").find("\r\ndtas=10.000000\r\n"), std::string::npos);

    ProgramParameters p;
    CurrentOutputSettings current;
    ReadParameterFile(SUITE_EXAMPLES_DIR, p, current);
    EXPECT_EQ(p, ProgramParameters{});
}

} // namespace
} // namespace novelk::test
