// The RTF report writer: the complete text of small reports, escaping,
// manipulators, and writing or handing over the runs more than once.
#include "common/core/RtfDocument.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace common;

namespace {

const std::string kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0 Arial;}}"
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green255\\blue0;"
    "\\red0\\green0\\blue255;}"
    "\\paperw11909\\paperh16834\\margl1000\\margr1000\\margt1000\\margb1000 ";
const std::string kPlain = "\\plain\\ql\\f0\\fs35\\cb0\\cf0 ";

// True when every group closes and nothing follows the outermost one;
// escaped braces and backslashes do not count.
bool WellFormed(const std::string& rtf)
{
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i;
            continue;
        }
        if (static_cast<unsigned char>(c) >= 0x80)
            return false; // RTF text is 7-bit
        if (c == '{')
            ++depth;
        if (c == '}' && --depth < 0)
            return false;
        if (depth == 0 && i + 1 != rtf.size())
            return false;
    }
    return depth == 0;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(RtfDocument, EmptyDocumentHasTheTablesAndPageSetup)
{
    CRtfDocument doc;
    EXPECT_EQ(doc.BuildCompleteText(), kHeader + "}");
    EXPECT_TRUE(WellFormed(doc.BuildCompleteText()));
}

TEST(RtfDocument, SmallReportMatchesTheExpectedText)
{
    CRtfDocument doc;
    RtfApply(doc, RtfFontSize(24));
    RtfApply(doc, RtfStyleFlagA(true));
    doc.AppendText("Title\n");
    RtfApply(doc, RtfStyleFlagA(false));
    RtfApply(doc, RtfStyleFlagB(true));
    RtfApply(doc, RtfFontName("Courier New"));
    doc.AppendText("a\nb");
    RtfApply(doc, RtfFontName("Courier New"));
    RtfApply(doc, RtfStyleFlagB(false));
    RtfApply(doc, RtfFontName("Arial"));
    doc.AppendText("U = 0.25 W/(m2K)");
    const std::string expected = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0 Arial;}"
                                 "{\\f1 Courier New;}}"
                                 "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;"
                                 "\\red0\\green255\\blue0;\\red0\\green0\\blue255;}"
                                 "\\paperw11909\\paperh16834\\margl1000\\margr1000\\margt1000\\margb1000 "
                                 "\\plain\\b\\ql\\f0\\fs24\\cb0\\cf0 Title\r\n\\par \\pard "
                                 "\\plain\\ul\\ql\\f1\\fs24\\cb0\\cf0 a\r\n\\par \\pard b"
                                 "\\plain\\ql\\f0\\fs24\\cb0\\cf0 U = 0.25 W/(m2K)}";
    EXPECT_EQ(doc.BuildCompleteText(), expected);
    EXPECT_TRUE(WellFormed(expected));
    EXPECT_EQ(doc.Fonts().size(), 2u); // Courier New added once
}

TEST(RtfDocument, RunPrefixFollowsTheFormat)
{
    CRtfRun run;
    EXPECT_EQ(run.Prefix(), kPlain);
    run.tabPosition = 1440;
    run.alignment = 2;
    run.switches[CRtfRun::kItalic].on = true;
    run.switches[CRtfRun::kStrike].on = true;
    run.foreground = 1;
    run.background = 3;
    EXPECT_EQ(run.Prefix(), "\\plain\\i\\strike\\qr\\f0\\fs35\\cb3\\cf1\\tx1440\\tab ");
    run.tabPosition = 0;
    EXPECT_EQ(run.Prefix().find("\\tx"), std::string::npos);
}

TEST(RtfDocument, SpecialAndNonAsciiCharactersAreEscaped)
{
    struct Case {
        const char* text;
        const char* rtf;
    } cases[] = {
        {"C:\\data {x}", "C:\\\\data \\{x\\}"},
        {"\xCE\xBB = 0.04", "\\u955? = 0.04"}, // Greek lambda: not in code page 1252
        {"20 \xC2\xB0"
         "C",
         "20 \\'b0C"},             // degree sign
        {"\xE2\x82\xAC", "\\'80"}, // euro sign
        {"m\xC2\xB2K", "m\\'b2K"},
        {"\xF0\x9F\x99\x82", "\\u-10179?\\u-8638?"}, // beyond the basic plane
        {"bad \xFF byte", "bad \\'ff byte"},         // not UTF-8: taken as 1252
        {"a\tb\r\n", "a\\tab b\r\n\\par \\pard "},
        {"}{", "\\}\\{"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RtfEscapeText(c.text), c.rtf) << c.text;

    CRtfDocument doc;
    RtfApply(doc, RtfFontName("Face {odd}"));
    for (const Case& c : cases)
        doc.AppendText(c.text);
    EXPECT_TRUE(WellFormed(doc.BuildCompleteText()));
}

TEST(RtfDocument, WritingTwiceGivesTheSameFileWithoutNesting)
{
    CRtfDocument doc;
    doc.AppendText("first\n");
    ASSERT_TRUE(doc.WriteFile("report.doc"));
    ASSERT_TRUE(doc.WriteFile("report.doc"));
    const std::string once = ReadFile("report.doc");
    EXPECT_EQ(once, kHeader + kPlain + "first\r\n\\par \\pard }");
    doc.AppendText("second");
    ASSERT_TRUE(doc.WriteFile("report2.doc"));
    const std::string twice = ReadFile("report2.doc");
    EXPECT_TRUE(WellFormed(twice));
    EXPECT_EQ(twice.find("\\rtf1", 2), std::string::npos);
    EXPECT_NE(twice.find("second"), std::string::npos);
    EXPECT_FALSE(doc.WriteFile("no-such-folder/report.doc"));
}

TEST(RtfDocument, TakingTheRunsEmptiesTheBody)
{
    CRtfDocument doc;
    RtfApply(doc, RtfStyleFlagA(true));
    doc.AppendText("one");
    RtfApply(doc, RtfStyleFlagA(false));
    doc.AppendText("two \xC2\xB0");
    auto runs = doc.TakeRuns();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_TRUE(runs[0].format.switches[CRtfRun::kBold].on);
    EXPECT_FALSE(runs[1].format.switches[CRtfRun::kBold].on);
    EXPECT_EQ(runs[1].text, "two \xC2\xB0");
    EXPECT_TRUE(doc.Body().empty());
    EXPECT_EQ(doc.BuildCompleteText(), kHeader + "}");
    doc.AppendText("three");
    runs = doc.TakeRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "three");

    // A document only written keeps the same RTF but no runs.
    CRtfDocument written;
    written.KeepRuns(false);
    written.AppendText("three");
    EXPECT_EQ(written.BuildCompleteText(), kHeader + kPlain + "three}");
    EXPECT_TRUE(written.TakeRuns().empty());
}
