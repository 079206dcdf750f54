// A packed device-independent bitmap: one block holding the 40-byte info
// header, the colour table and the pixel rows, bottom row first. Every DIB
// made by the functions of Dib.h is uncompressed (BI_RGB) and bottom-up, its
// biSizeImage is the exact size of its rows and biClrUsed the number of its
// colour-table entries.
#pragma once
#include "platform/core/DibTypes.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace platform {

// Largest width or height and largest pixel block that a DIB may have; files
// that claim more are refused before anything is allocated.
constexpr std::int64_t kMaxDibDimension = 65535;
constexpr std::int64_t kMaxDibImageBytes = std::int64_t{256} << 20;

class PackedDib {
  public:
    // An uncompressed bottom-up DIB of the given geometry with zeroed pixels
    // and colourEntries zeroed colour-table entries; null when the geometry is
    // invalid or too large.
    static std::unique_ptr<PackedDib> Allocate(int width, int height, int bitCount, int colourEntries);

    BITMAPINFOHEADER* Header() { return reinterpret_cast<BITMAPINFOHEADER*>(m_data.data()); }
    const BITMAPINFOHEADER* Header() const
    {
        return reinterpret_cast<const BITMAPINFOHEADER*>(m_data.data());
    }
    RGBQUAD* ColorTable() { return reinterpret_cast<RGBQUAD*>(m_data.data() + kInfoHeaderSize); }
    const RGBQUAD* ColorTable() const
    {
        return reinterpret_cast<const RGBQUAD*>(m_data.data() + kInfoHeaderSize);
    }
    int ColorEntries() const { return static_cast<int>(Header()->biClrUsed); }
    BYTE* Bits() { return m_data.data() + BitsOffset(); }
    const BYTE* Bits() const { return m_data.data() + BitsOffset(); }
    std::size_t ImageSize() const { return Header()->biSizeImage; }
    int Width() const { return Header()->biWidth; }
    int Height() const { return Header()->biHeight; }
    int BitCount() const { return Header()->biBitCount; }
    std::int64_t RowBytes() const { return DibRowBytes(Width(), BitCount()); }

    // Header, colour table and bits as one block, as a packed DIB is laid out.
    const BYTE* Data() const { return m_data.data(); }
    std::size_t Size() const { return m_data.size(); }

  private:
    std::size_t BitsOffset() const { return kInfoHeaderSize + 4 * static_cast<std::size_t>(ColorEntries()); }
    std::vector<BYTE> m_data;
};

} // namespace platform
