// Hidden-line removal over a screen grid (see HiddenLines.h).
#include "common/kernels/picture/HiddenLines.h"

#include "common/kernels/picture/PictureGeometry.h"

#include <algorithm>
#include <cmath>

namespace kernels {

namespace {

// Margin in pixels by which polygon boxes and segments are widened when they
// are entered in and looked up from the grid: every polygon whose box meets
// the segment is found, whatever the rounding.
constexpr double kGridMargin = 1.0;

} // namespace

int HiddenLineRemover::CellX(double x) const
{
    const double c = std::floor(x / m_cell);
    return c < 0 ? 0 : (c >= m_nx ? m_nx - 1 : static_cast<int>(c));
}

int HiddenLineRemover::CellY(double y) const
{
    const double c = std::floor(y / m_cell);
    return c < 0 ? 0 : (c >= m_ny ? m_ny - 1 : static_cast<int>(c));
}

void HiddenLineRemover::Build(std::span<const HiddenLinePolygon> polygons, int width, int height)
{
    m_polygons = polygons;
    width = std::max(1, width);
    height = std::max(1, height);
    // About four polygons per cell, cells of 4 to 64 pixels.
    const double area = static_cast<double>(width) * height;
    m_cell = std::clamp(std::sqrt(area * 4.0 / std::max<std::size_t>(1, polygons.size())), 4.0, 64.0);
    // No more cells than four per polygon (and a few thousand at least), also
    // for a very large picture.
    const double maxCells = std::max(4096.0, 4.0 * static_cast<double>(polygons.size()));
    m_cell = std::max(m_cell, std::sqrt(area / maxCells));
    m_nx = static_cast<int>(std::ceil(width / m_cell));
    m_ny = static_cast<int>(std::ceil(height / m_cell));
    const std::size_t cells = static_cast<std::size_t>(m_nx) * static_cast<std::size_t>(m_ny);
    m_cellStart.assign(cells + 1, 0);
    auto forCells = [&](const HiddenLinePolygon& p, auto&& visit) {
        const int x0 = CellX(p.xmin - kGridMargin), x1 = CellX(p.xmax + kGridMargin);
        const int y0 = CellY(p.ymin - kGridMargin), y1 = CellY(p.ymax + kGridMargin);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                visit(static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nx) +
                      static_cast<std::size_t>(x));
    };
    for (const HiddenLinePolygon& p : polygons)
        forCells(p, [&](std::size_t cell) { ++m_cellStart[cell + 1]; });
    for (std::size_t c = 0; c < cells; ++c)
        m_cellStart[c + 1] += m_cellStart[c];
    m_cellItems.assign(m_cellStart[cells], 0);
    std::vector<std::uint32_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (std::size_t n = 0; n < polygons.size(); ++n)
        forCells(polygons[n],
                 [&](std::size_t cell) { m_cellItems[fill[cell]++] = static_cast<std::int32_t>(n); });
    m_stamp.assign(polygons.size(), 0);
    m_collection = 0;
}

void HiddenLineRemover::CollectCandidates(double x1, double y1, double x2, double y2)
{
    m_candidates.clear();
    if (++m_collection == 0) { // wrapped: forget all old stamps
        std::fill(m_stamp.begin(), m_stamp.end(), 0);
        m_collection = 1;
    }
    const double ylo = std::min(y1, y2) - kGridMargin, yhi = std::max(y1, y2) + kGridMargin;
    const double dx = x2 - x1, dy = y2 - y1;
    const int r0 = CellY(ylo), r1 = CellY(yhi);
    for (int r = r0; r <= r1; ++r) {
        // The part of the segment in this row of cells (border rows reach
        // out without end), widened by the margin.
        const double top = r == 0 ? -HUGE_VAL : r * m_cell - kGridMargin;
        const double bottom = r == m_ny - 1 ? HUGE_VAL : (r + 1) * m_cell + kGridMargin;
        const double ya = std::max(top, std::min(y1, y2)), yb = std::min(bottom, std::max(y1, y2));
        if (ya > yb)
            continue;
        double xa, xb;
        if (std::fabs(dy) < 1e-12) {
            xa = std::min(x1, x2);
            xb = std::max(x1, x2);
        } else {
            const double pa = x1 + (ya - y1) / dy * dx, pb = x1 + (yb - y1) / dy * dx;
            xa = std::min(pa, pb);
            xb = std::max(pa, pb);
        }
        const int c0 = CellX(xa - kGridMargin), c1 = CellX(xb + kGridMargin);
        for (int c = c0; c <= c1; ++c) {
            const std::size_t cell =
                static_cast<std::size_t>(r) * static_cast<std::size_t>(m_nx) + static_cast<std::size_t>(c);
            for (std::uint32_t k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
                const std::int32_t n = m_cellItems[k];
                if (m_stamp[static_cast<std::size_t>(n)] != m_collection) {
                    m_stamp[static_cast<std::size_t>(n)] = m_collection;
                    m_candidates.push_back(n);
                }
            }
        }
    }
    std::sort(m_candidates.begin(), m_candidates.end());
}

void HiddenLineRemover::DrawHiddenLineSegment(double x1, double y1, double z1, double x2, double y2,
                                              double z2, const Plot& plot)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(z1) || !std::isfinite(x2) ||
        !std::isfinite(y2) || !std::isfinite(z2))
        return;
    if (std::fabs(x2 - x1) + std::fabs(y2 - y1) < 0.01)
        return;
    m_stack.clear();
    m_stack.push_back({{{x1, y1, z1}, {x2, y2, z2}}, 0});
    while (!m_stack.empty()) {
        Piece piece = m_stack.back();
        m_stack.pop_back();
        double(&a)[3] = piece.p[0];
        double(&b)[3] = piece.p[1];
        double dx = b[0] - a[0], dy = b[1] - a[1];
        if (std::fabs(dx) + std::fabs(dy) < 0.01)
            continue;
        // The polygons near this piece, from the one it waits for on.
        CollectCandidates(a[0], a[1], b[0], b[1]);
        const std::size_t from = static_cast<std::size_t>(
            std::lower_bound(m_candidates.begin(), m_candidates.end(), piece.next) - m_candidates.begin());
        bool hidden = false;
        float sx0 = 0, sx1 = 0, sy0 = 0, sy1 = 0, sz0 = 0, sz1 = 0;
        auto box = [&] {
            sx0 = static_cast<float>(std::min(a[0], b[0]));
            sx1 = static_cast<float>(std::max(a[0], b[0]));
            sy0 = static_cast<float>(std::min(a[1], b[1]));
            sy1 = static_cast<float>(std::max(a[1], b[1]));
            sz0 = static_cast<float>(std::min(a[2], b[2]));
            sz1 = static_cast<float>(std::max(a[2], b[2]));
        };
        box();
        for (std::size_t pos = from; pos < m_candidates.size(); ++pos) {
            const HiddenLinePolygon& poly = m_polygons[static_cast<std::size_t>(m_candidates[pos])];
            if (poly.xmax < sx0 || sx1 < poly.xmin || poly.ymax < sy0 || sy1 < poly.ymin || sz1 < poly.zmin)
                continue;
            ClipInterval t;
            const double dz = b[2] - a[2];
            if (!(poly.zmax <= sz0) && !ClipParameterTest(t, poly.a * dx + poly.b * dy - dz,
                                                          a[2] - (poly.a * a[0] + poly.b * a[1] + poly.c)))
                continue;
            bool inside = true;
            for (int e = 0; e < 4 && inside; ++e) {
                const float* prev = poly.corners[(e + 3) % 4];
                const float* cur = poly.corners[e];
                const double ea = static_cast<double>(prev[1]) - cur[1];
                const double eb = static_cast<double>(cur[0]) - prev[0];
                const double ec = -(eb * prev[1] + ea * prev[0]);
                inside = ClipParameterTest(t, -(eb * dy + ea * dx), ea * a[0] + eb * a[1] + ec);
            }
            if (!inside)
                continue;
            if (t.tIn <= 0.0001 && t.tOut >= 0.9999) {
                hidden = true;
                break;
            }
            const double start[3] = {a[0], a[1], a[2]};
            const double d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            if (t.tIn <= 0.0001) {
                for (int k = 0; k < 3; ++k)
                    a[k] = start[k] + t.tOut * d[k];
            } else if (t.tOut < 0.9999) {
                // Hidden in the middle: the back piece waits, the front piece
                // goes on against the later polygons first.
                Piece back{{{0, 0, 0}, {b[0], b[1], b[2]}}, m_candidates[pos] + 1};
                for (int k = 0; k < 3; ++k) {
                    back.p[0][k] = start[k] + t.tOut * d[k];
                    b[k] = start[k] + t.tIn * d[k];
                }
                m_stack.push_back(back);
            } else {
                for (int k = 0; k < 3; ++k)
                    b[k] = start[k] + t.tIn * d[k];
            }
            dx = b[0] - a[0];
            dy = b[1] - a[1];
            if (std::fabs(dx) + std::fabs(dy) < 0.01) {
                hidden = true;
                break;
            }
            box();
        }
        if (!hidden)
            plot(a[0], a[1], b[0], b[1]);
    }
}

} // namespace kernels
