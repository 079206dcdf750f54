#include "platform/core/Random.h"
#include "platform/core/Text1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Text1252, EveryByteRoundTripsThroughUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(platform::Utf8ToCp1252(platform::Cp1252ToUtf8(all)), all);
}

TEST(Text1252, KnownCharacters)
{
    struct Case {
        const char* cp1252;
        const char* utf8;
    };
    const Case cases[] = {
        {"\xB0" "C", "\u00B0C"},         // degree sign
        {"\x80", "\u20AC"},              // euro sign
        {"m\xB2.K", "m\u00B2.K"},        // superscript two
        {"\x96", "\u2013"},              // en dash
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::Cp1252ToUtf8(c.cp1252), c.utf8);
        EXPECT_EQ(platform::Utf8ToCp1252(c.utf8), c.cp1252);
    }
}

TEST(Text1252, UnmappableAndMalformed)
{
    EXPECT_EQ(platform::Utf8ToCp1252("\u03BB=0.5"), "?=0.5");  // lambda has no byte
    EXPECT_EQ(platform::Utf8ToCp1252("a\xE9z"), "a\xE9z");     // a lone Latin-1 byte stays
    EXPECT_EQ(platform::Utf8ToCp1252("\xE2\x82"), "\xE2\x82"); // truncated sequence
}

TEST(Rand15, ClassicRuntimeSequence)
{
    // The first values of the classic runtime's rand() after srand(1).
    platform::srand15(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int v : expected)
        EXPECT_EQ(platform::rand15(), v);
    platform::Rand15 own(1);
    EXPECT_EQ(own.Next(), 41);
}

} // namespace

namespace {

TEST(Text850, DosCharactersBecomeTheirLetters)
{
    struct Case {
        const char* cp850;
        const char* utf8;
    };
    const Case cases[] = {
        {"\x81" "ber", "\u00FCber"},  // u umlaut
        {"\xF8" "C", "\u00B0C"},      // degree sign
        {"\x87" "a", "\u00E7a"},      // c cedilla
        {"\xE1", "\u00DF"},           // sharp s
        {"\xFD", "\u00B2"},           // superscript two
        {"\xC4\xB3", "\u2500\u2502"}, // box drawing
        {"\xFF", "\u00A0"},           // no-break space
        {"plain", "plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::Cp850ToUtf8(c.cp850), c.utf8) << c.utf8;
}

TEST(Text850, EveryByteGivesOneCharacter)
{
    for (int b = 0; b < 256; ++b) {
        const std::string utf8 = platform::Cp850ToUtf8(std::string(1, static_cast<char>(b)));
        // One UTF-8 sequence: a lead byte and only continuation bytes after it.
        ASSERT_FALSE(utf8.empty());
        for (std::size_t i = 1; i < utf8.size(); ++i)
            EXPECT_EQ(static_cast<unsigned char>(utf8[i]) & 0xC0, 0x80) << b;
    }
}

} // namespace
