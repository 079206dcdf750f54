// Allocation of packed DIBs within the size limits.
#include "platform/core/PackedDib.h"

#include <new>

namespace platform {

std::unique_ptr<PackedDib> PackedDib::Allocate(int width, int height, int bitCount, int colourEntries)
{
    if (width <= 0 || height <= 0 || width > kMaxDibDimension || height > kMaxDibDimension)
        return nullptr;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return nullptr;
    if (colourEntries < 0 || colourEntries > 256)
        return nullptr;
    const std::int64_t imageSize = DibRowBytes(width, bitCount) * height;
    if (imageSize > kMaxDibImageBytes)
        return nullptr;
    auto dib = std::unique_ptr<PackedDib>(new (std::nothrow) PackedDib);
    if (!dib)
        return nullptr;
    try {
        dib->m_data.assign(kInfoHeaderSize + 4 * static_cast<std::size_t>(colourEntries) +
                               static_cast<std::size_t>(imageSize),
                           0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    BITMAPINFOHEADER* h = dib->Header();
    h->biSize = kInfoHeaderSize;
    h->biWidth = width;
    h->biHeight = height;
    h->biPlanes = 1;
    h->biBitCount = static_cast<WORD>(bitCount);
    h->biCompression = BI_RGB;
    h->biSizeImage = static_cast<DWORD>(imageSize);
    h->biClrUsed = static_cast<DWORD>(colourEntries);
    h->biClrImportant = static_cast<DWORD>(colourEntries);
    return dib;
}

} // namespace platform
