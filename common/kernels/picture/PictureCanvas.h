// The drawing surface of the pictures: pixels, horizontal spans, rectangles
// and polygons with a solid or an 8 x 8 pattern brush, lines (solid, wide or
// dotted) and discs, written straight into an RGB raster. Pictures draw in
// their own coordinates, which an origin moves on the raster (the picture
// pane's corner) and a clip rectangle bounds. Texts are not drawn here: they
// are kept as text, rectangle and format flags, for the window to draw with
// its fonts after the pixels.
#pragma once
#include "common/kernels/picture/Raster.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace kernels {

// A brush: one colour, or an 8 x 8 monochrome pattern whose 0 bits take the
// text colour and 1 bits the background colour. Pattern rows run top first;
// the low eight bits of a row are its pixels, the most significant leftmost.
// The pattern is laid from the raster's corner, so neighbouring areas join.
struct FillBrush {
    COLORREF colour = kWhite;
    bool patterned = false;
    std::array<WORD, 8> rows{};
    COLORREF textColour = kBlack;
    COLORREF backColour = kWhite;

    static FillBrush Solid(COLORREF colour);
    static FillBrush Pattern(const std::array<WORD, 8>& rows, COLORREF textColour, COLORREF backColour);
    // The colour at a raster pixel.
    COLORREF At(int rasterX, int rasterY) const;
};

// A pen of the line routines: colour, width in pixels (a width above 1 lays
// squares of that size along the line), dotted (every other pixel).
struct LineStyle {
    COLORREF colour = kBlack;
    int width = 1;
    bool dotted = false;
};

// Text format flags (the values of the window layer's DrawText flags).
enum TextFormat : unsigned {
    kTextLeft = 0x0000,
    kTextCenter = 0x0001,
    kTextRight = 0x0002,
    kTextVCenter = 0x0004,
    kTextSingleLine = 0x0020,
    kTextNoClip = 0x0100,
    kTextExternalLeading = 0x0200,
};

// A text the window draws: raster coordinates, its format flags and the clip
// rectangle in force when it was placed (empty: none).
struct PictureText {
    std::string text;
    CRect rect;
    unsigned format = 0;
    CRect clip;
};

// Truncation toward zero into pixel range: values beyond 2^30 (and NaN) are
// held at +-2^30, far outside any picture, so no conversion overflows.
inline int TruncToPixel(double v)
{
    constexpr double kFar = 1 << 30;
    if (!(v > -kFar))
        return -(1 << 30);
    if (v > kFar)
        return 1 << 30;
    return static_cast<int>(v);
}

// The clip of a canvas, to be put back after a part drawn under a narrower one.
struct ClipState {
    CRect rect;
    bool clipped = false;
};

class PictureCanvas {
  public:
    explicit PictureCanvas(RasterView raster);

    RasterView Raster() const { return m_raster; }
    // Picture point (0, 0) lies at raster pixel (x, y).
    void SetOrigin(int x, int y);
    CPoint Origin() const { return {m_ox, m_oy}; }
    // Restricts drawing to a raster rectangle (within the raster); the whole
    // raster again with ClearClip.
    void SetClip(const CRect& rasterRect);
    void ClearClip();
    // Narrows the clip to its overlap with a raster rectangle.
    void IntersectClip(const CRect& rasterRect);
    ClipState SaveClip() const { return {m_clip, m_clipped}; }
    void RestoreClip(const ClipState& state);
    // The picture-coordinate rectangle that can receive pixels.
    CRect VisibleRect() const;

    void SetPixel(int x, int y, COLORREF colour)
    {
        // Far-away coordinates cannot wrap around into the raster.
        if (x < m_clip.left - m_ox || x >= m_clip.right - m_ox || y < m_clip.top - m_oy ||
            y >= m_clip.bottom - m_oy)
            return;
        m_raster.pixels[static_cast<std::ptrdiff_t>(y + m_oy) * m_raster.stride + (x + m_ox)] =
            PixelOf(colour);
    }
    COLORREF GetPixel(int x, int y) const;
    // Pixels x0 .. x1 - 1 of row y.
    void FillSpan(int x0, int x1, int y, COLORREF colour);
    // Pixels left .. right - 1, top .. bottom - 1.
    void FillRect(const CRect& rect, const FillBrush& brush);
    // A rectangle drawn without outline between two corners in any order:
    // one pixel less on the right and at the bottom.
    void FillRectangleNoOutline(CPoint a, CPoint b, const FillBrush& brush);
    // The pixels whose centres lie inside the polygon (alternate rule).
    void FillPolygon(std::span<const CPoint> points, const FillBrush& brush);
    // A line from a towards b; b itself is left out, as a pen moved along a
    // polyline lays each corner once.
    void DrawLine(CPoint a, CPoint b, const LineStyle& style);
    void DrawPolyline(std::span<const CPoint> points, const LineStyle& style);
    // The disc inscribed in the box (left .. right, top .. bottom), filled,
    // with a one-pixel outline.
    void FillDisc(const CRect& box, COLORREF fill, COLORREF outline);

    // Keeps a text for the window (picture coordinates).
    void AddText(std::string text, const CRect& rect, unsigned format);
    const std::vector<PictureText>& Texts() const { return m_texts; }
    std::vector<PictureText> TakeTexts();

  private:
    void PutRaster(int rx, int ry, COLORREF colour);
    void Stamp(int x, int y, const LineStyle& style);

    RasterView m_raster;
    int m_ox = 0, m_oy = 0;
    CRect m_clip;
    bool m_clipped = false;
    std::vector<PictureText> m_texts;
};

} // namespace kernels
