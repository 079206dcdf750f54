// The device-independent bitmap records as they stand in BMP files: the file
// header, the info header, colour-table entries and palette entries, with the
// compression codes. All values on disk are little-endian.
#pragma once
#include "platform/core/Types.h"

#include <cstdint>

namespace platform {

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;

// "BM" read as a little-endian word.
constexpr WORD kBmpFileType = 0x4D42;
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kCoreHeaderSize = 12;

struct BITMAPFILEHEADER {
    WORD bfType = 0;
    DWORD bfSize = 0;
    WORD bfReserved1 = 0;
    WORD bfReserved2 = 0;
    DWORD bfOffBits = 0;
};

struct BITMAPINFOHEADER {
    DWORD biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    WORD biPlanes = 0;
    WORD biBitCount = 0;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == kInfoHeaderSize);

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};
static_assert(sizeof(RGBQUAD) == 4);

struct PALETTEENTRY {
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;
    bool operator==(const PALETTEENTRY&) const = default;
};

// Bytes of one pixel row: rows are padded to whole 32-bit words.
constexpr std::int64_t DibRowBytes(std::int64_t width, int bitCount)
{
    return ((width * bitCount + 31) / 32) * 4;
}

// Little-endian field access for the header codecs.
inline WORD ReadLe16(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}
inline DWORD ReadLe32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}
inline void WriteLe16(BYTE* p, WORD v)
{
    p[0] = static_cast<BYTE>(v);
    p[1] = static_cast<BYTE>(v >> 8);
}
inline void WriteLe32(BYTE* p, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<BYTE>(v >> (8 * i));
}

// Header codecs between the records and their 14- and 40-byte file forms.
void EncodeFileHeader(const BITMAPFILEHEADER& h, BYTE out[kFileHeaderSize]);
BITMAPFILEHEADER DecodeFileHeader(const BYTE in[kFileHeaderSize]);
void EncodeInfoHeader(const BITMAPINFOHEADER& h, BYTE out[kInfoHeaderSize]);
BITMAPINFOHEADER DecodeInfoHeader(const BYTE in[kInfoHeaderSize]);

} // namespace platform
