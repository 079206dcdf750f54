// The colour quantiser and the 8-bit bitmap writer: palette size, exact
// colours, octree merging, dithering that keeps the mean colour, and the
// bytes of uncompressed and RLE8 files.
#include "common/core/ColourQuantizer.h"

#include "common/core/UserMessage.h"
#include "platform/core/Dib.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

using namespace common;

namespace {

std::vector<BYTE> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The colour of every pixel of an 8-bit BMP, as blue, green, red.
std::vector<BYTE> DecodeColours(const std::string& path)
{
    std::string error;
    auto dib = platform::DibOpenFile(path, &error);
    EXPECT_TRUE(dib) << error;
    std::vector<BYTE> out;
    if (!dib)
        return out;
    for (int y = 0; y < dib->Height(); ++y)
        for (int x = 0; x < dib->Width(); ++x) {
            const platform::RGBQUAD& q = dib->ColorTable()[dib->Bits()[y * dib->RowBytes() + x]];
            out.insert(out.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed});
        }
    return out;
}

} // namespace

TEST(ColourQuantizer, RefusesColourCountsOutsideOneTo256)
{
    std::vector<std::string> messages;
    auto old = SetUserMessageSink([&](const std::string& m) { messages.push_back(m); });
    const BYTE pixel[3] = {1, 2, 3};
    QuantizerResult r;
    EXPECT_FALSE(QuantizeColours({pixel, 1, 1, 0}, 0, true, r));
    EXPECT_FALSE(QuantizeColours({pixel, 1, 1, 0}, 257, true, r));
    EXPECT_FALSE(QuantizeColours({pixel, 0, 1, 0}, 16, true, r));
    EXPECT_FALSE(WriteQuantizedBmp("q.bmp", pixel, 1, 1, 0, 1));
    EXPECT_FALSE(WriteQuantizedBmp("q.bmp", pixel, 1, 1, 300, 0));
    EXPECT_EQ(messages, (std::vector<std::string>(2, "Color quantization error!")));
    EXPECT_FALSE(WriteQuantizedBmp("q.bmp", pixel, 1, 1, 16, 2)); // no such mode
    EXPECT_FALSE(WriteQuantizedBmp("no-such-folder/q.bmp", pixel, 1, 1, 16, 1));
    SetUserMessageSink(old);
}

TEST(ColourQuantizer, PicturesWithFewColoursKeepThemExactly)
{
    // 200 random colours, some in the same 5-bit cell, over a 61 x 37 picture
    // with padded rows.
    std::mt19937 random(7);
    std::vector<std::array<BYTE, 3>> colours(200);
    for (auto& c : colours)
        for (auto& v : c)
            v = static_cast<BYTE>(random());
    colours[1] = {colours[0][0], colours[0][1], static_cast<BYTE>(colours[0][2] ^ 1)};
    const int w = 61, h = 37;
    const std::size_t stride = 3 * w + 5;
    std::vector<BYTE> picture(stride * h, 0xEE);
    std::vector<BYTE> packed;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto& c = colours[static_cast<std::size_t>(x * 7 + y * 3) % colours.size()];
            std::copy(c.begin(), c.end(), picture.begin() + static_cast<std::ptrdiff_t>(y * stride + 3 * x));
            packed.insert(packed.end(), c.begin(), c.end());
        }
    for (int mode : {0, 1}) {
        const std::string path = "exact" + std::to_string(mode) + ".bmp";
        ASSERT_TRUE(WriteQuantizedBmp(path, picture.data(), w, h, 236, mode, stride));
        EXPECT_EQ(DecodeColours(path), packed) << path;
    }
}

TEST(ColourQuantizer, SiblingLeavesMergeIntoTheirRoundedMean)
{
    // Cluster A: one pixel (0,0,0) and three (8,8,8), siblings in the tree;
    // cluster B: one cell. Two colours leave B and A's mean.
    std::vector<BYTE> picture;
    auto add = [&](BYTE c0, BYTE c1, BYTE c2, int n) {
        for (int i = 0; i < n; ++i)
            picture.insert(picture.end(), {c0, c1, c2});
    };
    add(0, 0, 0, 1);
    add(8, 8, 8, 3);
    add(200, 200, 200, 2);
    add(200, 200, 207, 2);
    add(200, 201, 202, 2); // a third colour in B's cell: no exact palette
    QuantizerResult r;
    ASSERT_TRUE(QuantizeColours({picture.data(), 10, 1, 0}, 2, false, r));
    ASSERT_EQ(r.palette.size(), 2u);
    // Children are visited from 7 down, so B's cell comes first.
    const int b2 = (200 * 2 + 207 * 2 + 202 * 2 + 3) / 6;
    EXPECT_EQ(r.palette[0], (std::array<BYTE, 3>{200, (200 * 4 + 201 * 2 + 3) / 6, static_cast<BYTE>(b2)}));
    EXPECT_EQ(r.palette[1], (std::array<BYTE, 3>{6, 6, 6})); // (0 + 24 + 2) / 4
    EXPECT_EQ(r.indexes, (std::vector<BYTE>{1, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(ColourQuantizer, DitheringKeepsTheMeanColourOfAGradient)
{
    const int w = 96, h = 64;
    std::vector<BYTE> picture;
    double sum[3] = {0, 0, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const BYTE c[3] = {static_cast<BYTE>(x * 255 / (w - 1)), static_cast<BYTE>(y * 255 / (h - 1)),
                               static_cast<BYTE>((x + y) * 255 / (w + h - 2))};
            for (int k = 0; k < 3; ++k)
                sum[k] += c[k];
            picture.insert(picture.end(), c, c + 3);
        }
    QuantizerResult r;
    ASSERT_TRUE(QuantizeColours({picture.data(), w, h, 0}, 16, true, r));
    EXPECT_LE(r.palette.size(), 16u);
    EXPECT_GE(r.palette.size(), 12u);
    double out[3] = {0, 0, 0}, absError = 0;
    for (std::size_t i = 0; i < r.indexes.size(); ++i)
        for (int k = 0; k < 3; ++k) {
            const int v = r.palette[r.indexes[i]][static_cast<std::size_t>(k)];
            out[k] += v;
            absError += std::abs(v - picture[3 * i + static_cast<std::size_t>(k)]);
        }
    const double n = static_cast<double>(w) * h;
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(out[k] / n, sum[k] / n, 3.0) << k;
    EXPECT_LT(absError / (3 * n), 40.0);
}

TEST(ColourQuantizer, LongRowsAreWrittenAsRunsOf255)
{
    std::vector<BYTE> picture(3 * 300 * 2, 0);
    for (std::size_t i = 3 * 300; i < picture.size(); i += 3)
        picture[i] = 255; // second row blue
    ASSERT_TRUE(WriteQuantizedBmp("runs.bmp", picture.data(), 300, 2, 256, 1));
    const std::vector<BYTE> bytes = ReadAll("runs.bmp");
    const std::size_t bits = 54 + 4 * 256;
    ASSERT_EQ(bytes.size(), bits + 14);
    EXPECT_EQ(platform::ReadLe32(&bytes[2]), bytes.size());       // file size
    EXPECT_EQ(platform::ReadLe32(&bytes[10]), bits);              // bits offset
    EXPECT_EQ(platform::ReadLe32(&bytes[30]), platform::BI_RLE8); // compression
    EXPECT_EQ(platform::ReadLe32(&bytes[34]), 14u);               // image size
    EXPECT_EQ(platform::ReadLe32(&bytes[46]), 256u);              // colours used
    const BYTE a = bytes[bits + 1], b = bytes[bits + 7];
    EXPECT_NE(a, b);
    const std::vector<BYTE> runs(bytes.begin() + static_cast<std::ptrdiff_t>(bits), bytes.end());
    EXPECT_EQ(runs, (std::vector<BYTE>{255, a, 45, a, 0, 0, 255, b, 45, b, 0, 0, 0, 1}));
}

TEST(ColourQuantizer, OneColourGivesAFullPaletteWithOneEntryUsed)
{
    const std::vector<BYTE> picture(3 * 5 * 3, 77);
    ASSERT_TRUE(WriteQuantizedBmp("one.bmp", picture.data(), 5, 3, 256, 0));
    const std::vector<BYTE> bytes = ReadAll("one.bmp");
    const std::size_t bits = 54 + 4 * 256;
    ASSERT_EQ(bytes.size(), bits + 8 * 3);
    EXPECT_EQ(platform::ReadLe32(&bytes[30]), platform::BI_RGB);
    EXPECT_EQ(platform::ReadLe32(&bytes[34]), 24u); // rows padded to 8 bytes
    EXPECT_EQ(platform::ReadLe32(&bytes[46]), 256u);
    EXPECT_EQ(std::vector<BYTE>(bytes.begin() + 54, bytes.begin() + 58), (std::vector<BYTE>{77, 77, 77, 0}));
    EXPECT_EQ(std::vector<BYTE>(bytes.begin() + 58, bytes.begin() + 62), (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_EQ(DecodeColours("one.bmp"), picture);
}
