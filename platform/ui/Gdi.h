// Drawing objects a device context selects: pens, solid and 8x8 pattern
// brushes, fonts (with rotation through the escapement), bitmaps and regions.
#pragma once
#include "platform/ui/Defs.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <array>
#include <cstdint>
#include <string>

class CDC;

class CGdiObject {
  public:
    enum class Kind { None, Pen, Brush, Font, Bitmap, Region };
    explicit CGdiObject(Kind k) : m_kind(k) {}
    virtual ~CGdiObject() = default;
    Kind GetKind() const { return m_kind; }
    bool IsCreated() const { return m_created; }
    virtual BOOL DeleteObject()
    {
        m_created = false;
        return TRUE;
    }

  protected:
    Kind m_kind;
    bool m_created = false;
};

class CPen : public CGdiObject {
  public:
    CPen() : CGdiObject(Kind::Pen) {}
    CPen(int style, int width, COLORREF colour) : CPen() { CreatePen(style, width, colour); }
    BOOL CreatePen(int style, int width, COLORREF colour);
    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_colour = 0;
};

class CBrush : public CGdiObject {
  public:
    CBrush() : CGdiObject(Kind::Brush) {}
    explicit CBrush(COLORREF colour) : CBrush() { CreateSolidBrush(colour); }
    BOOL CreateSolidBrush(COLORREF colour);
    // An 8x8 monochrome pattern: 1 bits take the DC's background colour and
    // 0 bits its text colour at the time of drawing, as pattern brushes did.
    BOOL CreatePatternBrush(const class CBitmap* bitmap);
    BOOL CreatePatternBrush(const std::array<WORD, 8>& rows);
    BOOL CreateNullBrush();
    bool m_null = false;
    bool m_pattern = false;
    COLORREF m_colour = 0;
    std::array<BYTE, 8> m_rows{}; // bit 7 of a row is its leftmost pixel
};

class CFont : public CGdiObject {
  public:
    CFont() : CGdiObject(Kind::Font) {}
    BOOL CreateFontIndirect(const LOGFONT* lf);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, const char* faceName);
    // nPointSize in tenths of a point (90: 9 points), as the framework took it.
    BOOL CreatePointFont(int nPointSize, const char* faceName, CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* lf) const;
    const LOGFONT& GetLogFontRef() const { return m_lf; }
    // The Qt font for this description (pixel heights as logical units).
    QFont ToQFont() const;

  private:
    LOGFONT m_lf{};
};

// The system's message font (used by controls and grids as their default).
void GetMessageFont(LOGFONT* lf);

// The largest bitmap CreateCompatibleBitmap makes, in bytes of 32-bit pixels.
constexpr std::int64_t kMaxCompatibleBitmapBytes = std::int64_t{1} << 30;

class CBitmap : public CGdiObject {
  public:
    CBitmap() : CGdiObject(Kind::Bitmap) {}
    ~CBitmap() override;
    // A monochrome bitmap from rows of 16-bit words (bits per pixel 1) as a
    // pattern brush source; other depths give a colour bitmap of that size.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
    // A bitmap resource registered under this id (platform::Resources).
    BOOL LoadBitmap(UINT nIDResource);
    BOOL FromImage(const QImage& image);
    CSize GetBitmapDimension() const { return {m_image.width(), m_image.height()}; }
    BOOL DeleteObject() override;
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }
    // For a monochrome source, the 8x8 rows used by CreatePatternBrush.
    std::array<BYTE, 8> m_monoRows{};
    bool m_mono = false;

  private:
    QImage m_image;
};

class CRgn : public CGdiObject {
  public:
    CRgn() : CGdiObject(Kind::Region) {}
    BOOL CreateRectRgn(int l, int t, int r, int b);
    BOOL CreateRectRgnIndirect(const CRect* rect);
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    BOOL PtInRegion(CPoint p) const { return m_region.contains(QPoint(p.x, p.y)); }
    int GetRgnBox(CRect* rect) const;
    QRegion m_region;
};

QColor ToQColor(COLORREF c);
COLORREF FromQColor(const QColor& c);
