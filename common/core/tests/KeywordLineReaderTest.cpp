// The keyed line reader: key matching, line ends and the line-length limit.
#include "common/core/KeywordLineReader.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct ReadLine {
    common::LineStatus status;
    int key;
    std::string value;
    int line;
};

std::vector<ReadLine> ReadAll(const std::string& bytes, std::string_view keys = "colr=name=", std::size_t n = 5,
                              common::LeadingSpaces spaces = common::LeadingSpaces::Keep)
{
    // Tests run in parallel in one folder: one file per test.
    const std::string path =
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt";
    std::ofstream(path, std::ios::binary) << bytes;
    common::KeywordLineReader reader(spaces);
    EXPECT_TRUE(reader.Open(path));
    std::vector<ReadLine> out;
    int key = 0;
    for (;;) {
        const common::LineStatus st = reader.ReadKeywordLine(keys, n, key);
        if (st == common::LineStatus::End)
            break;
        out.push_back({st, key, std::string(reader.ValueView()), reader.LineCounter()});
    }
    return out;
}

TEST(KeywordLineReader, MatchesKeysWithoutRegardToCase)
{
    const auto lines = ReadAll("COLR=5\nname=Brick wall\ncol\n\nxxxx=1\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].key, 0);
    EXPECT_EQ(lines[0].value, "5");
    EXPECT_EQ(lines[1].key, 1);
    EXPECT_EQ(lines[1].value, "Brick wall");
    EXPECT_EQ(lines[2].key, -1); // shorter than the key
    EXPECT_EQ(lines[2].value, "col");
    EXPECT_EQ(lines[3].key, -1); // empty line
    EXPECT_EQ(lines[4].key, -1);
    EXPECT_EQ(lines[4].value, "xxxx=1");
    EXPECT_EQ(lines[4].line, 5);
}

TEST(KeywordLineReader, StripsOnlyTheLineEnd)
{
    struct Case {
        const char* bytes;
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {"name=a\r\nname=b\r\n", {"a", "b"}},
        {"name=a\nname=b\n", {"a", "b"}},
        {"name=a\nname=b", {"a", "b"}}, // final line without line end is whole
        {"name=ab\r", {"ab\r"}},        // a lone CR is text, not a line end
        {"name=a\rb\n", {"a\rb"}},
        {"name=x \t\n", {"x \t"}}, // trailing blanks are kept
    };
    for (const Case& c : cases) {
        const auto lines = ReadAll(c.bytes);
        ASSERT_EQ(lines.size(), c.values.size()) << c.bytes;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].value, c.values[i]) << c.bytes;
    }
}

TEST(KeywordLineReader, IndentedKeysWhenLeadingSpacesAreSkipped)
{
    const std::string bytes = "  name=0.5\n\tname=1\n   \n  vertex 1 2 3\n";
    const auto kept = ReadAll(bytes);
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_EQ(kept[0].key, -1);
    EXPECT_EQ(kept[0].value, "  name=0.5");
    const auto skipped = ReadAll(bytes, "name=", 5, common::LeadingSpaces::Skip);
    ASSERT_EQ(skipped.size(), 4u);
    EXPECT_EQ(skipped[0].key, 0);
    EXPECT_EQ(skipped[0].value, "0.5");
    EXPECT_EQ(skipped[1].key, -1); // a tab is no space
    EXPECT_EQ(skipped[1].value, "\tname=1");
    EXPECT_EQ(skipped[2].value, "");
    EXPECT_EQ(skipped[3].key, -1);
    EXPECT_EQ(skipped[3].value, "vertex 1 2 3");
    const auto vertex = ReadAll(bytes, "vertex", 6, common::LeadingSpaces::Skip);
    EXPECT_EQ(vertex[3].key, 0);
    EXPECT_EQ(vertex[3].value, " 1 2 3");
}

TEST(KeywordLineReader, KeysSharingTheirFirstLettersAndSecondTables)
{
    // Many keys alike in their first letters; the first of equal keys wins.
    const std::string keys = "blok=bclr=bsol=btyp=bshp=bipt=bpnt=bstl=bori=bor1=bor2=BPNT=colr=";
    const auto lines = ReadAll("bpnt=1\nBOR2=2\nbor1=3\nbolt=4\nc\ncolr=5\nB\n", keys);
    const int expected[] = {6, 10, 9, -1, -1, 12, -1};
    ASSERT_EQ(lines.size(), 7u);
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].key, expected[i]) << i;
    // One reader, two tables in turn.
    std::ofstream("Two.txt", std::ios::binary) << "colr=1\nname=2\ncolr=3\n";
    common::KeywordLineReader reader;
    ASSERT_TRUE(reader.Open("Two.txt"));
    int key = -1;
    reader.ReadKeywordLine("colr=name=", 5, key);
    EXPECT_EQ(key, 0);
    reader.ReadKeywordLine("name=colr=", 5, key);
    EXPECT_EQ(key, 0);
    reader.ReadKeywordLine("name=colr=", 5, key);
    EXPECT_EQ(key, 1);
}

TEST(KeywordLineReader, LongLineIsOneErrorNotTwoLines)
{
    const std::string longest(255, 'a');
    for (const char* end : {"\n", "\r\n", ""}) {
        const auto ok = ReadAll(longest + end);
        ASSERT_EQ(ok.size(), 1u);
        EXPECT_EQ(ok[0].status, common::LineStatus::Line);
        EXPECT_EQ(ok[0].value, longest);
    }
    for (std::size_t length : {256u, 257u, 100000u}) {
        const auto lines = ReadAll("name=x\n" + std::string(length, 'b') + "\r\nname=y\n");
        ASSERT_EQ(lines.size(), 3u) << length;
        EXPECT_EQ(lines[1].status, common::LineStatus::TooLong);
        EXPECT_EQ(lines[1].line, 2);
        EXPECT_EQ(lines[2].value, "y");
        EXPECT_EQ(lines[2].line, 3);
    }
}

TEST(KeywordLineReader, LinesAcrossBlockBoundaries)
{
    std::string bytes;
    for (int i = 0; i < 20000; ++i)
        bytes += "colr=" + std::to_string(i) + "\r\n";
    const auto lines = ReadAll(bytes);
    ASSERT_EQ(lines.size(), 20000u);
    for (int i = 0; i < 20000; ++i)
        ASSERT_EQ(lines[static_cast<std::size_t>(i)].value, std::to_string(i));
}

TEST(KeywordLineReader, OneCharacterKeysAndMissingFile)
{
    const auto lines = ReadAll("n 3\nC 1 2 3\nx\n", "NC", 1);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].key, 0);
    EXPECT_EQ(lines[1].key, 1);
    EXPECT_EQ(lines[1].value, " 1 2 3");
    EXPECT_EQ(lines[2].key, -1);
    common::KeywordLineReader reader;
    EXPECT_FALSE(reader.Open("no-such-file.txt"));
    EXPECT_FALSE(reader.Open(".")); // a folder is no file
}

} // namespace
