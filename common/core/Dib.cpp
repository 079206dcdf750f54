// Reading and writing the bitmap class through streams.
#include "common/core/Dib.h"

#include "common/core/UserMessage.h"

#include <istream>
#include <ostream>
#include <vector>

namespace common {
namespace {

// Reads exactly n bytes, appending them; false when the stream ends first.
bool ReadBytes(std::istream& in, std::vector<BYTE>& buffer, std::size_t n)
{
    if (n == 0)
        return true;
    const std::size_t old = buffer.size();
    buffer.resize(old + n);
    in.read(reinterpret_cast<char*>(buffer.data() + old), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
}

} // namespace

void CDib::Free()
{
    m_dib.reset();
    m_palette.reset();
}

BOOL CDib::Read(std::istream& in)
{
    Free();
    std::vector<BYTE> bytes;
    std::unique_ptr<platform::PackedDib> dib;
    // The file header and the info header tell how many bytes the file has;
    // exactly those are read, so that the stream stays at the bitmap's end.
    if (ReadBytes(in, bytes, platform::kFileHeaderSize + platform::kInfoHeaderSize) &&
        platform::ReadLe32(bytes.data() + platform::kFileHeaderSize) == platform::kInfoHeaderSize) {
        const platform::BITMAPFILEHEADER fh = platform::DecodeFileHeader(bytes.data());
        const platform::BITMAPINFOHEADER ih =
            platform::DecodeInfoHeader(bytes.data() + platform::kFileHeaderSize);
        const std::int64_t height = ih.biHeight < 0 ? -std::int64_t{ih.biHeight} : ih.biHeight;
        const std::int64_t bits = ih.biCompression == platform::BI_RLE8
                                      ? ih.biSizeImage
                                      : platform::DibRowBytes(ih.biWidth, ih.biBitCount) * height;
        const std::int64_t total = std::int64_t{fh.bfOffBits} + bits;
        if (fh.bfType == platform::kBmpFileType && fh.bfOffBits >= bytes.size() && bits > 0 &&
            bits <= platform::kMaxDibImageBytes &&
            total <= platform::kMaxDibImageBytes + (std::int64_t{1} << 20) &&
            ReadBytes(in, bytes, static_cast<std::size_t>(total) - bytes.size()))
            dib = platform::DibReadMemory(bytes.data(), bytes.size());
    }
    if (!dib) {
        ShowUserMessage("Read error");
        return FALSE;
    }
    m_dib = std::move(dib);
    CreatePalette();
    return TRUE;
}

BOOL CDib::Write(std::ostream& out) const
{
    if (!m_dib)
        return FALSE;
    const std::size_t tableBytes = 4 * static_cast<std::size_t>(m_dib->ColorEntries());
    platform::BITMAPFILEHEADER fh;
    fh.bfType = platform::kBmpFileType;
    fh.bfOffBits = static_cast<DWORD>(platform::kFileHeaderSize + platform::kInfoHeaderSize + tableBytes);
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + m_dib->ImageSize());
    BYTE head[platform::kFileHeaderSize];
    platform::EncodeFileHeader(fh, head);
    BYTE info[platform::kInfoHeaderSize];
    platform::EncodeInfoHeader(*m_dib->Header(), info);
    out.write(reinterpret_cast<const char*>(head), sizeof head);
    out.write(reinterpret_cast<const char*>(info), sizeof info);
    out.write(reinterpret_cast<const char*>(m_dib->Data() + platform::kInfoHeaderSize),
              static_cast<std::streamsize>(m_dib->Size() - platform::kInfoHeaderSize));
    if (!out) {
        ShowUserMessage("write error");
        return FALSE;
    }
    return TRUE;
}

BOOL CDib::CreatePalette()
{
    auto palette = platform::MakePalette(m_dib.get());
    if (!palette)
        return FALSE;
    m_palette = std::move(palette);
    return TRUE;
}

CSize CDib::GetDimensions() const
{
    return m_dib ? CSize(m_dib->Width(), m_dib->Height()) : CSize();
}

DWORD GetDibColorTableSize(const platform::BITMAPINFOHEADER* header)
{
    if (header->biSize == platform::kCoreHeaderSize) {
        // BITMAPCOREHEADER: size, 16-bit width and height, planes, bit count.
        const int bits = platform::ReadLe16(reinterpret_cast<const BYTE*>(header) + 10);
        return bits <= 8 ? 3 * (DWORD{1} << bits) : 0;
    }
    DWORD entries = header->biClrUsed;
    if (entries == 0 && header->biBitCount <= 8)
        entries = DWORD{1} << header->biBitCount;
    return 4 * entries;
}

} // namespace common
