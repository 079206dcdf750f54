// Dot-by-dot line plotting (see LinePlotter.h).
#include "common/kernels/picture/LinePlotter.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kernels {

LinePlotter::LinePlotter(PictureCanvas& canvas, EscCheck esc) : m_canvas(canvas), m_esc(std::move(esc)) {}

void LinePlotter::PlotDot(int x, int y)
{
    if (m_pen.width <= 1) {
        m_canvas.SetPixel(x, y, m_pen.colour);
        return;
    }
    const int h = m_pen.width >> 1;
    for (int dy = 0; dy < m_pen.width; ++dy)
        for (int dx = 0; dx < m_pen.width; ++dx)
            m_canvas.SetPixel(x - h + dx, y - h + dy, m_pen.colour);
}

void LinePlotter::PlotThickLine(double x1, double y1, double x2, double y2)
{
    PollEsc(m_esc);
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    if (y2 < y1 || (y2 == y1 && x2 < x1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const double dx = x2 - x1, dy = y2 - y1;
    if (dx == 0.0 && dy == 0.0) {
        PlotDot(TruncToPixel(x1), TruncToPixel(y1));
        return;
    }
    // The rows (columns) of the line are the first one, trunc of the start,
    // and every later one short of the end. Only those where a dot can reach
    // the picture are walked: the same dots, and a line running far outside
    // costs no more than its visible part.
    const CRect v = m_canvas.VisibleRect();
    const double reach = m_pen.width + 1.0;
    if (std::fabs(dx) <= dy) {
        const double lo = std::floor(v.top - reach), hi = v.bottom + reach;
        const double first = std::trunc(y1);
        auto dot = [&](double r) { PlotDot(TruncToPixel(x1 + (r - y1) * dx / dy), static_cast<int>(r)); };
        if (first >= lo && first <= hi)
            dot(first);
        for (double r = std::max(first + 1.0, lo); r < y2 && r <= hi; ++r)
            dot(r);
        return;
    }
    const double lo = std::floor(v.left - reach), hi = v.right + reach;
    const double first = std::trunc(x1);
    // Columns away from the start in either direction: y grows with the distance.
    auto dot = [&](double c) {
        PlotDot(static_cast<int>(c), TruncToPixel(y1 + std::fabs(c - x1) * dy / std::fabs(dx)));
    };
    if (first >= lo && first <= hi)
        dot(first);
    if (dx > 0) {
        for (double c = std::max(first + 1.0, lo); c < x2 && c <= hi; ++c)
            dot(c);
    } else {
        for (double c = std::min(first - 1.0, hi); c > x2 && c >= lo; --c)
            dot(c);
    }
}

} // namespace kernels
