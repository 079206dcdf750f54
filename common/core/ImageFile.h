// The image object with which the graphic outputs save what they draw: a
// file name and one format implementation chosen by the name's extension
// (BMP or PNG), which holds the picture as a DIB.
#pragma once
#include "common/core/ImageImpl.h"

#include <cstdint>
#include <memory>
#include <string>

namespace common {

constexpr int kImageKindNone = -1;
constexpr int kImageKindBmp = 0;
constexpr int kImageKindPng = 1;

// The kind of a file name: the text after its last "." (the whole name when
// it has none) compared without regard to case with "BMP" and "PNG".
int GetImageKind(const std::string& name);

// Pixels of a device bitmap, top row first, 0x00RRGGBB per pixel (the upper
// byte is ignored), stride in pixels between rows.
struct BitmapPixels {
    int width = 0;
    int height = 0;
    const std::uint32_t* pixels = nullptr;
    std::size_t stride = 0;
};

// A packed DIB of the bitmap: 24 bits per pixel, or 8 with a colour table of
// at most 256 colours (quantised, the colours kept exactly when there are no
// more); null for another depth, an empty or too large bitmap or when memory
// runs out.
std::unique_ptr<platform::PackedDib> MakeDib(const BitmapPixels& bitmap, int bitsPerPixel);

class CImageFile {
  public:
    CImageFile() = default;
    // A BMP image holding a 24-bit copy of the bitmap's pixels.
    explicit CImageFile(const BitmapPixels& bitmap);
    virtual ~CImageFile() = default;

    // An image read from the file (kind -1: from the extension); HasImage
    // tells whether reading succeeded.
    static std::unique_ptr<CImageFile> CImageFileFromPath(const std::string& path, int kind = kImageKindNone);

    BOOL Open(const std::string& path, int kind = kImageKindNone);
    // Writes the picture in the format of the kind (-1: of the extension),
    // changing the implementation when the format changes. FALSE without a
    // picture, for an unknown format (the image stays as it was) or when
    // the file cannot be written.
    BOOL SaveAs(const std::string& path, int kind = kImageKindNone);
    BOOL CreateImpl(const std::string& path, int kind);
    BOOL Create(int width, int height, int bitsPerPixel);

    virtual int GetRowBytes() const { return m_impl ? m_impl->GetRowBytes() : 0; }
    virtual int GetWidth() const { return m_impl ? m_impl->GetWidth() : 0; }
    virtual int GetHeight() const { return m_impl ? m_impl->GetHeight() : 0; }
    virtual int GetBitsPerPixel() const { return m_impl ? m_impl->GetBitsPerPixel() : 0; }
    virtual int GetColourType() const { return m_impl ? m_impl->GetColourType() : 0; }
    virtual BOOL IsInside(int x, int y) const { return m_impl && m_impl->IsInside(x, y); }
    virtual int GetPixelIndex(int x, int y) const { return m_impl ? m_impl->GetPixelIndex(x, y) : -1; }
    virtual BOOL GetPixelRGB(int x, int y, BYTE& r, BYTE& g, BYTE& b) const;
    // The index is cut to 8 bits.
    virtual BOOL SetPixelIndex(int x, int y, int index);
    virtual BOOL SetPixelRGB(int x, int y, BYTE r, BYTE g, BYTE b);
    virtual BOOL SetPaletteFromArrays(int count, const BYTE* reds, const BYTE* greens, const BYTE* blues);
    virtual BOOL SetPaletteFromEntries(int count, const BYTE* rgbTriples);
    virtual BOOL SetPaletteObject(std::unique_ptr<platform::CPalette> palette);
    virtual const platform::CPalette* GetPalette() const { return m_impl ? m_impl->GetPalette() : nullptr; }
    virtual BOOL HasImage() const { return m_impl && m_impl->HasImage(); }
    virtual CImageImpl* GetImpl() const { return m_impl.get(); }
    virtual BYTE* GetBits() const { return m_impl ? m_impl->GetBits() : nullptr; }

    int GetKind() const { return m_kind; }
    const std::string& GetFileName() const { return m_fileName; }

  private:
    static std::unique_ptr<CImageImpl> MakeImpl(const std::string& path, int kind);

    int m_kind = kImageKindNone;
    std::string m_fileName;
    std::unique_ptr<CImageImpl> m_impl;
};

} // namespace common
