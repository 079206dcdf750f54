// The bitmap class: reading and writing BMP streams, colour entries and
// palettes, refused files, and the colour-table size of DIB headers.
#include "common/core/Dib.h"
#include "common/core/UserMessage.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace common;

namespace {

// A small BMP file of the given bit count, colour count and height.
std::string MakeBmp(int bits, DWORD clrUsed, int height = 2, int width = 3)
{
    auto dib = platform::PackedDib::Allocate(width, height < 0 ? -height : height, bits, 0);
    const int entries = clrUsed ? static_cast<int>(clrUsed) : (bits <= 8 ? 1 << bits : 0);
    platform::BITMAPINFOHEADER ih = *dib->Header();
    ih.biHeight = height;
    ih.biClrUsed = clrUsed;
    const std::int64_t rowBytes = platform::DibRowBytes(width, bits);
    const std::size_t imageSize = static_cast<std::size_t>(rowBytes * (height < 0 ? -height : height));
    platform::BITMAPFILEHEADER fh;
    fh.bfType = platform::kBmpFileType;
    fh.bfOffBits = static_cast<DWORD>(54 + 4 * entries);
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + imageSize);
    std::string out(54, '\0');
    platform::EncodeFileHeader(fh, reinterpret_cast<BYTE*>(out.data()));
    platform::EncodeInfoHeader(ih, reinterpret_cast<BYTE*>(out.data()) + 14);
    for (int i = 0; i < entries; ++i)
        out += {static_cast<char>(i), static_cast<char>(2 * i), static_cast<char>(3 * i), 0};
    for (std::size_t i = 0; i < imageSize; ++i)
        out += static_cast<char>(i + 1);
    return out;
}

struct MessageLog {
    std::vector<std::string> messages;
    UserMessageSink old = SetUserMessageSink([this](const std::string& m) { messages.push_back(m); });
    ~MessageLog() { SetUserMessageSink(old); }
};

} // namespace

TEST(Dib, ColourEntriesAndPalettes)
{
    struct Case {
        int bits;
        DWORD clrUsed;
        int entries;
        bool palette;
    } cases[] = {{8, 0, 256, true}, {8, 16, 16, true}, {4, 0, 16, true}, {1, 0, 2, true}, {24, 0, 0, false}};
    for (const Case& c : cases) {
        std::istringstream in(MakeBmp(c.bits, c.clrUsed));
        CDib dib;
        ASSERT_TRUE(dib.Read(in)) << c.bits;
        EXPECT_EQ(dib.GetColorEntries(), c.entries) << c.bits;
        EXPECT_EQ(dib.GetPalette() != nullptr, c.palette) << c.bits;
        EXPECT_EQ(dib.CreatePalette(), c.palette ? TRUE : FALSE);
        EXPECT_EQ(dib.GetDimensions(), CSize(3, 2));
    }
    std::istringstream in(MakeBmp(8, 4));
    CDib dib;
    ASSERT_TRUE(dib.Read(in));
    EXPECT_EQ(dib.GetPalette()->Entries()[3], (platform::PALETTEENTRY{9, 6, 3, 0}));
}

TEST(Dib, WriteThenReadGivesTheSameBitmapAndStopsAtItsEnd)
{
    std::istringstream in(MakeBmp(8, 5, -2) + MakeBmp(24, 0, 4, 5));
    CDib first, second;
    ASSERT_TRUE(first.Read(in));
    ASSERT_TRUE(second.Read(in)); // the stream stood at the second file
    EXPECT_EQ(second.GetDimensions(), CSize(5, 4));
    // Top-down rows are stored bottom-up.
    EXPECT_EQ(first.GetBits()[0], 5);
    EXPECT_EQ(first.GetBits()[4], 1);

    std::ostringstream out;
    ASSERT_TRUE(first.Write(out));
    std::istringstream again(out.str());
    CDib copy;
    ASSERT_TRUE(copy.Read(again));
    ASSERT_EQ(copy.GetImageSize(), first.GetImageSize());
    EXPECT_TRUE(std::equal(first.GetBits(), first.GetBits() + first.GetImageSize(), copy.GetBits()));
    EXPECT_EQ(out.str().size(), 14u + 40 + 4 * 5 + 8);
}

TEST(Dib, BadFilesShowReadErrorAndLeaveTheBitmapEmpty)
{
    std::string core = MakeBmp(8, 0);
    core[14] = 12;
    std::string truncated = MakeBmp(8, 0);
    truncated.resize(truncated.size() - 3);
    std::string hugeOffset = MakeBmp(8, 0);
    hugeOffset[13] = '\x7f';
    const std::string cases[] = {"",
                                 "XM" + MakeBmp(8, 0).substr(2),
                                 core,
                                 truncated,
                                 hugeOffset,
                                 MakeBmp(8, 0).substr(0, 20),
                                 std::string(100, '\xff')};
    for (const std::string& bytes : cases) {
        MessageLog log;
        std::istringstream in(MakeBmp(8, 0));
        CDib dib;
        ASSERT_TRUE(dib.Read(in));
        std::istringstream bad(bytes);
        EXPECT_FALSE(dib.Read(bad));
        EXPECT_EQ(log.messages, std::vector<std::string>{"Read error"});
        EXPECT_EQ(dib.GetDimensions(), CSize());
        EXPECT_EQ(dib.GetHeader(), nullptr);
        EXPECT_EQ(dib.GetPalette(), nullptr);
    }
}

TEST(Dib, WriteFailureIsReported)
{
    MessageLog log;
    std::istringstream in(MakeBmp(8, 0));
    CDib dib;
    ASSERT_TRUE(dib.Read(in));
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_FALSE(dib.Write(out));
    EXPECT_EQ(log.messages, std::vector<std::string>{"write error"});
    EXPECT_FALSE(CDib().Write(out));
}

TEST(Dib, ColourTableSizeOfHeaders)
{
    platform::BITMAPINFOHEADER h;
    h.biSize = 40;
    struct Case {
        int bits;
        DWORD used;
        DWORD size;
    } cases[] = {{8, 0, 1024}, {8, 20, 80}, {4, 0, 64}, {1, 0, 8}, {24, 0, 0}, {24, 3, 12}};
    for (const Case& c : cases) {
        h.biBitCount = static_cast<WORD>(c.bits);
        h.biClrUsed = c.used;
        EXPECT_EQ(GetDibColorTableSize(&h), c.size) << c.bits << " " << c.used;
    }
    // A 12-byte core header: three bytes an entry.
    BYTE core[40] = {12, 0, 0, 0, 4, 0, 4, 0, 1, 0, 8, 0};
    EXPECT_EQ(GetDibColorTableSize(reinterpret_cast<const platform::BITMAPINFOHEADER*>(core)), 768u);
}
