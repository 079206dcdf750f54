// Legend layout and scale numbers (see LegendLayout.h).
#include "common/kernels/picture/LegendLayout.h"

#include "common/kernels/picture/PictureCanvas.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kernels {

CPoint LegendLayout::LegendPoint(double column, double row) const
{
    return {TruncToPixel(originX + column * columnWidth), TruncToPixel(originY + row * rowHeight)};
}

CRect LegendLayout::Rect(double c1, double r1, double c2, double r2) const
{
    const CPoint a = LegendPoint(c1, r1), b = LegendPoint(c2, r2);
    return {a.x, a.y, b.x, b.y};
}

LegendLayout ComputeLegendLayout(const CRect& pane, int rows, int minRows, int last)
{
    int first = -1;
    if (rows < minRows)
        first = rows - minRows - 1;
    LegendLayout l;
    l.rowHeight = -static_cast<double>(pane.bottom - pane.top) / (last - first);
    l.originY = pane.top + 0.5 - last * l.rowHeight;
    l.columnWidth = (pane.right - pane.left) / 30.0;
    l.originX = pane.left + 0.5;
    return l;
}

std::string FormatFixed(double value, int decimals)
{
    char text[400];
    const auto r =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, std::max(0, decimals));
    if (r.ec != std::errc())
        return "?";
    return std::string(text, r.ptr);
}

int FormatScaleNumber(double start, double step, int n)
{
    int most = 0;
    for (int k = 0; k <= n; ++k) {
        const std::string text = FormatFixed(start + k * step, 4);
        const std::size_t point = text.find('.');
        if (point == std::string::npos)
            continue;
        std::size_t end = text.size();
        while (end > point + 1 && text[end - 1] == '0')
            --end;
        most = std::max(most, static_cast<int>(end - point - 1));
    }
    return most;
}

ValueScale ComputeValueScale(double lower, double upper, double inc)
{
    ValueScale s;
    if (!(inc > 0.0) || !std::isfinite(inc) || !std::isfinite(lower) || !std::isfinite(upper)) {
        s.bottom = lower;
        return s;
    }
    double bottom = std::floor(lower / inc) * inc;
    if (bottom < lower)
        bottom += inc;
    double top = std::floor(upper / inc) * inc;
    if (top > upper)
        top -= inc;
    const double bands = (top - bottom) / inc + 0.999;
    // At least one band, and no more than a scale can show.
    if (bands < 1.0) {
        s.bottom = bottom - inc;
        s.n = 1;
    } else {
        s.bottom = bottom;
        s.n = static_cast<int>(std::min(bands, 1e6));
    }
    return s;
}

} // namespace kernels
