// The format implementations behind CImageFile. Each keeps its picture as a
// packed DIB (bottom row first) with an optional palette, and reads and
// writes one file format: BMP through the DIB functions, PNG through libpng.
// Colour types follow PNG's numbering: 0 grey, 2 RGB, 3 palette (bit 0 set
// means the pixels are palette indexes).
#pragma once
#include "platform/core/Dib.h"

#include <memory>
#include <string>
#include <string_view>

namespace common {

constexpr int kColourTypeGrey = 0;
constexpr int kColourTypeRgb = 2;
constexpr int kColourTypePalette = 3;

class CImageImpl {
  public:
    CImageImpl() = default;
    CImageImpl(const CImageImpl&) = delete;
    CImageImpl& operator=(const CImageImpl&) = delete;
    virtual ~CImageImpl() = default;

    virtual BOOL IsInside(int x, int y) const;
    // A new zeroed picture; a negative colour type takes the default (grey
    // for 8 bits or fewer, RGB above). Bit counts 1, 4, 8, 24 and 32.
    virtual BOOL Create(int width, int height, int bitsPerPixel, int colourType = -1);
    // The pixel's index for 8 bits per pixel or fewer; -1 outside the
    // picture or for deeper pictures.
    virtual int GetPixelIndex(int x, int y) const;
    virtual BOOL GetPixelRGB(int x, int y, BYTE& r, BYTE& g, BYTE& b) const;
    virtual BOOL SetPixelIndex(int x, int y, int index);
    virtual BOOL SetPixelRGB(int x, int y, BYTE r, BYTE g, BYTE b);
    virtual BOOL Read(const std::string& path);
    virtual BOOL Write(const std::string& path);

    // Palettes: all three make this a palette image and copy the entries
    // into the DIB's colour table.
    BOOL SetPaletteFromArrays(int count, const BYTE* reds, const BYTE* greens, const BYTE* blues);
    BOOL SetPaletteFromEntries(int count, const BYTE* rgbTriples);
    BOOL SetPaletteObject(std::unique_ptr<platform::CPalette> palette);
    const platform::CPalette* GetPalette() const { return m_palette.get(); }

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBitsPerPixel() const { return m_bitsPerPixel; }
    int GetColourType() const { return m_colourType; }
    int GetRowBytes() const { return m_rowBytes; }
    BYTE* GetBits() { return m_bits; }
    const BYTE* GetBits() const { return m_bits; }
    const platform::PackedDib* GetDib() const { return m_dib.get(); }
    BOOL HasImage() const { return m_dib != nullptr; }
    int GetTransparentIndex() const { return m_transparentIndex; }
    void SetTransparentIndex(int index) { m_transparentIndex = index; }

    // Takes the picture, palette and transparent index of another
    // implementation, which is left empty (a change of file format).
    void TakeOver(CImageImpl& other);

  protected:
    // Adopts a DIB and takes the geometry from its header.
    void AdoptDib(std::unique_ptr<platform::PackedDib> dib, int colourType);
    void FreeImage();
    bool IsPaletteImage() const { return (m_colourType & 1) != 0; }

    BYTE* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 0;
    int m_colourType = 0;
    int m_rowBytes = 0;
    std::unique_ptr<platform::PackedDib> m_dib;
    int m_transparentIndex = -1;
    std::unique_ptr<platform::CPalette> m_palette;
};

// An implementation that belongs to a file; reads and writes nothing itself.
class CFileImageImpl : public CImageImpl {
  public:
    explicit CFileImageImpl(std::string path) : m_path(std::move(path)) {}
    const std::string& GetPath() const { return m_path; }

  protected:
    std::string m_path;
};

class CBmpImageImpl : public CFileImageImpl {
  public:
    using CFileImageImpl::CFileImageImpl;
    BOOL Read(const std::string& path) override;
    BOOL Write(const std::string& path) override;
    // Reads a BMP file held in memory.
    BOOL ReadBytes(std::string_view bytes);
    const std::string& GetLastError() const { return m_error; }

  private:
    std::string m_error;
};

class CPngImageImpl : public CFileImageImpl {
  public:
    using CFileImageImpl::CFileImageImpl;
    BOOL Read(const std::string& path) override;
    BOOL Write(const std::string& path) override;
    // Reads a PNG file held in memory.
    BOOL ReadBytes(std::string_view bytes);
    const std::string& GetLastError() const { return m_error; }

  private:
    std::string m_error;
};

} // namespace common
