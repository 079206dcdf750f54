// Pixels, spans, polygons, lines and discs on a raster (see PictureCanvas.h).
#include "common/kernels/picture/PictureCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace kernels {

FillBrush FillBrush::Solid(COLORREF colour)
{
    FillBrush b;
    b.colour = colour;
    return b;
}

FillBrush FillBrush::Pattern(const std::array<WORD, 8>& rows, COLORREF textColour, COLORREF backColour)
{
    FillBrush b;
    b.patterned = true;
    b.rows = rows;
    b.textColour = textColour;
    b.backColour = backColour;
    return b;
}

COLORREF FillBrush::At(int rasterX, int rasterY) const
{
    if (!patterned)
        return colour;
    const WORD row = rows[static_cast<std::size_t>(rasterY & 7)];
    return (row >> (7 - (rasterX & 7))) & 1 ? backColour : textColour;
}

PictureCanvas::PictureCanvas(RasterView raster) : m_raster(raster)
{
    ClearClip();
}

void PictureCanvas::SetOrigin(int x, int y)
{
    m_ox = x;
    m_oy = y;
}

void PictureCanvas::SetClip(const CRect& rasterRect)
{
    m_clip = CRect(std::max(0, rasterRect.left), std::max(0, rasterRect.top),
                   std::min(m_raster.width, rasterRect.right), std::min(m_raster.height, rasterRect.bottom));
    m_clipped = true;
}

void PictureCanvas::ClearClip()
{
    m_clip = CRect(0, 0, m_raster.width, m_raster.height);
    m_clipped = false;
}

void PictureCanvas::IntersectClip(const CRect& r)
{
    SetClip(CRect(std::max(m_clip.left, r.left), std::max(m_clip.top, r.top), std::min(m_clip.right, r.right),
                  std::min(m_clip.bottom, r.bottom)));
}

void PictureCanvas::RestoreClip(const ClipState& state)
{
    m_clip = state.rect;
    m_clipped = state.clipped;
}

CRect PictureCanvas::VisibleRect() const
{
    CRect r = m_clip;
    r.OffsetRect(-m_ox, -m_oy);
    return r;
}

void PictureCanvas::PutRaster(int rx, int ry, COLORREF colour)
{
    if (rx < m_clip.left || rx >= m_clip.right || ry < m_clip.top || ry >= m_clip.bottom)
        return;
    m_raster.pixels[ry * m_raster.stride + rx] = PixelOf(colour);
}

COLORREF PictureCanvas::GetPixel(int x, int y) const
{
    const int rx = x + m_ox, ry = y + m_oy;
    if (rx < 0 || ry < 0 || rx >= m_raster.width || ry >= m_raster.height)
        return kWhite;
    return ColourOfPixel(m_raster.pixels[ry * m_raster.stride + rx]);
}

void PictureCanvas::FillSpan(int x0, int x1, int y, COLORREF colour)
{
    const int ry = y + m_oy;
    if (ry < m_clip.top || ry >= m_clip.bottom)
        return;
    const int a = std::max(m_clip.left, x0 + m_ox), b = std::min(m_clip.right, x1 + m_ox);
    if (a >= b)
        return;
    std::fill(m_raster.pixels + ry * m_raster.stride + a, m_raster.pixels + ry * m_raster.stride + b,
              PixelOf(colour));
}

void PictureCanvas::FillRect(const CRect& rect, const FillBrush& brush)
{
    const int top = std::max(m_clip.top, rect.top + m_oy),
              bottom = std::min(m_clip.bottom, rect.bottom + m_oy);
    const int left = std::max(m_clip.left, rect.left + m_ox),
              right = std::min(m_clip.right, rect.right + m_ox);
    for (int ry = top; ry < bottom; ++ry)
        for (int rx = left; rx < right; ++rx)
            m_raster.pixels[ry * m_raster.stride + rx] = PixelOf(brush.At(rx, ry));
}

void PictureCanvas::FillRectangleNoOutline(CPoint a, CPoint b, const FillBrush& brush)
{
    const CRect r(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) - 1, std::max(a.y, b.y) - 1);
    FillRect(r, brush);
}

void PictureCanvas::FillPolygon(std::span<const CPoint> points, const FillBrush& brush)
{
    const std::size_t n = points.size();
    if (n < 3)
        return;
    int ymin = points[0].y, ymax = points[0].y;
    for (const CPoint& p : points) {
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
    }
    const CRect visible = VisibleRect();
    ymin = std::max(ymin, visible.top);
    ymax = std::min(ymax, visible.bottom);
    std::vector<double> xs;
    for (int y = ymin; y < ymax; ++y) {
        const double yc = y + 0.5;
        xs.clear();
        for (std::size_t k = 0; k < n; ++k) {
            const CPoint& a = points[k];
            const CPoint& b = points[(k + 1) % n];
            if ((a.y <= yc) == (b.y <= yc))
                continue;
            xs.push_back(a.x + (yc - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
            // Columns whose centre x + 0.5 lies in [xa, xb).
            const double xa = std::max<double>(xs[k], visible.left - 1);
            const double xb = std::min<double>(xs[k + 1], visible.right + 1);
            const int c0 = static_cast<int>(std::ceil(xa - 0.5));
            const int c1 = static_cast<int>(std::ceil(xb - 0.5));
            for (int x = std::max(c0, visible.left); x < std::min(c1, visible.right); ++x)
                PutRaster(x + m_ox, y + m_oy, brush.At(x + m_ox, y + m_oy));
        }
    }
}

void PictureCanvas::Stamp(int x, int y, const LineStyle& style)
{
    if (style.width <= 1) {
        SetPixel(x, y, style.colour);
        return;
    }
    const int h = style.width >> 1;
    for (int dy = 0; dy < style.width; ++dy)
        for (int dx = 0; dx < style.width; ++dx)
            SetPixel(x - h + dx, y - h + dy, style.colour);
}

void PictureCanvas::DrawLine(CPoint a, CPoint b, const LineStyle& style)
{
    // The line is first cut to the visible rectangle (widened by the pen), so
    // that a line reaching far outside costs no more than its visible part;
    // then Bresenham from a, with b left out when it was not cut away.
    const CRect v = VisibleRect();
    const double margin = style.width + 2.0;
    double t0 = 0.0, t1 = 1.0;
    const double ax = a.x, ay = a.y, dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
    auto clip = [&](double p, double q) {
        if (p == 0.0)
            return q >= 0.0;
        const double r = q / p;
        if (p < 0.0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!clip(-dx, ax - (v.left - margin)) || !clip(dx, (v.right + margin) - ax) ||
        !clip(-dy, ay - (v.top - margin)) || !clip(dy, (v.bottom + margin) - ay))
        return;
    const bool endKept = t1 >= 1.0;
    long long x = std::llround(ax + t0 * dx), y = std::llround(ay + t0 * dy);
    const long long ex = std::llround(ax + t1 * dx), ey = std::llround(ay + t1 * dy);
    const long long ddx = std::llabs(ex - x), sx = x < ex ? 1 : -1;
    const long long ddy = -std::llabs(ey - y), sy = y < ey ? 1 : -1;
    long long err = ddx + ddy;
    const long long steps = std::max(ddx, -ddy) + (endKept ? 0 : 1);
    // Dots keep their rhythm from a, also when the start was cut.
    long long phase = std::llround(t0 * std::max(std::fabs(dx), std::fabs(dy)));
    for (long long step = 0; step < steps; ++step, ++phase) {
        if (!style.dotted || phase % 2 == 0)
            Stamp(static_cast<int>(x), static_cast<int>(y), style);
        const long long e2 = 2 * err;
        if (e2 >= ddy) {
            err += ddy;
            x += sx;
        }
        if (e2 <= ddx) {
            err += ddx;
            y += sy;
        }
    }
}

void PictureCanvas::DrawPolyline(std::span<const CPoint> points, const LineStyle& style)
{
    for (std::size_t k = 1; k < points.size(); ++k)
        DrawLine(points[k - 1], points[k], style);
}

void PictureCanvas::FillDisc(const CRect& box, COLORREF fill, COLORREF outline)
{
    const double cx = (box.left + box.right) * 0.5, cy = (box.top + box.bottom) * 0.5;
    const double rx = (box.right - box.left) * 0.5, ry = (box.bottom - box.top) * 0.5;
    if (rx <= 0 || ry <= 0)
        return;
    auto inside = [&](int x, int y) {
        const double u = (x + 0.5 - cx) / rx, w = (y + 0.5 - cy) / ry;
        return u * u + w * w <= 1.0;
    };
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            if (!inside(x, y))
                continue;
            const bool rim = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            SetPixel(x, y, rim ? outline : fill);
        }
}

void PictureCanvas::AddText(std::string text, const CRect& rect, unsigned format)
{
    CRect r = rect;
    r.OffsetRect(m_ox, m_oy);
    m_texts.push_back({std::move(text), r, format, m_clipped ? m_clip : CRect()});
}

std::vector<PictureText> PictureCanvas::TakeTexts()
{
    return std::exchange(m_texts, {});
}

} // namespace kernels
