// A device-independent bitmap read from and written to BMP streams: the
// info header with its colour table, the pixel bits and a palette made from
// the colour table. Compressed (RLE8) and top-down files are read into plain
// bottom-up rows, so every loaded bitmap can be drawn row by row.
#pragma once
#include "platform/core/Dib.h"

#include <iosfwd>
#include <memory>

namespace common {

class CDib {
  public:
    CDib() = default;
    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;
    ~CDib() { Free(); }

    // Reads a BMP file from the stream's current position. A short or
    // malformed file shows "Read error" and leaves the bitmap empty.
    BOOL Read(std::istream& in);
    // Writes the bitmap as a BMP file; "write error" when the stream fails.
    BOOL Write(std::ostream& out) const;
    // A palette of the colour table; FALSE when there is none.
    BOOL CreatePalette();
    void Free();

    CSize GetDimensions() const;
    const platform::BITMAPINFOHEADER* GetHeader() const { return m_dib ? m_dib->Header() : nullptr; }
    const platform::RGBQUAD* GetColorTable() const { return m_dib ? m_dib->ColorTable() : nullptr; }
    const BYTE* GetBits() const { return m_dib ? m_dib->Bits() : nullptr; }
    std::size_t GetImageSize() const { return m_dib ? m_dib->ImageSize() : 0; }
    int GetColorEntries() const { return m_dib ? m_dib->ColorEntries() : 0; }
    const platform::CPalette* GetPalette() const { return m_palette.get(); }

  private:
    std::unique_ptr<platform::PackedDib> m_dib;
    std::unique_ptr<platform::CPalette> m_palette;
};

// Bytes of the colour table after a DIB header: biClrUsed entries, or
// 1 << bit count for 8 bits or fewer when that is 0; 3 bytes an entry after
// a 12-byte core header, else 4.
DWORD GetDibColorTableSize(const platform::BITMAPINFOHEADER* header);

} // namespace common
