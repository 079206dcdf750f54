// Scan-line visible-surface filler (see ScanFiller.h).
#include "common/kernels/picture/ScanFiller.h"

#include <algorithm>
#include <cmath>

namespace kernels {

COLORREF ShadowTint(COLORREF colour)
{
    auto light = [](int c) { return c + (((255 - c) * 5) >> 3); };
    return RGB(light(GetRValue(colour)), light(GetGValue(colour)), light(GetBValue(colour)));
}

ScanFiller::ScanFiller(int width, int height) : m_width(std::max(0, width)), m_height(std::max(0, height)) {}

void ScanFiller::Clear()
{
    m_entries.clear();
    m_edges.clear();
}

void ScanFiller::Reserve(std::size_t n, std::size_t m)
{
    m_entries.reserve(n);
    m_edges.reserve(m);
}

void ScanFiller::BeginEntry(const DepthPlane& plane, COLORREF colour, std::int32_t tag)
{
    m_entries.push_back({plane, colour, tag});
}

void ScanFiller::AddFillEdge(double x1, double y1, double x2, double y2)
{
    if (m_entries.empty())
        return;
    const bool upward = y2 < y1;
    if (upward) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    if (!(y2 >= 0.0) || !(y1 < m_height) || !std::isfinite(x1) || !std::isfinite(x2) || !std::isfinite(y1) ||
        !std::isfinite(y2))
        return;
    double r = std::floor(y1);
    if (std::fabs(r - y1) < 0.00001)
        y1 = r + 0.00001;
    if (std::fabs(std::trunc(y2) - y2) < 0.00001)
        y2 = std::trunc(y2) + 0.00001;
    if (r == std::trunc(y2))
        return; // crosses no row
    const double slope = (x2 - x1) / (y2 - y1);
    double row = r + 1.0;
    double x = (row - y1) * slope + x1;
    if (!upward)
        x += 0.001;
    if (row < 0.0) {
        // Straight to row 0: an edge starting far above costs no walk.
        x += slope * -row;
        row = 0.0;
    }
    Edge e;
    e.row = e.startRow = static_cast<std::int32_t>(row);
    e.x = x;
    e.slope = slope;
    e.bottom = static_cast<float>(y2);
    e.entry = static_cast<std::int32_t>(m_entries.size() - 1);
    e.upward = upward;
    m_edges.push_back(e);
}

std::int32_t ScanFiller::FrontPolygonAtPixel(int x, int y)
{
    if (m_activePolygons.empty())
        return -1;
    std::size_t best = 0;
    bool haveDepth = false;
    double d = 0.0;
    auto depth = [&](std::int32_t entry) {
        const DepthPlane& p = m_entries[static_cast<std::size_t>(entry)].plane;
        return p.a * x + p.b * y + p.c;
    };
    for (std::size_t n = 1; n < m_activePolygons.size(); ++n) {
        const DepthPlane& e = m_entries[static_cast<std::size_t>(m_activePolygons[n])].plane;
        const DepthPlane& b = m_entries[static_cast<std::size_t>(m_activePolygons[best])].plane;
        if (e.zmax < b.zmin) {
            best = n; // wholly nearer
            haveDepth = false;
        } else if (b.zmax >= e.zmin) {
            if (!haveDepth) {
                d = depth(m_activePolygons[best]);
                haveDepth = true;
            }
            if (e.zmin > d)
                continue;
            if (e.zmax < d) {
                best = n;
                haveDepth = false;
            } else {
                const double de = depth(m_activePolygons[n]);
                if (d >= de) {
                    best = n; // on equal depth the later one wins
                    d = de;
                }
            }
        }
    }
    // The next pixel starts from the winner.
    std::swap(m_activePolygons[0], m_activePolygons[best]);
    return m_activePolygons[0];
}

void ScanFiller::RecordSpansTo(int end, int row)
{
    auto record = [&](int column, std::int32_t front) {
        if (front != m_lastFront) {
            m_spans.push_back({column, front});
            m_lastFront = front;
        }
    };
    const std::size_t count = m_activePolygons.size();
    // Shapes of one surface (one depth plane) need no depth at the pixels:
    // with a single shape it is the front one all along; with several, each
    // pixel makes the last of the list the front one and moves it to the
    // front of the list, so the first and the last take turns.
    bool onePlane = count >= 1;
    if (count >= 2) {
        const DepthPlane& p = m_entries[static_cast<std::size_t>(m_activePolygons[0])].plane;
        for (std::size_t n = 1; n < count && onePlane; ++n) {
            const DepthPlane& q = m_entries[static_cast<std::size_t>(m_activePolygons[n])].plane;
            onePlane = p.a == q.a && p.b == q.b && p.c == q.c && p.zmin == q.zmin && p.zmax == q.zmax;
        }
    }
    if (count == 0) {
        if (m_lastColumn < end)
            record(m_lastColumn, -1);
    } else if (count == 1) {
        if (m_lastColumn < end)
            record(m_lastColumn, m_activePolygons[0]);
    } else if (onePlane) {
        for (int column = m_lastColumn; column < end; ++column) {
            std::swap(m_activePolygons[0], m_activePolygons[count - 1]);
            record(column, m_activePolygons[0]);
        }
    } else {
        for (int column = m_lastColumn; column < end; ++column)
            record(column, FrontPolygonAtPixel(column, row));
    }
    m_lastColumn = std::max(m_lastColumn, end);
}

void ScanFiller::PaintRowSpans(PictureCanvas& canvas, int row, const ShadowTest& shadow)
{
    RecordSpansTo(m_width, row);
    if (m_spans.empty())
        return;
    m_spans.push_back({m_width, -1});
    for (std::size_t n = 0; n + 1 < m_spans.size(); ++n) {
        const Span& s = m_spans[n];
        if (s.entry < 0)
            continue;
        const Entry& entry = m_entries[static_cast<std::size_t>(s.entry)];
        if (entry.colour == kWhite)
            continue;
        const int from = s.column, to = m_spans[n + 1].column;
        if (!shadow) {
            canvas.FillSpan(from, to, row, entry.colour);
            continue;
        }
        const COLORREF tint = ShadowTint(entry.colour);
        for (int column = from; column < to; ++column)
            canvas.SetPixel(column, row, shadow(column, row, entry) ? tint : entry.colour);
    }
}

void ScanFiller::ScanFillEdges(PictureCanvas& canvas, const EscCheck& esc, const ShadowTest& shadow)
{
    if (m_edges.empty())
        return;
    std::stable_sort(m_edges.begin(), m_edges.end(), [](const Edge& a, const Edge& b) {
        return a.startRow != b.startRow ? a.startRow < b.startRow : a.x < b.x;
    });
    std::size_t next = 0;
    m_active.clear();
    int row = m_edges.front().startRow;
    int escCountdown = 10;
    for (; row < m_height; ++row) {
        if (escCountdown == 0) {
            PollEsc(esc);
            escCountdown = 10;
        } else {
            --escCountdown;
        }
        m_active.erase(std::remove_if(m_active.begin(), m_active.end(),
                                      [row](const Edge* e) { return !(row <= e->bottom); }),
                       m_active.end());
        if (m_active.empty() && next == m_edges.size())
            break;
        for (Edge* e : m_active)
            for (; e->row < row; ++e->row)
                e->x += e->slope;
        for (; next < m_edges.size() && m_edges[next].startRow == row; ++next)
            m_active.push_back(&m_edges[next]);
        // Nearly sorted from the row before: insertion sort, stable.
        for (std::size_t i = 1; i < m_active.size(); ++i) {
            Edge* e = m_active[i];
            std::size_t j = i;
            for (; j > 0 && m_active[j - 1]->x > e->x; --j)
                m_active[j] = m_active[j - 1];
            m_active[j] = e;
        }
        m_lastColumn = 0;
        m_spans.clear();
        m_activePolygons.clear();
        m_lastFront = -1;
        for (const Edge* e : m_active) {
            if (e->x >= m_width)
                break;
            if (e->x > m_lastColumn)
                RecordSpansTo(static_cast<int>(std::trunc(e->x)) + 1, row);
            if (e->upward) {
                m_activePolygons.push_back(e->entry);
            } else {
                auto it = std::find(m_activePolygons.begin(), m_activePolygons.end(), e->entry);
                if (it != m_activePolygons.end()) {
                    *it = m_activePolygons.back();
                    m_activePolygons.pop_back();
                }
            }
        }
        PaintRowSpans(canvas, row, shadow);
    }
}

} // namespace kernels
