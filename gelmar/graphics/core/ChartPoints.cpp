// Point storage of a chart series and the pixel of a point.
#include "gelmar/graphics/core/ChartPoints.h"

#include <algorithm>
#include <cmath>

namespace gelmar {

void ChartPointStore::Reserve(std::size_t n)
{
    // Geometric growth, never beyond the limit: adding points one by one
    // costs the same per point for a short and for a full series.
    const std::size_t limit = static_cast<std::size_t>(m_limit);
    if (n <= m_points.capacity())
        return;
    m_points.reserve(std::min(limit, std::max(n, std::max<std::size_t>(1000, 2 * m_points.capacity()))));
}

bool ChartPointStore::Add(double x, double y)
{
    if (Full())
        return false;
    Reserve(m_points.size() + 1);
    m_points.push_back({y, x});
    return true;
}

int ChartPointStore::AddMany(int n, const double* xs, const double* ys)
{
    const int fit = std::max(0, std::min(n, m_limit - Count()));
    Reserve(m_points.size() + static_cast<std::size_t>(fit));
    for (int i = 0; i < fit; ++i)
        m_points.push_back({ys[i], xs[i]});
    return fit;
}

void ChartPointStore::Clear()
{
    // The buffer stays for the next fill: the function graph empties and
    // refills its series on every repaint.
    m_points.clear();
}

bool SeriesPixel(const SeriesMapping& map, const ChartPoint& p, CPoint* pixel)
{
    // Compared before the conversion to int, so that far points (and the
    // infinities of a collapsed axis) never reach it.
    const double px = std::trunc(map.plot.left + (p.x - map.xAxis->minimum) / map.xAxis->unitsPerPixel);
    const double py = std::trunc(map.plot.bottom - (p.y - map.yAxis->minimum) / map.yAxis->unitsPerPixel);
    if (!(px > map.plot.left - 10000.0 && px < map.plot.right + 10000.0 && py > map.plot.top - 50000.0 &&
          py < map.plot.bottom + 50000.0))
        return false;
    *pixel = CPoint(static_cast<int>(px), static_cast<int>(py));
    return true;
}

} // namespace gelmar
