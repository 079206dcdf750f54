// The sectioned text-file reader: sections, keys, comments, the entry rules
// and unreadable or malformed files.
#include "common/core/SectionFile.h"

#include <fstream>
#include <gtest/gtest.h>

using common::CSectionFile;

namespace {

CSectionFile Parse(const std::string& text)
{
    CSectionFile f;
    EXPECT_TRUE(f.LoadFromBytes(text, "test.ini"));
    return f;
}

} // namespace

TEST(SectionFile, CommentLinesAreDroppedAndEndNoSection)
{
    const CSectionFile f = Parse("[A]\r\nx=1\r\n;y=2\r\n[B]\r\n");
    EXPECT_EQ(f.FindSection("A"), 0);
    EXPECT_EQ(f.FindSection("B"), 2); // the comment is not kept
    std::string v;
    EXPECT_TRUE(f.GetValueByName("A", "x", v));
    EXPECT_EQ(v, "1");
    EXPECT_FALSE(f.GetValueByName("A", "y", v));
    EXPECT_FALSE(f.GetValueByName("A", ";y", v));
    EXPECT_EQ(f.GetLineCount(), 3);
}

TEST(SectionFile, EntryRules)
{
    const CSectionFile f = Parse("[S]\n  x=blank key\nk  =   v w  \nend=\nsp= \na=b=c\n=lead\n x = y\n");
    const int s = f.FindSection("S");
    struct Case {
        const char* key;
        bool found;
        const char* value;
    } cases[] = {
        {"x", false, ""}, // leading blanks belong to the key
        {"  x", true, "blank key"},
        {"k", true, "v w"}, // blanks around "=" and after the value go
        {"end", false, ""}, // nothing after "=": no entry
        {"sp", true, ""},   // one blank after "=": an empty value
        {"a", true, "b=c"}, // the first "=" splits
        {"", false, ""},    // a line starting with "=" is no entry
        {" x", true, "y"},
    };
    for (const Case& c : cases) {
        std::string v = "unchanged";
        EXPECT_EQ(f.GetValue(s, c.key, v), c.found ? TRUE : FALSE) << c.key;
        EXPECT_EQ(v, c.found ? c.value : "unchanged") << c.key;
    }
    std::vector<std::string> keys, values;
    EXPECT_EQ(f.GetSectionEntries(s, keys, values), 5);
    EXPECT_EQ(keys[3], "a");
    EXPECT_EQ(values[3], "b=c");
}

TEST(SectionFile, SectionNamesMatchExactly)
{
    const CSectionFile f = Parse("[a]\nk=1\n[A ]\nk=2\n[]\n[\nq=3\n[X]\nk=4\n[X]\nk=5\n[Y]\n");
    EXPECT_EQ(f.FindSection("A"), -1);
    EXPECT_EQ(f.FindSection("a"), 0);
    EXPECT_EQ(f.FindSection("A "), 2);
    std::string v;
    EXPECT_TRUE(f.GetValueByName("X", "k", v));
    EXPECT_EQ(v, "4"); // the first of two equal sections
    // "[" ends the section before it, so q belongs to none.
    EXPECT_FALSE(f.GetValueByName("A ", "q", v));
    std::vector<std::string> names;
    EXPECT_EQ(f.GetSectionNames(names), 5);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "A ", "X", "X", "Y"}));
    int n = 0;
    EXPECT_TRUE(f.GetIntValue(f.FindSection("X"), "k", n));
    EXPECT_EQ(n, 4);
    EXPECT_FALSE(f.GetIntValue(f.FindSection("none"), "k", n));
    std::vector<std::string> keys{"old"}, values{"old"};
    EXPECT_EQ(f.GetSectionEntriesByName("none", keys, values), 0);
}

TEST(SectionFile, ManyEntriesAreAllReturned)
{
    std::string text = "[M]\n";
    for (int i = 0; i < 500; ++i)
        text.append("K").append(std::to_string(i)).append("=").append(std::to_string(i)).append("\n");
    const CSectionFile f = Parse(text);
    std::vector<std::string> keys(50), values(50);
    EXPECT_EQ(f.GetSectionEntriesByName("M", keys, values), 500);
    EXPECT_EQ(values[499], "499");
}

TEST(SectionFile, TextIsConvertedFromWindows1252)
{
    const CSectionFile f = Parse("[S]\nname=Mineralwolle \xB5\xE4\n");
    std::string v;
    ASSERT_TRUE(f.GetValueByName("S", "name", v));
    EXPECT_EQ(v, "Mineralwolle \xC2\xB5\xC3\xA4");
}

TEST(SectionFile, LongLinesAndUnreadableFilesAreErrors)
{
    CSectionFile f;
    const std::string ok(CSectionFile::kMaxLineLength, 'x');
    EXPECT_TRUE(f.LoadFromBytes("[S]\nk=" + ok.substr(2) + "\r\n"));
    EXPECT_FALSE(f.LoadFromBytes("[S]\nk=" + ok + "\n", "long.ini"));
    EXPECT_NE(f.GetLastError().find("Line 2"), std::string::npos);
    EXPECT_EQ(f.GetLineCount(), 0);
    EXPECT_EQ(f.FindSection("S"), -1);

    EXPECT_FALSE(f.Load("does-not-exist.ini"));
    EXPECT_EQ(f.GetLastError(), "Failed to open file\ndoes-not-exist.ini");

    std::ofstream("binary.ini", std::ios::binary) << std::string("\0\xff[\x01]\n=\n\0=x", 12);
    EXPECT_TRUE(f.Load("binary.ini"));
    std::vector<std::string> names;
    EXPECT_EQ(f.GetSectionNames(names), 0);
}
