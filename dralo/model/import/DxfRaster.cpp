// Drawing the segments of a DXF drawing into pixels: lines by Bresenham's
// rule, filled outlines by scan lines, filled regions by flood fills bounded
// by the lines. Segments far outside the bitmap are clipped first, and lines
// are walked only where they cross the bitmap, so no segment costs more than
// the pixels it can reach.
#include "dralo/model/import/DxfDrawing.h"

#include "dralo/model/store/FloodFill.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace dralo {

namespace {

// A segment in pixel coordinates (rows downwards, row j sampled at y = j),
// prepared as an edge for the scan lines of a filled outline.
struct RasterRecord {
    int layer;
    float px1, py1, px2, py2;
    float slope = 0; // dx/dy of an edge
    std::int64_t firstRow = 0;
    float x = 0;     // x on the current row
};

// Clips the segment to the box [lo, hi]² (Liang-Barsky); false when nothing is left.
bool ClipToBox(double& x1, double& y1, double& x2, double& y2, double lo, double hi)
{
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - lo, hi - x1, y1 - lo, hi - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1)
            return false;
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    return true;
}

class Canvas {
  public:
    Canvas(std::int64_t w, std::int64_t h, std::vector<std::uint8_t>& pixels) : m_w(w), m_h(h), m_px(pixels) {}

    void Set(std::int64_t x, std::int64_t y, std::uint8_t c)
    {
        if (x >= 0 && y >= 0 && x < m_w && y < m_h)
            m_px[static_cast<std::size_t>(x + y * m_w)] = c;
    }
    // Bresenham's rule from the end with the smaller major coordinate; the
    // minor coordinate after k steps is computed directly, so that only the
    // steps inside the bitmap are walked.
    void Line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::uint8_t c)
    {
        const bool yMajor = std::abs(x2 - x1) < std::abs(y2 - y1);
        std::int64_t a1 = yMajor ? y1 : x1, b1 = yMajor ? x1 : y1, a2 = yMajor ? y2 : x2, b2 = yMajor ? x2 : y2;
        if (a2 < a1) {
            std::swap(a1, a2);
            std::swap(b1, b2);
        }
        const std::int64_t major = a2 - a1, minor = std::abs(b2 - b1), step = b2 >= b1 ? 1 : -1;
        const std::int64_t size = yMajor ? m_h : m_w;
        const std::int64_t from = std::max<std::int64_t>(0, -a1), to = std::min(major, size - 1 - a1);
        for (std::int64_t k = from; k <= to; ++k) {
            const std::int64_t moved = major > 0 ? (2 * k * minor + major) / (2 * major) : 0;
            const std::int64_t a = a1 + k, b = b1 + step * moved;
            if (yMajor)
                Set(b, a, c);
            else
                Set(a, b, c);
        }
    }
    // Pixels from a up to, not including, b on row y, clipped to the row.
    void Span(std::int64_t y, std::int64_t a, std::int64_t b, std::uint8_t c)
    {
        a = std::max<std::int64_t>(a, 0);
        b = std::min(b, m_w);
        if (y < 0 || y >= m_h || a >= b)
            return;
        std::fill(m_px.begin() + y * m_w + a, m_px.begin() + y * m_w + b, c);
    }

    std::int64_t m_w, m_h;
    std::vector<std::uint8_t>& m_px;
};

// Nearest integer of a pixel coordinate (trunc(v + 0.5)) kept in a range
// where it stays far outside any bitmap.
std::int64_t Round(float v)
{
    return static_cast<std::int64_t>(std::trunc(std::clamp(v + 0.5f, -4.0e9f, 4.0e9f)));
}

void PrepareEdge(RasterRecord& r)
{
    if (r.py2 < r.py1) {
        std::swap(r.px1, r.px2);
        std::swap(r.py1, r.py2);
    }
    auto keepOffLines = [](float& v) {
        const float f = std::floor(v), frac = v - f;
        if (frac < 0.001f)
            v = f + 0.001f;
        else if (frac > 0.999f)
            v = f + 0.999f;
    };
    keepOffLines(r.py1);
    keepOffLines(r.py2);
    r.slope = (r.px2 - r.px1) / (r.py2 - r.py1);
    r.firstRow = static_cast<std::int64_t>(std::floor(r.py1)) + 1;
    r.x = (static_cast<float>(r.firstRow) - r.py1) * r.slope + r.px1;
    if (r.firstRow < 0) {
        r.x += r.slope * static_cast<float>(-r.firstRow);
        r.firstRow = 0;
    }
}

void FillOutlines(Canvas& canvas, const std::vector<RasterRecord>& edges, std::uint8_t colour)
{
    if (edges.empty() || edges.front().firstRow >= canvas.m_h)
        return;
    std::vector<RasterRecord> active;
    std::size_t next = 0;
    for (std::int64_t row = edges.front().firstRow; row < canvas.m_h; ++row) {
        const float y = static_cast<float>(row);
        std::erase_if(active, [y](const RasterRecord& e) { return e.py2 < y; });
        if (active.empty() && next == edges.size())
            break;
        for (RasterRecord& e : active)
            e.x += e.slope;
        while (next < edges.size() && edges[next].firstRow == row)
            active.push_back(edges[next++]);
        if (active.empty())
            continue;
        std::sort(active.begin(), active.end(), [](const RasterRecord& a, const RasterRecord& b) { return a.x < b.x; });
        std::size_t i = 0;
        for (; i + 1 < active.size(); i += 2)
            canvas.Span(row, Round(active[i].x), Round(active[i + 1].x), colour);
        if (i < active.size())
            canvas.Span(row, Round(active[i].x), canvas.m_w, colour);
    }
}

void FillRegions(Canvas& canvas, const std::vector<RasterRecord>& records, std::uint8_t colour,
                 const std::vector<std::uint8_t>& lineMark)
{
    const std::int64_t w = canvas.m_w, h = canvas.m_h;
    FillWork work; // one set of visited marks for the layer
    work.Reset(w * h);
    std::uint8_t* px = canvas.m_px.data();
    for (const RasterRecord& r : records) {
        const std::int64_t x = Round(r.px1), y = Round(r.py1);
        if (x < 0 || y < 0 || x >= w || y >= h || px[x + y * w] == colour)
            continue;
        // The region of the start pixel's colour and the lines around it:
        // a line pixel is painted, the fill does not spread beyond it.
        const std::uint8_t startColour = px[x + y * w];
        Fill4(
            w, h, x + y * w, work, [&](std::int64_t n) { return px[n] == startColour || lineMark[px[n]] != 0; },
            [&](std::int64_t n) {
                const bool spread = lineMark[px[n]] == 0;
                px[n] = colour;
                return spread;
            });
    }
}

} // namespace

void RasteriseSegments(const DxfDrawing& drawing, const DxfExtents& extents, double s, std::int32_t w,
                       std::int32_t h, std::vector<std::uint8_t>& pixels, std::vector<std::uint8_t>& lineMark)
{
    pixels.assign(static_cast<std::size_t>(static_cast<std::int64_t>(w) * h), 1);
    lineMark.assign(256, 0);
    std::vector<RasterRecord> records;
    records.reserve(drawing.segments.size());
    // Segments are clipped to a box far outside the bitmap, which changes
    // none of the pixels inside it.
    const double margin = 4.0 * (static_cast<double>(w) + h) + 16.0;
    for (const DxfSegment& seg : drawing.segments) {
        if (seg.layer < 0 || drawing.layers[static_cast<std::size_t>(seg.layer)].disp == kDxfHidden)
            continue;
        double x1 = (seg.x1 - extents.xmin) / s, y1 = (extents.ymax - seg.y1) / s - 0.5;
        double x2 = (seg.x2 - extents.xmin) / s, y2 = (extents.ymax - seg.y2) / s - 0.5;
        if (y1 <= 0 && y2 <= 0)
            continue;
        if (!ClipToBox(x1, y1, x2, y2, -margin, margin))
            continue;
        RasterRecord r{seg.layer, static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                       static_cast<float>(y2)};
        if (drawing.layers[static_cast<std::size_t>(seg.layer)].disp == kDxfOutlines) {
            PrepareEdge(r);
            if (std::floor(r.py1) == std::floor(r.py2))
                continue; // crosses no row
        }
        records.push_back(r);
    }
    std::sort(records.begin(), records.end(), [](const RasterRecord& a, const RasterRecord& b) {
        if (a.layer != b.layer)
            return a.layer < b.layer;
        if (a.firstRow != b.firstRow)
            return a.firstRow < b.firstRow;
        return a.x < b.x;
    });
    Canvas canvas(w, h, pixels);
    for (int mode : {kDxfLines, kDxfOutlines, kDxfRegions}) {
        for (std::size_t i = 0; i < records.size();) {
            std::size_t j = i;
            while (j < records.size() && records[j].layer == records[i].layer)
                ++j;
            const DxfLayer& layer = drawing.layers[static_cast<std::size_t>(records[i].layer)];
            const auto colour = static_cast<std::uint8_t>(layer.colr);
            const std::vector<RasterRecord> run(records.begin() + static_cast<std::ptrdiff_t>(i),
                                                records.begin() + static_cast<std::ptrdiff_t>(j));
            if (layer.disp == mode && mode == kDxfLines) {
                for (const RasterRecord& r : run)
                    canvas.Line(Round(r.px1), Round(r.py1), Round(r.px2), Round(r.py2), colour);
                lineMark[colour] = 1;
            } else if (layer.disp == mode && mode == kDxfOutlines) {
                FillOutlines(canvas, run, colour);
            } else if (layer.disp == mode && mode == kDxfRegions) {
                FillRegions(canvas, run, colour, lineMark);
            }
            i = j;
        }
    }
}

} // namespace dralo
