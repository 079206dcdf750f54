// The image classes: PNG and BMP written by us and read back by libpng
// directly, PNGs of every colour type and depth written by libpng and read
// by us, pixel and palette operations, format choice and bad input.
#include "common/core/ImageFile.h"

#include "PngTestUtil.h"
#include "common/core/UserMessage.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <zlib.h>

using namespace common;

namespace {

std::vector<unsigned char> Pack(const std::vector<int>& values, int depth)
{
    std::vector<unsigned char> row((values.size() * static_cast<std::size_t>(depth) + 7) / 8, 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t bit = i * static_cast<std::size_t>(depth);
        row[bit / 8] = static_cast<unsigned char>(row[bit / 8] | (values[i] << (8 - depth - bit % 8)));
    }
    return row;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void ExpectRgb(const CImageFile& image, int x, int yTop, int r, int g, int b, int tolerance = 0)
{
    BYTE pr = 0, pg = 0, pb = 0;
    // Row 0 of the picture is its bottom row.
    ASSERT_TRUE(image.GetPixelRGB(x, image.GetHeight() - 1 - yTop, pr, pg, pb)) << x << "," << yTop;
    EXPECT_NEAR(pr, r, tolerance) << x << "," << yTop;
    EXPECT_NEAR(pg, g, tolerance) << x << "," << yTop;
    EXPECT_NEAR(pb, b, tolerance) << x << "," << yTop;
}

// A 24-bit picture of distinct colours: top row red-ish, then a ramp.
std::unique_ptr<CImageFile> MakeRgbImage(int width, int height)
{
    auto image = std::make_unique<CImageFile>();
    image->CreateImpl("", kImageKindPng);
    EXPECT_TRUE(image->Create(width, height, 24));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image->SetPixelRGB(x, y, static_cast<BYTE>(x * 20), static_cast<BYTE>(y * 30),
                               static_cast<BYTE>(x + y));
    return image;
}

} // namespace

TEST(ImageKind, FollowsTheExtensionWithoutRegardToCase)
{
    struct Case {
        const char* name;
        int kind;
    } cases[] = {{"fig.Png", 1}, {"a/b.c/fig.bmp", 0}, {"fig.gif", -1},
                 {"fig.", -1},   {"bmp", 0},           {"fig.png.txt", -1}};
    for (const Case& c : cases)
        EXPECT_EQ(GetImageKind(c.name), c.kind) << c.name;
}

TEST(ImageFile, RgbPngIsReadBackByLibpngWithIdenticalPixels)
{
    auto image = MakeRgbImage(7, 5);
    ASSERT_TRUE(image->SaveAs("rgb.png"));
    const pngtest::Header h = pngtest::ReadHeader("rgb.png");
    EXPECT_EQ(h.colourType, PNG_COLOR_TYPE_RGB);
    EXPECT_EQ(h.plteCount, 0);
    pngtest::Rgb rgb;
    ASSERT_TRUE(pngtest::ReadRgb("rgb.png", rgb));
    ASSERT_EQ(rgb.width, 7);
    ASSERT_EQ(rgb.height, 5);
    for (int yTop = 0; yTop < 5; ++yTop)
        for (int x = 0; x < 7; ++x) {
            const int y = 4 - yTop; // the first PNG row is the top: the last DIB row
            EXPECT_EQ(rgb.At(x, yTop)[0], x * 20);
            EXPECT_EQ(rgb.At(x, yTop)[1], y * 30);
            EXPECT_EQ(rgb.At(x, yTop)[2], x + y);
        }
}

TEST(ImageFile, PaletteAndGreyPngsCarryAPaletteOnlyWhenTheyHaveOne)
{
    const BYTE triples[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
    struct Case {
        int bits;
        bool palette;
        int type, plte;
    } cases[] = {{8, true, PNG_COLOR_TYPE_PALETTE, 256},
                 {4, true, PNG_COLOR_TYPE_PALETTE, 16},
                 {1, true, PNG_COLOR_TYPE_PALETTE, 2},
                 {8, false, PNG_COLOR_TYPE_GRAY, 0},
                 {4, false, PNG_COLOR_TYPE_GRAY, 0}};
    for (const Case& c : cases) {
        CImageFile image;
        image.CreateImpl("", kImageKindPng);
        ASSERT_TRUE(image.Create(9, 3, c.bits));
        if (c.palette) {
            ASSERT_TRUE(image.SetPaletteFromEntries(4, triples));
        }
        const int levels = 1 << c.bits;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 9; ++x)
                image.SetPixelIndex(x, y, (x + y) % (c.palette ? std::min(levels, 4) : levels));
        const std::string path = "idx" + std::to_string(c.bits) + (c.palette ? "p" : "g") + ".png";
        ASSERT_TRUE(image.SaveAs(path));
        const pngtest::Header h = pngtest::ReadHeader(path);
        EXPECT_EQ(h.colourType, c.type) << path;
        EXPECT_EQ(h.bitDepth, c.bits) << path;
        EXPECT_EQ(h.plteCount, c.plte) << path;
        pngtest::Rgb rgb;
        ASSERT_TRUE(pngtest::ReadRgb(path, rgb)) << path;
        for (int yTop = 0; yTop < 3; ++yTop)
            for (int x = 0; x < 9; ++x) {
                BYTE r, g, b;
                ASSERT_TRUE(image.GetPixelRGB(x, 2 - yTop, r, g, b));
                EXPECT_EQ(rgb.At(x, yTop)[0], r) << path;
                EXPECT_EQ(rgb.At(x, yTop)[1], g) << path;
                EXPECT_EQ(rgb.At(x, yTop)[2], b) << path;
            }
        // And our reader gives the same indexes, widened to a byte each.
        auto back = CImageFile::CImageFileFromPath(path);
        ASSERT_TRUE(back->HasImage()) << path;
        EXPECT_EQ(back->GetBitsPerPixel(), 8);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 9; ++x) {
                const int expected =
                    c.palette ? image.GetPixelIndex(x, y) : image.GetPixelIndex(x, y) * 255 / (levels - 1);
                EXPECT_EQ(back->GetPixelIndex(x, y), expected) << path;
            }
    }
}

TEST(ImageFile, PngsOfEveryColourTypeAndDepthAreRead)
{
    const std::vector<png_color> plte{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    const std::vector<int> idx{0, 1, 2, 3, 3, 2, 1};
    for (int depth : {1, 2, 4, 8}) {
        const int levels = 1 << depth;
        std::vector<int> grey(idx.size());
        for (std::size_t i = 0; i < idx.size(); ++i)
            grey[i] = idx[i] % levels;
        const std::string p = "pal" + std::to_string(depth) + ".png";
        const std::vector<png_color> fitting(plte.begin(), plte.begin() + std::min(levels, 4));
        ASSERT_TRUE(pngtest::Write(p, 7, 2, depth, PNG_COLOR_TYPE_PALETTE,
                                   {Pack(grey, depth), Pack(grey, depth)}, fitting));
        auto image = CImageFile::CImageFileFromPath(p);
        ASSERT_TRUE(image->HasImage()) << p;
        EXPECT_EQ(image->GetColourType(), kColourTypePalette);
        for (int x = 0; x < 7; ++x) {
            const png_color& e = plte[static_cast<std::size_t>(grey[static_cast<std::size_t>(x)])];
            ExpectRgb(*image, x, 0, e.red, e.green, e.blue);
        }
        const std::string g = "grey" + std::to_string(depth) + ".png";
        ASSERT_TRUE(pngtest::Write(g, 7, 1, depth, PNG_COLOR_TYPE_GRAY, {Pack(grey, depth)}));
        image = CImageFile::CImageFileFromPath(g);
        ASSERT_TRUE(image->HasImage()) << g;
        EXPECT_EQ(image->GetColourType(), kColourTypeGrey);
        for (int x = 0; x < 7; ++x) {
            const int v = grey[static_cast<std::size_t>(x)] * 255 / (levels - 1);
            ExpectRgb(*image, x, 0, v, v, v);
        }
    }
    // 16 bits per channel are cut to 8: the high byte stays.
    ASSERT_TRUE(pngtest::Write("grey16.png", 2, 1, 16, PNG_COLOR_TYPE_GRAY, {{0x12, 0x34, 0xAB, 0xCD}}));
    auto image = CImageFile::CImageFileFromPath("grey16.png");
    ASSERT_TRUE(image->HasImage());
    ExpectRgb(*image, 1, 0, 0xAB, 0xAB, 0xAB);
    ASSERT_TRUE(pngtest::Write("rgb16.png", 1, 1, 16, PNG_COLOR_TYPE_RGB, {{1, 2, 3, 4, 5, 6}}));
    image = CImageFile::CImageFileFromPath("rgb16.png");
    ASSERT_TRUE(image->HasImage());
    EXPECT_EQ(image->GetBitsPerPixel(), 24);
    ExpectRgb(*image, 0, 0, 1, 3, 5);
    // Alpha is composed over the background colour.
    ASSERT_TRUE(pngtest::Write("rgba.png", 3, 1, 8, PNG_COLOR_TYPE_RGBA,
                               {{10, 20, 30, 255, 10, 20, 30, 0, 200, 100, 0, 128}}));
    image = CImageFile::CImageFileFromPath("rgba.png");
    ASSERT_TRUE(image->HasImage());
    EXPECT_EQ(image->GetBitsPerPixel(), 24);
    ExpectRgb(*image, 0, 0, 10, 20, 30);
    ExpectRgb(*image, 1, 0, 0x1F, 0x7F, 0xFF);
    ExpectRgb(*image, 2, 0, (200 * 128 + 0x1F * 127) / 255, (100 * 128 + 0x7F * 127) / 255,
              (0xFF * 127) / 255, 2);
    ASSERT_TRUE(pngtest::Write("greya.png", 2, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {{90, 255, 90, 0}}));
    image = CImageFile::CImageFileFromPath("greya.png");
    ASSERT_TRUE(image->HasImage());
    ExpectRgb(*image, 0, 0, 90, 90, 90);
    ASSERT_TRUE(
        pngtest::Write("paltrns.png", 2, 1, 8, PNG_COLOR_TYPE_PALETTE, {{1, 2}}, plte, false, {255, 255, 0}));
    image = CImageFile::CImageFileFromPath("paltrns.png");
    ASSERT_TRUE(image->HasImage());
    ExpectRgb(*image, 0, 0, 255, 0, 0);
}

TEST(ImageFile, InterlacedPngIsAssembledFromItsPasses)
{
    std::vector<std::vector<unsigned char>> rows;
    for (int y = 0; y < 9; ++y) {
        std::vector<unsigned char> row;
        for (int x = 0; x < 11; ++x)
            row.insert(row.end(), {static_cast<unsigned char>(x * 23), static_cast<unsigned char>(y * 27),
                                   static_cast<unsigned char>(x ^ y)});
        rows.push_back(row);
    }
    ASSERT_TRUE(pngtest::Write("adam7.png", 11, 9, 8, PNG_COLOR_TYPE_RGB, rows, {}, true));
    auto image = CImageFile::CImageFileFromPath("adam7.png");
    ASSERT_TRUE(image->HasImage());
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 11; ++x)
            ExpectRgb(*image, x, y, x * 23, y * 27, x ^ y);
}

TEST(ImageFile, BmpIsWrittenWithItsPaletteAndReadBack)
{
    CImageFile image;
    image.CreateImpl("", kImageKindBmp);
    ASSERT_TRUE(image.Create(5, 2, 8));
    const BYTE reds[] = {0, 255, 7}, greens[] = {0, 128, 8};
    ASSERT_TRUE(image.SetPaletteFromArrays(3, reds, greens, nullptr)); // blues take the greens
    image.SetPixelIndex(4, 1, 2);
    image.SetPixelIndex(0, 0, 1);
    ASSERT_TRUE(image.SaveAs("pal.bmp"));
    // Checked field by field against the BMP layout.
    const std::string bytes = ReadAll("pal.bmp");
    ASSERT_EQ(bytes.size(), 54u + 4 * 256 + 16);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bytes[54 + 4 * 2 + 2]), 7); // entry 2: blue, green, red
    EXPECT_EQ(static_cast<unsigned char>(bytes[54 + 4 * 2 + 0]), 8);
    EXPECT_EQ(static_cast<unsigned char>(bytes[54 + 1024 + 0]), 1); // bottom row first
    EXPECT_EQ(static_cast<unsigned char>(bytes[54 + 1024 + 8 + 4]), 2);

    auto back = CImageFile::CImageFileFromPath("pal.bmp");
    ASSERT_TRUE(back->HasImage());
    EXPECT_EQ(back->GetColourType(), kColourTypePalette);
    ExpectRgb(*back, 4, 0, 7, 8, 8);
    ExpectRgb(*back, 0, 1, 255, 128, 128);
    // Converting to PNG keeps the palette.
    ASSERT_TRUE(back->SaveAs("pal.png"));
    EXPECT_EQ(back->GetKind(), kImageKindPng);
    pngtest::Rgb rgb;
    ASSERT_TRUE(pngtest::ReadRgb("pal.png", rgb));
    EXPECT_EQ(rgb.At(4, 0)[0], 7);
    EXPECT_EQ(rgb.At(4, 0)[2], 8);
}

TEST(ImageFile, UnknownFormatKeepsTheImage)
{
    auto image = MakeRgbImage(3, 3);
    EXPECT_FALSE(image->SaveAs("fig.gif"));
    EXPECT_FALSE(image->SaveAs("fig."));
    EXPECT_TRUE(image->HasImage());
    EXPECT_EQ(image->GetKind(), kImageKindPng);
    CImageFile empty;
    EXPECT_FALSE(empty.SaveAs("x.png"));
    EXPECT_FALSE(empty.Open("x.gif"));
    EXPECT_FALSE(image->SaveAs("no-such-folder/x.png"));
    EXPECT_FALSE(image->SaveAs("no-such-folder/x.bmp"));
}

TEST(ImageFile, DeviceBitmapBecomesA24BitBmpImage)
{
    const std::uint32_t pixels[] = {0xFF0000, 0x00FF00, 0, 0x0000FF, 0x123456, 0};
    CImageFile image(BitmapPixels{2, 2, pixels, 3});
    ASSERT_TRUE(image.HasImage());
    EXPECT_EQ(image.GetKind(), kImageKindBmp);
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(image.GetPalette(), nullptr);
    ExpectRgb(image, 0, 0, 255, 0, 0);
    ExpectRgb(image, 1, 1, 0x12, 0x34, 0x56);
    ASSERT_TRUE(image.SaveAs("screen.png"));
    pngtest::Rgb rgb;
    ASSERT_TRUE(pngtest::ReadRgb("screen.png", rgb));
    EXPECT_EQ(rgb.At(1, 0)[1], 255);
}

TEST(ImageFile, PixelOperations)
{
    CImageFile image;
    image.CreateImpl("", kImageKindPng);
    ASSERT_TRUE(image.Create(5, 2, 4));
    for (int x = 0; x < 5; ++x)
        image.SetPixelIndex(x, 1, x + 10);
    // Two pixels a byte, the left one in the high nibble.
    const BYTE* row = image.GetBits() + image.GetRowBytes();
    EXPECT_EQ(row[0], 0xAB);
    EXPECT_EQ(row[1], 0xCD);
    EXPECT_EQ(row[2], 0xE0);
    EXPECT_EQ(image.GetPixelIndex(3, 1), 13);
    EXPECT_EQ(image.GetPixelIndex(5, 1), -1);
    EXPECT_EQ(image.GetPixelIndex(0, -1), -1);
    EXPECT_FALSE(image.SetPixelIndex(0, 2, 1));

    EXPECT_EQ(MakeRgbImage(2, 2)->GetPixelIndex(0, 0), -1);

    CImageFile pal;
    pal.CreateImpl("", kImageKindBmp);
    ASSERT_TRUE(pal.Create(2, 1, 8));
    ASSERT_TRUE(pal.SetPixelIndex(0, 0, 0x1FF)); // cut to 8 bits
    EXPECT_EQ(pal.GetPixelIndex(0, 0), 0xFF);
    const BYTE triples[] = {0, 0, 0, 250, 250, 250, 200, 0, 0};
    ASSERT_TRUE(pal.SetPaletteFromEntries(3, triples));
    EXPECT_TRUE(pal.SetPixelRGB(1, 0, 190, 10, 5));
    EXPECT_EQ(pal.GetPixelIndex(1, 0), 2);
    BYTE r, g, b;
    EXPECT_FALSE(pal.GetPixelRGB(0, 0, r, g, b)); // index 255 lies beyond the palette
}

TEST(ImageFile, ReplacingAPaletteIsReported)
{
    std::vector<std::string> messages;
    auto old = SetUserMessageSink([&](const std::string& m) { messages.push_back(m); });
    CImageFile image;
    image.CreateImpl("", kImageKindPng);
    image.Create(1, 1, 8);
    const BYTE triples[] = {1, 2, 3};
    image.SetPaletteFromEntries(1, triples);
    EXPECT_TRUE(messages.empty());
    image.SetPaletteFromEntries(1, triples);
    EXPECT_EQ(messages, std::vector<std::string>{"CImageImpl::imagePalette already exists!"});
    SetUserMessageSink(old);
}

TEST(ImageFile, DamagedPngsAreRefused)
{
    ASSERT_TRUE(MakeRgbImage(20, 20)->SaveAs("good.png"));
    const std::string bytes = ReadAll("good.png");
    CPngImageImpl reader("");
    ASSERT_TRUE(reader.ReadBytes(bytes));
    for (std::size_t cut : {std::size_t{0}, std::size_t{8}, std::size_t{20}, std::size_t{40},
                            bytes.size() / 2, bytes.size() - 13}) {
        EXPECT_FALSE(reader.ReadBytes(std::string_view(bytes).substr(0, cut))) << cut;
        EXPECT_FALSE(reader.HasImage());
        EXPECT_FALSE(reader.GetLastError().empty());
    }
    std::string flipped = bytes;
    flipped[bytes.size() / 2] = static_cast<char>(flipped[bytes.size() / 2] ^ 0x55);
    EXPECT_FALSE(reader.ReadBytes(flipped));
    EXPECT_FALSE(reader.ReadBytes(std::string(300, 'x')));
    // A header that claims a huge picture, with a valid checksum.
    std::string huge = bytes;
    const unsigned char width[] = {0x00, 0x10, 0x00, 0x00};
    std::copy(width, width + 4, huge.begin() + 16);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(huge.data() + 12), 17);
    for (int i = 0; i < 4; ++i)
        huge[29 + static_cast<std::size_t>(i)] = static_cast<char>(crc >> (24 - 8 * i));
    EXPECT_FALSE(reader.ReadBytes(huge));
    EXPECT_FALSE(CImageFile::CImageFileFromPath("missing.png")->HasImage());
}
