// Qt's image reader reads the PNG and BMP files of the image classes and
// of the 8-bit bitmap writer with the same pixels as ours.
#include "common/core/ColourQuantizer.h"
#include "common/core/ImageFile.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace common;

namespace {

// Compares every pixel of a file read by Qt with the image's own colours.
void ExpectSamePixels(const std::string& path, const CImageFile& image)
{
    const QImage qt(QString::fromStdString(path));
    ASSERT_FALSE(qt.isNull()) << path;
    ASSERT_EQ(qt.width(), image.GetWidth());
    ASSERT_EQ(qt.height(), image.GetHeight());
    for (int y = 0; y < qt.height(); ++y)
        for (int x = 0; x < qt.width(); ++x) {
            BYTE r, g, b;
            ASSERT_TRUE(image.GetPixelRGB(x, image.GetHeight() - 1 - y, r, g, b));
            const QRgb p = qt.pixel(x, y);
            ASSERT_EQ(qRed(p), r) << path << " " << x << "," << y;
            ASSERT_EQ(qGreen(p), g) << path << " " << x << "," << y;
            ASSERT_EQ(qBlue(p), b) << path << " " << x << "," << y;
        }
}

} // namespace

TEST(QtReadsOurImages, PngAndBmpOfEveryDepth)
{
    const BYTE triples[] = {255, 0, 0, 0, 200, 0, 0, 0, 255, 30, 60, 90, 250, 250, 250};
    for (int bits : {1, 4, 8, 24}) {
        for (int kind : {kImageKindBmp, kImageKindPng}) {
            CImageFile image;
            image.CreateImpl("", kind);
            ASSERT_TRUE(image.Create(13, 6, bits));
            if (bits <= 8)
                image.SetPaletteFromEntries(bits == 1 ? 2 : 5, triples);
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 13; ++x)
                    if (bits <= 8)
                        image.SetPixelIndex(x, y, (x * 3 + y) % (bits == 1 ? 2 : 5));
                    else
                        image.SetPixelRGB(x, y, static_cast<BYTE>(x * 19), static_cast<BYTE>(y * 41),
                                          static_cast<BYTE>(x * y));
            const std::string path = "qt" + std::to_string(bits) + (kind == kImageKindBmp ? ".bmp" : ".png");
            ASSERT_TRUE(image.SaveAs(path));
            ExpectSamePixels(path, image);
        }
    }
}

TEST(QtReadsOurImages, QuantizedBitmapsUncompressedAndRle8)
{
    const int w = 37, h = 11;
    std::vector<BYTE> picture;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.insert(picture.end(), {static_cast<BYTE>(x < 20 ? 0 : 255), static_cast<BYTE>(y * 20),
                                           static_cast<BYTE>((x % 10) * 25)}); // 220 colours
    for (int mode : {0, 1}) {
        const std::string path = "quant" + std::to_string(mode) + ".bmp";
        ASSERT_TRUE(WriteQuantizedBmp(path, picture.data(), w, h, 236, mode));
        const QImage qt(QString::fromStdString(path));
        ASSERT_FALSE(qt.isNull()) << path;
        // No more colours than the palette holds: every pixel is exact.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const BYTE* p = &picture[3 * (static_cast<std::size_t>(h - 1 - y) * w + x)];
                const QRgb q = qt.pixel(x, y);
                ASSERT_EQ(qBlue(q), p[0]) << path;
                ASSERT_EQ(qGreen(q), p[1]) << path;
                ASSERT_EQ(qRed(q), p[2]) << path;
            }
    }
}
