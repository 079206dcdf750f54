#include "platform/core/StringTable.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

const char* kEnglish = "# English texts\r\n"
                       "368 \"Delete selected block(s) ?\"\r\n"
                       "369 \"Blocks\"\n"
                       "\n"
                       "365   \"No.\"\n"
                       "927 \"Current grid is minimum grid.\\nContinue \\\"now\\\" ?\"\n"
                       "17 \"   \"\n";

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(StringTable, EnglishTableResolvesIdsAndEscapes)
{
    platform::StringTable t;
    ASSERT_TRUE(t.LoadEnglish(kEnglish));
    EXPECT_EQ(t.Get(368), "Delete selected block(s) ?");
    EXPECT_EQ(t.Get(365), "No.");
    EXPECT_EQ(t.Get(927), "Current grid is minimum grid.\nContinue \"now\" ?");
    EXPECT_EQ(t.Get(17), "   ");
    EXPECT_EQ(t.Get(4), "");
    EXPECT_FALSE(t.Has(4));
}

TEST(StringTable, OverrideReplacesOnlyItsIds)
{
    platform::StringTable t;
    ASSERT_TRUE(t.LoadEnglish(kEnglish));
    WriteFile("override_nl.txt", "369 \"Blokken\"\n368 \"Geselecteerde blok(ken) verwijderen ?\"\n");
    ASSERT_TRUE(t.LoadOverrideFile("override_nl.txt"));
    EXPECT_EQ(t.Get(369), "Blokken");
    EXPECT_EQ(t.Get(368), "Geselecteerde blok(ken) verwijderen ?");
    EXPECT_EQ(t.Get(365), "No."); // not in the override: English
}

TEST(StringTable, MissingOrBrokenOverrideKeepsEnglish)
{
    platform::StringTable t;
    ASSERT_TRUE(t.LoadEnglish(kEnglish));
    std::string error;
    EXPECT_FALSE(t.LoadOverrideFile("no_such_library.txt", &error));
    EXPECT_EQ(t.Get(369), "Blocks");

    WriteFile("broken.txt", "369 \"Blokken\"\n370 \"unterminated\n");
    EXPECT_FALSE(t.LoadOverrideFile("broken.txt", &error));
    EXPECT_EQ(error, "line 2: missing closing quote");
    EXPECT_EQ(t.Get(369), "Blocks");
}

TEST(StringTable, MalformedLinesAreReportedWithTheirNumber)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"abc \"x\"\n", "line 1: missing id"},
        {"1 \"a\"\n2 x\n", "line 2: missing quoted text"},
        {"1 \"a\" b\n", "line 1: text after the closing quote"},
        {"1 \"a\\q\"\n", "line 1: unknown escape"},
        {"12\"a\"\n", "line 1: missing quoted text"},
    };
    for (const auto& c : cases) {
        platform::StringTable t;
        ASSERT_TRUE(t.LoadEnglish("5 \"kept\"\n"));
        std::string error;
        EXPECT_FALSE(t.LoadEnglish(c.text, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_EQ(t.Get(5), "kept");
    }
}

TEST(StringTable, FormatString2ReplacesPlaceholders)
{
    EXPECT_EQ(platform::FormatString2("Please enter an integer between %1 and %2.", "0", "255"),
              "Please enter an integer between 0 and 255.");
    EXPECT_EQ(platform::FormatString2("100%", "x"), "100%");
}

} // namespace
