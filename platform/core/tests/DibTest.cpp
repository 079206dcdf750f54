// DIB functions: creation, BMP round trips, RLE8 decoding and the checks
// that keep malformed BMP files from being trusted.
#include "platform/core/Dib.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform;

namespace {

// A BMP file built field by field, so that each test can spoil one field.
struct BmpBuilder {
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    std::vector<BYTE> table;
    std::vector<BYTE> bits;
    DWORD headerSize = 40;

    BmpBuilder(int width, int height, int bitCount, DWORD compression = BI_RGB)
    {
        fh.bfType = kBmpFileType;
        ih.biSize = 40;
        ih.biWidth = width;
        ih.biHeight = height;
        ih.biPlanes = 1;
        ih.biBitCount = static_cast<WORD>(bitCount);
        ih.biCompression = compression;
        if (bitCount <= 8)
            for (int i = 0; i < (1 << bitCount); ++i)
                table.insert(table.end(), {BYTE(i), BYTE(255 - i), BYTE(i / 2), 0});
        if (compression == BI_RGB)
            bits.assign(
                static_cast<std::size_t>(DibRowBytes(width, bitCount) * (height < 0 ? -height : height)), 0);
    }

    std::vector<BYTE> Bytes(bool fixOffsets = true)
    {
        if (fixOffsets) {
            fh.bfOffBits = static_cast<DWORD>(14 + headerSize + table.size());
            fh.bfSize = static_cast<DWORD>(fh.bfOffBits + bits.size());
        }
        ih.biSize = headerSize;
        std::vector<BYTE> out(14 + 40);
        EncodeFileHeader(fh, out.data());
        EncodeInfoHeader(ih, out.data() + 14);
        out.resize(14 + headerSize, 0);
        out.insert(out.end(), table.begin(), table.end());
        out.insert(out.end(), bits.begin(), bits.end());
        return out;
    }
};

std::unique_ptr<PackedDib> Read(const std::vector<BYTE>& bytes, std::string* error = nullptr)
{
    return DibReadMemory(bytes.data(), bytes.size(), error);
}

} // namespace

TEST(DibCreate, MakesZeroedBottomUpDibWithGreyRamp)
{
    auto dib = DibCreate(8, 5, 3);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib->Header()->biSize, 40u);
    EXPECT_EQ(dib->ColorEntries(), 256);
    EXPECT_EQ(dib->RowBytes(), 8);
    EXPECT_EQ(dib->ImageSize(), 24u);
    EXPECT_EQ(dib->ColorTable()[255].rgbRed, 255);
    EXPECT_EQ(dib->Bits() - dib->Data(), 40 + 4 * 256);
    auto one = DibCreate(1, 9, 1);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->ColorEntries(), 2);
    EXPECT_EQ(one->RowBytes(), 4);
    EXPECT_EQ(DibCreate(24, 3, 1)->ColorEntries(), 0);

    EXPECT_FALSE(DibCreate(2, 4, 4));
    EXPECT_FALSE(DibCreate(8, 0, 4));
    EXPECT_FALSE(DibCreate(8, 4, -1));
    EXPECT_FALSE(DibCreate(24, 65535, 65535)); // beyond the size limit
}

TEST(DibCreate, MakeDibPutsTheTopRowLast)
{
    const std::uint32_t pixels[] = {0x112233, 0x445566, 0x778899, 0xAABBCC};
    auto dib = MakeDib(2, 2, pixels, 2);
    ASSERT_TRUE(dib);
    const BYTE* top = dib->Bits() + dib->RowBytes();
    EXPECT_EQ(top[0], 0x33); // blue of the first pixel
    EXPECT_EQ(top[2], 0x11);
    EXPECT_EQ(dib->Bits()[3], 0xCC);
}

TEST(DibFile, WriteAndReadBackKeepsEveryPixelAndTheColourTable)
{
    for (int bits : {1, 4, 8, 24, 32}) {
        auto dib = DibCreate(bits, 13, 7);
        ASSERT_TRUE(dib);
        for (std::size_t i = 0; i < dib->ImageSize(); ++i)
            dib->Bits()[i] = static_cast<BYTE>(i * 37 + 11);
        if (bits <= 8)
            dib->ColorTable()[1] = RGBQUAD{9, 8, 7, 0};
        const std::string path = "roundtrip" + std::to_string(bits) + ".bmp";
        ASSERT_TRUE(WriteDIB(path, dib.get()));
        std::string error;
        auto back = DibOpenFile(path, &error);
        ASSERT_TRUE(back) << error;
        EXPECT_EQ(back->Size(), dib->Size());
        EXPECT_EQ(std::memcmp(back->Data(), dib->Data(), dib->Size()), 0) << bits;
    }
}

TEST(DibFile, TopDownFileIsStoredBottomUp)
{
    BmpBuilder b(2, -2, 8);
    b.bits = {1, 2, 0, 0, 3, 4, 0, 0}; // top row first
    auto dib = Read(b.Bytes());
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib->Height(), 2);
    EXPECT_EQ(dib->Bits()[0], 3);
    EXPECT_EQ(dib->Bits()[4], 1);
}

TEST(DibFile, Rle8RunsAbsoluteBlocksAndDeltasAreDecoded)
{
    BmpBuilder b(6, 3, 8, BI_RLE8);
    b.bits = {3, 7, 0, 3, 1, 2, 5, 0, // run of 3, absolute block of 3 (padded)
              0, 0,                   // end of line 0
              0, 2, 2, 1,             // delta: two right, one up: line 2
              2, 9, 0, 1};            // run, end of bitmap
    std::string error;
    auto dib = Read(b.Bytes(), &error);
    ASSERT_TRUE(dib) << error;
    const std::vector<BYTE> row0(dib->Bits(), dib->Bits() + 6);
    const std::vector<BYTE> row2(dib->Bits() + 16, dib->Bits() + 22);
    EXPECT_EQ(row0, (std::vector<BYTE>{7, 7, 7, 1, 2, 5}));
    EXPECT_EQ(row2, (std::vector<BYTE>{0, 0, 9, 9, 0, 0}));
    EXPECT_EQ(dib->Header()->biCompression, BI_RGB);
}

TEST(DibFile, MalformedFilesAreRefusedWithAReason)
{
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
    };
    std::vector<Case> cases;
    auto spoil = [&](const char* name, auto change, bool fixOffsets = true) {
        BmpBuilder b(4, 4, 8);
        change(b);
        cases.push_back({name, b.Bytes(fixOffsets)});
    };
    spoil("wrong magic", [](BmpBuilder& b) { b.fh.bfType = 0x1234; });
    spoil("core header", [](BmpBuilder& b) { b.headerSize = 12; });
    spoil("two planes", [](BmpBuilder& b) { b.ih.biPlanes = 2; });
    spoil("2-bit pixels", [](BmpBuilder& b) { b.ih.biBitCount = 2; });
    spoil("zero width", [](BmpBuilder& b) { b.ih.biWidth = 0; });
    spoil("negative width", [](BmpBuilder& b) { b.ih.biWidth = -4; });
    spoil("huge size", [](BmpBuilder& b) { b.ih.biWidth = b.ih.biHeight = 60000; });
    spoil("too many colours", [](BmpBuilder& b) { b.ih.biClrUsed = 300; });
    spoil("RLE4", [](BmpBuilder& b) { b.ih.biCompression = BI_RLE4; });
    spoil("bitfields", [](BmpBuilder& b) { b.ih.biCompression = BI_BITFIELDS; });
    spoil(
        "offset past the end", [](BmpBuilder& b) { b.fh.bfOffBits = 100000; }, false);
    spoil(
        "offset inside the table", [](BmpBuilder& b) { b.fh.bfOffBits = 60; }, false);
    spoil("bits truncated", [](BmpBuilder& b) { b.bits.resize(10); });
    spoil("more rows claimed", [](BmpBuilder& b) { b.ih.biHeight = 40; });
    auto rle = [&](const char* name, std::vector<BYTE> data, int height = 2) {
        BmpBuilder b(4, height, 8, BI_RLE8);
        b.bits = std::move(data);
        cases.push_back({name, b.Bytes()});
    };
    rle("run past the row end", {5, 1, 0, 1});
    rle("absolute block past the row end", {0, 5, 1, 2, 3, 4, 5, 0, 0, 1});
    rle("absolute block past the data", {0, 4, 1, 2});
    rle("delta out of the picture", {0, 2, 0, 5, 0, 1});
    rle("lines beyond the picture", {0, 0, 0, 0, 0, 0, 1, 1, 0, 1});
    rle("no end and rows missing", {4, 1, 0, 0});
    rle("top-down", {0, 1}, -2);
    cases.push_back({"empty", {}});
    cases.push_back({"just the magic", {'B', 'M'}});
    {
        BmpBuilder b(4, 4, 8);
        auto bytes = b.Bytes();
        bytes.resize(30);
        cases.push_back({"header truncated", bytes});
    }
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(Read(c.bytes, &error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
    }
    std::string error;
    EXPECT_FALSE(DibOpenFile("no such file.bmp", &error));
    EXPECT_FALSE(error.empty());
}

TEST(DibPalette, MadeFromTheColourTableAndWrittenBackByUsage)
{
    auto dib = DibCreate(4, 2, 2);
    dib->ColorTable()[3] = RGBQUAD{30, 20, 10, 0};
    auto palette = MakePalette(dib.get());
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->GetEntryCount(), 16);
    EXPECT_EQ(palette->Entries()[3], (PALETTEENTRY{10, 20, 30, 0}));
    EXPECT_FALSE(MakePalette(DibCreate(24, 2, 2).get()));

    CPalette mine({{255, 0, 0, 0}, {0, 0, 255, 0}});
    ASSERT_TRUE(DibSetUsage(dib.get(), &mine, 0));
    EXPECT_EQ(dib->ColorTable()[1].rgbBlue, 255);
    EXPECT_EQ(dib->ColorTable()[0].rgbRed, 255);
    EXPECT_EQ(dib->ColorTable()[3].rgbRed, 10); // beyond the palette: unchanged
    ASSERT_TRUE(DibSetUsage(dib.get(), &mine, 1));
    EXPECT_EQ(dib->ColorTable()[1].rgbBlue, 255); // the table keeps its colours
    EXPECT_FALSE(DibSetUsage(dib.get(), &mine, 2));
}

TEST(DibPalette, NearestIndexTakesTheFirstOfEqualDistances)
{
    CPalette p({{0, 0, 0, 0}, {255, 255, 255, 0}, {250, 250, 250, 0}, {0, 0, 0, 0}});
    EXPECT_EQ(p.GetNearestPaletteIndex(RGB(10, 10, 10)), 0);
    EXPECT_EQ(p.GetNearestPaletteIndex(RGB(254, 254, 254)), 1);
    EXPECT_EQ(p.GetNearestPaletteIndex(RGB(249, 250, 251)), 2);
    PALETTEENTRY out[4];
    EXPECT_EQ(p.GetPaletteEntries(2, 10, out), 2);
    EXPECT_EQ(p.GetPaletteEntries(9, 1, out), 0);
}
