// Integer points bucketed by square cells, the cells row by row and each
// cell's points side by side: a box query visits only the few cells the box
// covers, in memory order, whatever the number of points. The advancing
// front asks it for the candidate apexes of every front edge; its boxes are
// about the mesh size, so the cells are made as large.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace dralo {

class PointGrid {
  public:
    struct Point {
        std::int32_t x, y, payload;
    };

    // Buckets the points by cells of at least `cell` units; larger cells
    // when the points are sparse, so that there are never many more cells
    // than points.
    void Build(const std::vector<Point>& points, std::int64_t cell)
    {
        m_points.clear();
        m_start.clear();
        if (points.empty())
            return;
        std::int64_t x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
        for (const Point& p : points) {
            x0 = std::min<std::int64_t>(x0, p.x);
            x1 = std::max<std::int64_t>(x1, p.x);
            y0 = std::min<std::int64_t>(y0, p.y);
            y1 = std::max<std::int64_t>(y1, p.y);
        }
        const double area = double(x1 - x0 + 1) * double(y1 - y0 + 1);
        m_cell = std::max<std::int64_t>({1, cell, static_cast<std::int64_t>(std::ceil(std::sqrt(area / double(points.size()))))});
        m_x0 = x0;
        m_y0 = y0;
        m_nx = (x1 - x0) / m_cell + 1;
        m_ny = (y1 - y0) / m_cell + 1;
        m_start.assign(static_cast<std::size_t>(m_nx * m_ny + 1), 0);
        for (const Point& p : points)
            ++m_start[static_cast<std::size_t>(CellOf(p.x, p.y)) + 1];
        for (std::size_t c = 1; c < m_start.size(); ++c)
            m_start[c] += m_start[c - 1];
        m_points.resize(points.size());
        std::vector<std::int64_t> fill(m_start.begin(), m_start.end() - 1);
        for (const Point& p : points)
            m_points[static_cast<std::size_t>(fill[static_cast<std::size_t>(CellOf(p.x, p.y))]++)] = p;
    }

    // Calls visit(payload, x, y) for every point with x1 <= x <= x2 and
    // y1 <= y <= y2; visit returns false to end the query early.
    template <class Visit> void Query(std::int64_t x1, std::int64_t x2, std::int64_t y1, std::int64_t y2, Visit&& visit) const
    {
        if (m_points.empty() || x1 > x2 || y1 > y2)
            return;
        const std::int64_t cx1 = std::max<std::int64_t>(0, (x1 - m_x0) / m_cell);
        const std::int64_t cx2 = std::min<std::int64_t>(m_nx - 1, FloorDiv(x2 - m_x0, m_cell));
        const std::int64_t cy1 = std::max<std::int64_t>(0, (y1 - m_y0) / m_cell);
        const std::int64_t cy2 = std::min<std::int64_t>(m_ny - 1, FloorDiv(y2 - m_y0, m_cell));
        if (cx1 > cx2 || cy1 > cy2)
            return;
        for (std::int64_t cy = cy1; cy <= cy2; ++cy) {
            const std::int64_t row = cy * m_nx;
            const std::int64_t end = m_start[static_cast<std::size_t>(row + cx2 + 1)];
            for (std::int64_t i = m_start[static_cast<std::size_t>(row + cx1)]; i < end; ++i) {
                const Point& p = m_points[static_cast<std::size_t>(i)];
                if (p.x >= x1 && p.x <= x2 && p.y >= y1 && p.y <= y2 && !visit(p.payload, p.x, p.y))
                    return;
            }
        }
    }

  private:
    static std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
    std::int64_t CellOf(std::int64_t x, std::int64_t y) const { return (y - m_y0) / m_cell * m_nx + (x - m_x0) / m_cell; }

    std::vector<Point> m_points;
    std::vector<std::int64_t> m_start; // per cell, row by row: its first point; one more at the end
    std::int64_t m_x0 = 0, m_y0 = 0, m_cell = 1, m_nx = 0, m_ny = 0;
};

} // namespace dralo
