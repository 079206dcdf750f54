// DIB creation, palettes and the BMP writer.
#include "platform/core/Dib.h"

#include <algorithm>
#include <cstdio>

namespace platform {

std::unique_ptr<PackedDib> DibCreate(int bitCount, int width, int height)
{
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return nullptr;
    const int entries = bitCount <= 8 ? 1 << bitCount : 0;
    auto dib = PackedDib::Allocate(width, height, bitCount, entries);
    if (!dib)
        return nullptr;
    RGBQUAD* table = dib->ColorTable();
    for (int i = 0; i < entries; ++i) {
        const BYTE v = static_cast<BYTE>(i * 255 / (entries - 1));
        table[i] = RGBQUAD{v, v, v, 0};
    }
    return dib;
}

void EncodeRle8(const BYTE* indexes, int width, int height, std::vector<BYTE>& out)
{
    for (int y = 0; y < height; ++y) {
        const BYTE* row = indexes + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width;) {
            int run = 1;
            while (x + run < width && row[x + run] == row[x] && run < 255)
                ++run;
            out.push_back(static_cast<BYTE>(run));
            out.push_back(row[x]);
            x += run;
        }
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(1);
}

std::unique_ptr<PackedDib> MakeDib(int width, int height, const std::uint32_t* pixels, std::size_t stride)
{
    auto dib = DibCreate(24, width, height);
    if (!dib || !pixels)
        return nullptr;
    const std::int64_t rowBytes = dib->RowBytes();
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* src = pixels + static_cast<std::size_t>(y) * stride;
        BYTE* dst = dib->Bits() + (height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = static_cast<BYTE>(src[x]);
            dst[3 * x + 1] = static_cast<BYTE>(src[x] >> 8);
            dst[3 * x + 2] = static_cast<BYTE>(src[x] >> 16);
        }
    }
    return dib;
}

BOOL WriteDIB(const std::string& path, const PackedDib* dib)
{
    if (!dib)
        return FALSE;
    const std::size_t tableBytes = 4 * static_cast<std::size_t>(dib->ColorEntries());
    BITMAPFILEHEADER fh;
    fh.bfType = kBmpFileType;
    fh.bfOffBits = static_cast<DWORD>(kFileHeaderSize + kInfoHeaderSize + tableBytes);
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + dib->ImageSize());
    BYTE head[kFileHeaderSize + kInfoHeaderSize];
    EncodeFileHeader(fh, head);
    EncodeInfoHeader(*dib->Header(), head + kFileHeaderSize);

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return FALSE;
    bool ok = std::fwrite(head, 1, sizeof head, f) == sizeof head;
    const std::size_t rest = dib->Size() - kInfoHeaderSize;
    ok = ok && std::fwrite(dib->Data() + kInfoHeaderSize, 1, rest, f) == rest;
    ok = (std::fclose(f) == 0) && ok;
    return ok ? TRUE : FALSE;
}

std::unique_ptr<CPalette> MakePalette(const PackedDib* dib)
{
    if (!dib || dib->ColorEntries() == 0)
        return nullptr;
    std::vector<PALETTEENTRY> entries(static_cast<std::size_t>(dib->ColorEntries()));
    const RGBQUAD* table = dib->ColorTable();
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return std::make_unique<CPalette>(std::move(entries));
}

BOOL DibSetUsage(PackedDib* dib, const CPalette* palette, int usage)
{
    if (!dib || (usage != 0 && usage != 1))
        return FALSE;
    if (usage == 0 && palette) {
        RGBQUAD* table = dib->ColorTable();
        const int n = std::min(palette->GetEntryCount(), dib->ColorEntries());
        for (int i = 0; i < n; ++i) {
            const PALETTEENTRY& e = palette->Entries()[static_cast<std::size_t>(i)];
            table[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
        }
    }
    return TRUE;
}

} // namespace platform
