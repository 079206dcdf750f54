// Packed DIBs of device bitmaps, for drawing a picture on another device
// (a printer) through StretchDIBits.
#include "common/core/ColourQuantizer.h"
#include "common/core/ImageFile.h"

#include <algorithm>
#include <new>

namespace common {

std::unique_ptr<platform::PackedDib> MakeDib(const BitmapPixels& bitmap, int bitsPerPixel)
{
    if (!bitmap.pixels || bitmap.width <= 0 || bitmap.height <= 0)
        return nullptr;
    if (bitsPerPixel == 24)
        return platform::MakeDib(bitmap.width, bitmap.height, bitmap.pixels, bitmap.stride);
    if (bitsPerPixel != 8)
        return nullptr;
    auto dib = platform::PackedDib::Allocate(bitmap.width, bitmap.height, 8, 256);
    if (!dib)
        return nullptr;
    try {
        // The quantiser takes blue, green, red bytes, bottom row first.
        const std::size_t w = static_cast<std::size_t>(bitmap.width);
        std::vector<BYTE> bgr(3 * w * static_cast<std::size_t>(bitmap.height));
        for (int y = 0; y < bitmap.height; ++y) {
            const std::uint32_t* src = bitmap.pixels + static_cast<std::size_t>(y) * bitmap.stride;
            BYTE* dst = bgr.data() + 3 * w * static_cast<std::size_t>(bitmap.height - 1 - y);
            for (std::size_t x = 0; x < w; ++x) {
                dst[3 * x] = static_cast<BYTE>(src[x]);
                dst[3 * x + 1] = static_cast<BYTE>(src[x] >> 8);
                dst[3 * x + 2] = static_cast<BYTE>(src[x] >> 16);
            }
        }
        QuantizerResult q;
        if (!QuantizeColours(QuantizerInput{bgr.data(), bitmap.width, bitmap.height, 0}, 256, true, q))
            return nullptr;
        platform::RGBQUAD* table = dib->ColorTable();
        for (std::size_t i = 0; i < q.palette.size() && i < 256; ++i)
            table[i] = {q.palette[i][0], q.palette[i][1], q.palette[i][2], 0};
        const std::int64_t rowBytes = dib->RowBytes();
        for (int y = 0; y < bitmap.height; ++y)
            std::copy_n(q.indexes.data() + w * static_cast<std::size_t>(y), w, dib->Bits() + rowBytes * y);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return dib;
}

} // namespace common
