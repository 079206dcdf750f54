// The BMP reader of the image library. No header field is trusted: sizes,
// offsets, colour counts and RLE8 runs are checked against the file before
// anything is allocated or copied.
#include "platform/core/Dib.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace platform {
namespace {

std::unique_ptr<PackedDib> Fail(std::string* error, const char* reason)
{
    if (error)
        *error = reason;
    return nullptr;
}

} // namespace

BOOL DecodeRle8(const BYTE* src, std::size_t size, int width, int height, std::int64_t rowBytes, BYTE* dst,
                std::string* error)
{
    auto fail = [error](const char* reason) {
        if (error)
            *error = reason;
        return FALSE;
    };
    std::int64_t x = 0, y = 0;
    std::size_t i = 0;
    while (i + 1 < size) {
        const int count = src[i], value = src[i + 1];
        i += 2;
        if (count > 0) {
            if (y >= height || x + count > width)
                return fail("RLE8 run outside the picture");
            std::memset(dst + y * rowBytes + x, value, static_cast<std::size_t>(count));
            x += count;
        } else if (value == 0) { // end of line
            x = 0;
            if (++y > height)
                return fail("RLE8 data has more lines than the picture");
        } else if (value == 1) { // end of bitmap
            return TRUE;
        } else if (value == 2) { // delta
            if (i + 1 >= size)
                return fail("RLE8 data truncated");
            x += src[i];
            y += src[i + 1];
            i += 2;
            if (x > width || y > height)
                return fail("RLE8 delta outside the picture");
        } else { // absolute block, padded to a word
            const std::size_t padded = static_cast<std::size_t>(value + (value & 1));
            if (i + padded > size)
                return fail("RLE8 data truncated");
            if (y >= height || x + value > width)
                return fail("RLE8 run outside the picture");
            std::memcpy(dst + y * rowBytes + x, src + i, static_cast<std::size_t>(value));
            x += value;
            i += padded;
        }
    }
    // Data that stops without an end-of-bitmap mark is accepted only when
    // every line was completed.
    if (y >= height)
        return TRUE;
    return fail("RLE8 data truncated");
}

std::unique_ptr<PackedDib> DibReadMemory(const BYTE* data, std::size_t size, std::string* error)
{
    if (size < kFileHeaderSize + 4)
        return Fail(error, "file too short for a bitmap header");
    const BITMAPFILEHEADER fh = DecodeFileHeader(data);
    if (fh.bfType != kBmpFileType)
        return Fail(error, "not a BMP file");
    const DWORD headerSize = ReadLe32(data + kFileHeaderSize);
    // The info header and its later versions, which begin with the same fields.
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
        return Fail(error, "unsupported bitmap header");
    if (size < kFileHeaderSize + static_cast<std::size_t>(headerSize))
        return Fail(error, "file too short for its bitmap header");
    const BITMAPINFOHEADER ih = DecodeInfoHeader(data + kFileHeaderSize);

    const int bits = ih.biBitCount;
    if (ih.biPlanes != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return Fail(error, "unsupported bit count");
    if (ih.biCompression != BI_RGB && !(ih.biCompression == BI_RLE8 && bits == 8))
        return Fail(error, "unsupported compression");
    const std::int64_t width = ih.biWidth;
    const std::int64_t rawHeight = ih.biHeight;
    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > kMaxDibDimension || height > kMaxDibDimension)
        return Fail(error, "invalid bitmap size");
    if (topDown && ih.biCompression != BI_RGB)
        return Fail(error, "a compressed bitmap cannot be top-down");

    const std::int64_t maxEntries = bits <= 8 ? std::int64_t{1} << bits : 256;
    std::int64_t entries = ih.biClrUsed;
    if (entries == 0 && bits <= 8)
        entries = maxEntries;
    if (entries > maxEntries)
        return Fail(error, "invalid colour count");
    const std::int64_t tableStart = kFileHeaderSize + static_cast<std::int64_t>(headerSize);
    const std::int64_t tableEnd = tableStart + 4 * entries;
    if (fh.bfOffBits < tableEnd || fh.bfOffBits > size)
        return Fail(error, "invalid offset of the bitmap bits");

    // Colour tables of more than 8 bits are optional hints; they are dropped.
    const int keptEntries = bits <= 8 ? static_cast<int>(entries) : 0;
    auto dib = PackedDib::Allocate(static_cast<int>(width), static_cast<int>(height), bits, keptEntries);
    if (!dib)
        return Fail(error, "bitmap too large");
    BITMAPINFOHEADER* h = dib->Header();
    h->biXPelsPerMeter = ih.biXPelsPerMeter;
    h->biYPelsPerMeter = ih.biYPelsPerMeter;
    h->biClrImportant = std::min<DWORD>(ih.biClrImportant, h->biClrUsed);
    std::memcpy(dib->ColorTable(), data + tableStart, 4 * static_cast<std::size_t>(keptEntries));

    const std::int64_t rowBytes = dib->RowBytes();
    const BYTE* src = data + fh.bfOffBits;
    const std::size_t available = size - fh.bfOffBits;
    if (ih.biCompression == BI_RLE8) {
        std::size_t length = available;
        if (ih.biSizeImage != 0 && ih.biSizeImage < available)
            length = ih.biSizeImage;
        if (!DecodeRle8(src, length, static_cast<int>(width), static_cast<int>(height), rowBytes, dib->Bits(),
                        error))
            return nullptr;
        return dib;
    }
    if (static_cast<std::size_t>(rowBytes * height) > available)
        return Fail(error, "file too short for its bitmap bits");
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t from = topDown ? height - 1 - y : y;
        std::memcpy(dib->Bits() + y * rowBytes, src + from * rowBytes, static_cast<std::size_t>(rowBytes));
    }
    return dib;
}

std::unique_ptr<PackedDib> DibOpenFile(const std::string& path, std::string* error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail(error, "cannot open the file");
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    if (length < 0 || length > kMaxDibImageBytes + (std::int64_t{1} << 20))
        return Fail(error, "file too large");
    in.seekg(0);
    std::vector<BYTE> bytes(static_cast<std::size_t>(length));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), length))
        return Fail(error, "cannot read the file");
    return DibReadMemory(bytes.data(), bytes.size(), error);
}

} // namespace platform
