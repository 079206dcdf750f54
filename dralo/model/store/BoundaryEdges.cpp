// Boundary edges. The full build walks the rows once: horizontal runs come
// from comparing each row with the one above, vertical runs from the colour
// changes along each row, kept open from row to row while their colour pair
// stays; equal rows are recognised with one comparison and cost nothing
// more. The update rescans only the box of an edit, pixel by pixel.
#include "dralo/model/store/BoundaryEdges.h"

#include "dralo/model/store/PixelRuns.h"
#include "dralo/model/store/Statistics.h"

#include <algorithm>
#include <cstring>

namespace dralo {

namespace {

BoundaryEdge Edge(int left, int right, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    return {static_cast<std::int16_t>(left), static_cast<std::int16_t>(right), static_cast<std::int16_t>(x1),
            static_cast<std::int16_t>(y1),   static_cast<std::int16_t>(x2),    static_cast<std::int16_t>(y2)};
}

// Horizontal records of corner row j (0..height).
void ScanCornerRow(const BitmapModel& m, std::int64_t j, std::vector<BoundaryEdge>& out)
{
    const std::int64_t w = m.width, h = m.height;
    if (j == 0 || j == h) {
        // The outline: runs of the first or last row against the outside.
        const std::uint8_t* row = m.pixels.data() + (j == 0 ? 0 : (h - 1) * w);
        for (std::int64_t x = 0; x < w;) {
            const std::int64_t e = RunEnd(row, x, w);
            out.push_back(j == 0 ? Edge(-1, row[x], x, 0, e, 0) : Edge(row[x], -1, x, j, e, j));
            x = e;
        }
        return;
    }
    const std::uint8_t* a = m.pixels.data() + (j - 1) * w;
    const std::uint8_t* b = a + w;
    for (std::int64_t x = FirstDifference(a, b, 0, w); x < w; x = FirstDifference(a, b, x, w)) {
        const std::uint8_t ca = a[x], cb = b[x];
        std::int64_t e = x + 1;
        while (e < w && a[e] == ca && b[e] == cb)
            ++e;
        out.push_back(Edge(ca, cb, x, j, e, j));
        x = e;
    }
}

// A vertical run kept open from row to row: its corner column, colour pair
// (left = column x, right = column x-1) and first row.
struct OpenRun {
    std::int32_t x;
    std::int16_t left, right;
    std::int32_t start;
    bool SamePlace(const OpenRun& o) const { return x == o.x && left == o.left && right == o.right; }
};

void ScanVerticalRuns(const BitmapModel& m, std::vector<BoundaryEdge>& out)
{
    const std::int64_t w = m.width, h = m.height;
    std::vector<OpenRun> open, row, next;
    std::vector<BoundaryEdge> closed;
    for (std::int64_t y = 0; y < h; ++y) {
        const std::uint8_t* px = m.pixels.data() + y * w;
        if (y > 0 && std::memcmp(px, px - w, static_cast<std::size_t>(w)) == 0)
            continue; // every run goes on
        row.clear();
        row.push_back({0, px[0], -1, static_cast<std::int32_t>(y)});
        for (std::int64_t x = RunEnd(px, 0, w); x < w; x = RunEnd(px, x, w))
            row.push_back({static_cast<std::int32_t>(x), px[x], px[x - 1], static_cast<std::int32_t>(y)});
        row.push_back({static_cast<std::int32_t>(w), -1, px[w - 1], static_cast<std::int32_t>(y)});
        // Merge with the open runs (both in column order): a run whose pair
        // is gone at its column ends at this row.
        next.clear();
        std::size_t o = 0;
        for (const OpenRun& r : row) {
            while (o < open.size() && open[o].x < r.x) {
                closed.push_back(Edge(open[o].left, open[o].right, open[o].x, open[o].start, open[o].x, y));
                ++o;
            }
            if (o < open.size() && open[o].SamePlace(r)) {
                next.push_back(open[o++]);
                continue;
            }
            if (o < open.size() && open[o].x == r.x) {
                closed.push_back(Edge(open[o].left, open[o].right, open[o].x, open[o].start, open[o].x, y));
                ++o;
            }
            next.push_back(r);
        }
        for (; o < open.size(); ++o)
            closed.push_back(Edge(open[o].left, open[o].right, open[o].x, open[o].start, open[o].x, y));
        open.swap(next);
    }
    for (const OpenRun& r : open)
        closed.push_back(Edge(r.left, r.right, r.x, r.start, r.x, h));
    // Column by column; within a column the runs closed in row order.
    std::vector<std::size_t> first(static_cast<std::size_t>(w) + 2, 0);
    for (const BoundaryEdge& e : closed)
        ++first[static_cast<std::size_t>(e.x1) + 1];
    for (std::size_t i = 1; i < first.size(); ++i)
        first[i] += first[i - 1];
    const std::size_t base = out.size();
    out.resize(base + closed.size());
    for (const BoundaryEdge& e : closed)
        out[base + first[static_cast<std::size_t>(e.x1)]++] = e;
}

// The rule of the full build inside a box, pixel by pixel: corner rows
// r0..r1 over k = k0..k1, the pair at k1 taken as (-1, -1) so that every run
// ends at the box's side. Horizontal records into h, vertical ones into v.
void ScanBox(const BitmapModel& m, std::int64_t x0, std::int64_t x1, std::int64_t y0, std::int64_t y1,
             std::vector<BoundaryEdge>& h, std::vector<BoundaryEdge>& v)
{
    for (std::int64_t j = y0; j <= y1 + 1; ++j) {
        int pa = -1, pb = -1;
        std::int64_t start = 0;
        for (std::int64_t k = x0; k <= x1 + 1; ++k) {
            int a = -1, b = -1;
            if (k <= x1) {
                a = GetPixelColour(m, k, j - 1);
                b = GetPixelColour(m, k, j);
            }
            if (a == pa && b == pb)
                continue;
            if (pa != pb)
                h.push_back(Edge(pa, pb, start, j, k, j));
            pa = a;
            pb = b;
            start = k;
        }
    }
    for (std::int64_t j = x0; j <= x1 + 1; ++j) {
        int pa = -1, pb = -1;
        std::int64_t start = 0;
        for (std::int64_t k = y0; k <= y1 + 1; ++k) {
            int a = -1, b = -1;
            if (k <= y1) {
                a = GetPixelColour(m, j, k);
                b = GetPixelColour(m, j - 1, k);
            }
            if (a == pa && b == pb)
                continue;
            if (pa != pb)
                v.push_back(Edge(pa, pb, j, start, j, k));
            pa = a;
            pb = b;
            start = k;
        }
    }
}

} // namespace

std::vector<BoundaryEdge> ScanBoundaryEdges(const BitmapModel& m)
{
    std::vector<BoundaryEdge> edges;
    if (m.width <= 0 || m.height <= 0)
        return edges;
    for (std::int64_t j = 0; j <= m.height; ++j)
        ScanCornerRow(m, j, edges);
    ScanVerticalRuns(m, edges);
    return edges;
}

void BuildColourBoundaryEdges(BitmapModel& m)
{
    ComputeColourStatistics(m);
    CountColourZones(m);
    std::vector<BoundaryEdge>().swap(m.edges);
    m.edges = ScanBoundaryEdges(m);
}

void UpdateColourBoundaryEdges(BitmapModel& m, std::span<const ChangedPixel> changes, bool withStatistics)
{
    if (withStatistics)
        UpdateColourStatistics(m, changes);
    ClearZoneCounts(m);
    if (changes.empty() || m.width <= 0)
        return;
    std::int64_t x0 = m.width, x1 = -1, y0 = m.height, y1 = -1;
    for (const ChangedPixel& p : changes) {
        const std::int64_t x = p.index % m.width, y = p.index / m.width;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    }
    // The records are filtered in place (horizontal ones first, then the
    // vertical ones), so that an edit of a few pixels costs one pass over
    // the list and no new list.
    std::vector<BoundaryEdge>& edges = m.edges;
    const std::size_t horizontal = static_cast<std::size_t>(
        std::partition_point(edges.begin(), edges.end(), [](const BoundaryEdge& e) { return e.y1 == e.y2; }) -
        edges.begin());
    std::vector<BoundaryEdge> hNew, vNew; // pieces and the box's records
    std::size_t keptH = 0;
    for (std::size_t i = 0; i < horizontal; ++i) {
        const BoundaryEdge e = edges[i];
        if (e.y1 < y0 || e.y1 > y1 + 1 || e.x2 <= x0 || e.x1 > x1) {
            edges[keptH++] = e;
            continue;
        }
        if (e.x1 < x0)
            hNew.push_back(Edge(e.left, e.right, e.x1, e.y1, x0, e.y1));
        if (e.x2 > x1 + 1)
            hNew.push_back(Edge(e.left, e.right, x1 + 1, e.y1, e.x2, e.y1));
    }
    std::size_t keptV = horizontal;
    for (std::size_t i = horizontal; i < edges.size(); ++i) {
        const BoundaryEdge e = edges[i];
        if (e.x1 < x0 || e.x1 > x1 + 1 || e.y2 <= y0 || e.y1 > y1) {
            edges[keptV++] = e;
            continue;
        }
        if (e.y1 < y0)
            vNew.push_back(Edge(e.left, e.right, e.x1, e.y1, e.x1, y0));
        if (e.y2 > y1 + 1)
            vNew.push_back(Edge(e.left, e.right, e.x1, y1 + 1, e.x1, e.y2));
    }
    ScanBox(m, x0, x1, y0, y1, hNew, vNew);
    // [kept horizontal | new horizontal | kept vertical | new vertical]
    const std::size_t verticals = keptV - horizontal;
    const std::size_t to = keptH + hNew.size();
    const std::size_t total = to + verticals + vNew.size();
    if (total > edges.size())
        edges.resize(total);
    const auto block = edges.begin() + static_cast<std::ptrdiff_t>(horizontal);
    if (to < horizontal)
        std::copy(block, block + static_cast<std::ptrdiff_t>(verticals), edges.begin() + static_cast<std::ptrdiff_t>(to));
    else
        std::copy_backward(block, block + static_cast<std::ptrdiff_t>(verticals),
                           edges.begin() + static_cast<std::ptrdiff_t>(to + verticals));
    std::copy(hNew.begin(), hNew.end(), edges.begin() + static_cast<std::ptrdiff_t>(keptH));
    std::copy(vNew.begin(), vNew.end(), edges.begin() + static_cast<std::ptrdiff_t>(to + verticals));
    edges.resize(total);
}

} // namespace dralo
