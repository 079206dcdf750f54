// Pixels, palettes and geometry of the image implementations.
#include "common/core/ImageImpl.h"

#include "common/core/UserMessage.h"

namespace common {

void CImageImpl::FreeImage()
{
    m_dib.reset();
    m_palette.reset();
    m_bits = nullptr;
    m_width = m_height = m_bitsPerPixel = m_rowBytes = 0;
}

void CImageImpl::AdoptDib(std::unique_ptr<platform::PackedDib> dib, int colourType)
{
    m_dib = std::move(dib);
    m_width = m_dib->Width();
    m_height = m_dib->Height();
    m_bitsPerPixel = m_dib->BitCount();
    m_rowBytes = static_cast<int>(m_dib->RowBytes());
    m_bits = m_dib->Bits();
    m_colourType = colourType < 0 ? (m_bitsPerPixel <= 8 ? kColourTypeGrey : kColourTypeRgb) : colourType;
}

BOOL CImageImpl::IsInside(int x, int y) const
{
    return m_dib && x >= 0 && y >= 0 && x < m_width && y < m_height;
}

BOOL CImageImpl::Create(int width, int height, int bitsPerPixel, int colourType)
{
    FreeImage();
    auto dib = platform::DibCreate(bitsPerPixel, width, height);
    if (!dib)
        return FALSE;
    AdoptDib(std::move(dib), colourType);
    return TRUE;
}

int CImageImpl::GetPixelIndex(int x, int y) const
{
    if (!IsInside(x, y) || m_bitsPerPixel > 8)
        return -1;
    const BYTE* row = m_bits + static_cast<std::int64_t>(y) * m_rowBytes;
    const std::int64_t bit = static_cast<std::int64_t>(x) * m_bitsPerPixel;
    const int shift = 8 - m_bitsPerPixel - static_cast<int>(bit % 8);
    return (row[bit / 8] >> shift) & ((1 << m_bitsPerPixel) - 1);
}

BOOL CImageImpl::SetPixelIndex(int x, int y, int index)
{
    if (!IsInside(x, y) || m_bitsPerPixel > 8)
        return FALSE;
    BYTE* row = m_bits + static_cast<std::int64_t>(y) * m_rowBytes;
    const std::int64_t bit = static_cast<std::int64_t>(x) * m_bitsPerPixel;
    const int shift = 8 - m_bitsPerPixel - static_cast<int>(bit % 8);
    const int mask = ((1 << m_bitsPerPixel) - 1) << shift;
    BYTE& b = row[bit / 8];
    b = static_cast<BYTE>((b & ~mask) | ((index << shift) & mask));
    return TRUE;
}

BOOL CImageImpl::GetPixelRGB(int x, int y, BYTE& r, BYTE& g, BYTE& b) const
{
    if (!IsInside(x, y))
        return FALSE;
    if (m_bitsPerPixel <= 8) {
        const int index = GetPixelIndex(x, y);
        if (IsPaletteImage()) {
            if (!m_palette || index >= m_palette->GetEntryCount())
                return FALSE;
            const platform::PALETTEENTRY& e = m_palette->Entries()[static_cast<std::size_t>(index)];
            r = e.peRed;
            g = e.peGreen;
            b = e.peBlue;
        } else {
            r = g = b = static_cast<BYTE>(index * 255 / ((1 << m_bitsPerPixel) - 1));
        }
        return TRUE;
    }
    if (m_bitsPerPixel != 24 && m_bitsPerPixel != 32)
        return FALSE;
    const BYTE* p = m_bits + static_cast<std::int64_t>(y) * m_rowBytes +
                    static_cast<std::int64_t>(x) * (m_bitsPerPixel / 8);
    b = p[0];
    g = p[1];
    r = p[2];
    return TRUE;
}

BOOL CImageImpl::SetPixelRGB(int x, int y, BYTE r, BYTE g, BYTE b)
{
    if (!IsInside(x, y))
        return FALSE;
    if (m_bitsPerPixel <= 8) {
        if (IsPaletteImage()) {
            if (!m_palette)
                return FALSE;
            return SetPixelIndex(x, y, m_palette->GetNearestPaletteIndex(RGB(r, g, b)));
        }
        const int levels = (1 << m_bitsPerPixel) - 1;
        const int grey = (r + g + b + 1) / 3;
        return SetPixelIndex(x, y, (grey * levels + 127) / 255);
    }
    if (m_bitsPerPixel != 24 && m_bitsPerPixel != 32)
        return FALSE;
    BYTE* p = m_bits + static_cast<std::int64_t>(y) * m_rowBytes +
              static_cast<std::int64_t>(x) * (m_bitsPerPixel / 8);
    p[0] = b;
    p[1] = g;
    p[2] = r;
    return TRUE;
}

BOOL CImageImpl::Read(const std::string&)
{
    return FALSE;
}
BOOL CImageImpl::Write(const std::string&)
{
    return FALSE;
}

BOOL CImageImpl::SetPaletteObject(std::unique_ptr<platform::CPalette> palette)
{
    if (!palette)
        return FALSE;
    m_palette = std::move(palette);
    m_colourType |= kColourTypePalette;
    platform::DibSetUsage(m_dib.get(), m_palette.get(), 0);
    return TRUE;
}

BOOL CImageImpl::SetPaletteFromArrays(int count, const BYTE* reds, const BYTE* greens, const BYTE* blues)
{
    if (count <= 0 || count > 256 || !reds)
        return FALSE;
    if (!greens)
        greens = reds;
    if (!blues)
        blues = greens;
    std::vector<platform::PALETTEENTRY> entries(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        entries[static_cast<std::size_t>(i)] = {reds[i], greens[i], blues[i], 0};
    return SetPaletteObject(std::make_unique<platform::CPalette>(std::move(entries)));
}

BOOL CImageImpl::SetPaletteFromEntries(int count, const BYTE* rgbTriples)
{
    if (count <= 0 || count > 256 || !rgbTriples)
        return FALSE;
    if (m_palette)
        ShowUserMessage("CImageImpl::imagePalette already exists!");
    std::vector<platform::PALETTEENTRY> entries(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        entries[static_cast<std::size_t>(i)] = {rgbTriples[3 * i], rgbTriples[3 * i + 1],
                                                rgbTriples[3 * i + 2], 0};
    return SetPaletteObject(std::make_unique<platform::CPalette>(std::move(entries)));
}

void CImageImpl::TakeOver(CImageImpl& other)
{
    m_dib = std::move(other.m_dib);
    m_palette = std::move(other.m_palette);
    m_bits = other.m_bits;
    m_width = other.m_width;
    m_height = other.m_height;
    m_bitsPerPixel = other.m_bitsPerPixel;
    m_colourType = other.m_colourType;
    m_rowBytes = other.m_rowBytes;
    m_transparentIndex = other.m_transparentIndex;
    other.FreeImage();
    other.m_transparentIndex = -1;
}

} // namespace common
