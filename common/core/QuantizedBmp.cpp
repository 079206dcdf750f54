// The 8-bit bitmap writer: quantises a 24-bit picture and writes it as an
// uncompressed or RLE8 BMP file.
#include "common/core/ColourQuantizer.h"
#include "common/core/UserMessage.h"
#include "platform/core/Dib.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <vector>

namespace common {
BOOL WriteQuantizedBmp(const std::string& path, const BYTE* pixels, int width, int height, int colours,
                       int mode, std::size_t stride)
{
    if (mode != 0 && mode != 1)
        return FALSE;
    if (width <= 0 || height <= 0 || width > platform::kMaxDibDimension ||
        height > platform::kMaxDibDimension)
        return FALSE;
    QuantizerResult q;
    if (!QuantizeColours(QuantizerInput{pixels, width, height, stride}, colours, true, q)) {
        ShowUserMessage("Color quantization error!");
        return FALSE;
    }
    std::vector<BYTE> bits;
    try {
        if (mode == 0) {
            const std::size_t rowBytes = static_cast<std::size_t>(platform::DibRowBytes(width, 8));
            bits.assign(rowBytes * static_cast<std::size_t>(height), 0);
            for (int y = 0; y < height; ++y)
                std::copy_n(q.indexes.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                            width, bits.data() + static_cast<std::size_t>(y) * rowBytes);
        } else {
            platform::EncodeRle8(q.indexes.data(), width, height, bits);
        }
    } catch (const std::bad_alloc&) {
        return FALSE;
    }

    const std::size_t tableBytes = 4 * static_cast<std::size_t>(colours);
    platform::BITMAPFILEHEADER fh;
    fh.bfType = platform::kBmpFileType;
    fh.bfOffBits = static_cast<DWORD>(platform::kFileHeaderSize + platform::kInfoHeaderSize + tableBytes);
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + bits.size());
    platform::BITMAPINFOHEADER ih;
    ih.biSize = platform::kInfoHeaderSize;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 8;
    ih.biCompression = mode == 1 ? platform::BI_RLE8 : platform::BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(bits.size());
    ih.biClrUsed = ih.biClrImportant = static_cast<DWORD>(colours);

    std::vector<BYTE> file(fh.bfOffBits, 0);
    platform::EncodeFileHeader(fh, file.data());
    platform::EncodeInfoHeader(ih, file.data() + platform::kFileHeaderSize);
    // Exactly `colours` entries; those the quantiser did not fill stay black.
    for (std::size_t i = 0; i < q.palette.size(); ++i)
        for (int c = 0; c < 3; ++c)
            file[platform::kFileHeaderSize + platform::kInfoHeaderSize + 4 * i +
                 static_cast<std::size_t>(c)] = q.palette[i][static_cast<std::size_t>(c)];
    file.insert(file.end(), bits.begin(), bits.end());

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return FALSE;
    bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok ? TRUE : FALSE;
}

} // namespace common
