// The shared colour table of frame series and the DIBs of device bitmaps:
// colours kept exactly while there is room, earlier frames keeping their
// entries, the nearest entry once the table is full, and the rows of both
// bottom row first.
#include "common/core/FramePalette.h"
#include "common/core/ImageFile.h"

#include <gtest/gtest.h>

using namespace common;

namespace {

std::uint32_t ColourOf(const platform::RGBQUAD& q)
{
    return static_cast<std::uint32_t>(q.rgbRed) << 16 | static_cast<std::uint32_t>(q.rgbGreen) << 8 | q.rgbBlue;
}

// width x height pixels, top row first; pixel (x, y) from the function.
template <class F>
std::vector<std::uint32_t> Pixels(int width, int height, F colour)
{
    std::vector<std::uint32_t> p;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.push_back(colour(x, y));
    return p;
}

} // namespace

TEST(FramePalette, EveryFrameMapsBackToItsOwnColoursWhileThereIsRoom)
{
    FramePalette palette;
    const int w = 7, h = 5;
    // Frame 1 uses 35 colours, frame 2 shares some of them and adds 35 more:
    // both map back exactly, and frame 1's entries stay where they were.
    const auto frame1 = Pixels(w, h, [](int x, int y) { return 0xFF000000u | static_cast<std::uint32_t>(x * 30 << 16 | y * 40); });
    const auto frame2 = Pixels(w, h, [](int x, int y) { return static_cast<std::uint32_t>((x + 3) * 25 << 16 | (y + 10) << 8); });
    std::vector<BYTE> indexes1, indexes2;
    palette.MapFrame(frame1.data(), w, h, w, indexes1);
    const std::vector<platform::RGBQUAD> after1 = palette.Entries();
    palette.MapFrame(frame2.data(), w, h, w, indexes2);
    ASSERT_EQ(indexes1.size(), static_cast<std::size_t>(w * h));
    const auto& entries = palette.Entries();
    ASSERT_LE(entries.size(), 256u);
    for (std::size_t i = 0; i < after1.size(); ++i)
        EXPECT_EQ(ColourOf(entries[i]), ColourOf(after1[i])) << i;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Indexes are stored bottom row first; the upper byte is ignored.
            const std::size_t stored = static_cast<std::size_t>((h - 1 - y) * w + x);
            EXPECT_EQ(ColourOf(entries[indexes1[stored]]), frame1[static_cast<std::size_t>(y * w + x)] & 0xFFFFFF);
            EXPECT_EQ(ColourOf(entries[indexes2[stored]]), frame2[static_cast<std::size_t>(y * w + x)]);
        }
    EXPECT_EQ(palette.IndexOf(frame2[3]), indexes2[static_cast<std::size_t>((h - 1) * w + 3)]);
}

TEST(FramePalette, AFullTableKeepsTheMostFrequentColoursAndTakesTheNearestForTheRest)
{
    FramePalette palette;
    // 300 colours in one frame: a large background, then 299 single pixels
    // of grey levels 0x00..0xFF over two blues.
    const int w = 300, h = 2;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w * h), 0x123456);
    for (int i = 0; i < 299; ++i) {
        const std::uint32_t level = static_cast<std::uint32_t>(i % 256);
        pixels[static_cast<std::size_t>(i)] = level << 16 | level << 8 | (i < 256 ? level : level ^ 1);
    }
    std::vector<BYTE> indexes;
    palette.MapFrame(pixels.data(), w, h, w, indexes);
    ASSERT_EQ(palette.Entries().size(), 256u);
    // The background has the most pixels: it is exact.
    EXPECT_EQ(ColourOf(palette.Entries()[indexes.back()]), 0x123456u);
    // Every pixel maps to an entry at least as near as any other.
    for (std::size_t p = 0; p < pixels.size(); ++p) {
        const std::uint32_t c = pixels[p];
        const auto distance = [c](std::uint32_t e) {
            long d = 0;
            for (int s : {0, 8, 16}) {
                const long k = static_cast<long>((c >> s) & 0xFF) - static_cast<long>((e >> s) & 0xFF);
                d += k * k;
            }
            return d;
        };
        const std::size_t stored = (static_cast<std::size_t>(h - 1) - p / w) * w + p % w;
        const long got = distance(ColourOf(palette.Entries()[indexes[stored]]));
        for (const auto& e : palette.Entries())
            ASSERT_LE(got, distance(ColourOf(e))) << p;
    }
}

TEST(MakeDib, DeviceBitmapsBecomeBottomUpDibsOfTheirColours)
{
    const int w = 5, h = 3;
    const auto pixels = Pixels(w, h, [](int x, int y) { return static_cast<std::uint32_t>(x * 50 << 16 | y * 100 << 8 | 7); });
    const BitmapPixels bitmap{w, h, pixels.data(), static_cast<std::size_t>(w)};
    for (int bits : {24, 8}) {
        SCOPED_TRACE(bits);
        const auto dib = MakeDib(bitmap, bits);
        ASSERT_TRUE(dib);
        EXPECT_EQ(dib->Width(), w);
        EXPECT_EQ(dib->Header()->biHeight, h);
        EXPECT_EQ(dib->Header()->biBitCount, bits);
        const std::int64_t rowBytes = dib->RowBytes();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const BYTE* row = dib->Bits() + rowBytes * (h - 1 - y);
                std::uint32_t got;
                if (bits == 24)
                    got = static_cast<std::uint32_t>(row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x]);
                else
                    got = ColourOf(dib->ColorTable()[row[x]]);
                // Fifteen colours fit a table of 256: exact either way.
                EXPECT_EQ(got, pixels[static_cast<std::size_t>(y * w + x)]) << x << "," << y;
            }
    }
    EXPECT_FALSE(MakeDib(bitmap, 16));
    EXPECT_FALSE(MakeDib(BitmapPixels{0, h, pixels.data(), 0}, 24));
    EXPECT_FALSE(MakeDib(BitmapPixels{w, h, nullptr, 5}, 8));
}
